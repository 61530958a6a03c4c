// Puts Lorvane in the state the README's screenshots show: a sample text
// converted in the main window, and optionally the About box open beside it.
// Usage: screenshot_driver [--about]

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "main/Form1Layout.h"

namespace {

constexpr wchar_t SampleText[] = L"重庆长江大桥\r\n汉字转拼音，一键完成。";

HWND waitForWindow(const wchar_t* caption)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (HWND window = FindWindowW(nullptr, caption); window && IsWindowVisible(window)) return window;
        Sleep(50);
    }
    return nullptr;
}

struct Search {
    const wchar_t* className;
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM data)
{
    auto* wanted = reinterpret_cast<Search*>(data);
    wchar_t name[64] = {};
    wchar_t caption[128] = {};
    GetClassNameW(child, name, 64);
    GetWindowTextW(child, caption, 128);
    if (_wcsicmp(name, wanted->className) == 0 && (!wanted->text || wcscmp(caption, wanted->text) == 0)) {
        wanted->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND findChild(HWND parent, const wchar_t* className, const wchar_t* text)
{
    Search search{className, text, nullptr};
    EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool showAbout = argc > 1 && wcscmp(argv[1], L"--about") == 0;
    HWND main = waitForWindow(lorvane::ui::Form1Caption().c_str());
    if (!main) {
        std::fprintf(stderr, "the main window did not appear\n");
        return 1;
    }
    // Text1 is the upper of the two text boxes.
    HWND input = nullptr;
    for (HWND box = FindWindowExW(main, nullptr, L"RICHEDIT50W", nullptr); box;
         box = FindWindowExW(main, box, L"RICHEDIT50W", nullptr)) {
        RECT boxRect, inputRect;
        GetWindowRect(box, &boxRect);
        if (!input || (GetWindowRect(input, &inputRect), boxRect.top < inputRect.top)) input = box;
    }
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(SampleText));
    SendMessageW(findChild(main, L"Button", L"首字母大写"), BM_CLICK, 0, 0);
    SendMessageW(findChild(main, L"Button", L"转换(&S)"), BM_CLICK, 0, 0);
    if (showAbout) {
        PostMessageW(findChild(main, L"Button", L"关于...(&a)"), BM_CLICK, 0, 0);
        if (!waitForWindow(L"关于 Lorvane")) {
            std::fprintf(stderr, "the About box did not appear\n");
            return 1;
        }
    }
    Sleep(500);
    return 0;
}
