#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "sys/FilePath.h"

// std::filesystem would do this in a line, but would triple the size of the
// programs.

namespace lorvane {

std::string FullPath(const std::string& path)
{
    if (path.empty()) return path;
    std::string absolute;
    if (path.front() != '/') {
        std::string folder(4096, '\0');
        if (!::getcwd(folder.data(), folder.size())) return path;
        absolute = folder.c_str();
    }
    // The bytes stay as they are: a file name need not be valid UTF-8. Only
    // "." parts go, as ".." may lead through a symbolic link.
    std::string full;
    const std::string joined = absolute + "/" + path;
    for (std::size_t start = 0; start < joined.size();) {
        const std::size_t end = std::min(joined.find('/', start), joined.size());
        const std::string_view part = std::string_view(joined).substr(start, end - start);
        if (!part.empty() && part != ".") full.append("/").append(part);
        start = end + 1;
    }
    return full.empty() ? "/" : full;
}

}  // namespace lorvane
