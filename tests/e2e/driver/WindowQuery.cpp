#include "WindowQuery.h"

#include <stdexcept>

namespace lorvane::e2e {
namespace {

BOOL CALLBACK collect(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

DWORD processOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

// A control of a hung program must not hang the test with it.
constexpr Milliseconds ReplyTimeout(60'000);

LRESULT sendOrThrow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* what,
                    Milliseconds timeout = ReplyTimeout)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(timeout.count()),
                             &result))
        throw std::runtime_error(std::string(what) + ": the window did not answer or is gone (error " +
                                 std::to_string(GetLastError()) + ")");
    return static_cast<LRESULT>(result);
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId)
{
    std::vector<HWND> all;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> owned;
    for (HWND window : all)
        if (processOf(window) == processId) owned.push_back(window);
    return owned;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* className, const wchar_t* caption)
{
    std::vector<HWND> found;
    for (HWND window : TopLevelWindowsOf(processId)) {
        if (!IsWindowVisible(window)) continue;
        if (className && ClassOf(window) != className) continue;
        if (caption && CaptionOf(window) != caption) continue;
        found.push_back(window);
    }
    return found;
}

std::vector<HWND> ChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring CaptionOf(HWND window)
{
    wchar_t caption[512] = {};
    GetWindowTextW(window, caption, 512);
    return caption;
}

std::wstring TextOf(HWND window)
{
    const auto length = static_cast<std::size_t>(sendOrThrow(window, WM_GETTEXTLENGTH, 0, 0, "WM_GETTEXTLENGTH"));
    // Room for a CR LF where the length may have counted one unit per line end.
    std::wstring text(length * 2 + 1, L'\0');
    const auto copied = static_cast<std::size_t>(
        sendOrThrow(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), "WM_GETTEXT"));
    text.resize(copied);
    return text;
}

void SetTextOf(HWND window, const std::wstring& text, Milliseconds timeout)
{
    if (!sendOrThrow(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), "WM_SETTEXT", timeout))
        throw std::runtime_error("WM_SETTEXT was refused for a text of " + std::to_string(text.size()) +
                                 " characters");
}

RECT RectInParent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void DrainPostedMessages(HWND button, Milliseconds timeout, const std::function<bool()>& gone,
                         const char* failure)
{
    for (int round = 0; round < 2; ++round) {
        PostMessageW(button, BM_SETSTATE, TRUE, 0);
        const bool arrived = WaitUntil(
            [&] {
                DWORD_PTR state = 0;
                SendMessageTimeoutW(button, BM_GETSTATE, 0, 0, SMTO_NORMAL, 10'000, &state);
                return (state & BST_PUSHED) != 0 || gone();
            },
            timeout);
        SendMessageTimeoutW(button, BM_SETSTATE, FALSE, 0, SMTO_NORMAL, 10'000, nullptr);
        if (!arrived) throw std::runtime_error(failure);
    }
}

}  // namespace lorvane::e2e
