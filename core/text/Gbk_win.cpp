#include <windows.h>

#include "text/Gbk.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

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

}  // namespace

std::u16string DecodeGbk(std::string_view bytes)
{
    std::u16string out;
    if (bytes.empty()) return out;
    if (!IsValidCodePage(GbkCodePage)) throw GbkUnavailable("code page 936 is not installed");
    out.reserve(bytes.size());
    if (bytes.size() <= 0x7FFFFFFF && convertStrict(bytes, out)) return out;
    // Some bytes are invalid: decode character by character, replacing the bad ones.
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = GbkCharacterLength(bytes, at);
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            out.push_back(static_cast<char16_t>(bytes[at]));
            ++at;
            continue;
        }
        if (!convertStrict(bytes.substr(at, length), out)) out.push_back(ReplacementCharacter);
        at += length;
    }
    return out;
}

}  // namespace lorvane
