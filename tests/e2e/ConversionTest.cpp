// Convert, pressed in the window, under every letter case and every value of
// the polyphone check box. The readings come from data/pymb.dat: 重 zhong,
// chong; 庆 qing; 长 chang, zhang, in that order.

#include <gtest/gtest.h>

#include "SharedLorvane.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

enum class LetterCase { Lower, FirstUpper, Upper };

struct Setting {
    LetterCase letterCase;
    WPARAM polyphoneState;
    const wchar_t* expected;  // for 重庆长
    const char* name;
};

void PrintTo(const Setting& setting, std::ostream* out) { *out << setting.name; }

class ConvertUnderSetting : public SharedLorvane, public ::testing::WithParamInterface<Setting> {
protected:
    HWND optionFor(LetterCase letterCase) const
    {
        switch (letterCase) {
        case LetterCase::Lower: return window().lowerCaseOption;
        case LetterCase::FirstUpper: return window().firstUpperCaseOption;
        case LetterCase::Upper: return window().upperCaseOption;
        }
        return nullptr;
    }
};

TEST_P(ConvertUnderSetting, GivesTheReadingsOfEveryCharacter)
{
    const Setting& setting = GetParam();
    window().select(optionFor(setting.letterCase));
    window().setPolyphoneState(setting.polyphoneState);
    ASSERT_EQ(static_cast<LRESULT>(setting.polyphoneState), window().polyphoneState())
        << "the check box does not hold the value the test gave it";
    window().setInput(L"重庆长");

    EXPECT_EQ(setting.expected, window().convert());
    EXPECT_EQ(L"重庆长", window().input()) << "Convert leaves the input alone";
    EXPECT_TRUE(window().isSelected(optionFor(setting.letterCase)));
    EXPECT_EQ(static_cast<LRESULT>(setting.polyphoneState), window().polyphoneState());
}

INSTANTIATE_TEST_SUITE_P(
    EveryCaseAndCheckBoxValue, ConvertUnderSetting,
    ::testing::Values(
        Setting{LetterCase::Lower, BST_UNCHECKED, L"zhong (chong) qing chang (zhang)", "LowerClear"},
        Setting{LetterCase::FirstUpper, BST_UNCHECKED, L"Zhong (Chong) Qing Chang (Zhang)", "FirstUpperClear"},
        Setting{LetterCase::Upper, BST_UNCHECKED, L"ZHONG (CHONG) QING CHANG (ZHANG)", "UpperClear"},
        Setting{LetterCase::Lower, BST_CHECKED, L"zhong qing chang", "LowerTicked"},
        Setting{LetterCase::FirstUpper, BST_CHECKED, L"Zhong Qing Chang", "FirstUpperTicked"},
        Setting{LetterCase::Upper, BST_CHECKED, L"ZHONG QING CHANG", "UpperTicked"},
        // Greyed lists every reading, as clear does.
        Setting{LetterCase::Lower, BST_INDETERMINATE, L"zhong (chong) qing chang (zhang)", "LowerGreyed"},
        Setting{LetterCase::FirstUpper, BST_INDETERMINATE, L"Zhong (Chong) Qing Chang (Zhang)", "FirstUpperGreyed"},
        Setting{LetterCase::Upper, BST_INDETERMINATE, L"ZHONG (CHONG) QING CHANG (ZHANG)", "UpperGreyed"}),
    [](const ::testing::TestParamInfo<Setting>& tested) { return std::string(tested.param.name); });

class ConvertInput : public SharedLorvane {};

TEST_F(ConvertInput, ThePromptConvertsLikeAnyOtherInput)
{
    EXPECT_EQ(L"kuai kuai shu ru wen ben dan (chan) (shan) ji zhuan (zhuai) huan", window().convert());
    EXPECT_EQ(InputPrompt, window().input());
}

TEST_F(ConvertInput, RepeatsReadingsAndDropsWhatTheTableLacks)
{
    window().setInput(L"长长");
    EXPECT_EQ(L"chang (zhang) chang (zhang)", window().convert());
    window().setInput(L"A1重\r\n庆 b");
    EXPECT_EQ(L"zhong (chong) qing", window().convert()) << "the output is one line";
    window().setInput(L"abc 123");
    EXPECT_EQ(L"", window().convert());
    window().setInput(L"");
    EXPECT_EQ(L"", window().convert());
}

TEST_F(ConvertInput, ReplacesWhatTheOutputBoxHeld)
{
    window().setInput(L"庆");
    window().setOutput(L"用户自己写的\r\n两行");
    window().press(window().convertButton, [] { return window().output() == L"qing"; }, "Convert");
}

}  // namespace
}  // namespace lorvane::e2e
