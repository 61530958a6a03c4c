#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "Polling.h"

namespace lorvane::e2e {

// The folder of the running test program, where the build puts Lorvane.exe
// and pymb.dat.
std::filesystem::path BuildOutputFolder();

// The main window's caption, with the major and minor version of this build.
std::wstring MainWindowCaption();

// A running Lorvane.exe. A process still running when the object goes is
// terminated, so a failed test leaves nothing behind.
class LorvaneProcess {
public:
    // Starts `folder`\Lorvane.exe with `folder` as its working folder.
    explicit LorvaneProcess(const std::filesystem::path& folder = BuildOutputFolder());
    ~LorvaneProcess();
    LorvaneProcess(const LorvaneProcess&) = delete;
    LorvaneProcess& operator=(const LorvaneProcess&) = delete;

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }

    // The visible main window, once it has appeared, looking every `pause`.
    // Throws when the process ends or shows a message box first, or after
    // `timeout`.
    HWND waitForMainWindow(Milliseconds timeout = Milliseconds(20'000), Milliseconds pause = Milliseconds(10)) const;

    bool hasEnded() const;
    // The exit code, or nothing while the process is still running after `timeout`.
    std::optional<DWORD> waitForExit(Milliseconds timeout) const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace lorvane::e2e
