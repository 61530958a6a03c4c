#include <gtest/gtest.h>

#include "TextCoding.h"

namespace lorvane {
namespace {

TEST(Utf8Decoder, ReplacesEachMaximalInvalidPartWithOneReplacementCharacter)
{
    EXPECT_EQ(Utf8ToUtf16("a\xE4\xB8\xAD\xF0\xA0\x80\x80"), u"a中\U00020000");
    EXPECT_EQ(Utf8ToUtf16("\xE4\xB8z"), u"\xFFFDz");                // cut sequence
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\xFFFD\xFFFD");            // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\xFFFD\xFFFD\xFFFD");  // encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\xFFFD\xFFFD\xFFFD\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xFF\xFE"), u"\xFFFD\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xE4\xB8"), u"\xFFFD");                  // cut by the end
}

TEST(Utf8Decoder, SequencesCutBetweenPiecesAreCompleted)
{
    const std::string text = "\xE4\xB8\xAD\xE6\x96\x87\xF0\xA0\x80\x80x\xE4";
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        Utf8Decoder decoder;
        std::u16string out;
        decoder.decode(text.substr(0, cut), out);
        decoder.decode(text.substr(cut), out);
        decoder.finish(out);
        EXPECT_EQ(out, u"中文\U00020000x\xFFFD") << "cut at " << cut;
    }
}

TEST(Utf8Encoding, RoundTripsAndReplacesLoneSurrogates)
{
    EXPECT_EQ(Utf16ToUtf8(u"a中\U00020000ü"), "a\xE4\xB8\xAD\xF0\xA0\x80\x80\xC3\xBC");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"), "\xEF\xBF\xBD" "a");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(TableDecoding, GbkWhateverTheLocaleAndUtf8AfterItsMark)
{
    EXPECT_EQ(DecodeTableBytes("\xD6\xD0\xB9\xFA zhong"), u"中国 zhong");
    EXPECT_EQ(DecodeTableBytes("\x81\x40\xB0\xA1\x80"), u"丂啊€");  // the first GBK code; 0x80 is the euro
    EXPECT_EQ(DecodeTableBytes("\xD6\xD0\xFF\xD6"), u"中\xFFFD\xFFFD");
    EXPECT_EQ(DecodeTableBytes("\xD6\x30"), u"\xFFFD" "0");
    EXPECT_EQ(DecodeTableBytes("\xEF\xBB\xBF\xE4\xB8\xAD"), u"中");
    EXPECT_EQ(DecodeTableBytes(""), u"");
}

}  // namespace
}  // namespace lorvane
