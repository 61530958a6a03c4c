#include "ExecutableDirectory.h"

#ifdef _WIN32
#include <windows.h>

#include <string>
#else
#include <system_error>
#endif

namespace lorvane {

std::filesystem::path ExecutableDirectory()
{
#ifdef _WIN32
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
#else
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path.parent_path();
#endif
}

std::filesystem::path DefaultTablePath() { return ExecutableDirectory() / "pymb.dat"; }

}  // namespace lorvane
