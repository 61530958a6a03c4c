#include <windows.h>

#include <algorithm>

#include "sys/File.h"
#include "sys/SystemMessage.h"
#include "text/WideText.h"

namespace lorvane {
namespace {

// Reads and writes are asked for in pieces that a DWORD holds.
constexpr std::size_t LargestTransfer = std::size_t{1} << 30;

[[noreturn]] void fail(DWORD error)
{
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    throw FileError(missing ? FileError::Kind::Missing : FileError::Kind::Other, SystemReason(error));
}

bool isFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
std::intptr_t standardHandle(DWORD stream) { return reinterpret_cast<std::intptr_t>(GetStdHandle(stream)); }

}  // namespace

File File::OpenForReading(const std::string& path, Sharing sharing)
{
    const std::wstring widePath = Utf8ToWide(path);
    const DWORD share = sharing == Sharing::OthersMayWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    const HANDLE handle = CreateFileW(widePath.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder cannot be opened as a file: the system says "access is denied".
        if (isFolder(widePath)) throw FileError(FileError::Kind::Folder, "Is a directory");
        fail(error);
    }
    return File(reinterpret_cast<std::intptr_t>(handle), true);
}

File File::StandardInput() { return File(standardHandle(STD_INPUT_HANDLE), false); }
File File::StandardOutput() { return File(standardHandle(STD_OUTPUT_HANDLE), false); }
File File::StandardError() { return File(standardHandle(STD_ERROR_HANDLE), false); }

void File::close() noexcept
{
    if (owned_) CloseHandle(handleOf(handle_));
    owned_ = false;
}

std::size_t File::read(char* buffer, std::size_t size)
{
    DWORD count = 0;
    if (ReadFile(handleOf(handle_), buffer, static_cast<DWORD>(std::min(size, LargestTransfer)), &count, nullptr))
        return count;
    const DWORD error = GetLastError();
    // The writer of a pipe has closed its end: that is the pipe's end.
    if (error == ERROR_BROKEN_PIPE) return 0;
    fail(error);
}

void File::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(handleOf(handle_), bytes.data(), static_cast<DWORD>(std::min(bytes.size(), LargestTransfer)),
                       &written, nullptr))
            fail(GetLastError());
        bytes.remove_prefix(written);
    }
}

std::optional<unsigned long long> File::regularFileSize() const
{
    LARGE_INTEGER size{};
    if (GetFileType(handleOf(handle_)) != FILE_TYPE_DISK || !GetFileSizeEx(handleOf(handle_), &size)) return {};
    return static_cast<unsigned long long>(size.QuadPart);
}

std::optional<FileIdentity> File::identity() const
{
    const HANDLE handle = handleOf(handle_);
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

// Opening a file here takes nothing from anyone.
std::optional<FileIdentity> CheckReadable(const std::string& path) { return File::OpenForReading(path).identity(); }

}  // namespace lorvane
