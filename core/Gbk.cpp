#include "TextCoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <cerrno>
#include <cstring>
#endif

namespace lorvane {
namespace {

bool isGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool isGbkTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// Length of the character that starts at `at`, by the shape of GBK alone:
// 2 for a lead byte followed by a trail byte, 1 otherwise.
std::size_t unitLength(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (isGbkLeadByte(lead) && at + 1 < bytes.size() &&
        isGbkTrailByte(static_cast<unsigned char>(bytes[at + 1])))
        return 2;
    return 1;
}

#ifdef _WIN32

constexpr unsigned GbkCodePage = 936;

// Converts with MB_ERR_INVALID_CHARS so that nothing is silently replaced by
// the code page's default character; returns false on an invalid sequence.
bool convertStrict(std::string_view bytes, std::u16string& out)
{
    if (bytes.empty()) return true;
    const int byteCount = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(GbkCodePage, MB_ERR_INVALID_CHARS, bytes.data(), byteCount,
                                           nullptr, 0);
    if (length <= 0) return false;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length));
    MultiByteToWideChar(GbkCodePage, MB_ERR_INVALID_CHARS, bytes.data(), byteCount,
                        reinterpret_cast<wchar_t*>(out.data() + start), length);
    return true;
}

void decodeInto(std::string_view bytes, std::u16string& out)
{
    if (!IsValidCodePage(GbkCodePage)) throw GbkUnavailable("code page 936 is not installed");
    out.reserve(bytes.size());
    if (bytes.size() <= 0x7FFFFFFF && convertStrict(bytes, out)) return;
    // Some bytes are invalid: decode character by character, replacing the bad ones.
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = unitLength(bytes, at);
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            out.push_back(static_cast<char16_t>(bytes[at]));
            ++at;
            continue;
        }
        if (!convertStrict(bytes.substr(at, length), out)) out.push_back(ReplacementCharacter);
        at += length;
    }
}

#else

class IconvHandle {
public:
    IconvHandle() : handle_(iconv_open("UTF-16LE", "CP936"))
    {
        if (handle_ == invalid()) handle_ = iconv_open("UTF-16LE", "GBK");
        if (handle_ == invalid()) throw GbkUnavailable(std::string("iconv: ") + std::strerror(errno));
    }
    ~IconvHandle() { iconv_close(handle_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    iconv_t get() const { return handle_; }

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t handle_;
};

void decodeInto(std::string_view bytes, std::u16string& out)
{
    IconvHandle converter;
    std::string utf16(bytes.size() * 2 + 4, '\0');
    std::size_t written = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        char* input = const_cast<char*>(bytes.data() + at);
        std::size_t inputLeft = bytes.size() - at;
        char* output = utf16.data() + written;
        std::size_t outputLeft = utf16.size() - written;
        const std::size_t result = iconv(converter.get(), &input, &inputLeft, &output, &outputLeft);
        at = static_cast<std::size_t>(input - bytes.data());
        written = static_cast<std::size_t>(output - utf16.data());
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            utf16.resize(utf16.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL (a sequence cut off by the end): replace one character.
        if (utf16.size() - written < 2) utf16.resize(utf16.size() * 2);
        utf16[written++] = static_cast<char>(0xFD);
        utf16[written++] = static_cast<char>(0xFF);
        at += unitLength(bytes, at);
        iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    }
    out.reserve(out.size() + written / 2);
    for (std::size_t unit = 0; unit + 1 < written; unit += 2)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(utf16[unit]) |
                                            static_cast<unsigned char>(utf16[unit + 1]) << 8));
}

#endif

}  // namespace

std::u16string DecodeGbk(std::string_view bytes)
{
    std::u16string text;
    if (!bytes.empty()) decodeInto(bytes, text);
    return text;
}

std::u16string DecodeTableBytes(std::string_view bytes)
{
    constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, utf8ByteOrderMark.size()) == utf8ByteOrderMark)
        return Utf8ToUtf16(bytes.substr(utf8ByteOrderMark.size()));
    return DecodeGbk(bytes);
}

}  // namespace lorvane
