#pragma once

#include <string>

#include "datafile/DataFileError.h"

namespace lorvane::ui {

// What the user is told when the pinyin table cannot be loaded: the problem
// and the file's full path, in the program's language.
std::wstring TableErrorMessage(const DataFileError& error);
// The same for the exception being handled while the table at `path`
// (UTF-8) was loaded; call inside a catch block. Only a lack of memory is
// reported as one.
std::wstring TableLoadFailureMessage(const std::string& path);

}  // namespace lorvane::ui
