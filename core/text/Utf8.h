#pragma once

#include <string>
#include <string_view>

namespace lorvane {

inline constexpr char16_t ReplacementCharacter = u'\uFFFD';
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

inline bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
inline char32_t CodePointOfPair(char16_t high, char16_t low)
{
    return 0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{low} - 0xDC00);
}
// What separates words in a line written by hand: blank, tab, a stray
// carriage return, the ideographic space.
inline bool IsBlankBetweenWords(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\u3000';
}

// UTF-8 to UTF-16 in pieces: a sequence cut between two pieces is completed
// by the next one. Invalid bytes become U+FFFD, one per maximal invalid part.
class Utf8Decoder {
public:
    // The most units `bytes` bytes can give: one a byte, and a pair for a
    // sequence that the bytes of an earlier piece began.
    static constexpr std::size_t MaxUnits(std::size_t bytes) { return bytes + 1; }

    void decode(std::string_view bytes, std::u16string& out);
    // Writes at most MaxUnits(bytes.size()) units; returns their end.
    char16_t* decode(std::string_view bytes, char16_t* out);
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

// Where the first sequence that is not well-formed UTF-8 begins (a stray or
// missing continuation byte, an overlong form, a surrogate, a code point past
// U+10FFFF, a sequence cut by the end), or npos where there is none.
std::size_t FindInvalidUtf8(std::string_view bytes);

// The most bytes `units` UTF-16 units take in UTF-8.
constexpr std::size_t MaxUtf8Bytes(std::size_t units) { return 3 * units; }

// Appends `text` as UTF-8; a lone surrogate becomes U+FFFD.
void AppendUtf8(std::u16string_view text, std::string& out);
// Writes `text` as UTF-8, at most MaxUtf8Bytes(text.size()) bytes; returns
// their end.
char* EncodeUtf8(std::u16string_view text, char* out);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace lorvane
