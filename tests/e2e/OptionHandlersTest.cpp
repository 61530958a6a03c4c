// What the option buttons and the check box do when they change: the first
// letter option and the check box convert the input again, but only when the
// output box holds something; the lower- and upper-case options change the
// case of the output box in place and never read the input.

#include <gtest/gtest.h>

#include "SharedLorvane.h"

namespace lorvane::e2e {
namespace {

class OptionHandlers : public SharedLorvane {
protected:
    void SetUp() override
    {
        SharedLorvane::SetUp();
        window().setInput(L"重庆");
    }
};

TEST_F(OptionHandlers, FirstLetterOptionWithEmptyOutputWaitsForConvert)
{
    window().select(window().firstUpperCaseOption);
    EXPECT_EQ(L"", window().output());
    EXPECT_EQ(L"Zhong (Chong) Qing", window().convert());
}

TEST_F(OptionHandlers, CheckBoxWithEmptyOutputWaitsForConvert)
{
    window().togglePolyphone();
    EXPECT_EQ(BST_CHECKED, window().polyphoneState());
    EXPECT_EQ(L"", window().output());
    EXPECT_EQ(L"zhong qing", window().convert());
}

TEST_F(OptionHandlers, BlanksOrALineBreakInTheOutputCountAsNotEmpty)
{
    window().setOutput(L" ");
    window().select(window().firstUpperCaseOption);
    EXPECT_EQ(L"Zhong (Chong) Qing", window().output());

    window().setOutput(L" ");
    window().togglePolyphone();
    EXPECT_EQ(L"Zhong Qing", window().output());

    window().setOutput(L"\r\n");
    window().togglePolyphone();
    EXPECT_EQ(L"Zhong (Chong) Qing", window().output());
}

TEST_F(OptionHandlers, ReconversionReplacesTheUsersOwnText)
{
    window().setOutput(L"用户自己写的 text");
    window().togglePolyphone();
    EXPECT_EQ(L"zhong qing", window().output());
    window().setOutput(L"用户自己写的 text");
    window().togglePolyphone();
    EXPECT_EQ(L"zhong (chong) qing", window().output());
}

TEST_F(OptionHandlers, CaseOptionsChangeTheOldOutputWhileFirstLetterConvertsTheEditedInput)
{
    EXPECT_EQ(L"zhong (chong) qing", window().convert());
    window().setInput(L"长");

    window().select(window().upperCaseOption);
    EXPECT_EQ(L"ZHONG (CHONG) QING", window().output()) << "upper case works on the output, not the input";
    window().select(window().firstUpperCaseOption);
    EXPECT_EQ(L"Chang (Zhang)", window().output()) << "the first letter option converts the edited input";
    window().setInput(L"重庆");
    window().select(window().lowerCaseOption);
    EXPECT_EQ(L"chang (zhang)", window().output()) << "lower case removes every capital in place";
}

TEST_F(OptionHandlers, UpperCaseAfterFirstLetterCapitalisesEverything)
{
    window().select(window().firstUpperCaseOption);
    EXPECT_EQ(L"Zhong (Chong) Qing", window().convert());
    window().setInput(L"");
    window().select(window().upperCaseOption);
    EXPECT_EQ(L"ZHONG (CHONG) QING", window().output());
}

TEST_F(OptionHandlers, CaseOptionsChangeTheUsersTextAndLeaveCaselessCharactersAlone)
{
    window().setOutput(L"用户 Text (abc) 123，xYz\r\n第二行 q");
    window().select(window().upperCaseOption);
    EXPECT_EQ(L"用户 TEXT (ABC) 123，XYZ\r\n第二行 Q", window().output());
    window().select(window().lowerCaseOption);
    EXPECT_EQ(L"用户 text (abc) 123，xyz\r\n第二行 q", window().output());
}

TEST_F(OptionHandlers, CaseOptionsLeaveAnEmptyOutputEmpty)
{
    window().select(window().upperCaseOption);
    EXPECT_EQ(L"", window().output());
    window().select(window().lowerCaseOption);
    EXPECT_EQ(L"", window().output());
}

TEST_F(OptionHandlers, ClickingTheSelectedOptionAgainDoesNothing)
{
    window().setOutput(L"Mixed Case");
    window().select(window().lowerCaseOption);
    EXPECT_EQ(L"Mixed Case", window().output());

    window().select(window().firstUpperCaseOption);
    EXPECT_EQ(L"Zhong (Chong) Qing", window().output());
    window().setOutput(L"Mixed Case");
    window().select(window().firstUpperCaseOption);
    EXPECT_EQ(L"Mixed Case", window().output());
}

TEST_F(OptionHandlers, TheUsersClicksOnlyTickAndClearTheCheckBox)
{
    for (const LRESULT expected : {BST_CHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}) {
        window().togglePolyphone();
        EXPECT_EQ(expected, window().polyphoneState());
    }
}

TEST_F(OptionHandlers, TheOptionsExcludeEachOther)
{
    for (HWND chosen : {window().upperCaseOption, window().firstUpperCaseOption, window().lowerCaseOption}) {
        window().select(chosen);
        for (HWND option : {window().lowerCaseOption, window().firstUpperCaseOption, window().upperCaseOption})
            EXPECT_EQ(option == chosen, window().isSelected(option));
    }
}

}  // namespace
}  // namespace lorvane::e2e
