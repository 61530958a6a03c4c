#include "Dpi.h"

#include <cwchar>

#include "Gdi.h"
#include "SystemFunctions.h"

namespace lorvane::platform {

UINT DpiOverride()
{
    wchar_t value[16] = {};
    if (GetEnvironmentVariableW(L"LORVANE_DPI", value, 16) == 0) return 0;
    const long dpi = std::wcstol(value, nullptr, 10);
    return dpi >= 48 && dpi <= 960 ? static_cast<UINT>(dpi) : 0;
}

UINT SystemDpi()
{
    const WindowDc screen;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT DpiOf(HWND window)
{
    if (const UINT forced = DpiOverride()) return forced;
    if (const auto getDpiForWindow = User32().GetDpiForWindow; getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    return SystemDpi();
}

RECT FrameAroundClient(DWORD style, DWORD exStyle, UINT dpi)
{
    RECT rect{0, 0, 0, 0};
    const auto adjustForDpi = User32().AdjustWindowRectExForDpi;
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi)
{
    const RECT frame = FrameAroundClient(style, exStyle, dpi);
    return {clientWidth + frame.right - frame.left, clientHeight + frame.bottom - frame.top};
}

}  // namespace lorvane::platform
