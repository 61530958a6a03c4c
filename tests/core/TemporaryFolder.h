#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace lorvane::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("lorvane-test-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
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
    std::filesystem::path path_;
};

}  // namespace lorvane::testing
