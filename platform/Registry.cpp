#include "Registry.h"

namespace lorvane::platform {

RegistryKey::RegistryKey(HKEY root, const std::string& subKey, LONG& status)
{
    status = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key_);
    if (status != ERROR_SUCCESS) key_ = nullptr;
}

RegistryKey::~RegistryKey()
{
    if (key_) RegCloseKey(key_);
}

RegistryKey::Value RegistryKey::queryValue(const std::string& name, DWORD bufferSize) const
{
    Value value;
    std::vector<BYTE> buffer(bufferSize, 0);
    DWORD size = bufferSize;
    value.status = RegQueryValueExA(key_, name.c_str(), nullptr, &value.type, buffer.data(), &size);
    if (value.status == ERROR_SUCCESS) value.data.assign(buffer.begin(), buffer.begin() + (size < bufferSize ? size : bufferSize));
    return value;
}

}  // namespace lorvane::platform
