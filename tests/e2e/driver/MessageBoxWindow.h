#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "Polling.h"

namespace lorvane::e2e {

// A message box of another process: a visible top-level dialog (#32770).
class MessageBoxWindow {
public:
    explicit MessageBoxWindow(HWND window) : window_(window) {}

    HWND hwnd() const { return window_; }
    std::wstring caption() const;
    // The message: the longest static text of the box (the other static, if
    // any, holds the icon).
    std::wstring text() const;
    // Presses OK and waits for the box to go.
    void dismiss() const;

private:
    HWND window_;
};

std::optional<MessageBoxWindow> FindMessageBox(DWORD processId);
std::optional<MessageBoxWindow> WaitForMessageBox(DWORD processId, Milliseconds timeout);

}  // namespace lorvane::e2e
