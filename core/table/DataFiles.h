#pragma once

#include <string>

namespace lorvane {

// Where the data files live: beside the program, and nowhere else.
// pymb.dat, the pinyin table.
std::string DefaultTablePath();
// words.dat, the word data of the conversion by context.
std::string DefaultWordsPath();

}  // namespace lorvane
