#pragma once

#include <string>

namespace lorvane {

// `path` (UTF-8) made absolute against the current folder, without "."
// parts, for messages that must say which file they mean. An empty path stays
// empty, and a path the system cannot resolve is returned as it is.
std::string FullPath(const std::string& path);

// The path in double quotes, so that blanks and an empty name show:
// "C:\Lorvane\pymb.dat", or "" (an empty file name). A path that holds a
// double quote or a control character is escaped as a C string is, so that
// the message cannot be misread: "a\\b\"c\n".
std::string QuotedPath(const std::string& path);

}  // namespace lorvane
