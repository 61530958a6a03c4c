#pragma once

#include <windows.h>

#include "AboutBox.h"
#include "LorvaneProcess.h"
#include "MainWindow.h"

namespace lorvane::about_tests {

// A running Lorvane.exe whose About box the tests open from its main window.
class LorvaneSession {
public:
    LorvaneSession();

    const e2e::LorvaneProcess& process() const { return process_; }
    const e2e::MainWindow& main() const { return main_; }

    // Clicks About until the box shows, and waits for it to take the focus.
    AboutBox openAbout() const;
    // Sends the main window what a click on About sends, and returns once it
    // has been handled: unlike a click, it cannot get lost.
    void notifyAboutClicked() const;
    // The About boxes that are open.
    std::vector<HWND> aboutBoxes() const;

    // The control that has the keyboard focus in Lorvane's GUI thread.
    HWND focus() const { return main_.focus(); }

private:
    e2e::LorvaneProcess process_;
    e2e::MainWindow main_;
};

}  // namespace lorvane::about_tests
