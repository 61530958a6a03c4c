// The ends of the program: Exit ends everything at once, an open About box
// too; closing the main window alone ends the program. (AboutBoxTest shows
// the About box outliving the main window.)

#include <gtest/gtest.h>

#include "LorvaneProcess.h"
#include "MainWindow.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

constexpr wchar_t AboutCaption[] = L"关于 Lorvane";
constexpr Milliseconds EndTimeout(5'000);

HWND openAbout(const LorvaneProcess& process, const MainWindow& window)
{
    window.press(window.aboutButton, [&] { return !VisibleWindowsOf(process.id(), nullptr, AboutCaption).empty(); },
                 "About");
    return VisibleWindowsOf(process.id(), nullptr, AboutCaption).front();
}

TEST(WindowLifetime, ExitEndsEverything)
{
    LorvaneProcess process;
    const MainWindow window(process.waitForMainWindow());
    const HWND about = openAbout(process, window);

    PressUntil([&] { PostMessageW(window.exitButton, BM_CLICK, 0, 0); }, [&] { return process.hasEnded(); },
               EndTimeout);
    EXPECT_EQ(0u, process.waitForExit(Milliseconds(0))) << "Exit did not end the program";
    EXPECT_FALSE(IsWindow(window.hwnd()));
    EXPECT_FALSE(IsWindow(about));
}

TEST(WindowLifetime, ClosingTheMainWindowAloneEndsTheProgram)
{
    LorvaneProcess process;
    const MainWindow window(process.waitForMainWindow());
    PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.waitForExit(EndTimeout));
}

}  // namespace
}  // namespace lorvane::e2e
