#include "table/DataFiles.h"

#include "sys/ProgramFolder.h"

namespace lorvane {

std::string DefaultTablePath() { return InProgramFolder("pymb.dat"); }

std::string DefaultWordsPath() { return InProgramFolder("words.dat"); }

}  // namespace lorvane
