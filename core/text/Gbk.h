#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lorvane {

// GBK (code page 936) to UTF-16, by the system's own converter, whatever the
// system's code page: MultiByteToWideChar on Windows (Gbk_win.cpp), iconv
// elsewhere (Gbk_iconv.cpp). Bytes that are not valid GBK become U+FFFD.
// Throws GbkUnavailable when the system has no GBK converter.
std::u16string DecodeGbk(std::string_view bytes);

// The system cannot decode GBK; what() is its reason.
class GbkUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The length of the character that starts at `at`, by the shape of GBK
// alone: 2 for a lead byte followed by a trail byte, 1 otherwise. This is how
// far an invalid character is skipped.
std::size_t GbkCharacterLength(std::string_view bytes, std::size_t at);

}  // namespace lorvane
