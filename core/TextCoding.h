#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace lorvane {

inline constexpr char16_t ReplacementCharacter = u'\uFFFD';

// The bytes of pymb.dat as text: UTF-8 when they begin with the UTF-8
// byte-order mark (which is dropped), GBK (code page 936) otherwise, whatever
// the system's code page. Bytes that are not valid in the encoding become
// U+FFFD.
std::u16string DecodeTableBytes(std::string_view bytes);

// Throws GbkUnavailable when the system has no GBK converter.
std::u16string DecodeGbk(std::string_view bytes);

// The system cannot decode GBK; what() is its reason.
class GbkUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UTF-8 to UTF-16 in pieces: a sequence cut between two pieces is completed
// by the next one. Invalid bytes become U+FFFD, one per maximal invalid part.
class Utf8Decoder {
public:
    void decode(std::string_view bytes, std::u16string& out);
    // Ends the input: an unfinished sequence becomes U+FFFD.
    void finish(std::u16string& out);

private:
    char32_t codePoint_ = 0;
    int bytesNeeded_ = 0;
    int bytesSeen_ = 0;
    unsigned char lowerBoundary_ = 0x80;
    unsigned char upperBoundary_ = 0xBF;
};

std::u16string Utf8ToUtf16(std::string_view bytes);

// Appends `text` as UTF-8; a lone surrogate becomes U+FFFD.
void AppendUtf8(std::u16string_view text, std::string& out);
std::string Utf16ToUtf8(std::u16string_view text);

inline bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

}  // namespace lorvane
