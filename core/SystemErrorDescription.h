#pragma once

#include <string>

namespace lorvane {

// Windows only: the system's own description of error code `error`
// (FormatMessage) in `language` (a LANGID; 0 for the user's language),
// without the line end that ends it; empty when the system has none in that
// language. The core's Windows file access and the windows' messages both
// take it from here.
std::u16string SystemErrorDescription(unsigned long error, unsigned short language = 0);

}  // namespace lorvane
