#pragma once

#include <string>
#include <string_view>

namespace lorvane {

inline constexpr char16_t ReplacementCharacter = u'\uFFFD';
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

inline bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

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

}  // namespace lorvane
