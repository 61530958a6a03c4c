#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "readings/ConversionOptions.h"
#include "readings/ReadingFragments.h"
#include "table/PinyinTable.h"

namespace lorvane {

// The table indexed by its keys, built once after loading. For every key and
// every combination of options it holds the finished output of one
// character, so a conversion is one lookup and one copy per character.
//
// The output is what a scan of all slots gives: every matching slot in slot
// order, or only the lowest-numbered one for firstReadingOnly. Slots that
// hold the Hanzi alone, and slots keyed by half of a surrogate pair, match
// nothing.
class PinyinIndex {
public:
    // Throws std::length_error when the readings are too long to index.
    explicit PinyinIndex(const PinyinTable& table);
    // The index of the slots given. Empty slots match nothing, so the filled
    // slots of a table give the same index as all of them. Toned slots
    // ("重zhòng") raise their marked letters too.
    explicit PinyinIndex(std::span<const std::u16string> slots, RaiseLetter raise = ToUpperAscii);

    // The readings of one character, each followed by one blank:
    // "zhong (chong) ", or nothing.
    std::u16string_view readingsOf(char16_t unit, ConversionOptions options) const
    {
        const Fragment fragment = fragments_.fragments(options)[keyIds_[unit]];
        return {fragments_.text(options) + fragment.start, fragment.length};
    }
    const ReadingFragments& fragments() const { return fragments_; }
    const std::uint16_t* keyIds() const { return keyIds_.data(); }

    std::size_t keyCount() const { return fragments_.count() - 1; }

private:
    // By UTF-16 unit; 0 for no reading. Held in the object, which callers
    // keep on the heap or on the stack: a separate 128 KiB block would be
    // mapped and unmapped by the system for every index built.
    std::array<std::uint16_t, 0x10000> keyIds_{};
    ReadingFragments fragments_;
};

}  // namespace lorvane
