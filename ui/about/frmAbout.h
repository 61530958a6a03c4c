#pragma once

#include "Window.h"

namespace lorvane::ui {

class Application;

// The About box: one per process, modeless, without owner.
class frmAbout : public Window {
public:
    explicit frmAbout(Application& application);

    // Creates the box and fills in its texts; it is shown by showInFront.
    void load();
    void showInFront();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowDestroyed() override;

private:
    void Form_Load();

    Application& application_;
};

}  // namespace lorvane::ui
