#pragma once

#include <windows.h>

#include <memory>

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

    bool comInitialised_ = false;
    HMODULE richEdit_ = nullptr;
    // Owns the About box so that it has no taskbar button of its own.
    HWND hiddenOwner_ = nullptr;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<frmAbout> about_;
};

}  // namespace lorvane::ui
