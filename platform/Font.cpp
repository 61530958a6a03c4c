#include "Font.h"

#include <cwchar>
#include <initializer_list>

#include "Dpi.h"
#include "SystemFunctions.h"

namespace lorvane::platform {

namespace {

// True when `font` has a glyph of its own for a common Hanzi.
bool drawsHanzi(HFONT font)
{
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    const SelectedObject selected(dc.get(), font);
    WORD glyph = 0xFFFF;
    return GetGlyphIndicesW(dc.get(), L"\x8F6C", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF;
}

// Text boxes draw with the font they are given, without the system's font
// linking, so a message font without Chinese (Segoe UI, Tahoma) is replaced
// by a Chinese UI face of the same size.
Font withChineseFace(LOGFONTW font)
{
    Font plain(CreateFontIndirectW(&font));
    if (!plain.get() || drawsHanzi(plain.get())) return plain;
    for (const wchar_t* face : {L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun", L"WenQuanYi Micro Hei",
                                L"Noto Sans CJK SC"}) {
        wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
        font.lfCharSet = DEFAULT_CHARSET;
        Font chinese(CreateFontIndirectW(&font));
        if (chinese.get() && drawsHanzi(chinese.get())) return chinese;
    }
    return plain;
}

}  // namespace

Font MessageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    const auto forDpi = User32().SystemParametersInfoForDpi;
    if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0, dpi)) {
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return Font();
        // The system gave its metrics at the system DPI.
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                                static_cast<int>(SystemDpi()));
    }
    return withChineseFace(metrics.lfMessageFont);
}

namespace {

Font fontOfHeight(const FontDescription& description, int pixelHeight)
{
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = description.weight;
    font.lfItalic = description.italic;
    font.lfUnderline = description.underline;
    font.lfCharSet = description.charSet;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(font.lfFaceName, description.face, LF_FACESIZE - 1);
    return Font(CreateFontIndirectW(&font));
}

int pixelHeightOf(const FontDescription& description, UINT dpi)
{
    return MulDiv(description.points, static_cast<int>(dpi), 72);
}

}  // namespace

Font PointFont(const FontDescription& description, UINT dpi)
{
    return fontOfHeight(description, pixelHeightOf(description, dpi));
}

Font FontFittingText(const FontDescription& description, UINT dpi, const std::wstring& text, int width, int height)
{
    const int fullHeight = pixelHeightOf(description, dpi);
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    Font font;
    for (int pixels = fullHeight; pixels >= fullHeight * 3 / 4; --pixels) {
        font = fontOfHeight(description, pixels);
        const SelectedObject selected(dc.get(), font.get());
        RECT bounds{0, 0, width, 0};
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &bounds,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        if (bounds.bottom <= height) break;
    }
    return font;
}

}  // namespace lorvane::platform
