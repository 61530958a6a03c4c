#include <gtest/gtest.h>

#include "ContextReference.h"
#include "PieceCollector.h"
#include "WordDataWriter.h"
#include "context/LoadContext.h"
#include "context/NameConversion.h"
#include "context/PhrasesFile.h"
#include "context/TonedData.h"
#include "readings/ConvertWhole.h"
#include "table/TableConversion.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

using testing::WordDataContents;

constexpr ConversionOptions AllReadings{LetterCase::AsStored, false};
constexpr ConversionOptions Single{LetterCase::AsStored, true};

// A table, and word data whose toneless and toned bodies read 重庆, 知识 and
// 曾经, with the tones, surnames and name readings of the examples.
struct TonedFixture {
    PinyinTable table;
    WordData words;

    TonedFixture()
    {
        for (const std::u16string entry :
             {u"中zhong", u"重zhong", u"重chong", u"庆qing", u"一yi", u"不bu", u"不fou", u"是shi", u"个ge",
              u"天tian", u"看kan", u"第di", u"十shi", u"统tong", u"曾ceng", u"曾zeng", u"国guo", u"藩fan",
              u"欧ou", u"阳yang", u"修xiu", u"单dan", u"单shan", u"田tian", u"芳fang", u"晟cheng", u"晟sheng",
              u"李li", u"王wang", u"海hai", u"鸥ou", u"绿lv", u"绿lu", u"知zhi", u"识shi", u"识zhi", u"经jing",
              u"中zhang"})
            table.slots[table.PinyinEntryCount++] = entry;
        WordDataContents contents;
        std::u16string units;
        for (std::size_t slot = 0; slot < table.PinyinEntryCount; ++slot) units.push_back(table.slots[slot][0]);
        std::sort(units.begin(), units.end());
        units.erase(std::unique(units.begin(), units.end()), units.end());
        for (const char16_t unit : units) contents.chars.push_back({unit, 100, NoSyllable});
        testing::TonePart& tones = contents.tones.emplace();
        tones.body.chars = contents.chars;
        const auto word = [&](std::u16string spelled, std::vector<std::string> toned) {
            std::vector<std::uint16_t> plain, withTones;
            for (const std::string& syllable : toned) {
                plain.push_back(contents.syllable(syllable.substr(0, syllable.size() - 1)));
                withTones.push_back(tones.body.syllable(syllable));
            }
            contents.words.push_back({spelled, 10, plain});
            tones.body.words.push_back({spelled, 10, withTones});
        };
        word(u"曾经", {"ceng2", "jing1"});
        word(u"知识", {"zhi1", "shi5"});
        word(u"重庆", {"chong2", "qing4"});
        std::sort(contents.words.begin(), contents.words.end(), [](auto& a, auto& b) { return a.units < b.units; });
        std::sort(tones.body.words.begin(), tones.body.words.end(), [](auto& a, auto& b) { return a.units < b.units; });
        const auto tonesOf = [&](char16_t unit, std::vector<std::string> toned) {
            std::vector<std::uint16_t> syllables;
            for (const std::string& syllable : toned) syllables.push_back(tones.body.syllable(syllable));
            tones.charTones.push_back({unit, syllables});
        };
        tonesOf(u'一', {"yi1"});
        tonesOf(u'不', {"bu4"});
        tonesOf(u'个', {"ge4"});
        tonesOf(u'中', {"zhong1", "zhong4", "zhong1"});  // each tone once
        tonesOf(u'天', {"tian1"});
        tonesOf(u'庆', {"qing4"});
        tonesOf(u'是', {"shi4"});
        tonesOf(u'看', {"kan4", "kan1"});
        tonesOf(u'第', {"di4"});
        tonesOf(u'绿', {"lv4", "lu4"});
        tonesOf(u'重', {"zhong4", "chong2"});
        tonesOf(u'曾', {"zeng1", "ceng2"});
        std::sort(tones.charTones.begin(), tones.charTones.end());
        tones.surnames = {{u"单", {tones.body.syllable("shan4")}},
                          {u"曾", {tones.body.syllable("zeng1")}},
                          {u"欧阳", {tones.body.syllable("ou1"), tones.body.syllable("yang2")}}};
        std::sort(tones.surnames.begin(), tones.surnames.end());
        tones.nameReadings = {{u'晟', tones.body.syllable("sheng4")}};
        tones.body.syllable("a1");  // the toned body needs a syllable even where no word reads it
        contents.syllable("a");
        words = ParseWordData(testing::WordDataBytes(contents), "words.dat");
    }

    LoadedContext context(ToneStyle style, bool sandhi = false, bool firstLetters = false,
                          std::span<const Phrases> phrases = {}) const
    {
        return BuildContext(table, words, "words.dat", {style, sandhi, true, firstLetters, phrases});
    }
};

