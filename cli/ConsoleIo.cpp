#include "ConsoleIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "TextCoding.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "SystemErrorDescription.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lorvane::cli {
namespace {

constexpr int OutputDescriptor = 1;
constexpr int ErrorDescriptor = 2;

#ifdef _WIN32

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// False when the console refuses the text.
bool writeConsole(HANDLE console, std::string_view utf8)
{
    const std::u16string text = Utf8ToUtf16(utf8);
    const auto* data = reinterpret_cast<const wchar_t*>(text.data());
    std::size_t left = text.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(left < 8192 ? left : 8192);
        if (!WriteConsoleW(console, data, size, &written, nullptr) || written == 0) return false;
        data += written;
        left -= written;
    }
    return true;
}

int writeSome(int descriptor, const char* data, std::size_t size)
{
    return _write(descriptor, data, static_cast<unsigned>(size < 0x40000000 ? size : 0x40000000));
}

#else

long writeSome(int descriptor, const char* data, std::size_t size) { return ::write(descriptor, data, size); }

#endif

// Returns 0, or the errno of the write that failed.
int writeAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto written = writeSome(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

void PrepareStandardStreams()
{
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#else
    // Each open takes the lowest free descriptor, which is the one tested.
    for (int descriptor = 0; descriptor <= ErrorDescriptor; ++descriptor)
        if (::fcntl(descriptor, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", descriptor == 0 ? O_WRONLY : O_RDONLY);
#endif
}

std::string SystemReason(int error) { return std::strerror(error); }

void WriteError(std::string_view utf8)
{
#ifdef _WIN32
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    if (isConsole(console)) {
        writeConsole(console, utf8);
        return;
    }
#endif
    writeAll(ErrorDescriptor, utf8);
}

#ifdef _WIN32

bool StandardInputIsConsole() { return isConsole(GetStdHandle(STD_INPUT_HANDLE)); }

bool ReadTypedText(std::string& chunk)
{
    std::wstring typed(4096, L'\0');
    DWORD count = 0;
    if (!ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), typed.data(), static_cast<DWORD>(typed.size()), &count,
                      nullptr) ||
        count == 0)
        return false;
    typed.resize(count);
    const std::size_t end = typed.find(L'\x1A');
    if (end == 0) return false;
    typed.resize(std::min(typed.size(), end));
    chunk = Utf16ToUtf8(std::u16string(typed.begin(), typed.end()));
    return true;
}

#endif

StandardOutput::StandardOutput()
{
#ifdef _WIN32
    console_ = isConsole(GetStdHandle(STD_OUTPUT_HANDLE));
#endif
    buffer_.reserve(Capacity);
}

void StandardOutput::write(std::string_view utf8)
{
    if (buffer_.size() + utf8.size() > Capacity) flush();
    if (utf8.size() >= Capacity) {
        writeThrough(utf8);
        return;
    }
    buffer_.append(utf8);
    if (!utf8.empty() && utf8.back() == '\n') completeLines_ = buffer_.size();
}

void StandardOutput::flush()
{
    if (buffer_.empty()) return;
    // Emptied also when the write fails, so that no later flush writes the
    // same text again.
    completeLines_ = 0;
    try {
        writeThrough(buffer_);
    } catch (const OutputError&) {
        buffer_.clear();
        throw;
    }
    buffer_.clear();
}

void StandardOutput::flushLines()
{
    if (completeLines_ == 0) return;
    writeThrough(std::string_view(buffer_).substr(0, completeLines_));
    buffer_.erase(0, completeLines_);
    completeLines_ = 0;
}

void StandardOutput::writeThrough(std::string_view utf8)
{
#ifdef _WIN32
    if (console_) {
        if (!writeConsole(GetStdHandle(STD_OUTPUT_HANDLE), utf8)) {
            const DWORD error = GetLastError();
            const std::u16string reason = SystemErrorDescription(error);
            throw OutputError("cannot write to the console: " +
                              (reason.empty() ? "error " + std::to_string(error) : Utf16ToUtf8(reason)));
        }
        return;
    }
#endif
    if (const int error = writeAll(OutputDescriptor, utf8))
        throw OutputError("cannot write to standard output: " + SystemReason(error));
}

}  // namespace lorvane::cli
