#pragma once

#include <string>
#include <string_view>

namespace lorvane {

// What separates the folders of a path: '\\' on Windows, '/' elsewhere.
extern const char PathSeparator;

// The full path of the running program, UTF-8; empty when the system does
// not tell.
std::string ExecutablePath();

// The folder that holds the running program, UTF-8, without a trailing
// separator.
std::string ProgramFolder();

// `fileName` in that folder: the folder, the separator and the name joined.
std::string InProgramFolder(std::string_view fileName);

}  // namespace lorvane
