#include "TemporaryFolder.h"

#include <windows.h>

namespace lorvane::e2e {

TemporaryFolder::TemporaryFolder(const std::wstring& name)
{
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (DWORD unique = GetTickCount() ^ GetCurrentProcessId();; ++unique) {
        std::filesystem::path candidate = base / (name + L"-" + std::to_wstring(unique % 100'000));
        if (std::filesystem::create_directory(candidate)) {
            wchar_t longPath[MAX_PATH * 4] = {};
            const DWORD length = GetLongPathNameW(candidate.c_str(), longPath, MAX_PATH * 4);
            path_ = length > 0 && length < MAX_PATH * 4 ? std::filesystem::path(longPath) : candidate;
            return;
        }
    }
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace lorvane::e2e
