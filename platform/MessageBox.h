#pragma once

#include <windows.h>

#include <string>

namespace lorvane::platform {

// A modal message box titled with the application's title.
int ShowMessage(HWND owner, const std::wstring& text, UINT style);

// The system's description of an error code, without the trailing line end,
// in Simplified Chinese where the system has it; empty when it has none.
std::wstring SystemErrorText(DWORD error);

}  // namespace lorvane::platform
