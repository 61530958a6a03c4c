#include "Dpi.h"

#include <cwchar>

namespace lorvane::platform {
namespace {

// Functions of Windows 10 and later, looked up at run time so that the
// program still starts on older systems.
template <typename Function>
Function user32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT DpiOverride()
{
    wchar_t value[16] = {};
    if (GetEnvironmentVariableW(L"LORVANE_DPI", value, 16) == 0) return 0;
    const long dpi = std::wcstol(value, nullptr, 10);
    return dpi >= 48 && dpi <= 960 ? static_cast<UINT>(dpi) : 0;
}

UINT DpiOf(HWND window)
{
    if (const UINT forced = DpiOverride()) return forced;
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

RECT FrameAroundClient(DWORD style, DWORD exStyle, UINT dpi)
{
    RECT rect{0, 0, 0, 0};
    using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
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
