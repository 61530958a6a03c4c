#include "LorvaneProcess.h"

#include <stdexcept>
#include <string>

#include "AppInfo.h"
#include "sys/ProgramFolder.h"
#include "MessageBoxWindow.h"
#include "WindowQuery.h"

namespace lorvane::e2e {

std::filesystem::path BuildOutputFolder()
{
    const std::string folder = ProgramFolder();
    if (folder.empty()) throw std::runtime_error("the test program's own path is unknown");
    return testing::Wide(folder);
}

std::wstring MainWindowCaption()
{
    return L"Lorvane(无南方模糊音版) " + std::to_wstring(app::VersionMajor) + L"." + std::to_wstring(app::VersionMinor);
}

LorvaneProcess::LorvaneProcess(const std::filesystem::path& folder)
{
    const std::wstring program = (folder / L"Lorvane.exe").wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    const std::wstring workingFolder = folder.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &started))
        throw std::runtime_error("could not start " + testing::Utf8(program) + " (error " + std::to_string(GetLastError()) +
                                 ")");
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
}

LorvaneProcess::~LorvaneProcess()
{
    if (!hasEnded()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 10'000);
    }
    CloseHandle(process_);
}

HWND LorvaneProcess::waitForMainWindow(Milliseconds timeout, Milliseconds pause) const
{
    HWND main = nullptr;
    std::optional<MessageBoxWindow> unexpectedBox;
    WaitUntil(
        [&] {
            const auto found = VisibleWindowsOf(id_, nullptr, MainWindowCaption().c_str());
            if (!found.empty()) main = found.front();
            if (!main) unexpectedBox = FindMessageBox(id_);
            return main || unexpectedBox || hasEnded();
        },
        timeout, pause);
    if (main) return main;
    if (unexpectedBox)
        throw std::runtime_error("Lorvane showed a message box instead of its main window: " +
                                 testing::Utf8(unexpectedBox->text()));
    if (const auto exitCode = waitForExit(Milliseconds(0)))
        throw std::runtime_error("Lorvane ended with code " + std::to_string(*exitCode) +
                                 " before showing its main window");
    throw std::runtime_error("Lorvane's main window did not appear within " + std::to_string(timeout.count()) +
                             " ms");
}

bool LorvaneProcess::hasEnded() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }

std::optional<DWORD> LorvaneProcess::waitForExit(Milliseconds timeout) const
{
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD exitCode = 0;
    GetExitCodeProcess(process_, &exitCode);
    return exitCode;
}

}  // namespace lorvane::e2e
