#include "MessageBox.h"

#include "AppInfo.h"

namespace lorvane::platform {

int ShowMessage(HWND owner, const std::wstring& text, UINT style)
{
    return MessageBoxW(owner, text.c_str(), app::Title, style);
}

std::wstring SystemErrorText(DWORD error)
{
    std::wstring text;
    for (const DWORD language : {DWORD{MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)}, DWORD{0}}) {
        wchar_t* buffer = nullptr;
        const DWORD length = FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
            error, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        if (length && buffer) text.assign(buffer, length);
        LocalFree(buffer);
        if (!text.empty()) break;
    }
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return text;
}

void EndProgramNow(UINT exitCode) { ExitProcess(exitCode); }

}  // namespace lorvane::platform
