#include "ToolLocations.h"

namespace lorvane::about_tests {
namespace {

constexpr wchar_t ToolKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char ToolValue[] = "PATH";
constexpr wchar_t FolderKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char FolderValue[] = "MSINFO";

}  // namespace

ToolLocations::ToolLocations()
{
    DeleteKeyTree(HKEY_LOCAL_MACHINE, ToolKey);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, FolderKey);
}

ToolLocations::~ToolLocations()
{
    toolKey_.reset();
    folderKey_.reset();
}

void ToolLocations::setToolPath(const std::wstring& path)
{
    if (!toolKey_) toolKey_ = std::make_unique<TestRegistryKey>(HKEY_LOCAL_MACHINE, ToolKey);
    toolKey_->setText(ToolValue, path);
}

void ToolLocations::setToolPathBytes(DWORD type, const std::string& bytes)
{
    if (!toolKey_) toolKey_ = std::make_unique<TestRegistryKey>(HKEY_LOCAL_MACHINE, ToolKey);
    toolKey_->setBytes(ToolValue, type, bytes);
}

void ToolLocations::setToolFolder(const std::wstring& folder)
{
    if (!folderKey_) folderKey_ = std::make_unique<TestRegistryKey>(HKEY_LOCAL_MACHINE, FolderKey);
    folderKey_->setText(FolderValue, folder);
}

}  // namespace lorvane::about_tests
