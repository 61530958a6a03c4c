#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "text/Utf8.h"

#ifdef _WIN32
#include <windows.h>

#include "text/WideText.h"
#endif

// Text in the encodings the tests meet: GBK (pymb.dat), UTF-8 (files, the
// command line's input and output, failure messages) and, on Windows, the
// system's UTF-16 and ANSI text.
namespace lorvane::testing {

// The GBK (code page 936) bytes of `text`, which may hold ASCII and the few
// Hanzi the tests use. A table of its own, so that the tests never take the
// decoder they check as their oracle.
inline std::string Gbk(std::u16string_view text)
{
    struct Code {
        char16_t hanzi;
        const char* bytes;
    };
    constexpr Code Codes[] = {{u'中', "\xD6\xD0"}, {u'国', "\xB9\xFA"}, {u'重', "\xD6\xD8"},
                              {u'庆', "\xC7\xEC"}, {u'长', "\xB3\xA4"}, {u'汉', "\xBA\xBA"}};
    std::string bytes;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
            continue;
        }
        const Code* code = nullptr;
        for (const Code& candidate : Codes)
            if (candidate.hanzi == unit) code = &candidate;
        if (!code) throw std::invalid_argument("the tests' GBK table lacks a character");
        bytes += code->bytes;
    }
    return bytes;
}

#ifdef _WIN32

inline std::string Utf8(std::wstring_view text) { return WideToUtf8(text); }

inline std::wstring Wide(std::string_view utf8) { return Utf8ToWide(utf8); }

// In the system's ANSI code page, as the ANSI functions take text.
inline std::string Ansi(std::wstring_view text)
{
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}

#endif

}  // namespace lorvane::testing
