#include "TableFile.h"

#include "FilePath.h"
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

void TableFile::throwTooLarge() const { throw PinyinTableError(PinyinTableError::Kind::FileTooLarge, path_); }

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

TableFile::TableFile(const std::string& path) : path_(FullPath(path))
{
    const std::u16string widePath = Utf8ToUtf16(path_);
    handle_ = CreateFileW(reinterpret_cast<const wchar_t*>(widePath.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            throw PinyinTableError(PinyinTableError::Kind::FileMissing, path_, systemMessage(error));
        throw PinyinTableError(PinyinTableError::Kind::FileUnreadable, path_, systemMessage(error));
    }
}

TableFile::~TableFile() { CloseHandle(handle_); }

std::string TableFile::readAll()
{
    std::string bytes;
    LARGE_INTEGER size{};
    if (GetFileType(handle_) == FILE_TYPE_DISK && GetFileSizeEx(handle_, &size)) {
        if (static_cast<unsigned long long>(size.QuadPart) > MaxTableFileBytes) throwTooLarge();
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    char chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(handle_, chunk, sizeof chunk, &read, nullptr))
            throw PinyinTableError(PinyinTableError::Kind::FileUnreadable, path_,
                                   systemMessage(GetLastError()));
        if (read == 0) break;
        bytes.append(chunk, read);
        if (bytes.size() > MaxTableFileBytes) throwTooLarge();
    }
    return bytes;
}

#else

TableFile::TableFile(const std::string& path) : path_(FullPath(path))
{
    descriptor_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            throw PinyinTableError(PinyinTableError::Kind::FileMissing, path_, std::strerror(error));
        throw PinyinTableError(PinyinTableError::Kind::FileUnreadable, path_, std::strerror(error));
    }
}

TableFile::~TableFile() { ::close(descriptor_); }

std::string TableFile::readAll()
{
    std::string bytes;
    struct stat status {};
    if (::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode)) {
        if (static_cast<unsigned long long>(status.st_size) > MaxTableFileBytes) throwTooLarge();
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    }
    char chunk[65536];
    ::lseek(descriptor_, 0, SEEK_SET);
    for (;;) {
        const ssize_t read = ::read(descriptor_, chunk, sizeof chunk);
        if (read < 0) {
            if (errno == EINTR) continue;
            throw PinyinTableError(PinyinTableError::Kind::FileUnreadable, path_, std::strerror(errno));
        }
        if (read == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(read));
        // A device such as /dev/zero has no size and no end.
        if (bytes.size() > MaxTableFileBytes) throwTooLarge();
    }
    return bytes;
}

#endif

}  // namespace lorvane
