#pragma once

#include <filesystem>

namespace lorvane {

// The folder that holds the running executable.
std::filesystem::path ExecutableDirectory();

// pymb.dat in that folder: the only place the table is looked for.
std::filesystem::path DefaultTablePath();

}  // namespace lorvane
