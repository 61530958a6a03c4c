#pragma once

#include <string>

namespace lorvane::platform {

// True when `path` names an ordinary file: not a folder, not hidden, not a
// system file.
bool IsOrdinaryFile(const std::wstring& path);

}  // namespace lorvane::platform
