#include "Clipboard.h"

#include <cstring>

#include "Handle.h"

namespace lorvane::platform {
namespace {

constexpr int OpenAttempts = 50;
constexpr DWORD PauseBetweenAttemptsMs = 20;

}  // namespace

ClipboardSession::ClipboardSession(HWND owner)
{
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner)) return;
        if (attempt == OpenAttempts)
            throw ClipboardError(ClipboardError::Kind::Busy, GetLastError(), "the clipboard is held by another program");
        Sleep(PauseBetweenAttemptsMs);
    }
}

ClipboardSession::~ClipboardSession() { CloseClipboard(); }

void ClipboardSession::empty()
{
    if (!EmptyClipboard())
        throw ClipboardError(ClipboardError::Kind::Failed, GetLastError(), "the clipboard could not be emptied");
}

void ClipboardSession::setText(std::wstring_view text)
{
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    void* data = memory.get() ? GlobalLock(memory.get()) : nullptr;
    if (!data)
        throw ClipboardError(ClipboardError::Kind::Failed, ERROR_NOT_ENOUGH_MEMORY,
                             "there is not enough memory for the text");
    std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(data)[text.size()] = L'\0';
    GlobalUnlock(memory.get());
    if (!SetClipboardData(CF_UNICODETEXT, memory.get()))
        throw ClipboardError(ClipboardError::Kind::Failed, GetLastError(), "the text could not be placed on the clipboard");
    memory.release();
}

}  // namespace lorvane::platform
