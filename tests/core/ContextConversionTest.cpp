#include <gtest/gtest.h>

#include <random>

#include "CaseTableAndWords.h"
#include "ContextReference.h"
#include "ConversionCases.h"
#include "PieceCollector.h"
#include "TableOf.h"
#include "WordDataWriter.h"
#include "context/ContextConversion.h"
#include "table/TableConversion.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

using testing::WordDataContents;

constexpr ConversionOptions AllReadings{LetterCase::AsStored, false};
constexpr ConversionOptions Single{LetterCase::AsStored, true};

// Converts with the fast conversion, checks it against the reference, and
// against itself fed in pieces of every size up to 7, its readings appended
// to a string or handed to a sink in pieces of at most 1 to 7 units.
std::u16string convert(const PinyinTable& table, const WordDataContents& contents, std::u16string_view text,
                       ConversionOptions options)
{
    const WordData words = ParseWordData(testing::WordDataBytes(contents), "words.dat");
    const ContextIndex index(table, words);
    const std::u16string whole = ConvertTextInContext(index, text, options);
    EXPECT_EQ(testing::ContextReference(table, words).convert(text, options), whole) << "text of " << text.size();
    for (std::size_t piece = 1; piece <= 7; ++piece) {
        const auto pieceSize = [piece] { return piece; };
        EXPECT_EQ(whole, testing::WholeInPieces(ContextConversion(index, options), text, pieceSize))
            << "pieces of " << piece;

        ContextConversion bounded(index, options);
        testing::PieceCollector sink(8 - piece);
        PieceWriter writer(sink, 8 - piece);
        testing::FeedInPieces(bounded, text, pieceSize, writer);
        EXPECT_EQ(whole, sink.whole()) << "pieces of " << piece << " handed on in pieces of " << 8 - piece;
        EXPECT_EQ(0u, sink.badPieces);
    }
    return whole;
}

// The table and the word data of the conversion cases, which a test may change.
class WorkedExamples : public ::testing::Test {
protected:
    const PinyinTable table = testing::CaseTable();
    WordDataContents contents = testing::CaseWords();
};

TEST_F(WorkedExamples, ConversionCases)
{
    for (const testing::ConversionCase& test : testing::CoreConversionCases())
        EXPECT_EQ(test.outputByContext, convert(table, contents, test.input, test.conversionOptions())) << test.where();
}

TEST_F(WorkedExamples, CheapestSegmentationWinsAndTiesGoToTheLongerStep)
{
    // 行长 hang zhang competes with 银行 for 行.
    const auto withHangZhang = [&](std::uint16_t cost) {
        WordDataContents changed = contents;
        changed.insertWord({u"行长", cost, {changed.syllable("hang"), changed.syllable("zhang")}});
        return changed;
    };
    // 银行+长 and 银+行长 cost the same: the longer first step wins.
    EXPECT_EQ(u"yin hang chang", convert(table, withHangZhang(150), u"银行长", Single));
    EXPECT_EQ(u"yin hang zhang", convert(table, withHangZhang(100), u"银行长", Single));
    EXPECT_EQ(u"xing zhang da", convert(table, withHangZhang(300), u"行长大", Single));  // 行+长大 is cheaper
}

TEST_F(WorkedExamples, RulesAndReadingsAlone)
{
    for (WordData::Char& record : contents.chars)
        if (record.unit == u'了') record.aloneSyllable = contents.syllable("le");
    contents.rules.push_back({u'了', 0, contents.syllable("liao"), RuleKind::AfterReduplication});
    contents.rules.push_back({u'地', u'长', contents.syllable("de"), RuleKind::PreviousIs});
    contents.rules.push_back({u'地', u'大', contents.syllable("di"), RuleKind::NextIs});
    EXPECT_EQ(u"le (liao)", convert(table, contents, u"了", AllReadings));
    EXPECT_EQ(u"chang chang liao", convert(table, contents, u"长长了", Single));
    EXPECT_EQ(u"chang chang le", convert(table, contents, u"长长 了", Single));   // not in the same run
    EXPECT_EQ(u"chang (zhang) de (di) da (dai)", convert(table, contents, u"长地大", AllReadings));  // first rule wins
    EXPECT_EQ(u"chang di", convert(table, contents, u"长 地", Single));
}

