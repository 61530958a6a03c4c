#include "table/DataFiles.h"

#include "sys/DataFileLookup.h"

namespace lorvane {

std::string DefaultTablePath() { return FindDataFile("pymb.dat"); }

std::string DefaultWordsPath() { return FindDataFile("words.dat"); }

}  // namespace lorvane
