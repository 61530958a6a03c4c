#include <gtest/gtest.h>

#include <random>

#include "CaseTableAndWords.h"
#include "ConversionCases.h"
#include "LiteralScan.h"
#include "TableOf.h"
#include "table/TableConversion.h"

namespace lorvane {
namespace {

constexpr LetterCase LowerCase = LetterCase::AsStored;
constexpr LetterCase FirstUpperCase = LetterCase::FirstLetterUpper;
constexpr LetterCase UpperCase = LetterCase::AllUpper;
constexpr bool AllReadings = false;
constexpr bool FirstReading = true;

using testing::TableOf;

std::u16string convert(const PinyinTable& table, std::u16string_view text, ConversionOptions options)
{
    const PinyinIndex index(table);
    const std::u16string indexed = ConvertText(index, text, options);
    EXPECT_EQ(testing::LiteralScanConversion(table, text, options), indexed);
    return indexed;
}

TEST(ConvertText, ConversionCases)
{
    const PinyinTable table = testing::CaseTable();
    for (const testing::ConversionCase& test : testing::CoreConversionCases())
        EXPECT_EQ(test.output, convert(table, test.input, test.conversionOptions())) << test.where();
}

TEST(ConvertText, CaseOptionsTouchOnlyAsciiLetters)
{
    const PinyinTable table = TableOf({u"长chang", u"长zhang", u"女nv", u"绿lü", u"甲aBc", u"乙9x"});
    EXPECT_EQ(u"lü aBc", convert(table, u"绿甲", {LowerCase, AllReadings}));  // stored capitals stay
    EXPECT_EQ(u"Lü ABc 9x", convert(table, u"绿甲乙", {FirstUpperCase, AllReadings}));
    EXPECT_EQ(u"Lü ABC 9X NV", convert(table, u"绿甲乙女", {UpperCase, AllReadings}));
}

TEST(ConvertText, HanziOnlyEntriesAndCharactersBeyondTheBasicPlaneAddNothing)
{
    const std::u16string highSurrogateKey = std::u16string(1, char16_t(0xD840)) + u"\xDC00" u"ke";
    const PinyinTable table = TableOf({u"中", u"中zhong", u"国", highSurrogateKey, u"国guo"});
    EXPECT_EQ(u"zhong guo", convert(table, u"中国", {LowerCase, AllReadings}));
    EXPECT_EQ(u"zhong guo", convert(table, u"中国", {LowerCase, FirstReading}));
    EXPECT_EQ(u"Zhong", convert(table, u"\U00020000中", {FirstUpperCase, AllReadings}));
    EXPECT_EQ(u"", convert(TableOf({u"中"}), u"中", {LowerCase, AllReadings}));
}

TEST(ConvertText, LongInputIsConvertedCompletely)
{
    const PinyinTable table = TableOf({u"中zhong"});
    const std::u16string input(100000, u'中');
    const std::u16string output = convert(table, input, {LowerCase, AllReadings});
    EXPECT_EQ(100000 * 6 - 1, output.size());
    EXPECT_EQ(u"zhong zhong", output.substr(output.size() - 11));
}

// The index against the literal scan on random tables: duplicate keys, the
// readings of one key far apart, empty slots, Hanzi-only entries, capitals,
// surrogates and long syllables.
TEST(ConvertText, IndexAgreesWithLiteralScanOnRandomTables)
{
    std::mt19937 random(20261207);
    const std::u16string alphabet = u"中国重庆长行乐aAzZü9 (),\xD800\xDC00\xFFFD";
    auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    for (int round = 0; round < 60; ++round) {
        PinyinTable table;
        const std::size_t filled = round % 3 == 0 ? PinyinTableCapacity : pick(400) + 1;
        for (std::size_t slot = 0; slot < filled; ++slot) {
            if (pick(10) == 0) continue;  // an empty slot
            std::u16string entry(1, alphabet[pick(alphabet.size())]);
            const std::size_t length = pick(8) == 0 ? pick(40) : pick(4);
            for (std::size_t at = 0; at < length; ++at) entry.push_back(alphabet[pick(alphabet.size())]);
            table.slots[slot] = entry;
        }
        const PinyinIndex index(table);
        std::u16string input;
        const std::size_t inputLength = pick(60);
        for (std::size_t at = 0; at < inputLength; ++at) input.push_back(alphabet[pick(alphabet.size())]);
        for (const bool firstReadingOnly : {AllReadings, FirstReading}) {
            for (const LetterCase letterCase : {LowerCase, FirstUpperCase, UpperCase}) {
                const ConversionOptions options{letterCase, firstReadingOnly};
                ASSERT_EQ(testing::LiteralScanConversion(table, input, options), ConvertText(index, input, options))
                    << "round " << round;
            }
        }
    }
}

}  // namespace
}  // namespace lorvane
