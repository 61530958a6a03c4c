#pragma once

#include <windows.h>

#include <vector>

#include "LorvaneWindow.h"

namespace lorvane::about_tests {

// Lorvane's About box in another process, driven through window messages.
class AboutBox : public e2e::LorvaneWindow {
public:
    using LorvaneWindow::LorvaneWindow;

    // The child with control id `id`; throws when there is none.
    HWND control(int id) const;

    // Posts what the keyboard delivers for one press of `key` to `target`,
    // the control that has the focus: the program's message loop sees it as
    // it would see a real key.
    void postKey(HWND target, WPARAM key) const;
    // The same for `key` pressed while Alt is held down.
    void postAltKey(HWND target, WPARAM key) const;
    // Posts a click on `button`: a sent one would block while the button's
    // handler shows a message box.
    void postClick(HWND button) const;
    // Posts a left click at the top-left corner of `control`'s client area.
    void postMouseClick(HWND control) const;

    // Returns once the box's thread has handled every message posted to it
    // so far, or at once when the box has gone.
    void drainPostedMessages() const;
    // Waits for the box to be destroyed; false when it is still there after
    // a few seconds.
    bool waitUntilClosed() const;
};

// The visible top-level windows of `processId` other than `mainWindow` and
// message boxes: the About box, once it is open.
std::vector<HWND> AboutBoxesOf(DWORD processId, HWND mainWindow);

// The client area's size and its top-left corner on the screen.
RECT ClientAreaOnScreen(HWND window);

}  // namespace lorvane::about_tests
