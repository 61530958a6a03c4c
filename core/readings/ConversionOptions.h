#pragma once

namespace lorvane {

enum class LetterCase { AsStored, FirstLetterUpper, AllUpper };

struct ConversionOptions {
    LetterCase letterCase = LetterCase::AsStored;
    // One reading per character: the first the table lists.
    bool firstReadingOnly = false;
};

// a to z become A to Z; every other character stays as it is.
inline char16_t ToUpperAscii(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

// How the upper-case copies of readings raise a letter: ToUpperAscii for
// the table's readings as they stand, ToUpperPinyin for tone marks.
using RaiseLetter = char16_t (*)(char16_t unit);

}  // namespace lorvane
