#pragma once

#include <string>
#include <string_view>

#include "text/Utf8.h"

// The bridge between the program's UTF-16 text and the system's wide text on
// Windows, where wchar_t is a UTF-16 unit: the same units, only another type.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "text/WideText.h is for systems whose wchar_t is UTF-16");

namespace lorvane {

inline std::u16string_view AsUtf16(std::wstring_view text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

inline const wchar_t* AsWide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

inline std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

inline std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(Utf8ToUtf16(utf8)); }

inline std::string WideToUtf8(std::wstring_view text) { return Utf16ToUtf8(AsUtf16(text)); }

}  // namespace lorvane
