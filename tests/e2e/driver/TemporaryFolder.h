#pragma once

#include <filesystem>
#include <string>

namespace lorvane::e2e {

// A fresh folder under the system's temporary folder, named `name`, a hyphen
// and a unique number, and removed with its contents when the object goes.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::wstring& name);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The full, long form of the folder's path.
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace lorvane::e2e
