// Start-up with a pinyin table that cannot be loaded: one message box names
// the problem and the file's full path, no main window ever shows, and the
// program ends with code 3 once the box is dismissed. A table of exactly the
// capacity still starts. Without the text boxes' library the box names that,
// in Chinese, and not as a lack of memory.

#include <gtest/gtest.h>

#include <fstream>

#include "LorvaneProcess.h"
#include "MainWindow.h"
#include "ProgramCopy.h"
#include "TestRegistryKey.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

constexpr std::size_t TableCapacity = 27'951;
constexpr DWORD TableFailureExitCode = 3;

// 中zhong as filler, then 庆qing as the last entry.
const std::string FillerEntry = testing::Gbk(u"中zhong\r\n");
const std::string LastEntry = testing::Gbk(u"庆qing\r\n");

enum class Table { Missing, Empty, OneTooMany, Folder };

struct Failure {
    Table table;
    const wchar_t* problem;
    const char* name;
};

void PrintTo(const Failure& failure, std::ostream* out) { *out << failure.name; }

void writeTable(const std::filesystem::path& path, std::size_t entries)
{
    std::ofstream file(path, std::ios::binary);
    for (std::size_t entry = 1; entry < entries; ++entry) file << FillerEntry;
    if (entries > 0) file << LastEntry;
    if (!file) throw std::runtime_error("could not write " + testing::Utf8(path.wstring()));
}

// The folder the program is copied into: a plain name, and one with a blank
// and Chinese characters.
const wchar_t* const FolderNames[] = {L"lorvane-e2e", L"临时 文件夹"};

// What a failed start-up showed: the text of its one message box, which
// stayed up until dismissed, and then the exit code.
struct FailedStart {
    std::wstring message;
    std::optional<DWORD> exitCode;
};

FailedStart SeeStartUpFail(const LorvaneProcess& process)
{
    bool mainWindowShown = false;
    auto mainWindowSeen = [&] {
        mainWindowShown = mainWindowShown || !VisibleWindowsOf(process.id(), nullptr, MainWindowCaption().c_str()).empty();
        return mainWindowShown;
    };
    std::optional<MessageBoxWindow> box;
    WaitUntil([&] { return mainWindowSeen() || (box = FindMessageBox(process.id())) || process.hasEnded(); },
              Milliseconds(20'000), Milliseconds(5));
    if (!box)
        throw std::runtime_error("no message box stayed up; main window shown: " + std::to_string(mainWindowShown) +
                                 "; exit code " + std::to_string(process.waitForExit(Milliseconds(0)).value_or(STILL_ACTIVE)));
    const std::optional<DWORD> earlyExit = process.waitForExit(Milliseconds(300));
    EXPECT_TRUE(IsWindowVisible(box->hwnd()) && !earlyExit)
        << "the message box went away by itself, before the user could read it; exit code "
        << earlyExit.value_or(STILL_ACTIVE);
    EXPECT_EQ(std::vector<HWND>{box->hwnd()}, VisibleWindowsOf(process.id(), nullptr, nullptr))
        << "the message box is the only window";
    EXPECT_EQ(L"Lorvane", box->caption());

    FailedStart seen{box->text(), std::nullopt};
    box->dismiss();
    WaitUntil([&] { return mainWindowSeen() || (seen.exitCode = process.waitForExit(Milliseconds(0))); },
              Milliseconds(10'000), Milliseconds(5));
    EXPECT_FALSE(mainWindowShown);
    return seen;
}

class StartUpFailure : public ::testing::TestWithParam<std::tuple<const wchar_t*, Failure>> {};

TEST_P(StartUpFailure, ShowsOneMessageBoxAndEndsWithoutAMainWindow)
{
    const auto& [folderName, failure] = GetParam();
    const ProgramCopy copy(folderName);
    if (failure.table == Table::Empty) writeTable(copy.table(), 0);
    if (failure.table == Table::OneTooMany) writeTable(copy.table(), TableCapacity + 1);
    if (failure.table == Table::Folder) std::filesystem::create_directory(copy.table());

    const FailedStart seen = SeeStartUpFail(LorvaneProcess(copy.folder()));
    EXPECT_NE(seen.message.find(failure.problem), std::wstring::npos) << testing::Utf8(seen.message);
    EXPECT_NE(seen.message.find(copy.table().wstring()), std::wstring::npos)
        << testing::Utf8(seen.message) << "\nshould name " << testing::Utf8(copy.table().wstring());
    EXPECT_EQ(TableFailureExitCode, seen.exitCode);
}

INSTANTIATE_TEST_SUITE_P(
    EveryLoadFailure, StartUpFailure,
    ::testing::Combine(::testing::ValuesIn(FolderNames),
                       ::testing::Values(Failure{Table::Missing, L"找不到拼音表文件", "Missing"},
                                         Failure{Table::Empty, L"拼音表文件是空的", "Empty"},
                                         Failure{Table::OneTooMany, L"拼音表文件有 27,952 个条目，超过了",
                                                 "OneTooMany"},
                                         // The system's reason follows, in its own language, and says so.
                                         Failure{Table::Folder, L"无法读取拼音表文件。\r\n系统给出的原因：", "Folder"})),
    [](const auto& tested) {
        return std::string(std::get<0>(tested.param) == FolderNames[0] ? "PlainFolder" : "ChineseFolder") +
               std::get<1>(tested.param).name;
    });

class FullTable : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(FullTable, StartsAndReachesTheLastEntry)
{
    const ProgramCopy copy(GetParam());
    writeTable(copy.table(), TableCapacity);

    const LorvaneProcess process(copy.folder());
    const MainWindow window(process.waitForMainWindow());
    window.setInput(L"庆");
    EXPECT_EQ(L"qing", window.convert());
    PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.waitForExit(Milliseconds(5'000)));
}

INSTANTIATE_TEST_SUITE_P(InEitherFolder, FullTable, ::testing::ValuesIn(FolderNames),
                         [](const auto& tested) {
                             return std::string(tested.param == FolderNames[0] ? "PlainFolder" : "ChineseFolder");
                         });

TEST(StartUpWithoutTextBoxes, SaysWhatFailedInChinese)
{
    // Wine's way to keep a library from one program.
    const about_tests::TestRegistryKey overrides(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Lorvane.exe\\DllOverrides");
    overrides.setText("msftedit", L"");
    const FailedStart seen = SeeStartUpFail(LorvaneProcess());
    const std::wstring firstParagraph = seen.message.substr(0, seen.message.find(L"\r\n"));
    EXPECT_EQ(L"无法载入文本框所需的系统组件 msftedit.dll。", firstParagraph);
    EXPECT_NE(seen.message.find(L"\r\n\r\n系统给出的原因（错误 126）："), std::wstring::npos) << testing::Utf8(seen.message);
    EXPECT_NE(seen.exitCode.value_or(0), 0u);
}

}  // namespace
}  // namespace lorvane::e2e
