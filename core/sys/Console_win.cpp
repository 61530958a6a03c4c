#include <windows.h>

#include <algorithm>

#include "sys/Console.h"
#include "text/WideText.h"

namespace lorvane {
namespace {

HANDLE handleOf(StandardStream stream)
{
    switch (stream) {
    case StandardStream::Input: return GetStdHandle(STD_INPUT_HANDLE);
    case StandardStream::Output: return GetStdHandle(STD_OUTPUT_HANDLE);
    case StandardStream::Error: return GetStdHandle(STD_ERROR_HANDLE);
    }
    return nullptr;
}

}  // namespace

// The program reads and writes its standard streams through their handles,
// never through the C library's text mode.
void PrepareStandardStreams() {}

bool IsConsole(StandardStream stream)
{
    const HANDLE handle = handleOf(stream);
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

bool WriteConsoleText(StandardStream stream, std::string_view utf8)
{
    const std::wstring text = Utf8ToWide(utf8);
    const HANDLE console = handleOf(stream);
    const wchar_t* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(left, 8192));
        if (!WriteConsoleW(console, data, size, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool ReadConsoleText(std::string& chunk)
{
    std::wstring typed(4096, L'\0');
    DWORD count = 0;
    if (!ReadConsoleW(handleOf(StandardStream::Input), typed.data(), static_cast<DWORD>(typed.size()), &count,
                      nullptr) ||
        count == 0)
        return false;
    typed.resize(count);
    const std::size_t end = typed.find(L'\x1A');
    if (end == 0) return false;
    typed.resize(std::min(typed.size(), end));
    chunk = WideToUtf8(typed);
    return true;
}

}  // namespace lorvane
