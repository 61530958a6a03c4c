#include "DllSearch.h"

#include <string>

#include "SystemFunctions.h"

namespace lorvane::platform {

// Windows 7 has SetDefaultDllDirectories and the LOAD_LIBRARY_SEARCH_ flags
// only with update KB2533623, so they are looked up at run time.
void LoadLibrariesFromSystemFolderOnly() noexcept
{
    const auto setDefaultDllDirectories = Kernel32().SetDefaultDllDirectories;
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // Without it the program's folder stays in the search; the current
    // folder at least can go. LoadSystemLibrary makes up for the rest where
    // the program itself loads a library.
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) noexcept
{
    HMODULE library = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library || GetLastError() != ERROR_INVALID_PARAMETER) return library;
    // The flag is unknown without KB2533623: the full path, and the altered
    // search order, which looks for the library's dependencies in its own
    // folder and never in the program's.
    try {
        std::wstring path(MAX_PATH, L'\0');
        const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        path.resize(length);
        path += L'\\';
        path += name;
        return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

}  // namespace lorvane::platform
