// The About box and the ends of the program: Exit ends everything at once;
// closing the main window leaves an open About box, and the program, running.

#include <gtest/gtest.h>

#include "LorvaneProcess.h"
#include "MainWindow.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

constexpr wchar_t AboutCaption[] = L"关于 Lorvane";
constexpr Milliseconds EndTimeout(5'000);

std::vector<HWND> aboutWindowsOf(const LorvaneProcess& process)
{
    std::vector<HWND> found;
    for (HWND window : TopLevelWindowsOf(process.id()))
        if (CaptionOf(window) == AboutCaption) found.push_back(window);
    return found;
}

HWND openAbout(const LorvaneProcess& process, const MainWindow& window)
{
    window.press(window.aboutButton, [&] { return !VisibleWindowsOf(process.id(), nullptr, AboutCaption).empty(); },
                 "About");
    return VisibleWindowsOf(process.id(), nullptr, AboutCaption).front();
}

TEST(WindowLifetime, AboutTwiceShowsOneBoxAndExitEndsEverything)
{
    LorvaneProcess process;
    const MainWindow window(process.waitForMainWindow());
    const HWND about = openAbout(process, window);
    SendMessageW(window.aboutButton, BM_CLICK, 0, 0);
    window.drainPostedMessages();
    EXPECT_EQ(std::vector<HWND>{about}, aboutWindowsOf(process));
    EXPECT_TRUE(IsWindowVisible(window.hwnd())) << "the About box does not replace the main window";

    PressUntil([&] { PostMessageW(window.exitButton, BM_CLICK, 0, 0); }, [&] { return process.hasEnded(); },
               EndTimeout);
    EXPECT_EQ(0u, process.waitForExit(Milliseconds(0))) << "Exit did not end the program";
    EXPECT_FALSE(IsWindow(window.hwnd()));
    EXPECT_FALSE(IsWindow(about));
}

TEST(WindowLifetime, ClosingTheMainWindowLeavesTheAboutBoxAndTheProgramRunning)
{
    LorvaneProcess process;
    const MainWindow window(process.waitForMainWindow());
    const HWND about = openAbout(process, window);

    PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window.hwnd()); }, EndTimeout));
    EXPECT_EQ(std::nullopt, process.waitForExit(Milliseconds(1'000))) << "the open About box keeps it running";
    EXPECT_TRUE(IsWindowVisible(about));

    PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.waitForExit(EndTimeout)) << "the program ends with its last window";
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
