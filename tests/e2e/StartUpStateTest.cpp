// The main window as it first appears: caption, controls, places, texts and
// states. These also run under a non-Chinese locale, where every caption must
// still read exactly the same.

#include <gtest/gtest.h>

#include <memory>

#include "LorvaneProcess.h"
#include "MainWindow.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

constexpr int TwipsPerPixelAt96Dpi = 15;

enum class Kind { PushButton, TextBox, OptionButton, CheckBox, Label };

struct TwipPlace {
    int left;
    int top;
    int width;
    int height;
};

struct ExpectedControl {
    HWND MainWindow::*control;
    Kind kind;
    const wchar_t* text;
    TwipPlace twips;
};

// A plain push button is not the window's default button. The check box may
// hold three states, but only the program may grey it: not an automatic
// three-state box.
bool isOfKind(HWND control, Kind kind)
{
    const std::wstring className = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const LONG type = style & BS_TYPEMASK;
    switch (kind) {
    case Kind::PushButton: return className == L"Button" && type == BS_PUSHBUTTON;
    case Kind::OptionButton: return className == L"Button" && type == BS_AUTORADIOBUTTON;
    case Kind::CheckBox:
        return className == L"Button" &&
               (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_3STATE);
    case Kind::Label: return className == L"Static";
    case Kind::TextBox:
        return _wcsicmp(className.c_str(), L"RichEdit50W") == 0 && (style & ES_MULTILINE) && !(style & ES_READONLY);
    }
    return false;
}

// In tab order, which is the order of the windows.
const ExpectedControl ExpectedControls[] = {
    {&MainWindow::copyButton, Kind::PushButton, L"复制(&C)", {1680, 4200, 975, 375}},
    {&MainWindow::aboutButton, Kind::PushButton, L"关于...(&a)", {5280, 3540, 1095, 375}},
    {&MainWindow::clearButton, Kind::PushButton, L"清  除", {240, 4200, 1095, 375}},
    {&MainWindow::exitButton, Kind::PushButton, L"退出(&Q)", {5280, 4200, 1095, 375}},
    {&MainWindow::convertButton, Kind::PushButton, L"转换(&S)", {3000, 4200, 1095, 375}},
    {&MainWindow::outputBox, Kind::TextBox, L"", {120, 2160, 4455, 1815}},
    {&MainWindow::inputBox, Kind::TextBox, L"快快输入文本，单击转换。\r\n", {120, 120, 4455, 1815}},
    {&MainWindow::lowerCaseOption, Kind::OptionButton, L"字母全部小写", {4920, 1560, 1575, 255}},
    {&MainWindow::firstUpperCaseOption, Kind::OptionButton, L"首字母大写", {4920, 2520, 1215, 255}},
    {&MainWindow::upperCaseOption, Kind::OptionButton, L"字母全部大写", {4920, 2040, 1455, 255}},
    {&MainWindow::polyphoneCheckBox, Kind::CheckBox, L"多音字智能识别（准确率70%）", {4920, 720, 1575, 495}},
    {&MainWindow::optionsLabel, Kind::Label, L"选项：", {4920, 240, 615, 255}},
};

std::string describe(const ExpectedControl& expected)
{
    return testing::Utf8(expected.text[0] ? expected.text : L"the output box");
}

// The option group is entered at its first button; the label takes no focus.
bool isTabStop(const ExpectedControl& expected)
{
    return expected.control != &MainWindow::optionsLabel && expected.control != &MainWindow::firstUpperCaseOption &&
           expected.control != &MainWindow::upperCaseOption;
}

class StartUpState : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        process_ = std::make_unique<LorvaneProcess>();
        window_ = std::make_unique<MainWindow>(process_->waitForMainWindow());
    }
    static void TearDownTestSuite()
    {
        window_.reset();
        process_.reset();
    }

    static inline std::unique_ptr<LorvaneProcess> process_;
    static inline std::unique_ptr<MainWindow> window_;
};

TEST_F(StartUpState, TheWindowIsOneOrdinaryTopLevelWindowWithItsCaption)
{
    EXPECT_EQ(1u, VisibleWindowsOf(process_->id(), nullptr, nullptr).size());
    EXPECT_EQ(MainWindowCaption(), TextOf(window_->hwnd()));
    const LONG style = GetWindowLongW(window_->hwnd(), GWL_STYLE);
    EXPECT_EQ(WS_OVERLAPPEDWINDOW, style & WS_OVERLAPPEDWINDOW) << "a resizable window with every caption button";
    EXPECT_EQ(nullptr, GetMenu(window_->hwnd()));
}

TEST_F(StartUpState, EveryControlHasItsKindTextAndTabPlace)
{
    const std::vector<HWND> children = ChildrenOf(window_->hwnd());
    ASSERT_EQ(std::size(ExpectedControls), children.size());
    for (std::size_t place = 0; place < std::size(ExpectedControls); ++place) {
        const ExpectedControl& expected = ExpectedControls[place];
        const HWND control = (*window_).*expected.control;
        SCOPED_TRACE(describe(expected));
        EXPECT_EQ(control, children[place]) << "tab place " << place;
        EXPECT_TRUE(isOfKind(control, expected.kind))
            << testing::Utf8(ClassOf(control)) << " with style " << std::hex << GetWindowLongW(control, GWL_STYLE);
        EXPECT_EQ(expected.text, TextOf(control));
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        EXPECT_EQ(isTabStop(expected), (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0);
    }
}

TEST_F(StartUpState, OptionsStartAsLowerCaseWithTheCheckBoxClearAndTheFocusOnCopy)
{
    EXPECT_TRUE(window_->isSelected(window_->lowerCaseOption));
    EXPECT_FALSE(window_->isSelected(window_->firstUpperCaseOption));
    EXPECT_FALSE(window_->isSelected(window_->upperCaseOption));
    EXPECT_EQ(BST_UNCHECKED, window_->polyphoneState());
    EXPECT_EQ(window_->copyButton, window_->focus());
}

TEST_F(StartUpState, ClientAreaAndControlsSitAtTheirTwipPlaces)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(96, dpi) << "the places below are pixels at 96 DPI";

    RECT client{};
    GetClientRect(window_->hwnd(), &client);
    EXPECT_EQ(6840 / TwipsPerPixelAt96Dpi, client.right - client.left);
    EXPECT_EQ(4815 / TwipsPerPixelAt96Dpi, client.bottom - client.top);
    for (const ExpectedControl& expected : ExpectedControls) {
        SCOPED_TRACE(describe(expected));
        const RECT place = RectInParent((*window_).*expected.control);
        EXPECT_EQ(expected.twips.left / TwipsPerPixelAt96Dpi, place.left);
        EXPECT_EQ(expected.twips.top / TwipsPerPixelAt96Dpi, place.top);
        EXPECT_EQ(expected.twips.width / TwipsPerPixelAt96Dpi, place.right - place.left);
        EXPECT_EQ(expected.twips.height / TwipsPerPixelAt96Dpi, place.bottom - place.top);
    }
}

// With the table as it ships, under any locale.
TEST(StartUpPrompt, ConvertsLikeAnyOtherInput)
{
    const LorvaneProcess process;
    const MainWindow window(process.waitForMainWindow());
    EXPECT_EQ(L"kuai kuai shu ru wen ben dan (chan) (shan) ji zhuan (zhuai) huan", window.convert());
}

}  // namespace
}  // namespace lorvane::e2e