TEST(TonedConversion, TheTablesReadingsTakeTheTonesOfTheirCharacterInOrderOfUse)
{
    const TonedFixture fixture;
    const ToneData& tones = *fixture.words.tones;
    const std::vector<std::u16string> slots = TonedSlots(fixture.table.slots, tones, ToneStyle::Marks);
    const PinyinIndex marks(slots, ToUpperPinyin);
    // 中zhang has no tone and stays; 十 has no tones at all.
    EXPECT_EQ(u"zhōng (zhòng) (zhang) zhòng (chóng) lǜ (lù) shi", ConvertText(marks, u"中重绿十", AllReadings));
    EXPECT_EQ(u"Zhōng (Zhòng) (Zhang) Lǜ (Lù)", ConvertText(marks, u"中绿", {LetterCase::FirstLetterUpper, false}));
    EXPECT_EQ(u"ZHŌNG ZHÒNG LǛ", ConvertText(marks, u"中重绿", {LetterCase::AllUpper, true}));
    const PinyinIndex numbers(TonedSlots(fixture.table.slots, tones, ToneStyle::Numbers), ToUpperAscii);
    EXPECT_EQ(u"ZHONG1 (ZHONG4) (ZHANG) LV4 (LU4)", ConvertText(numbers, u"中绿", {LetterCase::AllUpper, false}));
}

TEST(TonedConversion, ByContextTheWordsToneWinsNeutralTonesIncluded)
{
    const TonedFixture fixture;
    const LoadedContext marks = fixture.context(ToneStyle::Marks);
    EXPECT_EQ(u"chóng qìng zhī shi", ConvertTextInContext(*marks.index, u"重庆知识", Single));
    // 知 and 识 have no tones of their own: the word's are not among them.
    EXPECT_EQ(u"chóng (zhòng) qìng zhī (zhi) shi (zhi)", ConvertTextInContext(*marks.index, u"重庆知识", AllReadings));
    const LoadedContext numbers = fixture.context(ToneStyle::Numbers);
    EXPECT_EQ(u"Chong2 Qing4 Zhi1 Shi5", ConvertTextInContext(*numbers.index, u"重庆知识", {LetterCase::FirstLetterUpper, true}));
    // Without tones the tone part is left aside.
    const LoadedContext none = fixture.context(ToneStyle::None);
    EXPECT_EQ(u"chong qing zhi shi", ConvertTextInContext(*none.index, u"重庆知识", Single));

    WordData untoned = fixture.words;
    untoned.tones.reset();
    untoned.version = 1;
    try {
        BuildContext(fixture.table, untoned, "/data/words.dat", {ToneStyle::Marks, false, false, false, {}});
        ADD_FAILURE() << "indexed in tones without them";
    } catch (const DataFileError& error) {
        EXPECT_EQ(DataFileError::Problem::NoTones, error.problem());
        EXPECT_NE(std::string(error.what()).find("\"/data/words.dat\": the file has no tones or names (version 1)"),
                  std::string::npos) << error.what();
    }
}

TEST(TonedConversion, SandhiChangesYiAndBuAsTheyAreSpoken)
{
    const TonedFixture fixture;
    const LoadedContext marks = fixture.context(ToneStyle::Marks, true);
    const auto spoken = [&](std::u16string_view text, ConversionOptions options = Single) {
        const std::u16string whole = ConvertWhole(ContextConversion(*marks.index, options, marks.sandhi.get()), text);
        for (std::size_t piece = 1; piece <= 3; ++piece)
            EXPECT_EQ(whole, testing::WholeInPieces(ContextConversion(*marks.index, options, marks.sandhi.get()), text,
                                                    [piece] { return piece; }));
        return whole;
    };
    EXPECT_EQ(u"yí gè", spoken(u"一个"));
    EXPECT_EQ(u"yì tiān", spoken(u"一天"));
    EXPECT_EQ(u"bú shì", spoken(u"不是"));
    EXPECT_EQ(u"bù tiān", spoken(u"不天"));
    EXPECT_EQ(u"kàn yi kàn", spoken(u"看一看"));
    EXPECT_EQ(u"shì bu shì", spoken(u"是不是"));
    EXPECT_EQ(u"dì yī gè", spoken(u"第一个"));
    EXPECT_EQ(u"shi yī gè", spoken(u"十一个"));  // 十 and 统 have no tones here
    EXPECT_EQ(u"tong yī", spoken(u"统一"));
    EXPECT_EQ(u"yī yī", spoken(u"一一"));
    EXPECT_EQ(u"gè yī", spoken(u"个一"));        // at the end of the run
    EXPECT_EQ(u"yī gè", spoken(u"一 个"));       // not in one run
    EXPECT_EQ(u"bù yí gè", spoken(u"不一个"));   // 一 is still yī to 不
    EXPECT_EQ(u"yí (yī) gè", spoken(u"一个", AllReadings));
    EXPECT_EQ(u"Bú Shì", spoken(u"不是", {LetterCase::FirstLetterUpper, true}));
    // The reading after 一 comes in the next block of choices.
    EXPECT_EQ(u"yí gè", spoken(std::u16string(4095, u'x') + u"一个"));
    const LoadedContext numbers = fixture.context(ToneStyle::Numbers, true);
    EXPECT_EQ(u"kan4 yi5 kan4 yi2 ge4 bu2 shi4",
              ConvertWhole(ContextConversion(*numbers.index, Single, numbers.sandhi.get()), u"看一看一个不是"));
}

