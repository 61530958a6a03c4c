#include "TestRegistryKey.h"

#include <sddl.h>

#include <stdexcept>

#include "TestText.h"

namespace lorvane::about_tests {
namespace {

std::string failure(const char* what, const std::wstring& path, LONG status)
{
    return std::string(what) + " " + testing::Utf8(path) + " failed (error " + std::to_string(status) + ")";
}

}  // namespace

void DeleteKeyTree(HKEY root, const std::wstring& path)
{
    const LONG status = RegDeleteTreeW(root, path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        throw std::runtime_error(failure("deleting the registry key", path, status));
}

TestRegistryKey::TestRegistryKey(HKEY root, std::wstring path) : root_(root), path_(std::move(path))
{
    DeleteKeyTree(root_, path_);
    const LONG status = RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                        nullptr, &key_, nullptr);
    if (status != ERROR_SUCCESS) throw std::runtime_error(failure("creating the registry key", path_, status));
}

TestRegistryKey::~TestRegistryKey()
{
    setEveryoneRights(L"KA");
    RegCloseKey(key_);
    RegDeleteTreeW(root_, path_.c_str());
}

std::string TestRegistryKey::ansiPath() const { return testing::Ansi(path_); }

void TestRegistryKey::setBytes(const std::string& name, DWORD type, const std::string& bytes) const
{
    // The system counts a terminating zero that follows the data but was
    // left out of the size; a byte that is not zero keeps it from doing so.
    const std::string guarded = bytes + '\x01';
    const LONG status = RegSetValueExA(key_, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(guarded.data()),
                                       static_cast<DWORD>(bytes.size()));
    if (status != ERROR_SUCCESS) throw std::runtime_error(failure("writing a value of", path_, status));
}

void TestRegistryKey::setText(const std::string& name, const std::wstring& text) const
{
    const std::wstring wideName = testing::Wide(name);
    const LONG status = RegSetValueExW(key_, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) throw std::runtime_error(failure("writing a value of", path_, status));
}

void TestRegistryKey::grantEveryoneOnly(const wchar_t* rights) const
{
    const LONG status = setEveryoneRights(rights);
    if (status != ERROR_SUCCESS) throw std::runtime_error(failure("setting the access list of", path_, status));
}

LONG TestRegistryKey::setEveryoneRights(const wchar_t* rights) const noexcept
{
    const std::wstring sddl = std::wstring(L"D:P(A;OICI;") + rights + L";;;WD)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return static_cast<LONG>(GetLastError());
    const LONG status = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    return status;
}

}  // namespace lorvane::about_tests
