#pragma once

#include <windows.h>

#include "Dpi.h"

namespace lorvane::ui {

inline void PlaceInTwips(HWND control, const platform::TwipRect& place, UINT dpi)
{
    const RECT pixels = platform::ToPixels(place, dpi);
    MoveWindow(control, pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, TRUE);
}

}  // namespace lorvane::ui
