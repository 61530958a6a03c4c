// Leaves "<own path>.ran" beside itself and ends. The file holds, in UTF-8,
// the command line the program was given and, on a second line, the show
// state it was asked to open its window with ("none" when it was not given
// one).

#include <windows.h>

#include <string>

#include "sys/ProgramFolder.h"
#include "TestText.h"

namespace {

std::wstring showState()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    if (!(startup.dwFlags & STARTF_USESHOWWINDOW)) return L"none";
    return std::to_wstring(startup.wShowWindow);
}

bool writeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                          written == bytes.size();
    CloseHandle(file);
    return complete;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::wstring marker = lorvane::testing::Wide(lorvane::ExecutablePath()) + L".ran";
    const std::wstring partial = marker + L".part";
    // Written aside and renamed, so that the test never reads half a marker.
    if (!writeFile(partial, lorvane::testing::Utf8(GetCommandLineW()) + "\n" + lorvane::testing::Utf8(showState()))) return 2;
    return MoveFileExW(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
