#include "ExecutableDirectory.h"

#ifdef _WIN32
#include <windows.h>

#include "TextCoding.h"
#else
#include <unistd.h>
#endif

namespace lorvane {
namespace {
#ifdef _WIN32
constexpr char Separator = '\\';
#else
constexpr char Separator = '/';
#endif
}  // namespace

std::string ExecutablePath()
{
#ifdef _WIN32
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()),
                                                static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return Utf16ToUtf8(path);
        }
        path.resize(path.size() * 2);
    }
#else
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return path;
#endif
}

std::string ExecutableDirectory()
{
    const std::string file = ExecutablePath();
    const std::size_t separator = file.rfind(Separator);
    return separator == std::string::npos ? std::string() : file.substr(0, separator);
}

std::string DefaultTablePath() { return ExecutableDirectory() + Separator + "pymb.dat"; }

std::string DefaultWordsPath() { return ExecutableDirectory() + Separator + "words.dat"; }

}  // namespace lorvane
