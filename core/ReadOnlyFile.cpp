#include "ReadOnlyFile.h"

#include <stdexcept>
#include <utility>

#include "PinyinTableError.h"
#include "TextCoding.h"

#ifdef _WIN32
#include <windows.h>

#include "SystemErrorDescription.h"
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lorvane {

void ReadOnlyFile::fail(FileProblem problem, const std::string& reason) const
{
    fail_(problem, path_, reason);
    throw std::logic_error("a file failure was not reported as an error");
}

// `size` is 0 where the file has passed the cap while being read.
void ReadOnlyFile::failTooLarge(unsigned long long size) const
{
    fail(FileProblem::TooLarge, size == 0 ? std::string() : WithThousandsSeparators(size) + " bytes");
}

#ifdef _WIN32

namespace {

std::string systemMessage(DWORD error)
{
    std::u16string text = SystemErrorDescription(error);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ' ||
                             text.back() == u'.' || text.back() == u'\x3002'))
        text.pop_back();
    std::string reason = Utf16ToUtf8(text);
    return (reason.empty() ? "" : reason + ", ") + "error " + std::to_string(error);
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(std::string path, FileFailure onFailure) : path_(std::move(path)), fail_(onFailure)
{
    const std::u16string widePath = Utf8ToUtf16(path_);
    handle_ = CreateFileW(reinterpret_cast<const wchar_t*>(widePath.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        fail(missing ? FileProblem::Missing : FileProblem::Unreadable, systemMessage(error));
    }
}

ReadOnlyFile::~ReadOnlyFile() { CloseHandle(handle_); }

std::string ReadOnlyFile::readAll(unsigned long long maxBytes)
{
    std::string bytes;
    LARGE_INTEGER size{};
    if (GetFileType(handle_) == FILE_TYPE_DISK && GetFileSizeEx(handle_, &size)) {
        if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
            failTooLarge(static_cast<unsigned long long>(size.QuadPart));
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    char chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(handle_, chunk, sizeof chunk, &read, nullptr))
            fail(FileProblem::Unreadable, systemMessage(GetLastError()));
        if (read == 0) break;
        bytes.append(chunk, read);
        if (bytes.size() > maxBytes) failTooLarge(0);
    }
    return bytes;
}

#else

ReadOnlyFile::ReadOnlyFile(std::string path, FileFailure onFailure) : path_(std::move(path)), fail_(onFailure)
{
    descriptor_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) {
        const int error = errno;
        fail(error == ENOENT || error == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable,
                   std::strerror(error));
    }
}

ReadOnlyFile::~ReadOnlyFile() { ::close(descriptor_); }

std::string ReadOnlyFile::readAll(unsigned long long maxBytes)
{
    std::string bytes;
    struct stat status {};
    if (::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode)) {
        if (static_cast<unsigned long long>(status.st_size) > maxBytes)
            failTooLarge(static_cast<unsigned long long>(status.st_size));
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    }
    char chunk[65536];
    ::lseek(descriptor_, 0, SEEK_SET);
    for (;;) {
        const ssize_t read = ::read(descriptor_, chunk, sizeof chunk);
        if (read < 0) {
            if (errno == EINTR) continue;
            fail(FileProblem::Unreadable, std::strerror(errno));
        }
        if (read == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(read));
        // A device such as /dev/zero has no size and no end.
        if (bytes.size() > maxBytes) failTooLarge(0);
    }
    return bytes;
}

#endif

}  // namespace lorvane
