#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "readings/ConversionOptions.h"
#include "readings/Fragment.h"

namespace lorvane {

// Finished output text in every letter case: syllables each followed by a
// blank, "zhong ", or in parentheses, "(chong) ", appended one after another
// and copied, once all are in, with each syllable's first letter raised and
// with all letters raised. A fragment of the text is the same fragment of
// every copy.
class ReadingText {
public:
    explicit ReadingText(RaiseLetter raise = ToUpperAscii) : raise_(raise) {}

    // The most units the text may have: its three copies and their slack
    // stay within 32-bit offsets.
    static const std::size_t MaxUnits;

    // Takes room for `units` more units (the first letters' places
    // included), so that appending them allocates nothing more.
    void reserve(std::size_t units);
    // "zhong "; "(chong) ". Throw std::length_error past MaxUnits.
    Fragment appendPlain(std::u16string_view syllable);
    Fragment appendBracketed(std::u16string_view syllable);
    std::size_t size() const { return text_.size(); }
    std::size_t memoryBytes() const { return text_.capacity() * sizeof(char16_t); }

    // Makes the copies of the other letter cases; nothing can be appended
    // afterwards.
    void finish();
    const char16_t* text(LetterCase letterCase) const
    {
        return text_.data() + stride_ * static_cast<std::size_t>(letterCase);
    }

    // The units `syllable` takes, plain or bracketed.
    static std::size_t plainLength(std::u16string_view syllable) { return syllable.size() + 1; }
    static std::size_t bracketedLength(std::u16string_view syllable) { return syllable.size() + 3; }

private:
    Fragment append(std::u16string_view syllable, bool bracketed);

    std::u16string text_;
    std::vector<std::uint32_t> syllableStarts_;  // where a first letter is raised
    std::size_t stride_ = 0;
    RaiseLetter raise_;
};

}  // namespace lorvane
