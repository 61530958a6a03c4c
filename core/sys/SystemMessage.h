#pragma once

#include <string>

namespace lorvane {

// The system's number for a failure: errno on POSIX systems, GetLastError()
// on Windows.
using SystemErrorCode = unsigned long;

SystemErrorCode LastSystemError();

// The system's own description of `code`, in `language` (a Windows LANGID;
// 0 is the user's language; other systems have one language), without the
// line end that ends it; empty when the system has none in that language.
std::u16string SystemMessage(SystemErrorCode code, unsigned short language = 0);

// The reason to give in an English message: the description without its
// full stop and, on Windows, where people look codes up, followed by the
// code: "Access is denied, error 5", or "error 5" alone.
std::string SystemReason(SystemErrorCode code);

// The reason for having run out of memory, in the same form.
std::string OutOfMemoryReason();

}  // namespace lorvane
