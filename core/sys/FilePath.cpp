#include "sys/FilePath.h"

namespace lorvane {

std::string QuotedPath(const std::string& path)
{
    return path.empty() ? "\"\" (an empty file name)" : "\"" + path + "\"";
}

}  // namespace lorvane