TEST(TonedConversion, NamesAreWrittenSurnameAndGivenNameEachOneWord)
{
    const TonedFixture fixture;
    const LoadedContext none = fixture.context(ToneStyle::None);
    const LoadedContext marks = fixture.context(ToneStyle::Marks);
    const LoadedContext numbers = fixture.context(ToneStyle::Numbers);
    const auto name = [](const LoadedContext& context, ToneStyle style, std::u16string_view line,
                         LetterCase letterCase = LetterCase::FirstLetterUpper) {
        return ConvertWhole(NameConversion(*context.index, *context.tones, style, {letterCase, false}), line);
    };
    struct Case {
        std::u16string line, written;
    };
    const Case cases[] = {
        {u"曾国藩", u"Zeng Guofan"},    // the surname's reading, not the character's first
        {u"单田芳", u"Shan Tianfang"},
        {u"欧阳修", u"Ouyang Xiu"},      // a compound surname is one word
        {u"欧阳", u"Ou Yang"},           // a surname leaves a given name
        {u"李晟", u"Li Sheng"},          // the name reading
        {u"王海鸥", u"Wang Hai'ou"},     // the apostrophe inside a word
        {u" 李\u3000晟\r", u"Li Sheng"}, // blanks aside
        {u"曾经", u"Ceng Jing"},         // the word data holds the whole line
        {u"李·晟", u"Li Cheng (Sheng)"},  // no name: ordinary text
        {u"曾", u"Ceng (Zeng)"},
        {u"李\U00020000", u"Li"},
        {u"", u""},
    };
    for (const Case& test : cases)
        EXPECT_EQ(test.written, name(none, ToneStyle::None, test.line)) << Utf16ToUtf8(test.line);
    EXPECT_EQ(u"zeng guofan", name(none, ToneStyle::None, u"曾国藩", LetterCase::AsStored));
    EXPECT_EQ(u"ZĒNG GUOFAN", name(marks, ToneStyle::Marks, u"曾国藩", LetterCase::AllUpper));
    EXPECT_EQ(u"Ōuyáng Xiu", name(marks, ToneStyle::Marks, u"欧阳修"));
    EXPECT_EQ(u"Wang Hai'ou", name(numbers, ToneStyle::Numbers, u"王海鸥"));
    // First letters, without apostrophes; a character the user's own words
    // read wins over the surname list.
    const LoadedContext letters = fixture.context(ToneStyle::None, false, true);
    const NameShape firstLetters{true, {}};
    EXPECT_EQ(u"Oy X", ConvertWhole(NameConversion(*letters.index, *letters.tones, ToneStyle::None,
                                                   {LetterCase::FirstLetterUpper, false}, nullptr, firstLetters),
                                    u"欧阳修"));
    EXPECT_EQ(u"w ho", ConvertWhole(NameConversion(*letters.index, *letters.tones, ToneStyle::None, {}, nullptr,
                                                   firstLetters),
                                    u"王海鸥"));
    const Phrases own[] = {ParsePhrases("单 dan\n", "phrases.txt")};
    const LoadedContext withOwn = fixture.context(ToneStyle::Marks, false, false, own);
    EXPECT_EQ(u"Dan Tianfang",  // the fixture has no tones for these
              ConvertWhole(NameConversion(*withOwn.index, *withOwn.tones, ToneStyle::Marks,
                                          {LetterCase::FirstLetterUpper, false}, nullptr, {false, withOwn.ownReadings}),
                           u"单田芳"));
    // A line too long to be a name is converted as it comes, held no longer.
    const std::u16string longLine(NameConversion::LongestName + 1, u'李');
    std::u16string expected;
    for (std::size_t at = 0; at < longLine.size(); ++at) expected += at == 0 ? u"Li" : u" Li";
    EXPECT_EQ(expected, name(none, ToneStyle::None, longLine));
}

}  // namespace
}  // namespace lorvane
