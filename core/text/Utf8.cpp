#include "text/Utf8.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace lorvane {
namespace {

constexpr std::uint64_t HighBitOfEachByte = 0x8080808080808080u;
constexpr std::uint64_t NonAsciiOfEachUnit = 0xFF80FF80FF80FF80u;

char16_t* appendCodePoint(char32_t codePoint, char16_t* out)
{
    if (codePoint < 0x10000) {
        *out++ = static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (codePoint >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
    return out;
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// What a byte that starts a sequence of two to four bytes says of the rest:
// how many continuation bytes follow, and the range of the first, which
// rules out overlong forms, surrogates and code points past U+10FFFF.
struct SequenceStart {
    int continuations = 0;  // 0: the byte starts no sequence
    char32_t bits = 0;
    unsigned char lower = 0x80;
    unsigned char upper = 0xBF;
};

constexpr SequenceStart sequenceStartOf(unsigned char byte)
{
    if (byte >= 0xC2 && byte <= 0xDF) return {1, byte & 0x1Fu};
    if (byte >= 0xE0 && byte <= 0xEF)
        return {2, byte & 0x0Fu, static_cast<unsigned char>(byte == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(byte == 0xED ? 0x9F : 0xBF)};
    if (byte >= 0xF0 && byte <= 0xF4)
        return {3, byte & 0x07u, static_cast<unsigned char>(byte == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(byte == 0xF4 ? 0x8F : 0xBF)};
    return {};
}

// Looked up rather than worked out, as it is for nearly every Chinese character.
constexpr auto SequenceStarts = [] {
    std::array<SequenceStart, 256> starts{};
    for (unsigned byte = 0; byte < starts.size(); ++byte)
        starts[byte] = sequenceStartOf(static_cast<unsigned char>(byte));
    return starts;
}();

// Decodes ASCII and whole two- and three-byte sequences whose lead byte puts
// no limit on the byte after it, which covers nearly all text, and stops
// before anything else. Returns where it stopped; `unit` is moved past what
// it wrote. ASCII goes eight bytes at a time.
std::size_t decodeCommonSequences(std::string_view bytes, std::size_t at, char16_t*& unit)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t end = bytes.size();
    while (at < end) {
        if (at + 8 <= end) {
            std::uint64_t eight;
            std::memcpy(&eight, data + at, sizeof eight);
            if ((eight & HighBitOfEachByte) == 0) {
                for (std::size_t byte = 0; byte < 8; ++byte) unit[byte] = data[at + byte];
                unit += 8;
                at += 8;
                continue;
            }
        }
        const unsigned char lead = data[at];
        if (lead < 0x80) {
            *unit++ = lead;
            at += 1;
        } else if (lead >= 0xC2 && lead <= 0xDF && at + 1 < end && isContinuation(data[at + 1])) {
            *unit++ = static_cast<char16_t>((lead & 0x1F) << 6 | (data[at + 1] & 0x3F));
            at += 2;
        } else if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && at + 2 < end &&
                   isContinuation(data[at + 1]) && isContinuation(data[at + 2])) {
            *unit++ = static_cast<char16_t>((lead & 0x0F) << 12 | (data[at + 1] & 0x3F) << 6 | (data[at + 2] & 0x3F));
            at += 3;
        } else {
            break;
        }
    }
    return at;
}

// Writes the UTF-8 of one code point and returns the end.
char* encode(char32_t codePoint, char* out)
{
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

}  // namespace

// The decoder of the WHATWG Encoding Standard, which replaces each maximal
// invalid subpart with one U+FFFD, as Unicode recommends.
char16_t* Utf8Decoder::decode(std::string_view bytes, char16_t* out)
{
    for (std::size_t at = 0; at < bytes.size();) {
        if (bytesNeeded_ == 0) {
            at = decodeCommonSequences(bytes, at, out);
            if (at == bytes.size()) break;
        }
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (bytesNeeded_ == 0) {
            ++at;
            const SequenceStart& start = SequenceStarts[byte];
            if (byte < 0x80) {
                *out++ = byte;
            } else if (start.continuations > 0) {
                bytesNeeded_ = start.continuations;
                codePoint_ = start.bits;
                lowerBoundary_ = start.lower;
                upperBoundary_ = start.upper;
            } else {
                *out++ = ReplacementCharacter;
            }
            continue;
        }
        if (byte < lowerBoundary_ || byte > upperBoundary_) {
            // The byte is not consumed: it may start the next sequence.
            *this = Utf8Decoder{};
            *out++ = ReplacementCharacter;
            continue;
        }
        ++at;
        lowerBoundary_ = 0x80;
        upperBoundary_ = 0xBF;
        codePoint_ = (codePoint_ << 6) | (byte & 0x3F);
        if (++bytesSeen_ == bytesNeeded_) {
            out = appendCodePoint(codePoint_, out);
            *this = Utf8Decoder{};
        }
    }
    return out;
}

void Utf8Decoder::decode(std::string_view bytes, std::u16string& out)
{
    const std::size_t start = out.size();
    out.resize(start + MaxUnits(bytes.size()));
    out.resize(static_cast<std::size_t>(decode(bytes, out.data() + start) - out.data()));
}

void Utf8Decoder::finish(std::u16string& out)
{
    if (bytesNeeded_ != 0) out.push_back(ReplacementCharacter);
    *this = Utf8Decoder{};
}

std::size_t FindInvalidUtf8(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t at = 0; at < bytes.size();) {
        if (data[at] < 0x80) {
            ++at;
            continue;
        }
        const SequenceStart& start = SequenceStarts[data[at]];
        const auto length = static_cast<std::size_t>(start.continuations) + 1;
        if (start.continuations == 0 || bytes.size() - at < length) return at;
        if (data[at + 1] < start.lower || data[at + 1] > start.upper) return at;
        for (std::size_t next = 2; next < length; ++next)
            if (!isContinuation(data[at + next])) return at;
        at += length;
    }
    return std::string_view::npos;
}

std::u16string Utf8ToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    Utf8Decoder decoder;
    decoder.decode(bytes, text);
    decoder.finish(text);
    return text;
}

// Pinyin is ASCII: it goes four units at a time.
char* EncodeUtf8(std::u16string_view text, char* byte)
{
    const char16_t* unit = text.data();
    const char16_t* const end = unit + text.size();
    while (unit < end) {
        if (end - unit >= 4) {
            std::uint64_t four;
            std::memcpy(&four, unit, sizeof four);
            if ((four & NonAsciiOfEachUnit) == 0) {
                for (int at = 0; at < 4; ++at) byte[at] = static_cast<char>(unit[at]);
                byte += 4;
                unit += 4;
                continue;
            }
        }
        char32_t codePoint = *unit++;
        if (IsHighSurrogate(static_cast<char16_t>(codePoint)) && unit < end && IsLowSurrogate(*unit))
            codePoint = CodePointOfPair(static_cast<char16_t>(codePoint), *unit++);
        else if (IsSurrogate(static_cast<char16_t>(codePoint)))
            codePoint = ReplacementCharacter;
        byte = encode(codePoint, byte);
    }
    return byte;
}

void AppendUtf8(std::u16string_view text, std::string& out)
{
    const std::size_t start = out.size();
    out.resize(start + MaxUtf8Bytes(text.size()));
    out.resize(static_cast<std::size_t>(EncodeUtf8(text, out.data() + start) - out.data()));
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 3);
    AppendUtf8(text, bytes);
    return bytes;
}

}  // namespace lorvane
