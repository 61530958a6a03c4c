// Clear, and the keyboard: Esc does nothing, Enter starts a new line in a
// text box and presses the button that has the focus, Tab follows the tab
// order and the access keys press their buttons.

#include <gtest/gtest.h>

#include <cwctype>

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
        ASSERT_EQ(window().inputBox, window().focus());
        const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
        PostMessageW(window().inputBox, WM_KEYDOWN, key, MAKELPARAM(1, scanCode));
        PostMessageW(window().inputBox, WM_KEYUP, key, MAKELPARAM(1, scanCode | KF_REPEAT | KF_UP));
        window().drainPostedMessages();
    }

    // Posts a key to whatever has the focus; `alt` sends it as a system key.
    static void pressKey(WPARAM key, bool alt = false)
    {
        HWND focus = window().focus();
        const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
        if (alt) {
            PostMessageW(focus, WM_SYSCHAR, towlower(static_cast<wint_t>(key)), MAKELPARAM(1, scanCode | KF_ALTDOWN));
        } else {
            PostMessageW(focus, WM_KEYDOWN, key, MAKELPARAM(1, scanCode));
            PostMessageW(focus, WM_KEYUP, key, MAKELPARAM(1, scanCode | KF_REPEAT | KF_UP));
        }
        window().drainPostedMessages();
    }

    static void focusOn(HWND control)
    {
        SendMessageW(window().hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        ASSERT_EQ(control, window().focus());
    }
};

TEST_F(ClearAndKeys, ClearEmptiesTheOutputAndNothingElse)
{
    window().setInput(L"重庆");
    window().select(window().upperCaseOption);
    window().togglePolyphone();
    EXPECT_EQ(L"ZHONG QING", window().convert());
    PutOnClipboard(EarlierClipboardText);

    window().press(window().clearButton, [] { return window().output().empty(); }, "Clear");
    EXPECT_EQ(L"重庆", window().input());
    EXPECT_TRUE(window().isSelected(window().upperCaseOption));
    EXPECT_EQ(BST_CHECKED, window().polyphoneState());
    EXPECT_EQ(EarlierClipboardText, ClipboardText());
}

TEST_F(ClearAndKeys, EscapeInTheInputBoxLeavesTheWindowOpen)
{
    pressKeyInInput(VK_ESCAPE);
    EXPECT_FALSE(WaitUntil([] { return !IsWindowVisible(window().hwnd()); }, Milliseconds(500)));
    EXPECT_FALSE(process().hasEnded());
    EXPECT_EQ(InputPrompt, window().input());
}

TEST_F(ClearAndKeys, EnterInTheInputBoxStartsANewLineAndPressesNoButton)
{
    window().setInput(L"重庆");
    SendMessageW(window().inputBox, EM_SETSEL, 2, 2);
    window().setOutput(L"输出框原有的文字");
    PutOnClipboard(EarlierClipboardText);

    pressKeyInInput(VK_RETURN);
    EXPECT_EQ(L"重庆\r\n", window().input());
    EXPECT_EQ(L"输出框原有的文字", window().output()) << "neither Convert nor Clear was pressed";
    EXPECT_EQ(EarlierClipboardText, ClipboardText()) << "Copy was not pressed";
    EXPECT_TRUE(VisibleWindowsOf(process().id(), nullptr, L"关于 Lorvane").empty()) << "About was not pressed";
    EXPECT_TRUE(IsWindowVisible(window().hwnd())) << "Exit was not pressed";
}

TEST_F(ClearAndKeys, EnterPressesTheButtonThatHasTheFocus)
{
    window().setOutput(L"回车复制");
    PutOnClipboard(EarlierClipboardText);
    focusOn(window().copyButton);
    pressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"回车复制"; }, Milliseconds(3000)));
    EXPECT_EQ(L"回车复制", window().output());
}

TEST_F(ClearAndKeys, TabFollowsTheTabOrderAndLandsOnTheSelectedOption)
{
    window().select(window().upperCaseOption);
    window().setOutput(L"ZHONG");
    focusOn(window().copyButton);
    const HWND order[] = {window().aboutButton, window().clearButton,    window().exitButton,
                          window().convertButton, window().outputBox,     window().inputBox,
                          window().upperCaseOption, window().polyphoneCheckBox, window().copyButton};
    for (HWND expected : order) {
        pressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([expected] { return window().focus() == expected; }, Milliseconds(2000)));
    }
    EXPECT_TRUE(window().isSelected(window().upperCaseOption)) << "passing through the group selects nothing";
    EXPECT_EQ(L"ZHONG", window().output());
}

TEST_F(ClearAndKeys, AltAndTheAccessKeyPressesTheButton)
{
    window().select(window().lowerCaseOption);
    window().setInput(L"重庆");
    window().setOutput(L"");
    focusOn(window().inputBox);
    pressKey('S', true);
    EXPECT_TRUE(WaitUntil([] { return !window().output().empty(); }, Milliseconds(3000)));
    EXPECT_EQ(L"zhong (chong) qing", window().output());
}

}  // namespace
}  // namespace lorvane::e2e
