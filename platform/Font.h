#pragma once

#include <windows.h>

#include <string>

namespace lorvane::platform {

// Owns one GDI font.
class Font {
public:
    Font() = default;
    explicit Font(HFONT font) : font_(font) {}
    ~Font() { reset(); }
    Font(Font&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    Font& operator=(Font&& other) noexcept
    {
        if (this != &other) {
            reset();
            font_ = other.font_;
            other.font_ = nullptr;
        }
        return *this;
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT get() const { return font_; }

private:
    void reset()
    {
        if (font_) DeleteObject(font_);
        font_ = nullptr;
    }
    HFONT font_ = nullptr;
};

// The system's message font, the default font of dialogs, sized for `dpi`;
// with a Chinese face when the system's face has no Chinese of its own.
Font MessageFont(UINT dpi);

struct FontDescription {
    const wchar_t* face;
    int points;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    BYTE charSet = DEFAULT_CHARSET;
};

Font PointFont(const FontDescription& description, UINT dpi);

// The font of `description`, made smaller, a pixel at a time down to three
// quarters of its size, until `text` wrapped at `width` pixels fits in
// `height` pixels: faces differ in line height, and a label never grows.
Font FontFittingText(const FontDescription& description, UINT dpi, const std::wstring& text, int width, int height);

}  // namespace lorvane::platform
