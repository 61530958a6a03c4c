#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lorvane {

// A file that could not be opened, read or written. what() is the system's
// reason, as SystemReason gives it.
class FileError : public std::runtime_error {
public:
    enum class Kind { Missing, Folder, Other };

    FileError(Kind kind, const std::string& reason) : std::runtime_error(reason), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// A regular file as the system knows it, whatever the name it was opened by.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    std::uint64_t fileHigh = 0;  // file numbers of 128 bits (ReFS)
    bool operator==(const FileIdentity&) const = default;
};

// An open file or a standard stream. Reads and writes are whole calls: one
// the system interrupts is made again, and a write goes on until all of it is
// written. A file is closed when the object goes; a standard stream is not.
// Every failure throws FileError.
class File {
public:
    // What others may do with a file while it is open here. Only Windows
    // enforces it.
    enum class Sharing { OthersMayWrite, OthersMayOnlyRead };

    // Opens the file at `path` (UTF-8) for reading. A folder is refused
    // (Kind::Folder).
    static File OpenForReading(const std::string& path, Sharing sharing = Sharing::OthersMayWrite);
    static File StandardInput();
    static File StandardOutput();
    static File StandardError();

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Reads up to `size` bytes; 0 at the end.
    std::size_t read(char* buffer, std::size_t size);
    void write(std::string_view bytes);

    // The size of a regular file on disk; none for a pipe, a device or a
    // console, whose size is unknown until their end.
    std::optional<unsigned long long> regularFileSize() const;
    // None for anything but a regular file on disk.
    std::optional<FileIdentity> identity() const;

private:
    // A descriptor on POSIX systems, a HANDLE on Windows.
    File(std::intptr_t handle, bool owned) : handle_(handle), owned_(owned) {}
    void close() noexcept;

    std::intptr_t handle_;
    bool owned_;
};

// Throws FileError when the file at `path` (UTF-8) cannot be opened for
// reading. A regular file is opened and closed again, and its identity
// returned; anything else is only checked, since opening a pipe could take
// what another program waits to give.
std::optional<FileIdentity> CheckReadable(const std::string& path);

}  // namespace lorvane
