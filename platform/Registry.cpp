#include "Registry.h"

#include <algorithm>
#include <cstddef>

namespace lorvane::platform {

RegistryKey::RegistryKey(HKEY root, const std::string& subKey, LONG& status)
{
    HKEY opened = nullptr;
    status = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_SUCCESS) key_.reset(opened);
}

RegistryKey::Value RegistryKey::queryValue(const std::string& name, DWORD bufferSize) const
{
    Value value;
    std::vector<BYTE> buffer(bufferSize, 0);
    DWORD size = bufferSize;
    value.status = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &value.type, buffer.data(), &size);
    if (value.status == ERROR_SUCCESS)
        value.data.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(std::min(size, bufferSize)));
    return value;
}

}  // namespace lorvane::platform
