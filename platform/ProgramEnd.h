#pragma once

#include <windows.h>

namespace lorvane::platform {

// Ends the process at once, every window with it.
[[noreturn]] inline void EndProgramNow(UINT exitCode) { ExitProcess(exitCode); }

}  // namespace lorvane::platform
