#pragma once

#include <string>
#include <string_view>

namespace lorvane::platform {

// wchar_t is UTF-16 on Windows: the core's char16_t text and the system's
// wide text are the same units.
inline std::u16string_view AsUtf16(std::wstring_view text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

inline std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace lorvane::platform
