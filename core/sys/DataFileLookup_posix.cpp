#include <unistd.h>

#include "sys/DataFileLookup.h"
#include "sys/ProgramFolder.h"

namespace lorvane {

std::string FindDataFile(std::string_view fileName)
{
    std::string besideProgram = InProgramFolder(fileName);
    if (::access(besideProgram.c_str(), F_OK) == 0) return besideProgram;
    // LORVANE_INSTALLED_DATA_FOLDER: the data folder relative to the
    // program's, as the build installs them (core/CMakeLists.txt).
    std::string installed = ProgramFolder() + PathSeparator + LORVANE_INSTALLED_DATA_FOLDER + PathSeparator;
    installed += fileName;
    return ::access(installed.c_str(), F_OK) == 0 ? installed : besideProgram;
}

}  // namespace lorvane
