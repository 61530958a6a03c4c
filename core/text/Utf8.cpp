#include "text/Utf8.h"

namespace lorvane {
namespace {

void appendCodePoint(char32_t codePoint, std::u16string& out)
{
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
    } else {
        codePoint -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    }
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes ASCII and whole two- and three-byte sequences whose lead byte puts
// no limit on the byte after it, which covers nearly all text, and stops
// before anything else. Returns where it stopped.
std::size_t decodeCommonSequences(std::string_view bytes, std::size_t at, std::u16string& out)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t end = bytes.size();
    while (at < end) {
        const unsigned char lead = data[at];
        if (lead < 0x80) {
            out.push_back(lead);
            at += 1;
        } else if (lead >= 0xC2 && lead <= 0xDF && at + 1 < end && isContinuation(data[at + 1])) {
            out.push_back(static_cast<char16_t>((lead & 0x1F) << 6 | (data[at + 1] & 0x3F)));
            at += 2;
        } else if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && at + 2 < end &&
                   isContinuation(data[at + 1]) && isContinuation(data[at + 2])) {
            out.push_back(static_cast<char16_t>((lead & 0x0F) << 12 | (data[at + 1] & 0x3F) << 6 |
                                                (data[at + 2] & 0x3F)));
            at += 3;
        } else {
            break;
        }
    }
    return at;
}

}  // namespace

// The decoder of the WHATWG Encoding Standard, which replaces each maximal
// invalid subpart with one U+FFFD, as Unicode recommends.
void Utf8Decoder::decode(std::string_view bytes, std::u16string& out)
{
    for (std::size_t at = 0; at < bytes.size();) {
        if (bytesNeeded_ == 0) {
            at = decodeCommonSequences(bytes, at, out);
            if (at == bytes.size()) break;
        }
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (bytesNeeded_ == 0) {
            ++at;
            if (byte < 0x80) {
                out.push_back(byte);
            } else if (byte >= 0xC2 && byte <= 0xDF) {
                bytesNeeded_ = 1;
                codePoint_ = byte & 0x1F;
            } else if (byte >= 0xE0 && byte <= 0xEF) {
                if (byte == 0xE0) lowerBoundary_ = 0xA0;
                if (byte == 0xED) upperBoundary_ = 0x9F;
                bytesNeeded_ = 2;
                codePoint_ = byte & 0x0F;
            } else if (byte >= 0xF0 && byte <= 0xF4) {
                if (byte == 0xF0) lowerBoundary_ = 0x90;
                if (byte == 0xF4) upperBoundary_ = 0x8F;
                bytesNeeded_ = 3;
                codePoint_ = byte & 0x07;
            } else {
                out.push_back(ReplacementCharacter);
            }
            continue;
        }
        if (byte < lowerBoundary_ || byte > upperBoundary_) {
            // The byte is not consumed: it may start the next sequence.
            *this = Utf8Decoder{};
            out.push_back(ReplacementCharacter);
            continue;
        }
        ++at;
        lowerBoundary_ = 0x80;
        upperBoundary_ = 0xBF;
        codePoint_ = (codePoint_ << 6) | (byte & 0x3F);
        if (++bytesSeen_ == bytesNeeded_) {
            appendCodePoint(codePoint_, out);
            *this = Utf8Decoder{};
        }
    }
}

void Utf8Decoder::finish(std::u16string& out)
{
    if (bytesNeeded_ != 0) out.push_back(ReplacementCharacter);
    *this = Utf8Decoder{};
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

void AppendUtf8(std::u16string_view text, std::string& out)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t codePoint = text[at];
        if (IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[at + 1] - 0xDC00);
            ++at;
        } else if (IsSurrogate(static_cast<char16_t>(codePoint))) {
            codePoint = ReplacementCharacter;
        }
        if (codePoint < 0x80) {
            out.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 3);
    AppendUtf8(text, bytes);
    return bytes;
}

}  // namespace lorvane
