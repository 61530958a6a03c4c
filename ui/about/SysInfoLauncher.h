#pragma once

#include <windows.h>

#include <string>

namespace lorvane::ui {

// The About box's System Information launcher (frmAbout::StartSysInfo):
// starts the system's System Information tool from its registry locations,
// or tells the user that it is not available.
void LaunchSystemInformation();

// Reads the value `valueName` of the key `subKey` under `root` as text
// (frmAbout::GetKeyValue). False, with `text` empty, when the key or the value
// cannot be read or the value is neither text nor a number. Throws
// std::invalid_argument for a value of no bytes at all.
bool ReadRegistryText(HKEY root, const std::string& subKey, const std::string& valueName, std::wstring& text);

}  // namespace lorvane::ui
