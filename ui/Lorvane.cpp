// Lorvane: turns Chinese text into toneless pinyin.

#include <windows.h>

#include "Application.h"
#include "DllSearch.h"
#include "ErrorReport.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    lorvane::platform::LoadLibrariesFromSystemFolderOnly();
    try {
        lorvane::ui::Application application;
        return application.run();
    } catch (...) {
        lorvane::ui::ReportCurrentError(nullptr);
    }
    return 1;
}
