#pragma once

#include <windows.h>

namespace lorvane::platform {

// From here on, libraries that the process loads by name (its own requests
// and those of the system's libraries alike) come from the system folder
// only, never from the program's folder: a program unzipped into Downloads
// must not pick up a DLL with a system name that lies beside it. Called
// first thing, before anything loads a library.
void LoadLibrariesFromSystemFolderOnly() noexcept;

// Loads the system library `name` from the system folder, its own
// dependencies included. Null on failure, with the reason in GetLastError.
HMODULE LoadSystemLibrary(const wchar_t* name) noexcept;

}  // namespace lorvane::platform
