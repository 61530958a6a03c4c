#include <gtest/gtest.h>

#include "CaseTableAndWords.h"
#include "context/ContextConversion.h"
#include "context/LoadContext.h"
#include "context/UserWords.h"

namespace lorvane {
namespace {

constexpr ConversionOptions Single{LetterCase::AsStored, true};

// The cases' table and word data, with the phrases given, by context.
std::u16string convert(std::u16string_view text, std::vector<std::string> phraseFiles,
                       ConversionOptions options = Single)
{
    std::vector<Phrases> phrases;
    for (const std::string& file : phraseFiles) phrases.push_back(ParsePhrases(file, "phrases.txt"));
    const PinyinTable table = testing::CaseTable();
    const WordData words = ParseWordData(testing::CaseWordsFile(), "words.dat");
    const LoadedContext loaded = BuildContext(table, words, "words.dat", {ToneStyle::None, false, false, false, phrases});
    return ConvertTextInContext(*loaded.index, text, options);
}

TEST(UserWords, EntriesWinOverTheWordData)
{
    const std::u16string text = u"重庆银行长大会计音乐";
    EXPECT_EQ(u"chong qing yin hang zhang da kuai ji yin yue", convert(text, {}));
    // A word of the word data replaced, and a word of its own that outweighs
    // the word data's two words around it.
    EXPECT_EQ(u"zhong qing yin hang chang da hui ji yin le", convert(text, {"重庆 zhong4 qing4\n大会 da hui\n计音 ji yin\n"}));
    // One character read its way everywhere: alone, in words, past its rules.
    EXPECT_EQ(u"yin xing chang da xing", convert(u"银行长大行", {"行 xíng\n长 cháng"}));
    EXPECT_EQ(u"xing (hang)", convert(u"行", {"行 xing"}, {}));
    // The later entry wins, in one file and across files.
    EXPECT_EQ(u"zhong qing", convert(u"重庆", {"重庆 chong qing\n重庆 zhong qing"}));
    EXPECT_EQ(u"chong qing", convert(u"重庆", {"重庆 zhong qing", "重庆 chong qing"}));
    // A character the word data has no record of takes part in a word.
    EXPECT_EQ(u"le yue", convert(u"了乐", {"了乐 le yue"}));
}

TEST(UserWords, AnEntryWithoutTonesTakesTheCharactersTone)
{
    WordData words = ParseWordData(testing::CaseWordsFile(), "words.dat");
    ToneData tones;
    tones.body.syllables = {u"qing4", u"zhong4", u"chong2"};
    tones.charTones = {{u'庆', 0, 1}, {u'重', 1, 2}};  // in order of unit
    tones.charToneSyllables = {0, 1, 2};
    words.syllables = tones.body.syllables;
    const Phrases phrases = ParsePhrases("重庆 chong qing\n", "phrases.txt");
    AddUserWords(words, phrases, &tones);
    const auto word = std::find_if(words.words.begin(), words.words.end(),
                                   [&](const WordData::Word& w) { return words.unitsOf(w) == u"重庆"; });
    ASSERT_NE(word, words.words.end());
    EXPECT_EQ(u"chong2", words.syllables[words.wordSyllables[word->syllablesStart]]);
    EXPECT_EQ(u"qing4", words.syllables[words.wordSyllables[word->syllablesStart + 1]]);
    EXPECT_EQ(0, word->cost);
}

}  // namespace
}  // namespace lorvane