// One character's readings longer than a piece come alone; the others fill
// pieces as far as they fit.
TEST_F(WorkedExamples, ReadingsAreHandedOnInPiecesOfBoundedSize)
{
    const ContextIndex index(table, ParseWordData(testing::WordDataBytes(contents), "words.dat"));
    struct : ReadingSink {
        void write(std::u16string_view readings) override { pieces.emplace_back(readings); }
        std::vector<std::u16string> pieces;
    } sink;
    ContextConversion conversion(index, AllReadings);
    PieceWriter writer(sink, 10);
    testing::FeedInPieces(conversion, u"重庆银行", [] { return std::size_t{4}; }, writer);
    EXPECT_EQ((std::vector<std::u16string>{u"chong (zhong) ", u"qing yin ", u"hang (xing) "}), sink.pieces);
}

TEST_F(WorkedExamples, RunsAreCutEvery4096UnitsFromTheirStart)
{
    // 重庆 across the cut is no word; one unit later it is.
    std::u16string text(4095, u'大');
    text += u"重庆";
    EXPECT_EQ(u"zhong qing", convert(table, contents, text, Single).substr(4095 * 3));
    text.insert(0, 1, u'大');
    EXPECT_EQ(u"chong qing", convert(table, contents, u"x" + text, Single).substr(4096 * 3));
    EXPECT_EQ(u"zhong qing chong qing", convert(table, contents, text.substr(1) + u"重庆", Single).substr(4095 * 3));
}

TEST(ContextConversion, WithoutWordDataItIsTheOrdinaryConversion)
{
    const PinyinTable table = testing::TableOf({u"中", u"中zhong", u"国guo", u"中Zhong", u"行xing", u"行hang", u"行xing"});
    testing::WordDataContents onlyASyllable;
    onlyASyllable.syllables = {"a"};
    const WordData words = ParseWordData(testing::WordDataBytes(onlyASyllable), "words.dat");
    const ContextIndex index(table, words);
    const PinyinIndex ordinary(table);
    const std::u16string text = u"中国行 行\xD800中\U00020000";
    for (const auto letterCase : {LetterCase::AsStored, LetterCase::FirstLetterUpper, LetterCase::AllUpper})
        for (const bool single : {false, true})
            EXPECT_EQ(ConvertText(ordinary, text, {letterCase, single}),
                      ConvertTextInContext(index, text, {letterCase, single}));
}

// Equal texts, or where they part.
::testing::AssertionResult sameText(const std::u16string& actual, const std::u16string& expected)
{
    if (actual == expected) return ::testing::AssertionSuccess();
    const auto parting = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first;
    const auto at = static_cast<std::size_t>(parting - actual.begin());
    const std::size_t from = at < 40 ? 0 : at - 40;
    return ::testing::AssertionFailure() << "they part at unit " << at << ": \"" << Utf16ToUtf8(actual.substr(from, 80))
                                         << "\" instead of \"" << Utf16ToUtf8(expected.substr(from, 80)) << "\"";
}

