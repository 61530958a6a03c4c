#include "ProgramStart.h"

#include <windows.h>

#include <stdexcept>

#include "Handle.h"
#include "text/WideText.h"

namespace lorvane::platform {

void StartProgram(const std::wstring& path)
{
    if (path.empty()) throw std::runtime_error("no program to start");
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        throw std::runtime_error("cannot start " + WideToUtf8(path) + " (error " +
                                 std::to_string(GetLastError()) + ")");
    const KernelHandle thread(process.hThread);
    const KernelHandle started(process.hProcess);
}

}  // namespace lorvane::platform
