#pragma once

#include <string>

#include "PinyinTableError.h"

namespace lorvane::ui {

// What the user is told when the pinyin table cannot be loaded: the problem
// and the file's full path, in the program's language.
std::wstring TableErrorMessage(const PinyinTableError& error);

}  // namespace lorvane::ui
