// The About box's System Info button in the real program: where it finds the
// tool in the registry, how it starts it, and the message when it cannot.
// Copies of sysinfo_stub.exe stand in for the tool and record their start.

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "about/AboutLayout.h"
#include "LorvaneSession.h"
#include "MessageBoxWindow.h"
#include "StubTool.h"
#include "ToolLocations.h"
#include "WindowQuery.h"

namespace lorvane::about_tests {
namespace {

using e2e::Milliseconds;
using testing::Utf8;
using namespace std::string_literals;

constexpr Milliseconds StartTimeout(10'000);
// How long a program that should not start is given to show that it did.
constexpr Milliseconds QuietPeriod(1'500);
constexpr wchar_t FolderVariable[] = L"LORVANE_TEST_TOOL_FOLDER";


// Sets an environment variable of the test, which Lorvane inherits, for as
// long as the object lives.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        SetEnvironmentVariableW(name_, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* name_;
};

class SysInfoLauncher : public ::testing::Test {
protected:
    SysInfoLauncher()
        : folderVariable_(FolderVariable, folder_.path().wstring()),
          about_(session_.openAbout()),
          folderTool_(folder_.path() / L"folder" / L"MSINFO32.EXE")
    {
    }

    std::filesystem::path toolFolder() const { return folderTool_.path().parent_path(); }

    // Clicks System Info until one of `watched` has run or a message box
    // shows: a click sent from another process is now and then lost.
    void clickSysInfo(std::initializer_list<const StubCopy*> watched) const
    {
        const std::vector<const StubCopy*> stubs(watched);
        auto reacted = [&] {
            for (const StubCopy* stub : stubs)
                if (stub->hasRun()) return true;
            return e2e::FindMessageBox(session_.process().id()).has_value();
        };
        if (!e2e::PressUntil([&] { about_.postClick(about_.control(ui::about::IdCmdSysInfo)); }, reacted, StartTimeout))
            FAIL() << "clicking System Info neither started a program nor showed a message";
    }

    // `stub` was started by its whole path, quoted, shown normally, and no
    // message was shown.
    void expectStarted(const StubCopy& stub) const
    {
        const auto run = stub.waitForRun(StartTimeout);
        ASSERT_TRUE(run) << Utf8(stub.path().wstring()) << " was not started";
        EXPECT_EQ(Utf8(stub.quotedPath()), Utf8(run->commandLine));
        EXPECT_EQ("1", Utf8(run->showState)) << "the show state the tool was started with";
        about_.drainPostedMessages();
        EXPECT_FALSE(e2e::FindMessageBox(session_.process().id())) << "a message box appeared as well";
        EXPECT_TRUE(about_.isOpen());
    }

    // The message that System Information is unavailable: OK only, no icon,
    // titled Lorvane. It is dismissed, and the About box stays.
    void expectUnavailableMessage() const
    {
        const auto box = e2e::WaitForMessageBox(session_.process().id(), StartTimeout);
        ASSERT_TRUE(box) << "no message box appeared";
        EXPECT_EQ(L"Lorvane", box->caption());
        EXPECT_EQ(Utf8(L"此时系统信息不可用"), Utf8(box->text()));
        std::vector<int> buttons;
        for (HWND child : e2e::ChildrenOf(box->hwnd())) {
            if (!IsWindowVisible(child)) continue;
            if (e2e::ClassOf(child) == L"Button") buttons.push_back(GetDlgCtrlID(child));
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (e2e::ClassOf(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
                DWORD_PTR icon = 0;
                SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_NORMAL, 10'000, &icon);
                EXPECT_EQ(0u, icon) << "the message box shows an icon";
            }
        }
        EXPECT_EQ(std::vector<int>{IDOK}, buttons) << "the ids of the message box's buttons";
        box->dismiss();
        EXPECT_TRUE(about_.isOpen());
    }

    static void expectNotRun(const StubCopy& stub)
    {
        Sleep(static_cast<DWORD>(QuietPeriod.count()));
        EXPECT_FALSE(stub.hasRun()) << Utf8(stub.path().wstring()) << " was started";
    }

    ToolLocations locations_;
    ToolFolder folder_;
    ScopedVariable folderVariable_;
    LorvaneSession session_;
    AboutBox about_;
    StubCopy folderTool_;
};

TEST_F(SysInfoLauncher, ToolPathIsStartedAsItIs)
{
    const StubCopy tool(folder_.path() / L"msinfo32.exe");
    locations_.setToolPath(tool.path().wstring());
    locations_.setToolFolder(toolFolder().wstring());

    clickSysInfo({&tool, &folderTool_});
    expectStarted(tool);
    expectNotRun(folderTool_);
}

TEST_F(SysInfoLauncher, ToolPathWithBlanksStartsThatFileAndNoOther)
{
    const StubCopy tool(folder_.path() / L"Program Files" / L"System Info.exe");
    // What a command line without quotes would start: the path up to its
    // first or second blank, with ".exe" added.
    const StubCopy firstWord(folder_.path() / L"Program.exe");
    const StubCopy secondWord(folder_.path() / L"Program Files" / L"System.exe");
    locations_.setToolPath(tool.path().wstring());

    clickSysInfo({&tool, &firstWord, &secondWord});
    expectStarted(tool);
    expectNotRun(firstWord);
    EXPECT_FALSE(secondWord.hasRun()) << Utf8(secondWord.path().wstring()) << " was started";
}

TEST_F(SysInfoLauncher, ExpandableToolPathIsExpanded)
{
    const StubCopy tool(folder_.path() / L"msinfo32.exe");
    locations_.setToolPathBytes(REG_EXPAND_SZ, testing::Ansi(L"%"s + FolderVariable + L"%\\msinfo32.exe") + '\0');
    locations_.setToolFolder(toolFolder().wstring());

    clickSysInfo({&tool, &folderTool_});
    expectStarted(tool);
    expectNotRun(folderTool_);
}

TEST_F(SysInfoLauncher, ToolPathThatIsNotTextLeadsToTheFolder)
{
    const StubCopy tool(folder_.path() / L"msinfo32.exe");
    locations_.setToolFolder(toolFolder().wstring());
    constexpr DWORD Types[] = {REG_BINARY, REG_MULTI_SZ};
    for (const DWORD type : Types) {
        locations_.setToolPathBytes(type, testing::Ansi(tool.path().wstring()) + "\0\0"s);
        std::filesystem::remove(folderTool_.path().wstring() + L".ran");

        clickSysInfo({&tool, &folderTool_});
        expectStarted(folderTool_);
        EXPECT_FALSE(tool.hasRun()) << "a tool path of type " << type << " was used";
    }
}

struct UnusableToolPath {
    const char* name;
    DWORD type;
    std::string bytes;
};

void PrintTo(const UnusableToolPath& path, std::ostream* out) { *out << path.name; }

class SysInfoLauncherWithUnusableToolPath : public SysInfoLauncher,
                                            public ::testing::WithParamInterface<UnusableToolPath> {};

// Once the tool's path has been read, a failure is final: the folder is not
// looked at.
TEST_P(SysInfoLauncherWithUnusableToolPath, ShowsTheMessageWithoutTryingTheFolder)
{
    locations_.setToolFolder(toolFolder().wstring());
    locations_.setToolPathBytes(GetParam().type, GetParam().bytes);

    clickSysInfo({&folderTool_});
    expectUnavailableMessage();
    expectNotRun(folderTool_);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SysInfoLauncherWithUnusableToolPath,
    ::testing::Values(UnusableToolPath{"MissingFile", REG_SZ, "C:\\NoSuchFolderForLorvane\\msinfo32.exe\0"s},
                      UnusableToolPath{"NoBytes", REG_SZ, ""}, UnusableToolPath{"EmptyText", REG_SZ, "\0"s},
                      UnusableToolPath{"Number", REG_DWORD, "\x05\x01\x00\x00"s}),
    [](const ::testing::TestParamInfo<UnusableToolPath>& tested) { return std::string(tested.param.name); });

TEST_F(SysInfoLauncher, FolderWithTheToolStartsIt)
{
    locations_.setToolFolder(toolFolder().wstring());

    clickSysInfo({&folderTool_});
    expectStarted(folderTool_);
}

TEST_F(SysInfoLauncher, FolderAlwaysGetsABackslashBeforeTheName)
{
    locations_.setToolFolder(toolFolder().wstring() + L"\\");

    clickSysInfo({&folderTool_});
    const auto run = folderTool_.waitForRun(StartTimeout);
    ASSERT_TRUE(run);
    EXPECT_EQ(Utf8(L"\"" + toolFolder().wstring() + L"\\\\MSINFO32.EXE\""), Utf8(run->commandLine));
}

enum class FolderContent { Nothing, FolderOfThatName, HiddenFile, SystemFile };

class SysInfoLauncherWithoutOrdinaryTool : public SysInfoLauncher,
                                           public ::testing::WithParamInterface<FolderContent> {};

TEST_P(SysInfoLauncherWithoutOrdinaryTool, ShowsTheMessage)
{
    const std::filesystem::path& tool = folderTool_.path();
    switch (GetParam()) {
    case FolderContent::Nothing: std::filesystem::remove(tool); break;
    case FolderContent::FolderOfThatName:
        std::filesystem::remove(tool);
        std::filesystem::create_directory(tool);
        break;
    case FolderContent::HiddenFile: ASSERT_TRUE(SetFileAttributesW(tool.c_str(), FILE_ATTRIBUTE_HIDDEN)); break;
    case FolderContent::SystemFile: ASSERT_TRUE(SetFileAttributesW(tool.c_str(), FILE_ATTRIBUTE_SYSTEM)); break;
    }
    locations_.setToolFolder(toolFolder().wstring());

    clickSysInfo({&folderTool_});
    expectUnavailableMessage();
    expectNotRun(folderTool_);
}

const char* nameOf(FolderContent content)
{
    constexpr const char* names[] = {"Nothing", "FolderOfThatName", "HiddenFile", "SystemFile"};
    return names[static_cast<int>(content)];
}

void PrintTo(FolderContent content, std::ostream* out) { *out << nameOf(content); }

std::string folderContentName(const ::testing::TestParamInfo<FolderContent>& info) { return nameOf(info.param); }

INSTANTIATE_TEST_SUITE_P(Cases, SysInfoLauncherWithoutOrdinaryTool,
                         ::testing::Values(FolderContent::Nothing, FolderContent::FolderOfThatName,
                                           FolderContent::HiddenFile, FolderContent::SystemFile),
                         folderContentName);

TEST_F(SysInfoLauncher, NeitherLocationShowsTheMessage)
{
    clickSysInfo({&folderTool_});
    expectUnavailableMessage();
}

TEST_F(SysInfoLauncher, MessageIsModalToTheWholeProgram)
{
    clickSysInfo({&folderTool_});
    const auto box = e2e::WaitForMessageBox(session_.process().id(), StartTimeout);
    ASSERT_TRUE(box);
    EXPECT_FALSE(IsWindowEnabled(about_.hwnd())) << "the About box takes input while the message shows";
    EXPECT_FALSE(IsWindowEnabled(session_.main().hwnd())) << "the main window takes input while the message shows";

    box->dismiss();
    const bool enabledAgain = e2e::WaitUntil(
        [&] { return IsWindowEnabled(about_.hwnd()) && IsWindowEnabled(session_.main().hwnd()); },
        Milliseconds(5'000));
    EXPECT_TRUE(enabledAgain) << "a window stayed disabled after the message";
}

}  // namespace
}  // namespace lorvane::about_tests
