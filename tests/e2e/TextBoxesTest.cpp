// The two text boxes: no length limit of their own, long lines wrapped at the
// box's width, a vertical scroll bar that stays (greyed while the text fits), and
// inputs longer than 32,766 characters converted whole.

#include <gtest/gtest.h>

#include <richedit.h>

#include "SharedLorvane.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

class TextBoxes : public SharedLorvane {};

std::wstring repeated(const std::wstring& piece, std::size_t times)
{
    std::wstring text;
    text.reserve(piece.size() * times);
    for (std::size_t time = 0; time < times; ++time) text += piece;
    return text;
}

TEST_F(TextBoxes, HoldTextsBeyondSixtyFourThousandCharacters)
{
    const std::wstring text = repeated(L"zhong (chong) qing ", 3'500);
    for (HWND box : {window().inputBox, window().outputBox}) {
        SetTextOf(box, text);
        EXPECT_EQ(text.size(), TextOf(box).size());
    }
}

TEST_F(TextBoxes, WrapLongLinesAndScrollVertically)
{
    window().setOutput(repeated(L"zhong ", 100));
    EXPECT_GT(SendMessageW(window().outputBox, EM_GETLINECOUNT, 0, 0), 1) << "a long line wraps";
    EXPECT_FALSE(GetWindowLongW(window().outputBox, GWL_STYLE) & WS_HSCROLL);

    window().setInput(repeated(L"一行\r\n", 40));
    EXPECT_TRUE(GetWindowLongW(window().inputBox, GWL_STYLE) & WS_VSCROLL);
    // The bar stays, greyed, while the text fits.
    for (HWND box : {window().inputBox, window().outputBox})
        EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & ES_DISABLENOSCROLL);
}

TEST_F(TextBoxes, ConvertTakesAnInputLongerThan32766CharactersWhole)
{
    // Mostly letters, which have no readings, so that the output stays short.
    const std::wstring input = L"庆" + repeated(L"abcdefghijklmnopqrstuvwxyz0123456789\r\n", 900) + L"重";
    ASSERT_GT(input.size(), 32'766u);
    window().setInput(input);
    EXPECT_EQ(L"qing zhong (chong)", window().convert());
}

}  // namespace
}  // namespace lorvane::e2e
