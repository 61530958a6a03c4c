#include "sys/DataFileLookup.h"
#include "sys/ProgramFolder.h"

namespace lorvane {

// A Windows program and its data are unzipped together into one folder.
std::string FindDataFile(std::string_view fileName) { return InProgramFolder(fileName); }

}  // namespace lorvane
