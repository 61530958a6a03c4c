#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "sys/File.h"

namespace lorvane::cli {

// Standard output cannot be written; the message says why.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Standard error as UTF-8; on a Windows console as UTF-16, so that Chinese
// shows whatever the console's code page. Failures are ignored: there is
// nowhere left to report them.
void WriteError(std::string_view utf8);

// Standard output, written in pieces of up to Capacity bytes; on a Windows
// console as UTF-16. Every write that fails throws OutputError at once,
// naming the system's reason.
class StandardOutput {
public:
    static constexpr std::size_t Capacity = std::size_t{1} << 16;

    StandardOutput();
    void write(std::string_view utf8);
    void flush();
    // Writes the complete lines held, keeping a line that is not yet ended.
    // A line counts as complete once a write has ended with its line end,
    // as the converters write each line end on its own.
    void flushLines();

private:
    void writeThrough(std::string_view utf8);

    File file_ = File::StandardOutput();
    bool console_;
    std::string buffer_;
    std::size_t completeLines_ = 0;  // the bytes of buffer_ up to its last line end
};

}  // namespace lorvane::cli
