#pragma once

#include <windows.h>

#include <string>

namespace lorvane::ui {

// The About box's System Information launcher (frmAbout::StartSysInfo):
// starts the system's System Information tool from its registry locations,
// or tells the user that it is not available.
void LaunchSystemInformation();

// Reads one registry value as text (frmAbout::GetKeyValue). False, with
// KeyVal empty, when the key or the value cannot be read or the value is
// neither text nor a number. Throws std::invalid_argument for a value of no
// bytes at all.
bool ReadRegistryText(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::wstring& KeyVal);

}  // namespace lorvane::ui
