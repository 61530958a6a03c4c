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
    // The messages the window handles itself; the rest go to the default
    // procedure.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone.
    virtual void windowDestroyed() {}
    // Places the controls and gives them their fonts for `dpi`; called again
    // when the window has moved to a monitor of another DPI and taken the
    // size the system suggests.
    virtual void layOut(UINT) {}
    // Draws what the window shows beside its controls, for WM_PAINT and for
    // WM_PRINTCLIENT alike.
    virtual void paintContent(HDC) {}

    // The DPI the window is laid out at.
    UINT dpi() const { return dpi_; }
    HWND control(int id) const { return GetDlgItem(hwnd_, id); }

    // What a dialog does for its controls: Tab as its text boxes ask for it,
    // and the focus kept across deactivation. True when `message` was one of
    // these.
    bool handleDialogFocus(UINT message, WPARAM wParam, LPARAM lParam, HWND firstFocus);

    HWND checkedOptionOfGroup(HWND control) const;

    // Registers a class of windows whose messages go to their Window objects.
    static void registerClass(const wchar_t* className, HICON icon);
    // Creates the window and takes its DPI.
    HWND createWindow(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x,
                      int y, int width, int height, HWND owner);
    // A child control of class `className`, visible, placed by layOut later.
    // Throws WindowError with `whatFailed` when it cannot be created.
    HWND createControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, const wchar_t* whatFailed);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HWND focusBeforeDeactivation_ = nullptr;
};

}  // namespace lorvane::ui
