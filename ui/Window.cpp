#include "Window.h"

#include <string>

#include "Dpi.h"
#include "ErrorReport.h"
#include "Gdi.h"
#include "WindowCreation.h"

namespace lorvane::ui {

Window::~Window()
{
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        const platform::PaintSession paint(hwnd_);
        paintContent(paint.dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        paintContent(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DPICHANGED: {
        if (platform::DpiOverride()) return 0;
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        dpi_ = HIWORD(wParam);
        layOut(dpi_);
        return 0;
    }
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

// Tab into a group of option buttons lands on the selected one, as in a
// dialog; landing on another would select it.
HWND Window::checkedOptionOfGroup(HWND control) const
{
    if ((GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) != BS_AUTORADIOBUTTON) return control;
    HWND option = control;
    do {
        if (SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED) return option;
        option = GetNextDlgGroupItem(hwnd_, option, FALSE);
    } while (option && option != control);
    return control;
}

bool Window::handleDialogFocus(UINT message, WPARAM wParam, LPARAM lParam, HWND firstFocus)
{
    if (message == WM_ACTIVATE) {
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) focusBeforeDeactivation_ = focus;
        } else if (!IsIconic(hwnd_)) {
            const bool remembered = focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_) &&
                                    IsChild(hwnd_, focusBeforeDeactivation_);
            SetFocus(remembered ? focusBeforeDeactivation_ : firstFocus);
        }
        return true;
    }
    if (message == WM_NEXTDLGCTL) {
        // Rich edit boxes ask for this on Tab, as in a dialog.
        HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
        if (next) SetFocus(checkedOptionOfGroup(next));
        return true;
    }
    return false;
}

void Window::registerClass(const wchar_t* className, HICON icon)
{
    RegisterWindowClass(className, procedure, icon, LoadCursorW(nullptr, IDC_ARROW),
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

HWND Window::createWindow(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x,
                          int y, int width, int height, HWND owner)
{
    HWND created = CreateWindowExW(exStyle, className, caption, style, x, y, width, height, owner, nullptr,
                                   GetModuleHandleW(nullptr), this);
    if (!created) ThrowLastError(L"无法创建窗口");
    dpi_ = platform::DpiOf(created);
    return created;
}

HWND Window::createControl(const wchar_t* className, const wchar_t* text, DWORD style, int id,
                           const wchar_t* whatFailed)
{
    return CreateChild(hwnd_, className, text, style, 0, id, whatFailed);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->hwnd_ = nullptr;
        window->windowDestroyed();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return window->handleMessage(message, wParam, lParam);
    } catch (...) {
        ReportCurrentError(hwnd);
    }
    return 0;
}

}  // namespace lorvane::ui
