#pragma once

#include <windows.h>

#include <string>

namespace lorvane::platform {

// Hands `target` (a mailto: link or a web address) to the shell. The result
// is not looked at: without a mail program or a browser nothing happens.
void OpenWithShell(HWND owner, const wchar_t* operation, const std::wstring& target, const wchar_t* parameters,
                   const wchar_t* directory);

}  // namespace lorvane::platform
