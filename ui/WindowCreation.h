#pragma once

#include <windows.h>

namespace lorvane::ui {

// Registers the window class `name` of this program, unless it is registered
// already. Throws WindowError when it cannot be registered.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HICON icon, HCURSOR cursor, HBRUSH background);

// A visible child window of `parent` with the control id `id`, of no size
// until it is placed. Throws WindowError with `whatFailed` when it cannot be
// created.
HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int id,
                 const wchar_t* whatFailed);

}  // namespace lorvane::ui
