#pragma once

#include <string>
#include <string_view>

namespace lorvane::platform {

// Text in the system's ANSI code page, as the ANSI registry functions give it.
std::wstring FromAnsi(std::string_view text);

}  // namespace lorvane::platform