// Small random word data over few units, so that words overlap, nest, tie
// and cross piece ends; random texts in random pieces.
TEST(ContextConversion, AgreesWithTheReferenceOnRandomWordData)
{
    std::mt19937 random(20261208);
    const auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    const std::u16string hanzi = u"一不了长行重地得的";
    const std::u16string outside = u" a\n\xD800\xFFFD";
    const std::vector<std::string> syllables = {"yi", "bu", "le", "liao", "chang", "zhang", "xing", "hang"};
    for (int round = 0; round < 300; ++round) {
        PinyinTable table;
        for (std::size_t entry = pick(20); entry > 0; --entry) {
            std::u16string slot(1, (hanzi + outside)[pick(hanzi.size() + outside.size())]);
            for (std::size_t letter = 0; letter < 1 + pick(3); ++letter) slot.push_back(u"abz(X"[pick(5)]);
            table.slots[table.PinyinEntryCount++] = slot;
        }
        WordDataContents contents;
        contents.syllables = syllables;
        contents.syllables.push_back(round % 2 ? "ab" : "z");  // sometimes a table reading
        std::u16string units = hanzi.substr(0, 2 + pick(hanzi.size() - 2));
        std::sort(units.begin(), units.end());
        for (const char16_t unit : units)
            contents.chars.push_back({unit, static_cast<std::uint16_t>(pick(4) * 50),
                                  pick(3) == 0 ? static_cast<std::uint16_t>(pick(contents.syllables.size())) : NoSyllable});
        for (std::size_t rule = pick(5); rule > 0; --rule) {
            const auto kind = static_cast<RuleKind>(pick(3));
            contents.rules.push_back({units[pick(units.size())],
                                  kind == RuleKind::AfterReduplication ? u'\0' : (units + u"x")[pick(units.size() + 1)],
                                  static_cast<std::uint16_t>(pick(contents.syllables.size())), kind});
        }
        std::vector<std::u16string> wordUnits;
        for (std::size_t word = pick(30); word > 0; --word) {
            std::u16string text;
            for (std::size_t length = 2 + (pick(4) == 0 ? pick(14) : pick(3)); length > 0; --length)
                text.push_back(units[pick(units.size())]);
            wordUnits.push_back(text);
        }
        std::sort(wordUnits.begin(), wordUnits.end());
        wordUnits.erase(std::unique(wordUnits.begin(), wordUnits.end()), wordUnits.end());
        for (const std::u16string& text : wordUnits) {
            WordDataContents::Word word{text, static_cast<std::uint16_t>(pick(8) * 25), {}};
            if (pick(2) == 0) {
                for (std::size_t at = 0; at < text.size(); ++at)
                    word.syllables.push_back(pick(2) ? static_cast<std::uint16_t>(pick(contents.syllables.size())) : NoSyllable);
                word.syllables[pick(text.size())] = static_cast<std::uint16_t>(pick(contents.syllables.size()));
            }
            contents.words.push_back(word);
        }
        std::u16string text;
        const std::size_t length = round % 50 == 49 ? 4096 * 2 + pick(300) : pick(40);
        for (std::size_t at = 0; at < length; ++at)
            text.push_back(pick(8) == 0 ? outside[pick(outside.size())] : units[pick(units.size())]);

        const WordData words = ParseWordData(testing::WordDataBytes(contents), "words.dat");
        const ContextIndex index(table, words);
        const testing::ContextReference reference(table, words);
        for (const auto letterCase : {LetterCase::AsStored, LetterCase::FirstLetterUpper, LetterCase::AllUpper}) {
            for (const bool single : {false, true}) {
                const ConversionOptions options{letterCase, single};
                const std::u16string expected = reference.convert(text, options);
                ASSERT_TRUE(sameText(ConvertTextInContext(index, text, options), expected)) << "round " << round;
                const auto randomPiece = [&] { return pick(4) == 0 ? pick(5000) : pick(6); };
                ASSERT_TRUE(sameText(testing::WholeInPieces(ContextConversion(index, options), text, randomPiece),
                                     expected))
                    << "round " << round << " in pieces";

                const std::size_t room = pick(2) == 0 ? 1 + pick(8) : 1 + pick(50000);
                ContextConversion bounded(index, options);
                testing::PieceCollector sink(room);
                PieceWriter writer(sink, room);
                testing::FeedInPieces(bounded, text, randomPiece, writer);
                ASSERT_TRUE(sameText(sink.whole(), expected)) << "round " << round << " handed on in pieces of " << room;
                ASSERT_EQ(0u, sink.badPieces) << "round " << round;
            }
        }
    }
}

}  // namespace
}  // namespace lorvane
