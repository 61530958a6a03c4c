#include <windows.h>

#include "sys/ProgramFolder.h"
#include "text/Utf8.h"

namespace lorvane {

const char PathSeparator = '\\';

std::string ExecutablePath()
{
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
}

}  // namespace lorvane
