#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lorvane::testing {

// A fresh folder under the system's temporary folder, named `name`, a hyphen
// and a number, and removed with its contents when the object goes. On
// Windows the path is in its long form, as a program started there sees it.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::filesystem::path& name = "lorvane-test")
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path() / name;
        for (auto number = std::random_device()() % 1'000'000;; number = (number + 1) % 1'000'000) {
            std::filesystem::path candidate = base;
            candidate += "-";
            candidate += std::to_string(number);
            if (std::filesystem::create_directory(candidate)) {
                path_ = longForm(candidate);
                return;
            }
        }
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    static std::filesystem::path longForm(const std::filesystem::path& path)
    {
#ifdef _WIN32
        wchar_t longPath[MAX_PATH * 4] = {};
        const DWORD length = GetLongPathNameW(path.c_str(), longPath, MAX_PATH * 4);
        if (length > 0 && length < MAX_PATH * 4) return longPath;
#endif
        return path;
    }

    std::filesystem::path path_;
};

}  // namespace lorvane::testing
