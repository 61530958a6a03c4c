#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace lorvane::cli {

// An input cannot be read; the message names it and says why.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A regular file as the system knows it, whatever the name it was opened by.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    std::uint64_t fileHigh = 0;  // file numbers of 128 bits (ReFS)
    bool operator==(const FileIdentity&) const = default;
};

// The file standard output writes to, when it is a regular file. An input
// that is the same file would read what the program writes, without end.
std::optional<FileIdentity> StandardOutputFile();

// Throws InputError when the file at `path` (UTF-8) cannot be opened for
// reading, is a folder, or is `output`. Only regular files are opened (and
// closed again): opening a pipe could take what another program waits to give.
void CheckInputFile(const std::string& path, const std::optional<FileIdentity>& output);

// An input of the command line, open while it is read: a file, or standard
// input for "-".
class InputFile {
public:
    // Throws InputError for the same reasons as CheckInputFile.
    InputFile(const std::string& path, const std::optional<FileIdentity>& output);
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Replaces `chunk` with the next bytes, as many as have arrived (a line
    // at a terminal); false at the end. Throws InputError.
    bool read(std::string& chunk);

private:
    // Closes the descriptor it was given; standard input's is not closed.
    class Descriptor {
    public:
        Descriptor() = default;
        explicit Descriptor(int owned) : value_(owned), owned_(true) {}
        ~Descriptor();
        Descriptor(const Descriptor&) = delete;
        Descriptor& operator=(const Descriptor&) = delete;
        int get() const { return value_; }

    private:
        int value_ = 0;
        bool owned_ = false;
    };

    std::string name_;  // for messages: standard input, or the quoted full path
    Descriptor descriptor_;
#ifdef _WIN32
    bool console_ = false;
#endif
};

}  // namespace lorvane::cli
