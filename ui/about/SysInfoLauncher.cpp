#include "about/SysInfoLauncher.h"

#include <stdexcept>

#include "AppInfo.h"
#include "AnsiText.h"
#include "Files.h"
#include "MessageBox.h"
#include "ProgramStart.h"
#include "Registry.h"

namespace lorvane::ui {
namespace {

constexpr DWORD ValueBufferBytes = 1024;
constexpr char ToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char ToolValue[] = "PATH";
constexpr char ToolFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char ToolFolderValue[] = "MSINFO";
constexpr wchar_t ToolFileName[] = L"\\MSINFO32.EXE";
constexpr wchar_t UnavailableMessage[] = L"此时系统信息不可用";

std::wstring expandEnvironmentStrings(const std::wstring& text)
{
    const DWORD length = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (length == 0) return text;
    std::wstring expanded(length, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), length);
    if (written == 0 || written > length) return text;
    expanded.resize(written - 1);
    return expanded;
}

}  // namespace

bool ReadRegistryText(HKEY root, const std::string& subKey, const std::string& valueName, std::wstring& text)
{
    LONG status = ERROR_SUCCESS;
    const platform::RegistryKey key(root, subKey, status);
    if (status != ERROR_SUCCESS) {
        text.clear();
        return false;
    }
    const platform::RegistryKey::Value value = key.queryValue(valueName, ValueBufferBytes);
    if (value.status != ERROR_SUCCESS) {
        text.clear();
        return false;
    }
    if (value.data.empty()) throw std::invalid_argument("the registry value holds no data");

    std::string kept(value.data.begin(), value.data.end());
    if (kept.back() == '\0') kept.pop_back();

    switch (value.type) {
    case REG_SZ:
        text = platform::FromAnsi(kept);
        return true;
    case REG_EXPAND_SZ:
        text = expandEnvironmentStrings(platform::FromAnsi(kept));
        return true;
    case REG_DWORD: {
        DWORD number = 0;
        for (std::size_t byte = kept.size() < 4 ? kept.size() : 4; byte-- > 0;)
            number = (number << 8) | static_cast<unsigned char>(kept[byte]);
        text = std::to_wstring(number);
        return true;
    }
    default:
        text.clear();
        return false;
    }
}

void LaunchSystemInformation()
{
    try {
        std::wstring path;
        if (ReadRegistryText(HKEY_LOCAL_MACHINE, ToolKey, ToolValue, path)) {
            platform::StartProgram(path);
            return;
        }
        if (ReadRegistryText(HKEY_LOCAL_MACHINE, ToolFolderKey, ToolFolderValue, path)) {
            const std::wstring candidate = path + ToolFileName;
            if (platform::IsOrdinaryFile(candidate)) {
                platform::StartProgram(candidate);
                return;
            }
        }
    } catch (const std::exception&) {
        // Whatever went wrong, the user is told the same.
    }
    // Modal to the whole program, the main window included.
    MessageBoxW(nullptr, UnavailableMessage, app::Title, MB_OK | MB_TASKMODAL);
}

}  // namespace lorvane::ui
