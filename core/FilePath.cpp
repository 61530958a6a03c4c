#include "FilePath.h"

#include <algorithm>
#include <string_view>

#include "TextCoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

// std::filesystem would do this in a line, but would triple the size of the
// programs.

namespace lorvane {

std::string FullPath(const std::string& path)
{
    if (path.empty()) return path;
#ifdef _WIN32
    // The system's full path, with no "." or ".." parts left.
    const std::u16string widePath = Utf8ToUtf16(path);
    const auto* given = reinterpret_cast<const wchar_t*>(widePath.c_str());
    std::u16string full(GetFullPathNameW(given, 0, nullptr, nullptr), u'\0');
    const DWORD length = GetFullPathNameW(given, static_cast<DWORD>(full.size()),
                                          reinterpret_cast<wchar_t*>(full.data()), nullptr);
    if (length == 0 || length >= full.size()) return path;
    full.resize(length);
    return Utf16ToUtf8(full);
#else
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
#endif
}

std::string QuotedPath(const std::string& path)
{
    return path.empty() ? "\"\" (an empty file name)" : "\"" + path + "\"";
}

}  // namespace lorvane
