#pragma once

#include <windows.h>

namespace lorvane::e2e {

// A window of the Lorvane process under test, reached through window
// messages from the test's own process.
class LorvaneWindow {
public:
    explicit LorvaneWindow(HWND window) : window_(window) {}

    HWND hwnd() const { return window_; }
    bool isOpen() const { return IsWindow(window_) != FALSE; }

private:
    HWND window_;
};

}  // namespace lorvane::e2e
