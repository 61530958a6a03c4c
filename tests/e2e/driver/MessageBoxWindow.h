#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "LorvaneWindow.h"
#include "Polling.h"

namespace lorvane::e2e {

// A message box of another process: a visible top-level dialog (#32770).
class MessageBoxWindow : public LorvaneWindow {
public:
    using LorvaneWindow::LorvaneWindow;

    std::wstring caption() const;
    // The message: the longest static text of the box (the other static, if
    // any, holds the icon).
    std::wstring text() const;
    // Presses OK and waits for the box to go.
    void dismiss() const;
};

std::optional<MessageBoxWindow> FindMessageBox(DWORD processId);
std::optional<MessageBoxWindow> WaitForMessageBox(DWORD processId, Milliseconds timeout);

}  // namespace lorvane::e2e
