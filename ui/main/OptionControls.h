#pragma once

#include <windows.h>

#include "readings/ConversionOptions.h"

namespace lorvane::ui {

// A check box's three values, as BM_GETCHECK gives them.
enum class CheckState : LRESULT { Clear = BST_UNCHECKED, Ticked = BST_CHECKED, Greyed = BST_INDETERMINATE };

// The conversion the main window's options ask for: the two upper-case option
// buttons and the polyphone check box CheckZLSB, which asks for one reading
// per character only when ticked (greyed lists every reading, as clear does).
inline ConversionOptions ConversionOptionsFromControls(bool firstUpperCaseSelected, bool upperCaseSelected,
                                                       CheckState checkZLSB)
{
    ConversionOptions options;
    if (firstUpperCaseSelected) options.letterCase = LetterCase::FirstLetterUpper;
    if (upperCaseSelected) options.letterCase = LetterCase::AllUpper;
    options.firstReadingOnly = checkZLSB == CheckState::Ticked;
    return options;
}

}  // namespace lorvane::ui
