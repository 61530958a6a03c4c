#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "readings/ConversionOptions.h"
#include "readings/Fragment.h"
#include "readings/ReadingText.h"

namespace lorvane {

// The finished output of one character for every option: a chosen syllable
// and a list of others, "zhong (chong) ", and the chosen one alone, "zhong ",
// in each letter case. Fragments are numbered from 1 as they are added; 0 is
// the empty fragment of a character without readings.
class ReadingFragments {
public:
    explicit ReadingFragments(RaiseLetter raise = ToUpperAscii);

    // Throws std::length_error when the text would pass 32-bit offsets.
    std::uint32_t add(std::u16string_view chosen, std::span<const std::u16string_view> others);
    // Makes the upper-case copies; nothing can be added afterwards.
    void finish() { text_.finish(); }

    std::size_t count() const { return allReadings_.size(); }
    const Fragment* fragments(ConversionOptions options) const
    {
        return (options.firstReadingOnly ? firstReading_ : allReadings_).data();
    }
    const char16_t* text(ConversionOptions options) const { return text_.text(options.letterCase); }

private:
    std::vector<Fragment> allReadings_;
    std::vector<Fragment> firstReading_;
    ReadingText text_;
};

}  // namespace lorvane
