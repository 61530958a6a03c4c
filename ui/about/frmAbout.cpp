#include "frmAbout.h"

#include <string>

#include "AppInfo.h"
#include "Application.h"
#include "resource.h"

namespace lorvane::ui {
namespace {
constexpr wchar_t ClassName[] = L"LorvaneAbout";
constexpr DWORD FrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
}  // namespace

frmAbout::frmAbout(Application& application) : application_(application) {}

void frmAbout::load()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(ClassName, LoadIconW(instance, MAKEINTRESOURCEW(IDI_LORVANE)), nullptr);
    createWindow(ClassName, L"", FrameStyle, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT,
                 400, 280, nullptr);
    Form_Load();
}

void frmAbout::Form_Load()
{
    SetWindowTextW(hwnd(), (std::wstring(L"关于 ") + app::Title).c_str());
}

void frmAbout::showInFront()
{
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

LRESULT frmAbout::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Window::handleMessage(message, wParam, lParam);
}

void frmAbout::windowDestroyed() { application_.topLevelWindowClosed(); }

}  // namespace lorvane::ui
