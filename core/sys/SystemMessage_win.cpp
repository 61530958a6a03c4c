#include <windows.h>

#include <memory>

#include "sys/SystemMessage.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

struct LocalMemoryFree {
    void operator()(wchar_t* memory) const { LocalFree(memory); }
};

}  // namespace

SystemErrorCode LastSystemError() { return GetLastError(); }

std::u16string SystemMessage(SystemErrorCode code, unsigned short language)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalMemoryFree> owned(buffer);
    std::u16string text;
    if (length > 0 && buffer) text.assign(reinterpret_cast<const char16_t*>(buffer), length);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    return text;
}

std::string SystemReason(SystemErrorCode code)
{
    std::u16string text = SystemMessage(code);
    while (!text.empty() && (text.back() == u'.' || text.back() == u'\x3002' || text.back() == u' ')) text.pop_back();
    const std::string number = "error " + std::to_string(code);
    return text.empty() ? number : Utf16ToUtf8(text) + ", " + number;
}

std::string OutOfMemoryReason() { return SystemReason(ERROR_NOT_ENOUGH_MEMORY); }

}  // namespace lorvane
