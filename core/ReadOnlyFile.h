#pragma once

#include <string>

namespace lorvane {

// Why a data file could not be read.
enum class FileProblem { Missing, Unreadable, TooLarge };

// Turns a FileProblem into the error of the file's own format, and throws it.
// `reason` is the system's words for Missing and Unreadable; for TooLarge it
// is the file's size ("70,000,000 bytes") where the system gives one, else
// empty.
using FileFailure = void (*)(FileProblem problem, const std::string& path, const std::string& reason);

// A data file opened for reading and read whole, with a cap on its size. Every
// failure goes to `onFailure`, which throws.
class ReadOnlyFile {
public:
    ReadOnlyFile(std::string path, FileFailure onFailure);  // UTF-8
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    const std::string& path() const { return path_; }
    // The whole content, read from the start. A file larger than `maxBytes` is
    // refused, before it is read where the system gives its size; a device
    // such as /dev/zero, which has no size and no end, once it passes the cap.
    std::string readAll(unsigned long long maxBytes);

private:
    [[noreturn]] void fail(FileProblem problem, const std::string& reason) const;
    [[noreturn]] void failTooLarge(unsigned long long size) const;

    std::string path_;
    FileFailure fail_;
#ifdef _WIN32
    void* handle_;
#else
    int descriptor_;
#endif
};

}  // namespace lorvane
