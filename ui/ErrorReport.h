#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace lorvane::ui {

// A failure of the windows themselves: a window, a control or a system
// library that could not be had. `whatFailed` is the program's own words
// (Chinese, without a full stop); `systemError` the system's code, or 0.
class WindowError : public std::runtime_error {
public:
    WindowError(std::wstring whatFailed, DWORD systemError);

    const std::wstring& whatFailed() const { return whatFailed_; }
    DWORD systemError() const { return systemError_; }

private:
    std::wstring whatFailed_;
    DWORD systemError_;
};

// Throws WindowError with `whatFailed` and the system's code of the call that
// has just failed; call it before anything else can change GetLastError.
[[noreturn]] void ThrowLastError(const wchar_t* whatFailed);

// "<what failed>。" followed by the system's description of `systemError`,
// marked as the system's: on a system in another language it is not in
// Chinese.
std::wstring WithSystemReason(const std::wstring& whatFailed, DWORD systemError);

// The program's own (English) description of a failure it has no words for,
// marked as such, to follow a Chinese sentence on a line of its own.
std::wstring EnglishDetails(const char* what);

// The user's message for the exception being handled; call inside a catch
// block. Only a lack of memory is reported as one.
std::wstring CurrentErrorMessage();

// Shows CurrentErrorMessage() in a message box; the program goes on.
void ReportCurrentError(HWND owner) noexcept;

}  // namespace lorvane::ui
