// The About box of the real program: its texts, its place on the screen and
// its controls' places, its owner, the keyboard, the ways to close it, the
// link labels, and the program's life once the main window has gone.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "about/AboutLayout.h"
#include "AppInfo.h"
#include "LinkHandler.h"
#include "LorvaneSession.h"
#include "about/MakerContact.h"
#include "MessageBoxWindow.h"
#include "Polling.h"
#include "StubTool.h"
#include "ToolLocations.h"
#include "WindowQuery.h"

namespace lorvane::about_tests {
namespace {

using e2e::Milliseconds;
using testing::Utf8;
using e2e::TextOf;
using namespace ui::about;
namespace maker = ui::maker;

constexpr int TwipsPerPixelAt96Dpi = 15;
constexpr wchar_t Caption[] = L"关于 Lorvane";
// Major, minor and revision, in plain decimal.
const std::wstring Version = L"版本 " + std::to_wstring(app::VersionMajor) + L"." + std::to_wstring(app::VersionMinor) +
                             L"." + std::to_wstring(app::VersionRevision);
constexpr wchar_t Description[] =
    L"    本软件能将汉语转换成拼音，并支持大小写转换。广泛适用于打字排版行业。"
    L"如果用户需要包含南方模糊间的版本，请与作者联系。";

struct Place {
    ControlId id;
    const char* name;
    platform::TwipRect twips;
};

constexpr Place Places[] = {
    {IdPicIcon, "picIcon", {240, 240, 510, 510}},
    {IdCmdOK, "cmdOK", {4125, 2865, 1500, 345}},
    {IdCmdSysInfo, "cmdSysInfo", {4140, 3315, 1485, 345}},
    {IdLabel5, "Label5", {1080, 2160, 3495, 255}},
    {IdLabel4, "Label4", {1080, 2400, 2175, 255}},
    {IdLabel3, "Label3", {1080, 1920, 2535, 255}},
    {IdLabel2, "Label2", {1080, 1680, 4695, 255}},
    {IdLabel1, "Label1", {1080, 1440, 1335, 255}},
    {IdLblDescription, "lblDescription", {1080, 720, 4605, 570}},
    {IdLblTitle, "lblTitle", {1050, 120, 2685, 480}},
    {IdLblVersion, "lblVersion", {3960, 360, 1365, 225}},
    {IdLblDisclaimer, "lblDisclaimer", {255, 3000, 3630, 465}},
};


class AboutBoxTest : public ::testing::Test {
protected:
    AboutBoxTest() : about_(session_.openAbout()) {}

    HWND control(ControlId id) const { return about_.control(id); }

