#pragma once

#include <windows.h>

namespace lorvane::ui {

// A top-level window whose messages go to a C++ object: the object is
// attached to the window when it is created and detached when it is
// destroyed. An exception that leaves a handler is reported in a message box
// and the program goes on.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone.
    virtual void windowDestroyed() {}
    // Called when the window has moved to a monitor of another DPI and taken
    // the size the system suggests: controls and fonts are to be scaled.
    virtual void dpiChanged(UINT) {}

    // What a dialog does for its controls: Tab as its text boxes ask for it,
    // and the focus kept across deactivation. True when `message` was one of
    // these.
    bool handleDialogFocus(UINT message, WPARAM wParam, LPARAM lParam, HWND firstFocus);

    HWND checkedOptionOfGroup(HWND control) const;

    static void registerClass(const wchar_t* className, HICON icon, HCURSOR cursor);
    HWND createWindow(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x,
                      int y, int width, int height, HWND owner);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;
};

}  // namespace lorvane::ui
