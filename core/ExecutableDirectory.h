#pragma once

#include <string>

namespace lorvane {

// The full path of the running executable, UTF-8; empty when the system
// does not tell.
std::string ExecutablePath();

// The folder that holds the running executable, UTF-8, without a trailing
// separator.
std::string ExecutableDirectory();

// pymb.dat in that folder: the only place the table is looked for.
std::string DefaultTablePath();

// words.dat in that folder: the word data of the conversion by context.
std::string DefaultWordsPath();

}  // namespace lorvane
