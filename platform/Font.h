#pragma once

#include <windows.h>

#include <string>

#include "Gdi.h"

namespace lorvane::platform {

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
