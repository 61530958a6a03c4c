#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace lorvane::cli {

// Standard output cannot be written; the message says why.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Binary standard streams. A standard stream that is closed when the program
// starts is opened on the null device the wrong way round, so that reading or
// writing it fails as it would have, and no file opened later takes its place.
void PrepareStandardStreams();

// Standard error as UTF-8; on a Windows console as UTF-16, so that Chinese
// shows whatever the console's code page. Failures are ignored: there is
// nowhere left to report them.
void WriteError(std::string_view utf8);

// The system's explanation of the error number `error` (an errno value).
std::string SystemReason(int error);

#ifdef _WIN32
// Typed text is read as UTF-16, whatever the console's code page.
bool StandardInputIsConsole();
// Replaces `chunk` with the next text typed, as UTF-8; false at the end of
// input (Ctrl+Z at the start of a line).
bool ReadTypedText(std::string& chunk);
#endif

// Standard output, written in pieces of up to Capacity bytes. Every write
// that fails throws OutputError at once, naming the system's reason.
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

    std::string buffer_;
    std::size_t completeLines_ = 0;  // the bytes of buffer_ up to its last line end
#ifdef _WIN32
    bool console_ = false;
#endif
};

}  // namespace lorvane::cli
