#pragma once

#include <string>
#include <string_view>

namespace lorvane {

enum class StandardStream { Input, Output, Error };

// Sets up the standard streams for bytes. On POSIX systems a stream that is
// closed when the program starts is opened on the null device the wrong way
// round, so that reading or writing it fails as it would have, and no file
// opened later takes its place.
void PrepareStandardStreams();

// True when the stream is a Windows console, whose text goes in and out as
// UTF-16 whatever its code page. Never elsewhere: a terminal is written as a
// file is.
bool IsConsole(StandardStream stream);

// Writes UTF-8 text to the console; false, with the reason in
// LastSystemError(), when the console refuses it.
bool WriteConsoleText(StandardStream stream, std::string_view utf8);

// Replaces `chunk` with the next text typed at the console, as UTF-8; false
// at the end of input (Ctrl+Z at the start of a line).
bool ReadConsoleText(std::string& chunk);

}  // namespace lorvane
