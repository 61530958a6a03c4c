#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "sys/File.h"

namespace lorvane::cli {

// An input cannot be read; the message names it and says why.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file standard output writes to, when it is a regular file. An input
// that is the same file would read what the program writes, without end.
std::optional<FileIdentity> StandardOutputFile();

// Throws InputError when the file at `path` (UTF-8) cannot be opened for
// reading, is a folder, or is `output`. Only regular files are opened (and
// closed again): opening a pipe could take what another program waits to
// give.
void CheckInputFile(const std::string& path, const std::optional<FileIdentity>& output);

// An input of the command line, open while it is read: a file, or standard
// input for "-".
class InputFile {
public:
    // Throws InputError when the file cannot be opened, is a folder, or is
    // `output`.
    InputFile(const std::string& path, const std::optional<FileIdentity>& output);

    // Replaces `chunk` with the next bytes, as many as have arrived (a line
    // at a terminal); false at the end. Throws InputError.
    bool read(std::string& chunk);

private:
    std::string name_;  // for messages: standard input, or the quoted full path
    File file_;
    bool console_ = false;
};

}  // namespace lorvane::cli
