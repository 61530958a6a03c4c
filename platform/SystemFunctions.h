#pragma once

#include <windows.h>

namespace lorvane::platform {

// Functions of newer Windows versions, looked up at run time so that the
// program still starts on the systems that lack them. Each is null where the
// system has no such function.
struct User32Functions {
    UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;                                          // Windows 10 1607
    BOOL(WINAPI* AdjustWindowRectExForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT) = nullptr;     // Windows 10 1607
    BOOL(WINAPI* SystemParametersInfoForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;      // Windows 10 1607
};

struct Kernel32Functions {
    // Windows 8, and Windows 7 with update KB2533623.
    BOOL(WINAPI* SetDefaultDllDirectories)(DWORD) = nullptr;
};

// Looked up on the first call, then the same every time.
const User32Functions& User32();
const Kernel32Functions& Kernel32();

}  // namespace lorvane::platform
