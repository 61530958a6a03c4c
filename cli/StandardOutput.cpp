#include "StandardOutput.h"

#include "sys/Console.h"
#include "sys/SystemMessage.h"

namespace lorvane::cli {

void WriteError(std::string_view utf8)
{
    if (IsConsole(StandardStream::Error)) {
        WriteConsoleText(StandardStream::Error, utf8);
        return;
    }
    try {
        File::StandardError().write(utf8);
    } catch (const FileError&) {
    }
}

StandardOutput::StandardOutput() : console_(IsConsole(StandardStream::Output)) { buffer_.reserve(Capacity); }

void StandardOutput::write(std::string_view utf8)
{
    if (buffer_.size() + utf8.size() > Capacity) flush();
    if (utf8.size() >= Capacity) {
        writeThrough(utf8);
        return;
    }
    buffer_.append(utf8);
    if (!utf8.empty() && utf8.back() == '\n') completeLines_ = buffer_.size();
}

void StandardOutput::flush()
{
    if (buffer_.empty()) return;
    // Emptied also when the write fails, so that no later flush writes the
    // same text again.
    completeLines_ = 0;
    try {
        writeThrough(buffer_);
    } catch (const OutputError&) {
        buffer_.clear();
        throw;
    }
    buffer_.clear();
}

void StandardOutput::flushLines()
{
    if (completeLines_ == 0) return;
    writeThrough(std::string_view(buffer_).substr(0, completeLines_));
    buffer_.erase(0, completeLines_);
    completeLines_ = 0;
}

void StandardOutput::writeThrough(std::string_view utf8)
{
    if (console_) {
        if (!WriteConsoleText(StandardStream::Output, utf8))
            throw OutputError("cannot write to the console: " + SystemReason(LastSystemError()));
        return;
    }
    try {
        file_.write(utf8);
    } catch (const FileError& error) {
        throw OutputError(std::string("cannot write to standard output: ") + error.what());
    }
}

}  // namespace lorvane::cli
