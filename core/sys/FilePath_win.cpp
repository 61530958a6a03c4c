#include <windows.h>

#include "sys/FilePath.h"
#include "text/WideText.h"

namespace lorvane {

// The system's full path, with no "." or ".." parts left.
std::string FullPath(const std::string& path)
{
    if (path.empty()) return path;
    const std::wstring given = Utf8ToWide(path);
    std::wstring full(GetFullPathNameW(given.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) return path;
    full.resize(length);
    return WideToUtf8(full);
}

}  // namespace lorvane
