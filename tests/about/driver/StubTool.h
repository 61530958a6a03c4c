#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "Polling.h"
#include "TemporaryFolder.h"

namespace lorvane::about_tests {

// A temporary folder whose path has no blanks, so that a command line may
// name a program in it without quotes.
class ToolFolder : public testing::TemporaryFolder {
public:
    ToolFolder();
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
