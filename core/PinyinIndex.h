#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ConversionOptions.h"
#include "FragmentCopy.h"
#include "PinyinTable.h"

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
    explicit PinyinIndex(const PinyinTable& table);
    // The index of the slots given. Empty slots match nothing, so the filled
    // slots of a table give the same index as all of them.
    explicit PinyinIndex(std::span<const std::u16string> slots);

    // Appends the readings of each character of `text`, each reading followed
    // by one blank: "zhong (chong) qing ". Characters without readings add
    // nothing.
    void appendReadings(std::u16string_view text, ConversionOptions options, std::u16string& out) const;
    // The same for as many leading characters of `text` as have readings of
    // at most `room` units in all; returns how many characters that is. It
    // is 0 only when the first character's readings alone are longer.
    std::size_t appendReadings(std::u16string_view text, ConversionOptions options, std::u16string& out,
                               std::size_t room) const;
    // The readings of one character as appendReadings writes them.
    std::u16string_view readingsOf(char16_t unit, ConversionOptions options) const;

    std::size_t keyCount() const { return allReadings_.size() - 1; }

private:
    static constexpr std::size_t CopyBlock = FragmentCopyBlock;
    static constexpr std::size_t LetterCaseCount = 3;

    struct Fragment {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
    };

    // By UTF-16 unit; 0 for no entry. Held in the object, which callers
    // keep on the heap or on the stack: a separate 128 KiB block would be
    // mapped and unmapped by the system for every index built.
    std::array<std::uint16_t, 0x10000> keyIds_{};
    // The readings of each key: "zhong (chong) ", and the first alone, which
    // is the start of the same text.
    std::vector<Fragment> allReadings_;   // by key id
    std::vector<Fragment> firstReading_;  // by key id
    // The fragments of every key, once for each letter case in the same
    // layout, so one fragment serves all three.
    std::u16string fragmentText_;
    std::size_t letterCaseStride_ = 0;
};

// The index of a table loaded from `path` (UTF-8, named in errors). Throws
// PinyinTableError (ReadingsTooLong, OutOfMemory).
std::unique_ptr<PinyinIndex> IndexPinyinTable(const PinyinTable& table, const std::string& path);

// The whole conversion: the readings separated by single blanks, with no
// blank at either end.
std::u16string ConvertText(const PinyinIndex& index, std::u16string_view text, ConversionOptions options);

}  // namespace lorvane
