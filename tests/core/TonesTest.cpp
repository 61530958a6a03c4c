#include <gtest/gtest.h>

#include <algorithm>

#include "readings/Tones.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

std::u16string upper(std::u16string text)
{
    std::transform(text.begin(), text.end(), text.begin(), ToUpperPinyin);
    return text;
}

// Letters without marks and the tone the marks give, as a toned syllable.
std::u16string unmarked(std::u16string_view written)
{
    std::u16string letters;
    int tone = 0;
    for (const char16_t unit : written) {
        const PlainLetter plain = UnmarkLetter(unit);
        if (plain.letter) letters += plain.letter;
        tone += plain.tone;
    }
    return letters + static_cast<char16_t>(u'0' + (tone == 0 ? 5 : tone));
}

TEST(Tones, MarksStandWhereTheRulesPutThemAndEveryStyleKeepsTheTone)
{
    struct Case {
        std::u16string toned, marks, capitals;
    };
    const Case cases[] = {
        {u"ma1", u"mā", u"MĀ"},         {u"ma2", u"má", u"MÁ"},       {u"ma3", u"mǎ", u"MǍ"},
        {u"ma4", u"mà", u"MÀ"},         {u"de5", u"de", u"DE"},       {u"hao3", u"hǎo", u"HǍO"},
        {u"mei2", u"méi", u"MÉI"},      {u"lou2", u"lóu", u"LÓU"},    {u"xiu1", u"xiū", u"XIŪ"},
        {u"gui4", u"guì", u"GUÌ"},      {u"huo3", u"huǒ", u"HUǑ"},    {u"yi1", u"yī", u"YĪ"},
        {u"wu3", u"wǔ", u"WǓ"},         {u"er2", u"ér", u"ÉR"},       {u"yue4", u"yuè", u"YUÈ"},
        {u"lv1", u"lǖ", u"LǕ"},         {u"lv2", u"lǘ", u"LǗ"},       {u"nv3", u"nǚ", u"NǙ"},
        {u"lv4", u"lǜ", u"LǛ"},         {u"lve4", u"lüè", u"LÜÈ"},    {u"lv5", u"lü", u"LÜ"},
        {u"shuang1", u"shuāng", u"SHUĀNG"}, {u"zhuan4", u"zhuàn", u"ZHUÀN"}, {u"o2", u"ó", u"Ó"},
        {u"ng2", u"ńg", u"ŃG"},         {u"ng3", u"ňg", u"ŇG"},       {u"ng4", u"ǹg", u"ǸG"},
        {u"n1", u"n\u0304", u"N\u0304"}, {u"m2", u"ḿ", u"Ḿ"},         {u"m4", u"m\u0300", u"M\u0300"},
        {u"hm1", u"hm\u0304", u"HM\u0304"},
    };
    for (const Case& test : cases) {
        const std::string name = Utf16ToUtf8(test.toned);
        const int tone = test.toned.back() == u'5' ? 0 : test.toned.back() - u'0';
        EXPECT_EQ(test.marks, WriteToned(test.toned, ToneStyle::Marks)) << name;
        EXPECT_EQ(test.capitals, upper(test.marks)) << name;
        EXPECT_EQ(test.toned, WriteToned(test.toned, ToneStyle::Numbers)) << name;
        EXPECT_EQ(test.toned.substr(0, test.toned.size() - 1), WriteToned(test.toned, ToneStyle::None)) << name;
        for (const std::u16string& written : {test.marks, test.capitals, test.toned})
            EXPECT_EQ(tone, ToneOfWritten(written)) << Utf16ToUtf8(written);
        EXPECT_EQ(test.toned, unmarked(test.marks)) << name;
        EXPECT_EQ(test.toned, unmarked(test.capitals)) << name;
    }
    // What is no toned syllable stays as it is.
    for (const std::u16string text : {u"zhong", u"Zhong4", u"zhong6", u"4", u"ü1"})
        EXPECT_EQ(text, WriteToned(text, ToneStyle::Marks)) << Utf16ToUtf8(text);
    EXPECT_EQ(u'中', ToUpperPinyin(u'中'));
}

TEST(Tones, ASyllableThatBeginsWithAOrOOrETakesAnApostrophe)
{
    for (const std::u16string written : {u"an", u"ōu", u"é", u"Ér", u"ǍO", u"e4"})
        EXPECT_TRUE(BeginsWithAOrOOrE(written)) << Utf16ToUtf8(written);
    for (const std::u16string written : {u"yī", u"ńg", u"wu", u"", u"ü"})
        EXPECT_FALSE(BeginsWithAOrOOrE(written)) << Utf16ToUtf8(written);
}

}  // namespace
}  // namespace lorvane
