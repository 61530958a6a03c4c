#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Handle.h"

namespace lorvane::platform {

// A registry key opened for reading values only, closed when the object goes.
class RegistryKey {
public:
    // Opens `subKey` under `root` through the ANSI function with
    // KEY_QUERY_VALUE; `status` receives the system's result.
    RegistryKey(HKEY root, const std::string& subKey, LONG& status);

    bool isOpen() const { return static_cast<bool>(key_); }

    struct Value {
        LONG status = ERROR_FILE_NOT_FOUND;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;  // the bytes the system reports
    };
    // Reads one value into a buffer of `bufferSize` bytes, zeroed before the read.
    Value queryValue(const std::string& name, DWORD bufferSize) const;

private:
    RegistryHandle key_;
};

}  // namespace lorvane::platform
