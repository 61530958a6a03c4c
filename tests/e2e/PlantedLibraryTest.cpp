// A folder that holds Lorvane.exe may also hold DLLs named like system
// libraries (a Downloads folder does): none of them is ever loaded. Each
// planted copy leaves a marker file if it is.

#include <gtest/gtest.h>

#include "LorvaneProcess.h"
#include "MainWindow.h"
#include "ProgramCopy.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

const wchar_t* const PlantedNames[] = {
    L"msftedit.dll",  // the text boxes, which Lorvane loads itself
    L"comctl32.dll",  // the one import that is not a known system library
    L"riched20.dll", L"usp10.dll",  // what the text boxes load
    L"uxtheme.dll", L"dwmapi.dll", L"version.dll", L"msimg32.dll",  // what windows and fonts load
};

TEST(PlantedLibraries, AreNeverLoadedFromTheProgramsFolder)
{
    const ProgramCopy copy(L"lorvane-planted");
    copy.copyFromBuild(L"pymb.dat", L"pymb.dat");
    for (const wchar_t* name : PlantedNames) copy.copyFromBuild(L"planted_dll.dll", name);

    {
        const LorvaneProcess process(copy.folder());
        const MainWindow window(process.waitForMainWindow());
        window.setInput(L"重庆");
        EXPECT_EQ(L"zhong (chong) qing", window.convert());
        window.press(window.aboutButton, [&] { return !VisibleWindowsOf(process.id(), nullptr, L"关于 Lorvane").empty(); },
                     "About");
        window.press(window.exitButton, [&] { return process.hasEnded(); }, "Exit");
    }
    for (const wchar_t* name : PlantedNames)
        EXPECT_FALSE(std::filesystem::exists(copy.folder() / (std::wstring(name) + L".loaded"))) << testing::Utf8(name);
}

}  // namespace
}  // namespace lorvane::e2e
