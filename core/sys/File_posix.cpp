#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "sys/File.h"
#include "sys/SystemMessage.h"

namespace lorvane {
namespace {

[[noreturn]] void fail(int error)
{
    throw FileError(error == ENOENT ? FileError::Kind::Missing : FileError::Kind::Other,
                    SystemReason(static_cast<SystemErrorCode>(error)));
}

[[noreturn]] void failFolder() { throw FileError(FileError::Kind::Folder, SystemReason(EISDIR)); }

int descriptorOf(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

File File::OpenForReading(const std::string& path, Sharing)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) fail(errno);
    File file(descriptor, true);
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) failFolder();
    return file;
}

File File::StandardInput() { return File(STDIN_FILENO, false); }
File File::StandardOutput() { return File(STDOUT_FILENO, false); }
File File::StandardError() { return File(STDERR_FILENO, false); }

void File::close() noexcept
{
    if (owned_) ::close(descriptorOf(handle_));
    owned_ = false;
}

std::size_t File::read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t count = ::read(descriptorOf(handle_), buffer, size);
        if (count >= 0) return static_cast<std::size_t>(count);
        if (errno == EISDIR) failFolder();
        if (errno != EINTR) fail(errno);
    }
}

void File::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptorOf(handle_), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::optional<unsigned long long> File::regularFileSize() const
{
    struct stat status {};
    if (::fstat(descriptorOf(handle_), &status) != 0 || !S_ISREG(status.st_mode)) return {};
    return static_cast<unsigned long long>(status.st_size);
}

std::optional<FileIdentity> File::identity() const
{
    struct stat status {};
    if (::fstat(descriptorOf(handle_), &status) != 0 || !S_ISREG(status.st_mode)) return {};
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino), 0};
}

std::optional<FileIdentity> CheckReadable(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) fail(errno);
    if (S_ISREG(status.st_mode)) return File::OpenForReading(path).identity();
    if (S_ISDIR(status.st_mode)) failFolder();
    if (::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) != 0) fail(errno);
    return {};
}

}  // namespace lorvane
