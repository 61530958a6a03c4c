#pragma once

#include <string>
#include <string_view>

namespace lorvane {

// The path of `fileName`, a data file delivered with the program, UTF-8. It
// is looked for in the program's folder first. On POSIX systems, where an
// installed program's data lives apart from it (bin/ and share/lorvane/), it
// is then looked for in that data folder. When no place has it, the path in
// the program's folder, so that the failure names where it belongs first.
std::string FindDataFile(std::string_view fileName);

}  // namespace lorvane
