// Convert, pressed in the window: what only the window adds to the
// conversion. Each of its control states asks for its options, and the
// output is one line; the strings themselves are the conversion cases'.

#include <gtest/gtest.h>

#include <fstream>

#include "CaseTableAndWords.h"
#include "ConversionCases.h"
#include "ProgramCopy.h"
#include "SharedLorvane.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

using testing::ConversionCase;
using testing::Wide;

// A copy of Lorvane.exe whose pymb.dat is the table of the conversion cases.
class ConvertCases : public SharedLorvane {
protected:
    static void SetUpTestSuite()
    {
        copy_ = std::make_unique<ProgramCopy>(L"lorvane-cases");
        std::ofstream(copy_->table(), std::ios::binary) << testing::CaseTableFile();
        SetUpTestSuiteIn(copy_->folder());
    }
    static void TearDownTestSuite()
    {
        SharedLorvane::TearDownTestSuite();
        copy_.reset();
    }

    static std::wstring textOf(const std::u16string& text) { return Wide(Utf16ToUtf8(text)); }

    const std::vector<ConversionCase> cases_ = testing::ConversionCases();

private:
    static inline std::unique_ptr<ProgramCopy> copy_;
};

// Each state of the controls that Convert reads, with the first case's input.
TEST_F(ConvertCases, EachControlStateAsksForItsOptions)
{
    struct ControlState {
        const char* name;
        HWND MainWindow::*option;
        WPARAM checkBox;
        std::vector<std::string> options;
    };
    const ControlState states[] = {
        {"lower case", &MainWindow::lowerCaseOption, BST_UNCHECKED, {}},
        {"first letter upper", &MainWindow::firstUpperCaseOption, BST_UNCHECKED, {"--case", "first"}},
        {"upper case", &MainWindow::upperCaseOption, BST_UNCHECKED, {"--case", "upper"}},
        {"ticked", &MainWindow::lowerCaseOption, BST_CHECKED, {"--single"}},
        // Greyed lists every reading, as clear does.
        {"greyed", &MainWindow::lowerCaseOption, BST_INDETERMINATE, {}},
    };
    const std::wstring input = textOf(cases_.front().input);
    for (const ControlState& state : states) {
        SCOPED_TRACE(state.name);
        const HWND option = window().*state.option;
        window().select(option);
        window().setPolyphoneState(state.checkBox);
        window().setInput(input);
        EXPECT_EQ(textOf(testing::CaseOf(cases_, cases_.front().input, state.options).output), window().convert());
        EXPECT_EQ(input, window().input()) << "Convert leaves the input alone";
        EXPECT_TRUE(window().isSelected(option));
        EXPECT_EQ(static_cast<LRESULT>(state.checkBox), window().polyphoneState());
    }
}

TEST_F(ConvertCases, TheOutputIsOneLine)
{
    for (const ConversionCase& test : cases_) {
        if (!test.options.empty() || test.input.find(u'\n') == std::u16string::npos) continue;
        window().setInput(textOf(test.input));
        EXPECT_EQ(textOf(test.output), window().convert()) << test.where();
        return;
    }
    FAIL() << "no conversion case without options has a line end in its input";
}

class ConvertInput : public SharedLorvane {};

TEST_F(ConvertInput, ThePromptConvertsLikeAnyOtherInput)
{
    EXPECT_EQ(L"kuai kuai shu ru wen ben dan (chan) (shan) ji zhuan (zhuai) huan", window().convert());
    EXPECT_EQ(InputPrompt, window().input());
}

TEST_F(ConvertInput, ReplacesWhatTheOutputBoxHeld)
{
    window().setInput(L"庆");
    window().setOutput(L"用户自己写的\r\n两行");
    window().press(window().convertButton, [] { return window().output() == L"qing"; }, "Convert");
}

}  // namespace
}  // namespace lorvane::e2e
