#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "text/Gbk.h"

namespace lorvane {
namespace {

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

}  // namespace

std::u16string DecodeGbk(std::string_view bytes)
{
    std::u16string out;
    if (bytes.empty()) return out;
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
        at += GbkCharacterLength(bytes, at);
        iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    }
    out.reserve(written / 2);
    for (std::size_t unit = 0; unit + 1 < written; unit += 2)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(utf16[unit]) |
                                            static_cast<unsigned char>(utf16[unit + 1]) << 8));
    return out;
}

}  // namespace lorvane
