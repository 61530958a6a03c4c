#pragma once

#include <optional>
#include <string>

namespace lorvane::e2e {

// The clipboard as the test process sees it. Opening is retried for a while,
// as Lorvane may hold it for a moment.
std::optional<std::wstring> ClipboardText();
void PutOnClipboard(const std::wstring& text);

// Keeps the clipboard open, and so unavailable to other programs, for as long
// as the object lives.
class ClipboardHold {
public:
    ClipboardHold();
    ~ClipboardHold();
    ClipboardHold(const ClipboardHold&) = delete;
    ClipboardHold& operator=(const ClipboardHold&) = delete;
};

}  // namespace lorvane::e2e
