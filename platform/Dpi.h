#pragma once

#include <windows.h>

#include "TwipRect.h"

namespace lorvane::platform {

inline constexpr int TwipsPerInch = 1440;

// The DPI the window is drawn at: its monitor's under per-monitor awareness,
// the system's otherwise.
UINT DpiOf(HWND window);
// The system's DPI: the one the screen's device context reports.
UINT SystemDpi();

inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), TwipsPerInch); }

inline POINT ToPixels(POINT twips, UINT dpi) { return {TwipsToPixels(twips.x, dpi), TwipsToPixels(twips.y, dpi)}; }

// The size is scaled apart from the corner, so that two controls of one size
// stay of one size wherever they stand.
inline RECT ToPixels(const TwipRect& place, UINT dpi)
{
    const POINT corner = ToPixels(POINT{place.left, place.top}, dpi);
    return {corner.x, corner.y, corner.x + TwipsToPixels(place.width, dpi),
            corner.y + TwipsToPixels(place.height, dpi)};
}

// A length given in pixels at 96 DPI, such as a line's width, at `dpi`.
inline int ScalePixels(int pixels, UINT dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

// The outer size of a window whose client area is `clientWidth` x
// `clientHeight` pixels at `dpi`.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

// The frame around a client area: where a window's corner lies from its
// client area's (left and top, negative) and how far the frame reaches past it.
RECT FrameAroundClient(DWORD style, DWORD exStyle, UINT dpi);

// Test knob: LORVANE_DPI in the environment overrides the DPI the windows lay
// themselves out at, so the layout can be checked at other scales.
UINT DpiOverride();

}  // namespace lorvane::platform
