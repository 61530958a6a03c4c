#include "LinkHandler.h"

#include <stdexcept>
#include <string>


namespace lorvane::about_tests {
namespace {

// Wine reads the handlers of link schemes from the machine's classes only,
// not from the user's.
constexpr wchar_t ClassesKey[] = L"Software\\Classes\\";

class OpenedKey {
public:
    OpenedKey(const std::wstring& path, bool create, bool& existed)
    {
        DWORD disposition = 0;
        const LONG status = create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                                     KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, &disposition)
                                   : RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0,
                                                   KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
        if (status != ERROR_SUCCESS) {
            key_ = nullptr;
            existed = false;
            return;
        }
        existed = !create || disposition == REG_OPENED_EXISTING_KEY;
    }
    ~OpenedKey()
    {
        if (key_) RegCloseKey(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

LinkHandler::LinkHandler(const std::wstring& scheme, const std::filesystem::path& program)
    : commandKey_(ClassesKey + scheme + L"\\shell\\open\\command")
{
    const OpenedKey key(commandKey_, true, keyExisted_);
    if (!key.get()) throw std::runtime_error("the link handler's registry key could not be created");
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        Value value{type, std::vector<BYTE>(size)};
        if (RegQueryValueExW(key.get(), nullptr, nullptr, &value.type, value.bytes.data(), &size) == ERROR_SUCCESS)
            previous_ = std::move(value);
    }
    const std::wstring command = L"\"" + program.wstring() + L"\" \"%1\"";
    const LONG status = RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("the link handler could not be registered (error " + std::to_string(status) + ")");
}

LinkHandler::~LinkHandler()
{
    if (!keyExisted_) {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, commandKey_.c_str());
        return;
    }
    bool existed = false;
    const OpenedKey key(commandKey_, false, existed);
    if (!key.get()) return;
    if (previous_)
        RegSetValueExW(key.get(), nullptr, 0, previous_->type, previous_->bytes.data(),
                       static_cast<DWORD>(previous_->bytes.size()));
    else
        RegDeleteValueW(key.get(), nullptr);
}

}  // namespace lorvane::about_tests
