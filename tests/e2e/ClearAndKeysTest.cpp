// Clear, and the keys that the main window leaves to its text boxes: Esc does
// nothing and Enter starts a new line without pressing any button.

#include <gtest/gtest.h>

#include "SharedLorvane.h"
#include "TestClipboard.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

constexpr wchar_t EarlierClipboardText[] = L"剪贴板上原有的文字";

class ClearAndKeys : public SharedLorvane {
protected:
    // Posts a key press to the input box as the keyboard would deliver it,
    // after giving that box the focus.
    void pressKeyInInput(WPARAM key) const
    {
        SendMessageW(window().hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window().inputBox), TRUE);
        ASSERT_EQ(window().focus(), window().inputBox);
        const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
        PostMessageW(window().inputBox, WM_KEYDOWN, key, 1 | (scanCode << 16));
        PostMessageW(window().inputBox, WM_KEYUP, key, 1 | (scanCode << 16) | (3u << 30));
        window().drainPostedMessages();
    }
};

TEST_F(ClearAndKeys, ClearEmptiesTheOutputAndNothingElse)
{
    window().setInput(L"重庆");
    window().select(window().upperCaseOption);
    window().togglePolyphone();
    EXPECT_EQ(window().convert(), L"ZHONG QING");
    PutOnClipboard(EarlierClipboardText);

    window().press(window().clearButton, [] { return window().output().empty(); }, "Clear");
    EXPECT_EQ(window().input(), L"重庆");
    EXPECT_TRUE(window().isSelected(window().upperCaseOption));
    EXPECT_EQ(window().polyphoneState(), BST_CHECKED);
    EXPECT_EQ(ClipboardText(), EarlierClipboardText);
}

TEST_F(ClearAndKeys, EscapeInTheInputBoxLeavesTheWindowOpen)
{
    pressKeyInInput(VK_ESCAPE);
    EXPECT_FALSE(WaitUntil([] { return !IsWindowVisible(window().hwnd()); }, Milliseconds(500)));
    EXPECT_FALSE(process().hasEnded());
    EXPECT_EQ(window().input(), InputPrompt);
}

TEST_F(ClearAndKeys, EnterInTheInputBoxStartsANewLineAndPressesNoButton)
{
    window().setInput(L"重庆");
    SendMessageW(window().inputBox, EM_SETSEL, 2, 2);
    window().setOutput(L"输出框原有的文字");
    PutOnClipboard(EarlierClipboardText);

    pressKeyInInput(VK_RETURN);
    EXPECT_EQ(window().input(), L"重庆\r\n");
    EXPECT_EQ(window().output(), L"输出框原有的文字") << "neither Convert nor Clear was pressed";
    EXPECT_EQ(ClipboardText(), EarlierClipboardText) << "Copy was not pressed";
    EXPECT_TRUE(VisibleWindowsOf(process().id(), nullptr, L"关于 Lorvane").empty()) << "About was not pressed";
    EXPECT_TRUE(IsWindowVisible(window().hwnd())) << "Exit was not pressed";
}

}  // namespace
}  // namespace lorvane::e2e
