#pragma once

#include <string>

namespace lorvane::platform {

// Starts the program at `path` as a separate process, its window shown
// normally, and does not wait for it. The path is the application name and
// is quoted on the command line, so a path with blanks can never start a
// program named by its first words. Throws std::runtime_error.
void StartProgram(const std::wstring& path);

}  // namespace lorvane::platform
