#include "SystemErrorDescription.h"

#include <windows.h>

#include <memory>

namespace lorvane {
namespace {

struct LocalMemoryFree {
    void operator()(wchar_t* memory) const { LocalFree(memory); }
};

}  // namespace

std::u16string SystemErrorDescription(unsigned long error, unsigned short language)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalMemoryFree> owned(buffer);
    std::u16string text;
    if (length > 0 && buffer) text.assign(reinterpret_cast<const char16_t*>(buffer), length);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    return text;
}

}  // namespace lorvane
