#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "TestRegistryKey.h"

namespace lorvane::about_tests {

// The two places under HKEY_LOCAL_MACHINE where Lorvane looks for the System
// Information tool: the tool's path, and the folder that holds MSINFO32.EXE.
// Both keys are deleted when the object is made and when it goes. The test
// program is built with Lorvane.exe and has its bitness, so the keys land in
// the registry view that Lorvane reads: the 32-bit one (Wow6432Node) for the
// 32-bit build.
class ToolLocations {
public:
    ToolLocations();
    ~ToolLocations();
    ToolLocations(const ToolLocations&) = delete;
    ToolLocations& operator=(const ToolLocations&) = delete;

    // The tool's path as a REG_SZ value with its terminating zero.
    void setToolPath(const std::wstring& path);
    // The tool's path value with exactly these bytes and this type.
    void setToolPathBytes(DWORD type, const std::string& bytes);
    // The folder as a REG_SZ value with its terminating zero.
    void setToolFolder(const std::wstring& folder);

private:
    std::unique_ptr<TestRegistryKey> toolKey_;
    std::unique_ptr<TestRegistryKey> folderKey_;
};

}  // namespace lorvane::about_tests
