// lorvane-cli.exe as a Windows process: file names and a table path in
// Chinese, standard input from a pipe and from "-", output into pipes (UTF-8
// bytes) and onto a console (UTF-16, whatever the console's code page), and
// the exit codes. ctest runs these once more under a locale whose ANSI code
// page is not 936.

#include <gtest/gtest.h>

#include <fstream>

#include "CaseTableAndWords.h"
#include "CliProcess.h"
#include "ConversionCases.h"
#include "TemporaryFolder.h"
#include "LorvaneProcess.h"
#include "WindowQuery.h"

namespace lorvane::cli_tests {
namespace {

// The UTF-8 form of a text, as the tool writes it into a pipe or a file.
using testing::Utf8;
using testing::ConversionCase;
using testing::ConversionCases;

constexpr DWORD Done = 0, UsageFailure = 2, TableFailure = 3, InputFailure = 4, OutputFailure = 5;

// The table and the word data of the conversion cases, and two inputs, all
// under Chinese names.
class ChineseNames : public ::testing::Test {
protected:
    ChineseNames()
    {
        std::filesystem::create_directory(tablePath_.parent_path());
        std::ofstream(tablePath_, std::ios::binary) << testing::CaseTableFile();
        std::ofstream(wordsPath_, std::ios::binary) << testing::CaseWordsFile();
        std::ofstream(firstPath_, std::ios::binary) << "重庆";
        std::ofstream(secondPath_, std::ios::binary) << "\xEF\xBB\xBF长\r\n";
    }

    const testing::TemporaryFolder folder_{L"命令 行"};
    const std::filesystem::path tablePath_ = folder_.path() / L"拼音 表" / L"拼音表.dat";
    const std::filesystem::path wordsPath_ = folder_.path() / L"拼音 表" / L"词 数据.dat";
    const std::filesystem::path firstPath_ = folder_.path() / L"重庆 文件.txt";
    const std::filesystem::path secondPath_ = folder_.path() / L"长江.txt";
    const std::wstring table_ = tablePath_.wstring();
    const std::wstring words_ = wordsPath_.wstring();
    const std::wstring first_ = firstPath_.wstring();
    const std::wstring second_ = secondPath_.wstring();
    const std::wstring missing_ = (folder_.path() / L"没有 这个 文件.txt").wstring();
};

// Every conversion case through a pipe, by the table and by context.
TEST_F(ChineseNames, ConversionCasesThroughPipes)
{
    for (const ConversionCase& test : ConversionCases()) {
        std::vector<std::wstring> arguments{L"--table", table_};
        for (const std::string& option : test.options) arguments.push_back(testing::Wide(option));
        const std::string input = Utf16ToUtf8(test.input);
        const Outcome plain = RunCli(arguments, input);
        EXPECT_EQ(Done, plain.exitCode) << plain.errors;
        EXPECT_EQ(Utf16ToUtf8(test.output) + "\n", plain.output) << test.where();
        arguments.insert(arguments.end(), {L"--context", L"--words", words_});
        EXPECT_EQ(Utf16ToUtf8(test.outputByContext) + "\n", RunCli(arguments, input).output) << test.where();
    }
}

// Tones, sandhi and names with the word data shipped beside the program,
// and onto a console whose code page has no tone marks.
TEST_F(ChineseNames, TonesAndNamesWithTheShippedData)
{
    const Outcome marks = RunCli({L"--context", L"--tone=marks", L"--sandhi", L"--single"}, "重庆一个不是");
    EXPECT_EQ(Done, marks.exitCode) << marks.errors;
    EXPECT_EQ("chóng qìng yí gè bú shì\n", marks.output);
    const Outcome names = RunCli({L"--names", L"--case", L"first", L"--tone", L"numbers"}, "曾国藩\r\n欧阳修\r\n");
    EXPECT_EQ("Zeng1 Guo2fan1\nOu1yang2 Xiu1\n", names.output);
    const Outcome noTones = RunCli({L"--tone=marks", L"--words", words_}, "重庆");
    EXPECT_EQ(TableFailure, noTones.exitCode);
    EXPECT_NE(noTones.errors.find(Utf8(L"词 数据.dat\": the file has no tones or names")), std::string::npos)
        << noTones.errors;
}

// The user's own words from a file at a Chinese path; a bad line is named
// with its number.
TEST_F(ChineseNames, PhrasesAtAChinesePath)
{
    const std::filesystem::path phrases = folder_.path() / L"拼音 表" / L"我的 词语.txt";
    std::ofstream(phrases, std::ios::binary) << "\xEF\xBB\xBF# 我的词\r\n重庆 zhòng qìng\r\n";
    const Outcome mine = RunCli({L"--table", table_, L"--words", words_, L"--phrases", phrases.wstring(), L"--single"},
                                "重庆");
    EXPECT_EQ(Done, mine.exitCode) << mine.errors;
    EXPECT_EQ("zhong qing\n", mine.output);
    std::ofstream(phrases, std::ios::binary) << "重庆 zhong\n";
    const Outcome bad = RunCli({L"--table", table_, L"--words", words_, L"--phrases=" + phrases.wstring()}, "重庆");
    EXPECT_EQ(TableFailure, bad.exitCode);
    EXPECT_NE(bad.errors.find(Utf8(L"我的 词语.txt\": line 1: the word \"重庆\" has 2 characters but 1 syllable")),
              std::string::npos)
        << bad.errors;
}

// Files and standard input, in the order given, are one text, as if all had
// come through the pipe; the second file's byte-order mark is skipped.
TEST_F(ChineseNames, FilesAndStandardInputInOrder)
{
    const Outcome files = RunCli({L"--table", table_, first_, L"-", second_}, "庆");
    EXPECT_EQ(Done, files.exitCode) << files.errors;
    EXPECT_EQ("", files.errors);
    EXPECT_EQ(RunCli({L"--table", table_}, "重庆庆长\r\n").output, files.output);
}

TEST_F(ChineseNames, ExitCodesAndMessagesThatNameTheFile)
{
    const Outcome usage = RunCli({L"--表格", table_});
    EXPECT_EQ(UsageFailure, usage.exitCode);
    EXPECT_NE(usage.errors.find(Utf8(L"--表格")), std::string::npos) << usage.errors;

    const std::wstring absentTable = (folder_.path() / L"拼音 表" / L"缺少的表.dat").wstring();
    const Outcome table = RunCli({L"--table", absentTable, first_});
    EXPECT_EQ(TableFailure, table.exitCode);
    EXPECT_NE(table.errors.find(Utf8(L"缺少的表.dat")), std::string::npos) << table.errors;
    EXPECT_EQ("", table.output);

    const Outcome input = RunCli({L"--table", table_, first_, missing_});
    EXPECT_EQ(InputFailure, input.exitCode);
    EXPECT_NE(input.errors.find(Utf8(L"没有 这个 文件.txt")), std::string::npos) << input.errors;

    EXPECT_EQ(OutputFailure, RunCli({L"--table", table_, first_}, {}, Streams::UnwritableOutput).exitCode);
}

// Without --words, the word data beside the program; a missing word data
// file is named, never passed over.
TEST_F(ChineseNames, WordDataBesideTheProgramOrNamed)
{
    const Outcome beside = RunCli({L"--context", first_});
    EXPECT_EQ(Done, beside.exitCode) << beside.errors;
    const std::wstring besidePath = (e2e::BuildOutputFolder() / L"words.dat").wstring();
    EXPECT_EQ(RunCli({L"--context", L"--words", besidePath, first_}).output, beside.output);

    std::filesystem::remove(wordsPath_);
    const Outcome missing = RunCli({L"--table", table_, L"--context", L"--words=" + words_, first_});
    EXPECT_EQ(TableFailure, missing.exitCode);
    EXPECT_NE(missing.errors.find(Utf8(L"词 数据.dat")), std::string::npos) << missing.errors;
}

// Output and messages on a console of the test's own, set to code page 437,
// which has no Chinese: only text written as UTF-16 shows right.
class OnAConsole : public ChineseNames {
protected:
    static void SetUpTestSuite()
    {
        FreeConsole();
        consoleReady_ = AllocConsole() && SetConsoleOutputCP(437);
    }

