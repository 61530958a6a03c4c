#include "about/IconBox.h"

#include <windows.h>

#include "Dpi.h"
#include "Gdi.h"
#include "WindowCreation.h"
#include "about/AboutLayout.h"
#include "resource.h"

namespace lorvane::ui {
namespace {

void paint(HWND box)
{
    const platform::PaintSession paint(box);
    RECT client;
    GetClientRect(box, &client);
    const platform::Brush ground(CreateSolidBrush(about::PictureBackground));
    FillRect(paint.dc(), &client, ground.get());
    const int size = platform::ScalePixels(about::PictureIconPixels, platform::DpiOf(box));
    const platform::Icon icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_LORVANE), IMAGE_ICON, size, size, 0)));
    if (icon) DrawIconEx(paint.dc(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
}

LRESULT CALLBACK procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint(box);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(box);
        return 0;
    default:
        return DefWindowProcW(box, message, wParam, lParam);
    }
}

}  // namespace

void RegisterIconBoxClass()
{
    RegisterWindowClass(IconBoxClassName, procedure, nullptr, LoadCursorW(nullptr, IDC_ARROW), nullptr);
}

}  // namespace lorvane::ui
