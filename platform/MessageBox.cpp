#include "MessageBox.h"

#include "AppInfo.h"

namespace lorvane::platform {

int ShowMessage(HWND owner, const std::wstring& text, UINT style)
{
    return MessageBoxW(owner, text.c_str(), app::Title, style);
}

std::wstring SystemErrorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return text.empty() ? L"错误 " + std::to_wstring(error) : text;
}

void EndProgramNow(UINT exitCode) { ExitProcess(exitCode); }

}  // namespace lorvane::platform
