#include <unistd.h>

#include "sys/ProgramFolder.h"

namespace lorvane {

const char PathSeparator = '/';

std::string ExecutablePath()
{
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return path;
}

}  // namespace lorvane
