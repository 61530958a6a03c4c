#pragma once

#include <windows.h>

namespace lorvane::platform {

inline constexpr int TwipsPerInch = 1440;

// The DPI the window is drawn at: its monitor's under per-monitor awareness,
// the system's otherwise.
UINT DpiOf(HWND window);
// The system's DPI: the one the screen's device context reports.
UINT SystemDpi();

inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), TwipsPerInch); }

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
