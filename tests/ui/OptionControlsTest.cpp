// The main window's options as the conversion takes them: the upper-case
// option wins over the first-letter one, and of the check box's three values
// only ticked asks for one reading per character.

#include <gtest/gtest.h>

#include "main/OptionControls.h"

namespace lorvane::ui {
namespace {

TEST(OptionControls, OnlyATickedCheckBoxAsksForOneReading)
{
    EXPECT_FALSE(ConversionOptionsFromControls(false, false, CheckState::Clear).firstReadingOnly);
    EXPECT_TRUE(ConversionOptionsFromControls(false, false, CheckState::Ticked).firstReadingOnly);
    EXPECT_FALSE(ConversionOptionsFromControls(false, false, CheckState::Greyed).firstReadingOnly);
}

TEST(OptionControls, OptionButtonsGiveTheLetterCase)
{
    EXPECT_EQ(LetterCase::AsStored, ConversionOptionsFromControls(false, false, CheckState::Clear).letterCase);
    EXPECT_EQ(LetterCase::FirstLetterUpper, ConversionOptionsFromControls(true, false, CheckState::Clear).letterCase);
    EXPECT_EQ(LetterCase::AllUpper, ConversionOptionsFromControls(false, true, CheckState::Ticked).letterCase);
    EXPECT_EQ(LetterCase::AllUpper, ConversionOptionsFromControls(true, true, CheckState::Greyed).letterCase);
}

}  // namespace
}  // namespace lorvane::ui
