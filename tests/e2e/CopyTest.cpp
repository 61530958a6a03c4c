// Copy puts the selected part of the output box, or all of it, on the
// clipboard as the only text there; a clipboard that another program holds
// is reported and changes nothing.

#include <gtest/gtest.h>

#include "SharedLorvane.h"
#include "TestClipboard.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

constexpr wchar_t EarlierClipboardText[] = L"剪贴板上原有的文字";

class Copy : public SharedLorvane {
protected:
    void SetUp() override
    {
        SharedLorvane::SetUp();
        PutOnClipboard(EarlierClipboardText);
    }

    void pressCopy() const
    {
        window().press(window().copyButton, [] { return ClipboardText() != EarlierClipboardText; }, "Copy");
    }
};

TEST_F(Copy, CopiesOnlyTheSelectedPartOfTheOutput)
{
    window().setOutput(L"zhong (chong) qing");
    SendMessageW(window().outputBox, EM_SETSEL, 6, 13);
    SendMessageW(window().inputBox, EM_SETSEL, 0, 4);
    pressCopy();
    EXPECT_EQ(L"(chong)", ClipboardText());
    EXPECT_EQ(L"zhong (chong) qing", window().output());
}

TEST_F(Copy, CopiesTheWholeOutputWhenNothingIsSelectedThere)
{
    window().setOutput(L"第一行 one\r\n第二行 two");
    SendMessageW(window().outputBox, EM_SETSEL, 3, 3);
    SendMessageW(window().inputBox, EM_SETSEL, 0, 4);
    pressCopy();
    EXPECT_EQ(L"第一行 one\r\n第二行 two", ClipboardText()) << "a selection in the input box plays no part";
}

TEST_F(Copy, AnEmptyOutputReplacesTheClipboardWithAnEmptyText)
{
    // A second format beside the earlier text, which Copy must remove too.
    const UINT privateFormat = RegisterClipboardFormatW(L"Lorvane e2e private format");
    ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, Milliseconds(5'000)));
    SetClipboardData(privateFormat, GlobalAlloc(GMEM_MOVEABLE, 4));
    CloseClipboard();
    ASSERT_TRUE(IsClipboardFormatAvailable(privateFormat));

    pressCopy();
    EXPECT_EQ(L"", ClipboardText());
    EXPECT_FALSE(IsClipboardFormatAvailable(privateFormat)) << "Copy empties the clipboard first";
}

TEST_F(Copy, ABusyClipboardIsReportedAndChangesNothing)
{
    window().setInput(L"重庆");
    window().setOutput(L"zhong (chong) qing");
    SendMessageW(window().outputBox, EM_SETSEL, 0, 5);
    {
        ClipboardHold hold;
        const MessageBoxWindow box = window().pressExpectingMessageBox(window().copyButton, "Copy");
        EXPECT_EQ(L"Lorvane", box.caption());
        EXPECT_EQ(0u, box.text().rfind(L"剪贴板正被其他程序占用", 0)) << testing::Utf8(box.text());
        box.dismiss();
    }
    EXPECT_EQ(L"重庆", window().input());
    EXPECT_EQ(L"zhong (chong) qing", window().output());
    EXPECT_EQ(EarlierClipboardText, ClipboardText());
    ASSERT_FALSE(process().hasEnded());

    pressCopy();
    EXPECT_EQ(L"zhong", ClipboardText()) << "Copy works again once the clipboard is free";
}

}  // namespace
}  // namespace lorvane::e2e
