#include "AboutBox.h"

#include <stdexcept>

#include "Polling.h"
#include "WindowQuery.h"

namespace lorvane::about_tests {
namespace {

using e2e::Milliseconds;
using e2e::WaitUntil;

constexpr Milliseconds EffectTimeout(5'000);

}  // namespace

HWND AboutBox::control(int id) const
{
    HWND child = GetDlgItem(hwnd(), id);
    if (!child) throw std::runtime_error("the About box has no control with id " + std::to_string(id));
    return child;
}

void AboutBox::postKey(HWND target, WPARAM key) const
{
    const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, key, MAKELPARAM(1, scanCode));
    PostMessageW(target, WM_KEYUP, key, MAKELPARAM(1, scanCode | KF_REPEAT | KF_UP));
}

void AboutBox::postAltKey(HWND target, WPARAM key) const
{
    const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_SYSKEYDOWN, key, MAKELPARAM(1, scanCode | KF_ALTDOWN));
    PostMessageW(target, WM_SYSKEYUP, key, MAKELPARAM(1, scanCode | KF_ALTDOWN | KF_REPEAT | KF_UP));
}

void AboutBox::postClick(HWND button) const { PostMessageW(button, BM_CLICK, 0, 0); }

void AboutBox::postMouseClick(HWND control) const
{
    const LPARAM corner = MAKELPARAM(2, 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, corner);
    PostMessageW(control, WM_LBUTTONUP, 0, corner);
}

void AboutBox::drainPostedMessages() const
{
    HWND ok = GetDlgItem(hwnd(), IDOK);
    if (!ok) return;
    e2e::DrainPostedMessages(ok, EffectTimeout, [&] { return !isOpen(); },
                        "the About box did not handle its posted messages");
}

bool AboutBox::waitUntilClosed() const
{
    return WaitUntil([&] { return !isOpen(); }, EffectTimeout);
}

std::vector<HWND> AboutBoxesOf(DWORD processId, HWND mainWindow)
{
    std::vector<HWND> boxes;
    for (HWND window : e2e::VisibleWindowsOf(processId, nullptr, nullptr))
        if (window != mainWindow && e2e::ClassOf(window) != L"#32770") boxes.push_back(window);
    return boxes;
}

RECT ClientAreaOnScreen(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

}  // namespace lorvane::about_tests
