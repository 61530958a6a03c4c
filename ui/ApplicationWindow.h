#pragma once

#include "Application.h"
#include "Window.h"

namespace lorvane::ui {

// A top-level window of the program, which ends when the last of them has
// gone.
class ApplicationWindow : public Window {
protected:
    explicit ApplicationWindow(Application& application) : application_(application) {}

    Application& application() const { return application_; }

private:
    void windowDestroyed() final { application_.topLevelWindowClosed(); }

    Application& application_;
};

}  // namespace lorvane::ui
