#include "InputFile.h"

#include <cerrno>

#include "ConsoleIo.h"
#include "FilePath.h"
#include "TextCoding.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lorvane::cli {
namespace {

constexpr std::size_t ChunkSize = std::size_t{1} << 16;
constexpr char StandardInputName[] = "standard input";

std::string nameOf(const std::string& path) { return path == "-" ? StandardInputName : QuotedPath(FullPath(path)); }

[[noreturn]] void fail(const std::string& action, const std::string& name, const std::string& reason)
{
    throw InputError("cannot " + action + " " + name + ": " + reason);
}

#ifdef _WIN32

std::wstring widePath(const std::string& path)
{
    const std::u16string wide = Utf8ToUtf16(path);
    return std::wstring(wide.begin(), wide.end());
}

bool isFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<FileIdentity> identityOf(HANDLE handle)
{
    if (GetFileType(handle) != FILE_TYPE_DISK) return {};
    // FileIdInfo (Windows 8 and later) also answers for a handle opened only
    // to write, as a redirection may be; GetFileInformationByHandle does not.
    // The headers declare it only for programs that need Windows 8, so it is
    // declared here; on Windows 7 the call fails.
    struct {
        ULONGLONG volumeSerialNumber;
        std::uint64_t file[2];
    } id{};
    constexpr auto FileIdInformation = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);
    if (GetFileInformationByHandleEx(handle, FileIdInformation, &id, sizeof id))
        return FileIdentity{id.volumeSerialNumber, id.file[0], id.file[1]};
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) return {};
    return FileIdentity{information.dwVolumeSerialNumber,
                        std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow, 0};
}

std::optional<FileIdentity> identityOfDescriptor(int descriptor)
{
    return identityOf(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)));
}

#else

std::optional<FileIdentity> identityOf(const struct stat& status)
{
    if (!S_ISREG(status.st_mode)) return {};
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino), 0};
}

std::optional<FileIdentity> identityOfDescriptor(int descriptor)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) return {};
    return identityOf(status);
}

#endif

// Opens the file at `path` for reading, or throws InputError.
int openFile(const std::string& path, const std::string& name)
{
#ifdef _WIN32
    if (isFolder(path)) fail("read", name, SystemReason(EISDIR));
    const int descriptor = _wopen(widePath(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (descriptor < 0) fail("open", name, SystemReason(errno));
#else
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) fail("open", name, SystemReason(errno));
#endif
    return descriptor;
}

}  // namespace

std::optional<FileIdentity> StandardOutputFile()
{
#ifdef _WIN32
    return identityOf(GetStdHandle(STD_OUTPUT_HANDLE));
#else
    return identityOfDescriptor(1);
#endif
}

void CheckInputFile(const std::string& path, const std::optional<FileIdentity>& output)
{
#ifdef _WIN32
    // Opening a file here takes nothing from anyone.
    const InputFile opened(path, output);
#else
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) fail("open", nameOf(path), SystemReason(errno));
    if (S_ISREG(status.st_mode)) {
        const InputFile opened(path, output);
    } else if (S_ISDIR(status.st_mode)) {
        fail("read", nameOf(path), SystemReason(EISDIR));
    } else if (::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) != 0) {
        fail("open", nameOf(path), SystemReason(errno));
    }
#endif
}

InputFile::InputFile(const std::string& path, const std::optional<FileIdentity>& output)
    : name_(nameOf(path)), descriptor_(path == "-" ? Descriptor() : Descriptor(openFile(path, name_)))
{
#ifdef _WIN32
    if (path == "-") console_ = StandardInputIsConsole();
#else
    struct stat status {};
    if (::fstat(descriptor_.get(), &status) == 0 && S_ISDIR(status.st_mode)) fail("read", name_, SystemReason(EISDIR));
#endif
    if (output && identityOfDescriptor(descriptor_.get()) == output) fail("read", name_, "input file is output file");
}

InputFile::Descriptor::~Descriptor()
{
#ifdef _WIN32
    if (owned_) _close(value_);
#else
    if (owned_) ::close(value_);
#endif
}

bool InputFile::read(std::string& chunk)
{
#ifdef _WIN32
    if (console_) return ReadTypedText(chunk);
#endif
    chunk.resize(ChunkSize);
    for (;;) {
#ifdef _WIN32
        const int count = _read(descriptor_.get(), chunk.data(), static_cast<unsigned>(chunk.size()));
#else
        const ssize_t count = ::read(descriptor_.get(), chunk.data(), chunk.size());
#endif
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) fail("read", name_, SystemReason(errno));
        chunk.resize(static_cast<std::size_t>(count));
        return count > 0;
    }
}

}  // namespace lorvane::cli
