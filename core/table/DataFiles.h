#pragma once

#include <string>

namespace lorvane {

// Where the data files are: beside the program, or, for a program installed
// on a POSIX system, in its installed data folder (sys/DataFileLookup.h).
// pymb.dat, the pinyin table.
std::string DefaultTablePath();
// words.dat, the word data of the conversion by context.
std::string DefaultWordsPath();

}  // namespace lorvane
