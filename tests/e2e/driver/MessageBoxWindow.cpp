#include "MessageBoxWindow.h"

#include <stdexcept>

#include "WindowQuery.h"

namespace lorvane::e2e {

std::wstring MessageBoxWindow::caption() const { return TextOf(hwnd()); }

std::wstring MessageBoxWindow::text() const
{
    std::wstring longest;
    for (HWND child : ChildrenOf(hwnd())) {
        if (ClassOf(child) != L"Static") continue;
        std::wstring text = TextOf(child);
        if (text.size() > longest.size()) longest = std::move(text);
    }
    return longest;
}

void MessageBoxWindow::dismiss() const
{
    if (!PressUntil([&] { PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); },
                    [&] { return !isOpen(); }, Milliseconds(3'000)))
        throw std::runtime_error("the message box did not close when OK was pressed");
}

std::optional<MessageBoxWindow> FindMessageBox(DWORD processId)
{
    const auto boxes = VisibleWindowsOf(processId, L"#32770", nullptr);
    if (boxes.empty()) return std::nullopt;
    return MessageBoxWindow(boxes.front());
}

std::optional<MessageBoxWindow> WaitForMessageBox(DWORD processId, Milliseconds timeout)
{
    std::optional<MessageBoxWindow> box;
    WaitUntil([&] { return (box = FindMessageBox(processId)).has_value(); }, timeout);
    return box;
}

}  // namespace lorvane::e2e
