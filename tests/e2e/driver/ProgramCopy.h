#pragma once

#include <filesystem>
#include <string>

#include "TemporaryFolder.h"

namespace lorvane::e2e {

// Lorvane.exe copied from the build output folder into a fresh temporary
// folder named `folderName`, without the table; the folder goes with the
// object.
class ProgramCopy {
public:
    explicit ProgramCopy(const wchar_t* folderName);

    const std::filesystem::path& folder() const { return folder_.path(); }
    std::filesystem::path table() const { return folder_.path() / L"pymb.dat"; }
    // Copies the build output's file `name` into the folder, as `copyName`.
    void copyFromBuild(const std::wstring& name, const std::wstring& copyName) const;

private:
    testing::TemporaryFolder folder_;
};

}  // namespace lorvane::e2e
