#include "ConsoleIo.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "TextCoding.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace lorvane::cli {
namespace {

constexpr std::size_t ChunkSize = 1 << 16;

#ifdef _WIN32
bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

void writeConsole(HANDLE console, std::string_view utf8)
{
    const std::u16string text = Utf8ToUtf16(utf8);
    const auto* data = reinterpret_cast<const wchar_t*>(text.data());
    std::size_t left = text.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(left < 8192 ? left : 8192);
        if (!WriteConsoleW(console, data, size, &written, nullptr) || written == 0) return;
        data += written;
        left -= written;
    }
}
#endif

void flushBytes(std::FILE* stream, std::string_view bytes, bool& failed)
{
#ifdef _WIN32
    const HANDLE handle = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (isConsole(handle)) {
        writeConsole(handle, bytes);
        return;
    }
#endif
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size())
        failed = true;
}

std::string systemReason() { return std::strerror(errno); }

}  // namespace

void PrepareStandardStreams()
{
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void StandardOutput::write(std::string_view utf8)
{
    buffer_.append(utf8);
    if (buffer_.size() >= ChunkSize) {
        flushBytes(stdout, buffer_, failed_);
        buffer_.clear();
    }
}

bool StandardOutput::flush()
{
    flushBytes(stdout, buffer_, failed_);
    buffer_.clear();
    if (std::fflush(stdout) != 0) failed_ = true;
    return !failed_;
}

void WriteError(std::string_view utf8)
{
    bool ignored = false;
    flushBytes(stderr, utf8, ignored);
    std::fflush(stderr);
}

InputFile::InputFile(const std::string& path) : ownsFile_(true), name_(path)
{
#ifdef _WIN32
    const std::u16string widePath = Utf8ToUtf16(path);
    file_ = _wfopen(reinterpret_cast<const wchar_t*>(widePath.c_str()), L"rb");
    if (!file_) throw std::runtime_error("cannot open " + name_ + ": " + systemReason());
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(widePath.c_str()));
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) throw std::runtime_error("cannot open " + name_ + ": " + systemReason());
    struct stat status {};
    const bool folder = fstat(fileno(file_), &status) == 0 && S_ISDIR(status.st_mode);
#endif
    if (folder) throw std::runtime_error("cannot read " + name_ + ": it is a folder");
}

std::unique_ptr<InputFile> InputFile::StandardInput()
{
    std::unique_ptr<InputFile> input(new InputFile());
    input->file_ = stdin;
    input->name_ = "standard input";
#ifdef _WIN32
    input->console_ = isConsole(GetStdHandle(STD_INPUT_HANDLE));
#endif
    return input;
}

InputFile::~InputFile()
{
    if (ownsFile_ && file_) std::fclose(file_);
}

bool InputFile::read(std::string& chunk)
{
#ifdef _WIN32
    if (console_) {
        // Typed text arrives as UTF-16 whatever the console's code page;
        // Ctrl+Z at the start of a line ends it.
        std::wstring typed(4096, L'\0');
        DWORD count = 0;
        if (!ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), typed.data(), static_cast<DWORD>(typed.size()),
                          &count, nullptr) ||
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
    chunk.resize(ChunkSize);
    const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), file_);
    chunk.resize(count);
    if (count == 0 && std::ferror(file_)) throw std::runtime_error("cannot read " + name_ + ": " + systemReason());
    return count > 0;
}

}  // namespace lorvane::cli
