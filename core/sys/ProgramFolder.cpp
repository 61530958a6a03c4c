#include "sys/ProgramFolder.h"

namespace lorvane {

std::string ProgramFolder()
{
    const std::string file = ExecutablePath();
    const std::size_t separator = file.rfind(PathSeparator);
    return separator == std::string::npos ? std::string() : file.substr(0, separator);
}

std::string InProgramFolder(std::string_view fileName)
{
    std::string path = ProgramFolder();
    path += PathSeparator;
    path += fileName;
    return path;
}

}  // namespace lorvane
