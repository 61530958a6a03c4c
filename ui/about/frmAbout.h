#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Font.h"
#include "ApplicationWindow.h"

namespace lorvane::ui {
namespace about {
struct AboutControl;
}

// The About box: one per process, modeless, without a taskbar button. It
// names the program and its version, the maker and the terms of
// distribution, and starts the system's System Information tool. frmAbout is
// the name it was given, and kept.
class frmAbout : public ApplicationWindow {
public:
    frmAbout(Application& application, HWND hiddenOwner);

    // Creates the box and runs Form_Load; showInFront shows it.
    void load();
    void showInFront();

    // The System Information launcher (SysInfoLauncher.h), under the names
    // given to it, GetKeyValue's parameters included.
    void StartSysInfo();
    static bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                            std::wstring& KeyVal);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void layOut(UINT dpi) override;
    void paintContent(HDC dc) override;

private:
    struct Fonts {
        platform::Font text;
        platform::Font title;
        platform::Font link;
        std::vector<platform::Font> fitted;  // one for each long text
    };

    // Given names, kept as they are: the box's events and its handlers.
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label4_Click();
    void Label5_Click();

    void createControls();
    // The font `entry` asks for; a fitted one is made for it and kept in `fonts`.
    HFONT fontFor(const about::AboutControl& entry, UINT dpi, Fonts& fonts) const;
    LRESULT colourLabel(HDC dc, HWND label);
    bool isLink(HWND child) const;

    HWND hiddenOwner_;
    Fonts fonts_;
    HCURSOR linkCursor_ = nullptr;
};

}  // namespace lorvane::ui
