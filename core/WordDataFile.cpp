#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "PinyinTableError.h"
#include "TextCoding.h"
#include "WordData.h"
#include "WordDataError.h"

#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#endif

namespace lorvane {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openForReading(const std::string& path)
{
#ifdef _WIN32
    const std::u16string widePath = Utf8ToUtf16(path);
    return File(_wfopen(reinterpret_cast<const wchar_t*>(widePath.c_str()), L"rb"));
#else
    return File(std::fopen(path.c_str(), "rb"));
#endif
}

// The size the file system gives, or 0 where it gives none (pipes, devices).
unsigned long long sizeOf(std::FILE* file)
{
#ifdef _WIN32
    struct _stat64 status {};
    if (_fstat64(_fileno(file), &status) != 0) return 0;
#else
    struct stat status {};
    if (fstat(fileno(file), &status) != 0) return 0;
#endif
    return status.st_size > 0 ? static_cast<unsigned long long>(status.st_size) : 0;
}

std::string tooLarge(unsigned long long size) { return WithThousandsSeparators(size) + " bytes"; }

}  // namespace

WordData LoadWordData(const std::string& path)
{
    using Kind = WordDataError::Kind;
    const File file = openForReading(path);
    if (!file) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) throw WordDataError(Kind::FileMissing, path);
        throw WordDataError(Kind::FileUnreadable, path, std::strerror(error));
    }
    const unsigned long long size = sizeOf(file.get());
    if (size > WordDataSizeLimit) throw WordDataError(Kind::FileTooLarge, path, tooLarge(size));

    // One byte more than the limit is asked for, so that a file that grew, or
    // one without a size, is refused without reading it all.
    std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > WordDataSizeLimit) throw WordDataError(Kind::FileTooLarge, path, "more than the limit");
            bytes.resize(std::min(bytes.size() * 2 + 65536, WordDataSizeLimit + 1));
        }
        const std::size_t read = std::fread(bytes.data() + filled, 1, bytes.size() - filled, file.get());
        filled += read;
        if (read == 0) break;
    }
    if (std::ferror(file.get())) throw WordDataError(Kind::FileUnreadable, path, std::strerror(errno));
    bytes.resize(filled);
    return ParseWordData(bytes, path);
}

}  // namespace lorvane