    // Posts Tab to the focused control and waits for the focus to reach `next`.
    void tabTo(HWND next, const char* name) const
    {
        about_.postKey(session_.focus(), VK_TAB);
        EXPECT_TRUE(e2e::WaitUntil([&] { return session_.focus() == next; }, Milliseconds(5'000)))
            << "Tab did not move the focus to " << name;
    }

    void expectTexts(const AboutBox& box) const
    {
        EXPECT_EQ(Utf8(Caption), Utf8(TextOf(box.hwnd())));
        EXPECT_EQ(Utf8(Version), Utf8(TextOf(box.control(IdLblVersion))));
        EXPECT_EQ("Lorvane", Utf8(TextOf(box.control(IdLblTitle))));
    }

    void expectNoMessageBoxFor(Milliseconds period) const
    {
        const bool appeared = e2e::WaitUntil(
            [&] { return e2e::FindMessageBox(session_.process().id()).has_value(); }, period);
        EXPECT_FALSE(appeared) << "a message box appeared";
    }

    LorvaneSession session_;
    AboutBox about_;
};

TEST_F(AboutBoxTest, ShowsTitleVersionDescriptionAndContacts)
{
    expectTexts(about_);
    EXPECT_EQ(Utf8(Description), Utf8(TextOf(control(IdLblDescription))));
    EXPECT_EQ(Utf8(DisclaimerText), Utf8(TextOf(control(IdLblDisclaimer))));
    EXPECT_EQ(Utf8(std::wstring(L"作者：") + maker::Author), Utf8(TextOf(control(IdLabel1))));
    EXPECT_EQ(Utf8(std::wstring(L"地址：") + maker::Address), Utf8(TextOf(control(IdLabel2))));
    EXPECT_EQ(Utf8(std::wstring(L"电话：") + maker::Telephone + L"（传真）"), Utf8(TextOf(control(IdLabel3))));
    EXPECT_EQ(Utf8(std::wstring(L"E－mail:") + maker::Email), Utf8(TextOf(control(IdLabel4))));
    EXPECT_EQ(Utf8(std::wstring(L"URL：") + maker::WebPage), Utf8(TextOf(control(IdLabel5))));
    EXPECT_EQ("确定", Utf8(TextOf(control(IdCmdOK))));
    EXPECT_EQ("系统信息(&S)...", Utf8(TextOf(control(IdCmdSysInfo))));
}

TEST_F(AboutBoxTest, SitsAtItsFixedPlaceWithEveryControlAtItsOwn)
{
    const RECT client = ClientAreaOnScreen(about_.hwnd());
    EXPECT_EQ(2340 / TwipsPerPixelAt96Dpi, client.left);
    EXPECT_EQ(1935 / TwipsPerPixelAt96Dpi, client.top);
    EXPECT_EQ(5925 / TwipsPerPixelAt96Dpi, client.right - client.left);
    EXPECT_EQ(3810 / TwipsPerPixelAt96Dpi, client.bottom - client.top);

    for (const Place& place : Places) {
        const RECT rect = e2e::RectInParent(control(place.id));
        EXPECT_EQ(place.twips.left / TwipsPerPixelAt96Dpi, rect.left) << place.name;
        EXPECT_EQ(place.twips.top / TwipsPerPixelAt96Dpi, rect.top) << place.name;
        EXPECT_EQ(place.twips.width / TwipsPerPixelAt96Dpi, rect.right - rect.left) << place.name;
        EXPECT_EQ(place.twips.height / TwipsPerPixelAt96Dpi, rect.bottom - rect.top) << place.name;
    }

    // The picture box is its 32 x 32 icon inside a one-pixel border.
    RECT picture{};
    GetClientRect(control(IdPicIcon), &picture);
    EXPECT_EQ(32, picture.right);
    EXPECT_EQ(32, picture.bottom);
}

TEST_F(AboutBoxTest, HasAFixedFrameWithOnlyACloseBox)
{
    const LONG style = GetWindowLongW(about_.hwnd(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_CAPTION), style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

// A window gets a taskbar button when it has no owner or asks for one.
TEST_F(AboutBoxTest, HasNoTaskbarButton)
{
    HWND owner = GetWindow(about_.hwnd(), GW_OWNER);
    ASSERT_NE(nullptr, owner);
    EXPECT_NE(session_.main().hwnd(), owner);
    EXPECT_FALSE(IsWindowVisible(owner));
    DWORD ownerProcess = 0;
    GetWindowThreadProcessId(owner, &ownerProcess);
    EXPECT_EQ(session_.process().id(), ownerProcess);
    EXPECT_FALSE(GetWindowLongW(about_.hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(AboutBoxTest, AboutWhileOpenKeepsTheOneBoxAsItIs)
{
    e2e::SetTextOf(control(IdLblVersion), L"changed since it opened");
    session_.notifyAboutClicked();
    const bool mainInFront = SetForegroundWindow(session_.main().hwnd()) &&
                             e2e::WaitUntil([&] { return GetForegroundWindow() == session_.main().hwnd(); },
                                            Milliseconds(5'000));
    session_.notifyAboutClicked();
    if (mainInFront) {
        EXPECT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == about_.hwnd(); }, Milliseconds(5'000)))
            << "About did not bring the box to the front";
    }

    const auto boxes = session_.aboutBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(about_.hwnd(), boxes.front());
    EXPECT_EQ("changed since it opened", Utf8(TextOf(control(IdLblVersion))))
        << "the box was loaded again";
    EXPECT_TRUE(IsWindowVisible(session_.main().hwnd())) << "the About box does not replace the main window";
}

TEST_F(AboutBoxTest, TabCyclesOkPictureSysInfo)
{
    ASSERT_EQ(control(IdCmdOK), session_.focus());
    tabTo(control(IdPicIcon), "picIcon");
    tabTo(control(IdCmdSysInfo), "cmdSysInfo");
    tabTo(control(IdCmdOK), "cmdOK");
}

enum class Closing { ClickOk, EnterOnOk, EnterOnPicture, Escape, CloseMessage, CloseCommand };

class AboutBoxClosing : public AboutBoxTest, public ::testing::WithParamInterface<Closing> {
protected:
    void close() const
    {
        switch (GetParam()) {
        case Closing::ClickOk:
            session_.main().press(control(IdCmdOK), [&] { return !about_.isOpen(); }, "OK");
            break;
        case Closing::EnterOnOk: about_.postKey(control(IdCmdOK), VK_RETURN); break;
        case Closing::EnterOnPicture:
            tabTo(control(IdPicIcon), "picIcon");
            about_.postKey(control(IdPicIcon), VK_RETURN);
            break;
        case Closing::Escape: about_.postKey(session_.focus(), VK_ESCAPE); break;
        case Closing::CloseMessage: PostMessageW(about_.hwnd(), WM_CLOSE, 0, 0); break;
        case Closing::CloseCommand: PostMessageW(about_.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
        }
    }
};

// Every way of closing unloads the box: opened again, it is a new window
// with its texts set afresh.
TEST_P(AboutBoxClosing, DestroysTheBoxAndOpeningAgainLoadsItAfresh)
{
    e2e::SetTextOf(about_.hwnd(), L"changed caption");
    e2e::SetTextOf(control(IdLblVersion), L"changed version");

    close();
    ASSERT_TRUE(about_.waitUntilClosed());
    EXPECT_TRUE(session_.aboutBoxes().empty());
    EXPECT_TRUE(IsWindowVisible(session_.main().hwnd()));
    EXPECT_FALSE(session_.process().hasEnded());

    const AboutBox reopened = session_.openAbout();
    EXPECT_NE(about_.hwnd(), reopened.hwnd());
    expectTexts(reopened);
}

const char* nameOf(Closing way)
{
    constexpr const char* names[] = {"ClickOk",  "EnterOnOk",    "EnterOnPicture",
                                     "Escape",   "CloseMessage", "CloseCommand"};
    return names[static_cast<int>(way)];
}

void PrintTo(Closing way, std::ostream* out) { *out << nameOf(way); }

std::string closingName(const ::testing::TestParamInfo<Closing>& info) { return nameOf(info.param); }

INSTANTIATE_TEST_SUITE_P(Ways, AboutBoxClosing,
                         ::testing::Values(Closing::ClickOk, Closing::EnterOnOk, Closing::EnterOnPicture,
                                           Closing::Escape, Closing::CloseMessage, Closing::CloseCommand),
                         closingName);

class AboutBoxWithTool : public AboutBoxTest {
protected:
    AboutBoxWithTool() : tool_(folder_.path() / L"msinfo32.exe") { locations_.setToolPath(tool_.path().wstring()); }

    void expectToolStartedAndBoxOpen(const char* how) const
    {
        EXPECT_TRUE(tool_.waitForRun(Milliseconds(10'000))) << how << " did not start the tool";
        about_.drainPostedMessages();
        EXPECT_TRUE(about_.isOpen()) << how << " closed the box";
    }

    ToolLocations locations_;
    ToolFolder folder_;
    StubCopy tool_;
};

TEST_F(AboutBoxWithTool, EnterOnSysInfoReachedByTabStartsTheTool)
{
    tabTo(control(IdPicIcon), "picIcon");
    tabTo(control(IdCmdSysInfo), "cmdSysInfo");
    about_.postKey(control(IdCmdSysInfo), VK_RETURN);
    expectToolStartedAndBoxOpen("Enter on System Info");
}

TEST_F(AboutBoxWithTool, EnterAfterClickingSysInfoStartsTheToolAgain)
{
    about_.postClick(control(IdCmdSysInfo));
    expectToolStartedAndBoxOpen("clicking System Info");
    ASSERT_TRUE(e2e::WaitUntil([&] { return session_.focus() == control(IdCmdSysInfo); }, Milliseconds(5'000)))
        << "the click left the focus elsewhere";

    tool_.forgetRun();
    about_.postKey(control(IdCmdSysInfo), VK_RETURN);
    expectToolStartedAndBoxOpen("Enter on System Info after a click");
}

TEST_F(AboutBoxWithTool, AltSStartsTheTool)
{
    about_.postAltKey(session_.focus(), 'S');
    expectToolStartedAndBoxOpen("Alt+S");
}

TEST_F(AboutBoxTest, LinksHandTheirAddressesToTheShellAndLeaveTheBoxOpen)
{
    const ToolFolder folder;
    const StubCopy mailProgram(folder.path() / L"mailer.exe");
    const StubCopy browser(folder.path() / L"browser.exe");
    const LinkHandler mailLinks(L"mailto", mailProgram.path());
    const LinkHandler webLinks(L"http", browser.path());

    for (ControlId link : {IdLabel4, IdLabel5}) {
        // A label that is not a link lets a real click fall through to the box.
        RECT rect{};
        GetWindowRect(control(link), &rect);
        DWORD_PTR hit = HTNOWHERE;
        SendMessageTimeoutW(control(link), WM_NCHITTEST, 0, MAKELPARAM(rect.left + 2, rect.top + 2), SMTO_NORMAL,
                            10'000, &hit);
        EXPECT_EQ(static_cast<DWORD_PTR>(HTCLIENT), hit) << "label " << link << " takes no clicks";
        about_.postMouseClick(control(link));
    }

    const auto mail = mailProgram.waitForRun(Milliseconds(10'000));
    ASSERT_TRUE(mail) << "the mail link started no mail program";
    EXPECT_EQ(Utf8(mailProgram.quotedPath() + L" \"mailto:" + maker::Email + L"\""), Utf8(mail->commandLine));
    EXPECT_EQ("1", Utf8(mail->showState));
    const auto web = browser.waitForRun(Milliseconds(10'000));
    ASSERT_TRUE(web) << "the web link started no browser";
    EXPECT_EQ(Utf8(browser.quotedPath() + L" \"" + maker::WebPage + L"\""), Utf8(web->commandLine));
    EXPECT_EQ("1", Utf8(web->showState));

    about_.drainPostedMessages();
    EXPECT_TRUE(about_.isOpen());
    EXPECT_EQ(1u, session_.aboutBoxes().size());
    expectNoMessageBoxFor(Milliseconds(1'000));
}

// Wine has neither a mail program nor a browser of its own.
TEST_F(AboutBoxTest, LinksThatCannotBeOpenedShowNothing)
{
    for (ControlId link : {IdLabel4, IdLabel5}) {
        about_.postMouseClick(control(link));
        about_.drainPostedMessages();
        expectNoMessageBoxFor(Milliseconds(2'000));
        EXPECT_TRUE(about_.isOpen()) << "clicking label " << link << " closed the box";
        EXPECT_EQ(1u, session_.aboutBoxes().size()) << "clicking label " << link << " opened a window";
    }
}

TEST_F(AboutBoxTest, ProgramLivesWhileTheBoxOutlastsTheMainWindow)
{
    HWND main = session_.main().hwnd();
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(main); }, Milliseconds(5'000)));
    about_.drainPostedMessages();
    EXPECT_FALSE(session_.process().waitForExit(Milliseconds(1'000))) << "the program ended with the main window";
    ASSERT_TRUE(about_.isOpen());
    EXPECT_TRUE(IsWindowVisible(about_.hwnd()));

    {
        const ToolFolder folder;
        const StubCopy browser(folder.path() / L"browser.exe");
        const LinkHandler webLinks(L"http", browser.path());
        about_.postMouseClick(control(IdLabel5));
        EXPECT_TRUE(browser.waitForRun(Milliseconds(10'000))) << "the web link was not opened";
    }
    about_.drainPostedMessages();
    EXPECT_FALSE(e2e::FindMessageBox(session_.process().id()));
    EXPECT_TRUE(e2e::VisibleWindowsOf(session_.process().id(), nullptr, e2e::MainWindowCaption().c_str()).empty())
        << "the main window came back";

    e2e::PressUntil([&] { if (about_.isOpen()) about_.postClick(control(IdCmdOK)); },
                    [&] { return session_.process().hasEnded(); }, Milliseconds(5'000));
    EXPECT_EQ(0u, session_.process().waitForExit(Milliseconds(0)))
        << "the program did not end when its last window closed";
}

}  // namespace
}  // namespace lorvane::about_tests
