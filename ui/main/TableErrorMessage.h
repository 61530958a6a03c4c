#pragma once

#include <string>

#include "PinyinTableError.h"

namespace lorvane::ui {

// What the user is told when the pinyin table cannot be loaded: the problem
// and the file's full path, in the program's language.
std::wstring TableErrorMessage(const PinyinTableError& error);
// When the memory runs out while the table at `path` (UTF-8) is loaded.
std::wstring TableOutOfMemoryMessage(const std::string& path);

}  // namespace lorvane::ui
