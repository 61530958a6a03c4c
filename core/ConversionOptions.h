#pragma once

namespace lorvane {

enum class LetterCase { AsStored, FirstLetterUpper, AllUpper };

struct ConversionOptions {
    LetterCase letterCase = LetterCase::AsStored;
    // One reading per character: the first the table lists.
    bool firstReadingOnly = false;

    // From the main window's controls: the two upper-case option buttons and
    // the value of the polyphone check box (0 clear, 1 ticked, 2 greyed; only
    // 1 means one reading).
    static ConversionOptions FromControls(bool firstUpperCaseSelected, bool upperCaseSelected,
                                          int checkZLSBValue)
    {
        ConversionOptions options;
        if (firstUpperCaseSelected) options.letterCase = LetterCase::FirstLetterUpper;
        if (upperCaseSelected) options.letterCase = LetterCase::AllUpper;
        options.firstReadingOnly = checkZLSBValue == 1;
        return options;
    }
};

// a to z become A to Z; every other character stays as it is.
inline char16_t ToUpperAscii(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

}  // namespace lorvane
