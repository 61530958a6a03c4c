#pragma once

#include <windows.h>

#include <string>

namespace lorvane::about_tests {

// Deletes `path` under `root` with every key and value below it; a key that
// is not there is no error.
void DeleteKeyTree(HKEY root, const std::wstring& path);

// A registry key made for a test and deleted, with everything below it, when
// the object goes. A key left over from an earlier run is deleted first.
class TestRegistryKey {
public:
    TestRegistryKey(HKEY root, std::wstring path);
    ~TestRegistryKey();
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    const std::wstring& path() const { return path_; }
    // The path in the ANSI code page, as the ANSI registry functions take it.
    std::string ansiPath() const;

    // Writes `bytes` exactly as given through the ANSI function: for text
    // types these are the bytes that the ANSI reader gives back.
    void setBytes(const std::string& name, DWORD type, const std::string& bytes) const;
    // Writes `text` as REG_SZ through the wide function, with its
    // terminating zero.
    void setText(const std::string& name, const std::wstring& text) const;

    // Replaces the key's access list with one that grants everyone only
    // `rights`; the key stays deletable by the test.
    void grantEveryoneOnly(const wchar_t* rights) const;

private:
    LONG setEveryoneRights(const wchar_t* rights) const noexcept;

    HKEY root_;
    std::wstring path_;
    HKEY key_ = nullptr;
};

}  // namespace lorvane::about_tests
