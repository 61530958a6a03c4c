#include "MessageBox.h"

#include "AppInfo.h"
#include "sys/SystemMessage.h"
#include "text/WideText.h"

namespace lorvane::platform {

int ShowMessage(HWND owner, const std::wstring& text, UINT style)
{
    return MessageBoxW(owner, text.c_str(), app::Title, style);
}

std::wstring SystemErrorText(DWORD error)
{
    // In Simplified Chinese where the system has it, else in its own language.
    constexpr WORD Languages[] = {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)};
    for (const WORD language : Languages) {
        const std::u16string text = SystemMessage(error, language);
        if (!text.empty()) return ToWide(text);
    }
    return {};
}

}  // namespace lorvane::platform
