#include "Shell.h"

#include <shellapi.h>

namespace lorvane::platform {

void OpenWithShell(HWND owner, const wchar_t* operation, const std::wstring& target, const wchar_t* parameters,
                   const wchar_t* directory)
{
    ShellExecuteW(owner, operation, target.c_str(), parameters, directory, SW_SHOWNORMAL);
}

}  // namespace lorvane::platform
