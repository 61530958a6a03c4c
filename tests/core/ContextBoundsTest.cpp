// The index by context against crafted data: memory within its budget and
// refused before it is taken, pairs found in a bounded number of steps, and
// many rules found as a scan of them finds them.

#include <gtest/gtest.h>

#include <random>

#include "ContextReference.h"
#include "WordDataWriter.h"
#include "context/ContextConversion.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

using testing::WordDataContents;

// A distinct syllable of lower-case letters for `number`, `length` long.
std::string letters(std::size_t number, std::size_t length)
{
    std::string text;
    do {
        text.push_back(static_cast<char>('a' + number % 25));
        number /= 25;
    } while (number != 0);
    text.resize(std::max(length, text.size()), 'z');
    return text;
}

WordData parsed(const WordDataContents& contents)
{
    return ParseWordData(testing::WordDataBytes(contents), "words.dat");
}

// 长 with 300 readings of 60 letters, and word data that chooses 2,000 other
// syllables for it, each in a word of its own: a copy of its readings for
// every syllable chosen would take 2,000 x 300 x 63 units, over 200 MB.
TEST(ContextBounds, MemoryGrowsWithTheFilesNotWithTheirProduct)
{
    PinyinTable table;
    for (std::size_t reading = 0; reading < 300; ++reading) {
        std::u16string& entry = table.slots[table.PinyinEntryCount++];
        entry.assign(1, u'长');
        entry += Utf8ToUtf16(letters(reading, 60));
    }
    WordDataContents contents;
    contents.chars.push_back({u'长', 100, NoSyllable});
    for (std::size_t word = 0; word < 2000; ++word) {
        const auto second = static_cast<char16_t>(0x4E00 + word);
        contents.chars.push_back({second, 100, NoSyllable});
        contents.words.push_back({std::u16string{u'长', second}, 10, {contents.syllable(letters(word, 8)), NoSyllable}});
    }
    std::sort(contents.chars.begin(), contents.chars.end(), [](const auto& a, const auto& b) { return a.unit < b.unit; });
    const WordData words = parsed(contents);
    const ContextIndex::Budget budget = ContextIndex::BudgetFor(table.slots, words);
    const ContextIndex index(table, words);
    EXPECT_LE(index.memoryBytes(), budget.table + budget.words);

    const std::u16string converted = ConvertTextInContext(index, u"长\u4E05", {LetterCase::AsStored, false});
    std::string expected = letters(5, 8);
    for (std::size_t reading = 0; reading < 2; ++reading) expected.append(" (").append(letters(reading, 60)).append(")");
    EXPECT_EQ(Utf8ToUtf16(expected), converted.substr(0, expected.size()));
}

TEST(ContextBounds, AnIndexPastItsBudgetIsRefusedBeforeItIsMadeNamingTheFile)
{
    PinyinTable table;
    table.slots[table.PinyinEntryCount++] = u"中zhong";
    WordDataContents contents;
    contents.syllables = {"zhong"};
    contents.chars = {{u'中', 100, NoSyllable}};
    const WordData words = parsed(contents);
    const auto failure = [&](ContextIndex::Budget budget) {
        try {
            ContextIndex::Options options;
            options.budget = budget;
            ContextIndex index(table, words, options);
        } catch (const IndexTooLarge& error) {
            EXPECT_NE(std::string(error.what()).find("indexing it would take"), std::string::npos) << error.what();
            return error.file();
        }
        ADD_FAILURE() << "the index was made";
        return DataFile::Words;
    };
    constexpr std::size_t Plenty = std::size_t{1} << 30;
    EXPECT_EQ(DataFile::Table, failure({16, Plenty}));
    EXPECT_EQ(DataFile::Words, failure({Plenty, 16}));
}

// 255 pairs of one first unit whose second units share their low byte, the
// most a file can put in one place: each is found in at most nine steps.
TEST(ContextBounds, APairIsFoundInAFewStepsWhateverTheFileHolds)
{
    PinyinTable table;
    table.slots[table.PinyinEntryCount++] = u"长chang";
    WordDataContents contents;
    contents.syllables = {"zhang"};
    contents.chars.push_back({u'长', 100, NoSyllable});
    std::u16string run;
    for (unsigned high = 1; high < 0x100; ++high) {
        const auto second = static_cast<char16_t>(high << 8 | 0x34);
        if (IsSurrogate(second) || second == u'长') continue;
        contents.chars.push_back({second, 100, NoSyllable});
        contents.words.push_back({std::u16string{u'长', second}, 10, {0, NoSyllable}});
        run += std::u16string{u'长', second};
    }
    std::sort(contents.chars.begin(), contents.chars.end(), [](const auto& a, const auto& b) { return a.unit < b.unit; });
    std::sort(contents.words.begin(), contents.words.end(), [](const auto& a, const auto& b) { return a.units < b.units; });
    const WordData words = parsed(contents);
    const WordGraph graph(words);
    std::vector<std::uint16_t> costs(0x10000, 100);
    WordGraph::Scratch scratch;
    std::vector<std::uint32_t> readings(run.size());
    graph.segment(run, costs.data(), scratch, readings.data());
    EXPECT_LE(scratch.searchSteps, 9 * (run.size() - 1));
    for (std::size_t at = 0; at < run.size(); at += 2) EXPECT_NE(0u, readings[at]) << "pair " << at / 2;
}

// Hundreds of rules for few characters and neighbours, of every kind, some
// alike: the first that holds in file order wins, as a scan of them finds.
TEST(ContextBounds, ManyRulesAreFoundAsAScanFindsThem)
{
    std::mt19937 random(20261208);
    const auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    const std::u16string units = u"一不了长行";
    PinyinTable table;
    for (const char16_t unit : units) table.slots[table.PinyinEntryCount++] = std::u16string(1, unit) + u"a";
    for (int round = 0; round < 20; ++round) {
        WordDataContents contents;
        contents.syllables = {"b", "c", "d", "e"};
        for (const char16_t unit : std::u16string(u"一不了长行")) contents.chars.push_back({unit, 100, NoSyllable});
        std::sort(contents.chars.begin(), contents.chars.end(), [](const auto& a, const auto& b) { return a.unit < b.unit; });
        for (std::size_t rule = 0; rule < 600; ++rule) {
            const auto kind = static_cast<RuleKind>(pick(3));
            contents.rules.push_back({units[pick(units.size())],
                                      kind == RuleKind::AfterReduplication ? u'\0' : units[pick(units.size())],
                                      static_cast<std::uint16_t>(pick(4)), kind});
        }
        std::u16string text;
        for (std::size_t at = 0; at < 200; ++at) text.push_back(pick(10) == 0 ? u' ' : units[pick(units.size())]);
        const WordData words = parsed(contents);
        const ContextIndex index(table, words);
        const testing::ContextReference reference(table, words);
        for (const bool single : {false, true})
            ASSERT_EQ(reference.convert(text, {LetterCase::AsStored, single}),
                      ConvertTextInContext(index, text, {LetterCase::AsStored, single}))
                << "round " << round;
    }
}

}  // namespace
}  // namespace lorvane
