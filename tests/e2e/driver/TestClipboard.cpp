#include "TestClipboard.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "Polling.h"

namespace lorvane::e2e {
namespace {

void openClipboard()
{
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, Milliseconds(5'000)))
        throw std::runtime_error("the test could not open the clipboard (error " + std::to_string(GetLastError()) +
                                 ")");
}

class OpenedClipboard {
public:
    OpenedClipboard() { openClipboard(); }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

}  // namespace

std::optional<std::wstring> ClipboardText()
{
    OpenedClipboard clipboard;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (!text) return std::nullopt;
    std::wstring copy(text);
    GlobalUnlock(data);
    return copy;
}

void PutOnClipboard(const std::wstring& text)
{
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) throw std::runtime_error("no memory for the clipboard text");
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    OpenedClipboard clipboard;
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        throw std::runtime_error("the test could not place text on the clipboard (error " +
                                 std::to_string(GetLastError()) + ")");
    }
}

ClipboardHold::ClipboardHold() { openClipboard(); }
ClipboardHold::~ClipboardHold() { CloseClipboard(); }

}  // namespace lorvane::e2e
