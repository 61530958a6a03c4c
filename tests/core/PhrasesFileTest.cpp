#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "DataFileFailure.h"
#include "TemporaryFolder.h"
#include "context/PhrasesFile.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

using Kind = DataFileError::Problem;

std::string repeated(std::string_view text, std::size_t times)
{
    std::string out;
    for (std::size_t time = 0; time < times; ++time) out += text;
    return out;
}

// Each entry as "line: word syllable…", the syllables as stored.
std::vector<std::string> listed(const Phrases& phrases)
{
    std::vector<std::string> entries;
    for (const Phrases::Entry& entry : phrases.entries) {
        std::string text = std::to_string(entry.line) + ": " + Utf16ToUtf8(phrases.unitsOf(entry));
        for (std::size_t unit = entry.unitsStart; unit < entry.unitsStart + entry.length; ++unit) {
            text += ' ';
            AppendUtf8(phrases.syllables.at(phrases.syllableOf.at(unit)), text);
        }
        entries.push_back(text);
    }
    return entries;
}

TEST(PhrasesFile, ReadsEveryWayOfWritingASyllableAsTheWordDataSpellsIt)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> entries;
    };
    std::string longestLine = "中 zhong #";
    longestLine.resize(MaxPhrasesLineBytes, 'x');
    const Case cases[] = {
        {"toneless, between blanks of every kind", "中国 zhong guo\n重庆\tchong\u3000 qing  \n",
         {"1: 中国 zhong guo", "2: 重庆 chong qing"}},
        {"tone numbers; in a toned entry no tone is the neutral tone", "的 de5\n朋友 peng2 you\n东西 dong xi1\n",
         {"1: 的 de5", "2: 朋友 peng2 you5", "3: 东西 dong5 xi1"}},
        {"tone marks, precomposed or combining, on any letter",
         "中国 zhōng guó\n绿女 lǜ nǚ\n呣嗯 ḿ ň\n嗯嗯 ǹ ńg\n嗯呣 n\u0304 m\u0300\n好 hao\u030C\n",
         {"1: 中国 zhong1 guo2", "2: 绿女 lv4 nv3", "3: 呣嗯 m2 n3", "4: 嗯嗯 n4 ng2", "5: 嗯呣 n1 m4", "6: 好 hao3"}},
        {"ü as v, u:, u and a combining diaeresis; lue as lüe",
         "绿 lv4\n绿 lu:4\n略 lu:e4\n虐 nüè\n略 lue\n绿 lu\u0308\u0300\n",
         {"1: 绿 lv4", "2: 绿 lv4", "3: 略 lve4", "4: 虐 nve4", "5: 略 lve", "6: 绿 lv4"}},
        {"capitals", "中国 ZHONG1 Guó\n绿女 LǛ NU:3\n", {"1: 中国 zhong1 guo2", "2: 绿女 lv4 nv3"}},
        {"comments", "# my words\n中国 zhong guo # the country\n中 zhong#right after\n  # indented\n",
         {"2: 中国 zhong guo", "3: 中 zhong"}},
        {"mark, CR LF, blank lines, a lone CR, no LF at the end", "\xEF\xBB\xBF中 zhong\r\n\r\n \t\n国\rguo\r\n人 ren",
         {"1: 中 zhong", "4: 国 guo", "5: 人 ren"}},
        {"the same word again, the longest word and the longest line",
         "中 zhong\n中 zhong4\n" + repeated("中", 15) + repeated(" zhong", 15) + "\n" + longestLine + "\r\n",
         {"1: 中 zhong", "2: 中 zhong4", "3: " + repeated("中", 15) + repeated(" zhong", 15), "4: 中 zhong"}},
        {"nothing but comments", "# none yet\r\n", {}},
        {"empty", "", {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const Phrases phrases = ParsePhrases(test.bytes, "mine.txt");
        EXPECT_EQ(test.entries, listed(phrases));
        EXPECT_EQ(phrases.syllables.size(), std::set(phrases.syllables.begin(), phrases.syllables.end()).size())
            << "a syllable stored twice";
    }
}

TEST(PhrasesFile, EveryFaultIsRefusedWithItsLine)
{
    struct Case {
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF中 zhong\n\xD6\xD0 zhong\n", "line 2 is not UTF-8"},
        {"\n# \xED\xA0\x80\n", "line 2 is not UTF-8"},
        {std::string(MaxPhrasesLineBytes + 1, '#'), "line 1 is longer than 4,096 bytes"},
        {"中 zhong\r\n" + std::string(1 << 20, ' '), "line 2 is longer than 4,096 bytes"},
        {"中国\n", "line 1: the word \"中国\" has no syllables"},
        {"\r\n中国 # zhong guo", "line 2: the word \"中国\" has no syllables"},
        {"中国 zhong\n", "line 1: the word \"中国\" has 2 characters but 1 syllable"},
        {"中 zhong guo\n", "line 1: the word \"中\" has 1 character but 2 syllables"},
        {"中" + repeated(" zhong", 16), "line 1: the word \"中\" has 1 character but 16 syllables"},
        {"中 zzz", "line 1: \"zzz\" is not a pinyin syllable"},
        {"中 zho4ng", "line 1: \"zho4ng\" is not a pinyin syllable"},
        {"中 zhuangg", "line 1: \"zhuangg\" is not a pinyin syllable"},
        {"中 \u0300a", "line 1: \"\u0300a\" is not a pinyin syllable"},
        {"中 zhong6", "line 1: \"zhong6\" is not a pinyin syllable: its tone is not 1 to 5"},
        {"中 zhòng4", "line 1: \"zhòng4\" is not a pinyin syllable: it has two tones"},
        {"zhong guo", "line 1: the word \"zhong\" holds the ASCII character \"z\""},
        {"中a zhong a", "line 1: the word \"中a\" holds the ASCII character \"a\""},
        {"\xC2\x85中 zhong zhong", "line 1: the word \"\xC2\x85中\" holds the control character U+0085"},
        {"𠀀 qiu", "line 1: the word \"𠀀\" holds U+20000, a character outside the Basic Multilingual Plane"},
        {repeated("中", 16) + repeated(" zhong", 16), "has 16 characters; a word has at most 15"},
    };
    for (const Case& test : cases) {
        try {
            ParsePhrases(test.bytes, "/data/mine.txt");
            ADD_FAILURE() << test.message << ": loaded";
        } catch (const DataFileError& error) {
            EXPECT_EQ(Kind::BadContent, error.problem()) << error.what();
            EXPECT_NE(std::string(error.what()).find("cannot load the phrases \"/data/mine.txt\": "), std::string::npos)
                << error.what();
            EXPECT_NE(std::string(error.what()).find(test.message), std::string::npos) << error.what();
        }
    }
}

TEST(PhrasesFile, FilesThatCannotBeReadOrAreTooLarge)
{
    const testing::TemporaryFolder folder;
    const auto failureOf = [](const std::filesystem::path& path) {
        return testing::FailureOf([&] { LoadPhrases(path.string()); }, path.string());
    };
    EXPECT_EQ(Kind::Missing, failureOf(folder.path() / "mine.txt"));
    EXPECT_EQ(Kind::Unreadable, failureOf(folder.path()));
    // Sparse where the file system allows, so refused before any reading.
    const std::filesystem::path large = folder.path() / "large.txt";
    std::ofstream(large, std::ios::binary) << "中 zhong\n";
    std::filesystem::resize_file(large, std::uintmax_t{1} << 30);
    EXPECT_EQ(Kind::TooLarge, failureOf(large));

    const std::filesystem::path good = folder.path() / "good.txt";
    std::ofstream(good, std::ios::binary) << "中国 zhong guo\n";
    EXPECT_EQ(std::vector<std::string>{"1: 中国 zhong guo"}, listed(LoadPhrases(good.string())));
}

}  // namespace
}  // namespace lorvane
