#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "Polling.h"

namespace lorvane::about_tests {

// A fresh folder under the system's temporary folder whose path has no
// blanks, removed with its contents when the object goes.
class ToolFolder {
public:
    ToolFolder();
    ~ToolFolder();
    ToolFolder(const ToolFolder&) = delete;
    ToolFolder& operator=(const ToolFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// What a started copy of sysinfo_stub.exe recorded.
struct StubRun {
    std::wstring commandLine;
    std::wstring showState;  // the number asked for, or "none"
};

// A copy of sysinfo_stub.exe (built beside the tests) at `path`, standing in
// for the System Information tool. Started, it leaves "<path>.ran".
class StubCopy {
public:
    explicit StubCopy(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }
    // The command line that starts exactly this file and nothing else.
    std::wstring quotedPath() const { return L"\"" + path_.wstring() + L"\""; }

    bool hasRun() const;
    // Removes the record of earlier runs.
    void forgetRun() const;
    // The run it recorded, once it has run; nothing after `timeout`.
    std::optional<StubRun> waitForRun(e2e::Milliseconds timeout) const;

private:
    std::filesystem::path path_;
};

}  // namespace lorvane::about_tests
