// Lorvane: turns Chinese text into toneless pinyin.

#include <windows.h>

#include <exception>
#include <new>

#include "Application.h"
#include "DllSearch.h"
#include "Window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    lorvane::platform::LoadLibrariesFromSystemFolderOnly();
    try {
        lorvane::ui::Application application;
        return application.run();
    } catch (const std::bad_alloc&) {
        lorvane::ui::ReportUnexpectedError(nullptr, nullptr);
    } catch (const std::exception& error) {
        lorvane::ui::ReportUnexpectedError(nullptr, error.what());
    }
    return 1;
}
