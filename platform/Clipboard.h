#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace lorvane::platform {

class ClipboardError : public std::runtime_error {
public:
    enum class Kind { Busy, Failed };
    ClipboardError(Kind kind, DWORD systemError, const char* what)
        : std::runtime_error(what), kind_(kind), systemError_(systemError)
    {
    }
    Kind kind() const { return kind_; }
    DWORD systemError() const { return systemError_; }

private:
    Kind kind_;
    DWORD systemError_;
};

// The clipboard, open for as long as the object lives. When another program
// holds it, opening is retried for about a second before ClipboardError
// (Busy) is thrown.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    void empty();
    // Places `text` as plain Unicode text; Windows offers it in the other
    // text formats itself.
    void setText(std::wstring_view text);
};

}  // namespace lorvane::platform
