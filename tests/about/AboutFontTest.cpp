// The About box's fonts, read in the test's own process where the controls'
// fonts can be inspected: 宋体 throughout, and the two long texts made
// smaller, within limits, until they fit their labels.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "about/AboutLayout.h"
#include "Application.h"

namespace lorvane::about_tests {
namespace {

using namespace ui::about;

constexpr wchar_t AboutCaption[] = L"关于 Lorvane";
constexpr wchar_t TextFace[] = L"宋体";

BOOL CALLBACK collect(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (!handle || GetObjectW(handle, sizeof font, &font) != sizeof font)
        ADD_FAILURE() << "control " << GetDlgCtrlID(control) << " has no font of its own";
    return font;
}

// The height `text` takes when a left-aligned label of `width` pixels draws it
// in `font` with `pixelHeight`.
int wrappedHeight(LOGFONTW font, int pixelHeight, const std::wstring& text, int width)
{
    font.lfHeight = -pixelHeight;
    HFONT handle = CreateFontIndirectW(&font);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, handle);
    RECT bounds{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(handle);
    return bounds.bottom;
}

// Lays the box out at the DPI of the parameter, through the program's DPI
// override for tests.
class AboutBoxFonts : public ::testing::TestWithParam<UINT> {
protected:
    void SetUp() override
    {
        SetEnvironmentVariableW(L"LORVANE_DPI", std::to_wstring(GetParam()).c_str());
        application_ = std::make_unique<ui::Application>();
        application_->showAbout();
        std::vector<HWND> windows;
        EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows));
        for (HWND window : windows)
            if (IsWindowVisible(window) && textOf(window) == AboutCaption) box_ = window;
        ASSERT_NE(nullptr, box_) << "the About box did not open";
    }
    void TearDown() override
    {
        application_.reset();
        SetEnvironmentVariableW(L"LORVANE_DPI", nullptr);
    }

    int pixelsFor(int points) const { return MulDiv(points, static_cast<int>(GetParam()), 72); }
    HWND control(ControlId id) const { return GetDlgItem(box_, id); }

    void expectFont(ControlId id, int points, LONG weight, bool italic, bool underline) const
    {
        const LOGFONTW font = fontOf(control(id));
        EXPECT_EQ(std::wstring(TextFace), font.lfFaceName) << "control " << id;
        EXPECT_EQ(-pixelsFor(points), font.lfHeight) << "control " << id;
        EXPECT_EQ(weight, font.lfWeight) << "control " << id;
        EXPECT_EQ(italic, font.lfItalic != 0) << "control " << id;
        EXPECT_EQ(underline, font.lfUnderline != 0) << "control " << id;
        EXPECT_EQ(GB2312_CHARSET, font.lfCharSet) << "control " << id;
    }

    // The label's font is 宋体 9 pt or smaller, at most by a quarter, and no
    // smaller than the label needs.
    void expectFittedFont(ControlId id) const
    {
        HWND label = control(id);
        const LOGFONTW font = fontOf(label);
        EXPECT_EQ(std::wstring(TextFace), font.lfFaceName) << "control " << id;
        const int full = pixelsFor(9);
        const int height = -font.lfHeight;
        EXPECT_LE(height, full) << "control " << id;
        EXPECT_GE(height, full * 3 / 4) << "control " << id;

        RECT client{};
        GetClientRect(label, &client);
        const std::wstring text = textOf(label);
        const int needed = wrappedHeight(font, height, text, client.right);
        if (height > full * 3 / 4) {
            EXPECT_LE(needed, client.bottom) << "control " << id << " at " << height << " pixels";
        }
        if (height < full) {
            EXPECT_GT(wrappedHeight(font, height + 1, text, client.right), client.bottom)
                << "control " << id << " was made smaller than it had to be: " << height << " pixels";
        }
    }

    std::unique_ptr<ui::Application> application_;
    HWND box_ = nullptr;
};

TEST_P(AboutBoxFonts, TextsAreSongTiNinePoint)
{
    for (ControlId id : {IdCmdOK, IdCmdSysInfo, IdLblVersion, IdLabel1, IdLabel2, IdLabel3})
        expectFont(id, 9, FW_NORMAL, false, false);
}

TEST_P(AboutBoxFonts, LinksAreUnderlinedSongTiNinePoint)
{
    for (ControlId id : {IdLabel4, IdLabel5}) expectFont(id, 9, FW_NORMAL, false, true);
}

TEST_P(AboutBoxFonts, TitleIsBoldItalicSongTi24Point) { expectFont(IdLblTitle, 24, FW_BOLD, true, false); }

TEST_P(AboutBoxFonts, LongTextsShrinkOnlyAsFarAsTheyMust)
{
    expectFittedFont(IdLblDescription);
    expectFittedFont(IdLblDisclaimer);
}

INSTANTIATE_TEST_SUITE_P(AtDpi, AboutBoxFonts, ::testing::Values(96u, 144u),
                         [](const ::testing::TestParamInfo<UINT>& tested) { return std::to_string(tested.param); });

}  // namespace
}  // namespace lorvane::about_tests
