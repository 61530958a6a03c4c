// Start-up with a pinyin table that cannot be loaded: one message box names
// the problem and the file's full path, no main window ever shows, and the
// program ends with code 3 once the box is dismissed. A table of exactly the
// capacity still starts.

#include <gtest/gtest.h>

#include <fstream>

#include "LorvaneProcess.h"
#include "MainWindow.h"
#include "ProgramCopy.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

constexpr std::size_t TableCapacity = 27'951;
constexpr DWORD TableFailureExitCode = 3;

// GBK: 中zhong as filler, then 庆qing as the last entry.
constexpr char FillerEntry[] = "\xD6\xD0zhong\r\n";
constexpr char LastEntry[] = "\xC7\xECqing\r\n";

enum class Table { Missing, Empty, OneTooMany };

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
    if (!file) throw std::runtime_error("could not write " + Narrow(path.wstring()));
}

// The folder the program is copied into: a plain name, and one with a blank
// and Chinese characters.
const wchar_t* const FolderNames[] = {L"lorvane-e2e", L"临时 文件夹"};

class StartUpFailure : public ::testing::TestWithParam<std::tuple<const wchar_t*, Failure>> {};

TEST_P(StartUpFailure, ShowsOneMessageBoxAndEndsWithoutAMainWindow)
{
    const auto& [folderName, failure] = GetParam();
    const ProgramCopy copy(folderName);
    if (failure.table == Table::Empty) writeTable(copy.table(), 0);
    if (failure.table == Table::OneTooMany) writeTable(copy.table(), TableCapacity + 1);

    const LorvaneProcess process(copy.folder());
    bool mainWindowShown = false;
    auto mainWindowSeen = [&] {
        mainWindowShown = mainWindowShown || !VisibleWindowsOf(process.id(), nullptr, MainWindowCaption).empty();
        return mainWindowShown;
    };
    std::optional<MessageBoxWindow> box;
    WaitUntil([&] { return mainWindowSeen() || (box = FindMessageBox(process.id())) || process.hasEnded(); },
              Milliseconds(20'000), Milliseconds(5));
    ASSERT_TRUE(box) << "no message box stayed up; main window shown: " << mainWindowShown << "; exit code "
                     << process.waitForExit(Milliseconds(0)).value_or(STILL_ACTIVE);
    const std::optional<DWORD> earlyExit = process.waitForExit(Milliseconds(300));
    ASSERT_TRUE(IsWindowVisible(box->hwnd()) && !earlyExit)
        << "the message box went away by itself, before the user could read it; exit code "
        << earlyExit.value_or(STILL_ACTIVE);

    EXPECT_EQ(VisibleWindowsOf(process.id(), nullptr, nullptr), std::vector<HWND>{box->hwnd()})
        << "the message box is the only window";
    EXPECT_EQ(box->caption(), L"Lorvane");
    const std::wstring text = box->text();
    EXPECT_NE(text.find(failure.problem), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(copy.table().wstring()), std::wstring::npos)
        << Narrow(text) << "\nshould name " << Narrow(copy.table().wstring());

    box->dismiss();
    std::optional<DWORD> exitCode;
    WaitUntil([&] { return mainWindowSeen() || (exitCode = process.waitForExit(Milliseconds(0))); },
              Milliseconds(10'000), Milliseconds(5));
    EXPECT_EQ(exitCode, TableFailureExitCode);
    EXPECT_FALSE(mainWindowShown);
}

INSTANTIATE_TEST_SUITE_P(
    EveryLoadFailure, StartUpFailure,
    ::testing::Combine(::testing::ValuesIn(FolderNames),
                       ::testing::Values(Failure{Table::Missing, L"找不到拼音表文件", "Missing"},
                                         Failure{Table::Empty, L"拼音表文件是空的", "Empty"},
                                         Failure{Table::OneTooMany, L"拼音表文件有 27,952 个条目，超过了",
                                                 "OneTooMany"})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) == FolderNames[0] ? "PlainFolder" : "ChineseFolder") +
               std::get<1>(info.param).name;
    });

class FullTable : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(FullTable, StartsAndReachesTheLastEntry)
{
    const ProgramCopy copy(GetParam());
    writeTable(copy.table(), TableCapacity);

    const LorvaneProcess process(copy.folder());
    const MainWindow window(process.waitForMainWindow());
    window.setInput(L"庆");
    EXPECT_EQ(window.convert(), L"qing");
    PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Milliseconds(5'000)), 0u);
}

INSTANTIATE_TEST_SUITE_P(InEitherFolder, FullTable, ::testing::ValuesIn(FolderNames),
                         [](const auto& info) {
                             return std::string(info.param == FolderNames[0] ? "PlainFolder" : "ChineseFolder");
                         });

}  // namespace
}  // namespace lorvane::e2e
