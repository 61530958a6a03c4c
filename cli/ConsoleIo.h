#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace lorvane::cli {

// Standard output and error as UTF-8; on a Windows console the text is
// written as UTF-16, so that Chinese shows whatever the console's code page.
void PrepareStandardStreams();
void WriteError(std::string_view utf8);

// Standard output, written in large pieces.
class StandardOutput {
public:
    void write(std::string_view utf8);
    bool flush();  // false when some output could not be written

private:
    std::string buffer_;
    bool failed_ = false;
};

// An input of the command line: a file, or standard input for none or "-".
class InputFile {
public:
    // Throws std::runtime_error naming the file and the system's reason.
    explicit InputFile(const std::string& path);  // UTF-8
    static std::unique_ptr<InputFile> StandardInput();
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Replaces `chunk` with the next bytes; false at the end. Throws
    // std::runtime_error on a read error.
    bool read(std::string& chunk);
    const std::string& name() const { return name_; }

private:
    InputFile() = default;
    std::FILE* file_ = nullptr;
    bool ownsFile_ = false;
#ifdef _WIN32
    bool console_ = false;
#endif
    std::string name_;
};

}  // namespace lorvane::cli