    void SetUp() override
    {
        if (!consoleReady_) GTEST_SKIP() << "no console could be had (error " << GetLastError() << ")";
        HANDLE screen = GetStdHandle(STD_OUTPUT_HANDLE);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(screen, &info);
        DWORD written = 0;
        FillConsoleOutputCharacterW(screen, L' ', static_cast<DWORD>(info.dwSize.X * info.dwSize.Y), {0, 0}, &written);
        SetConsoleCursorPosition(screen, {0, 0});
        FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
    }

    // What the user types: each character as a key press and release.
    static void type(const std::wstring& keys)
    {
        std::vector<INPUT_RECORD> records;
        for (const wchar_t key : keys) {
            INPUT_RECORD record{};
            record.EventType = KEY_EVENT;
            record.Event.KeyEvent.wRepeatCount = 1;
            record.Event.KeyEvent.wVirtualKeyCode = key == L'\r' ? VK_RETURN : 0;
            record.Event.KeyEvent.uChar.UnicodeChar = key;
            for (const BOOL down : {TRUE, FALSE}) {
                record.Event.KeyEvent.bKeyDown = down;
                records.push_back(record);
            }
        }
        DWORD written = 0;
        WriteConsoleInputW(GetStdHandle(STD_INPUT_HANDLE), records.data(), static_cast<DWORD>(records.size()), &written);
    }

    // The screen's lines up to the cursor, trailing blanks dropped.
    static std::wstring screen()
    {
        HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(console, &info);
        std::wstring text;
        std::wstring line(static_cast<std::size_t>(info.dwSize.X), L' ');
        for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
            DWORD read = 0;
            ReadConsoleOutputCharacterW(console, line.data(), static_cast<DWORD>(line.size()), {0, row}, &read);
            text += line.substr(0, line.find_last_not_of(L' ') + 1) + L"\n";
        }
        return text;
    }

    static inline bool consoleReady_ = false;
};

TEST_F(OnAConsole, ChineseShowsWhateverTheCodePage)
{
    const std::vector<ConversionCase> cases = ConversionCases();
    const ConversionCase& plain = testing::CaseOf(cases, cases.front().input, {});
    type(ToWide(plain.input) + L"\r\x1A\r");
    const Outcome typed = RunCli({L"--table", table_}, {}, Streams::Console);
    EXPECT_EQ(Done, typed.exitCode);
    EXPECT_NE(screen().find(L"\n" + ToWide(plain.output) + L"\n"), std::wstring::npos) << testing::Utf8(screen());

    const Outcome missing = RunCli({L"--table", table_, missing_}, {}, Streams::Console);
    EXPECT_EQ(InputFailure, missing.exitCode);
    EXPECT_NE(screen().find(L"没有 这个 文件.txt"), std::wstring::npos) << testing::Utf8(screen());
}

TEST_F(OnAConsole, ToneMarksShowWhateverTheCodePage)
{
    type(L"重庆绿\r\x1A\r");
    EXPECT_EQ(Done, RunCli({L"--context", L"--tone=marks", L"--single"}, {}, Streams::Console).exitCode);
    EXPECT_NE(screen().find(L"\nchóng qìng lǜ\n"), std::wstring::npos) << testing::Utf8(screen());
}

}  // namespace
}  // namespace lorvane::cli_tests
