#pragma once

#include <windows.h>

#include <memory>

#include "ComApartment.h"
#include "Handle.h"

namespace lorvane::ui {

class Form1;
class frmAbout;

// Runs the program: holds its windows, the one message loop that serves
// them all, and ends the program when the last window has closed.
class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Starts up as the main window requires; returns the exit code.
    int run();

    // Shows the single About box, creating it when there is none.
    void showAbout();
    // The main window, or null once it has been closed.
    HWND mainWindow() const;
    void topLevelWindowClosed();

private:
    bool translateForWindows(MSG& message);

    HWND hiddenOwner();

    // Torn down from the last line up: the windows, then COM, then the rich
    // edit library, which the text boxes need for as long as they live.
    platform::Library richEdit_;
    // The shell, asked to open the About box's links, wants COM.
    platform::ComApartment com_;
    // Owns the About box so that it has no taskbar button of its own.
    platform::OwnedWindow hiddenOwner_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<frmAbout> about_;
};

}  // namespace lorvane::ui
