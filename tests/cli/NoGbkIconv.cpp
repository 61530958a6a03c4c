// Preloaded into lorvane-cli by a test, this stands for a system whose iconv
// has no GBK converter: opening one fails as iconv_open fails for an unknown
// encoding, and every other converter opens as usual.

#include <dlfcn.h>
#include <iconv.h>

#include <cerrno>
#include <cstring>

extern "C" iconv_t iconv_open(const char* toCode, const char* fromCode)
{
    if (std::strcmp(fromCode, "CP936") == 0 || std::strcmp(fromCode, "GBK") == 0) {
        errno = EINVAL;
        return reinterpret_cast<iconv_t>(-1);
    }
    using IconvOpen = iconv_t (*)(const char*, const char*);
    return reinterpret_cast<IconvOpen>(dlsym(RTLD_NEXT, "iconv_open"))(toCode, fromCode);
}
