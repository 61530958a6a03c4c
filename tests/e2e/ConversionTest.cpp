// Convert, pressed in the window: what the window adds to the conversion.
// Each state of the controls it reads asks for its options, and the output
// is one line; the texts are those of the conversion cases.

#include <gtest/gtest.h>

#include "ConversionCases.h"
#include "SharedLorvane.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

class ConvertInput : public SharedLorvane {
protected:
    const std::vector<testing::ConversionCase> cases_ = testing::CoreConversionCases();
};

// The first case's input, once in each state of the controls.
TEST_F(ConvertInput, EachControlStateAsksForItsOptions)
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
    const std::u16string& input = cases_.front().input;
    for (const ControlState& state : states) {
        SCOPED_TRACE(state.name);
        const HWND option = window().*state.option;
        window().select(option);
        window().setPolyphoneState(state.checkBox);
        window().setInput(ToWide(input));
        EXPECT_EQ(ToWide(testing::CaseOf(cases_, input, state.options).output), window().convert());
        EXPECT_EQ(ToWide(input), window().input()) << "Convert leaves the input alone";
        EXPECT_TRUE(window().isSelected(option));
        EXPECT_EQ(static_cast<LRESULT>(state.checkBox), window().polyphoneState());
    }
}

TEST_F(ConvertInput, TheOutputIsOneLine)
{
    for (const testing::ConversionCase& test : cases_) {
        if (!test.options.empty() || test.input.find(u'\n') == std::u16string::npos) continue;
        window().setInput(ToWide(test.input));
        EXPECT_EQ(ToWide(test.output), window().convert()) << test.where();
        return;
    }
    FAIL() << "no conversion case without options has a line end in its input";
}

TEST_F(ConvertInput, ReplacesWhatTheOutputBoxHeld)
{
    window().setInput(L"庆");
    window().setOutput(L"用户自己写的\r\n两行");
    window().press(window().convertButton, [] { return window().output() == L"qing"; }, "Convert");
}

}  // namespace
}  // namespace lorvane::e2e
