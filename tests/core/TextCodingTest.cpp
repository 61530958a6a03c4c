#include <gtest/gtest.h>

#include <random>

#include "TestText.h"
#include "table/PinyinTable.h"
#include "text/Gbk.h"
#include "text/Numbers.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

TEST(Utf8Decoder, ReplacesEachMaximalInvalidPartWithOneReplacementCharacter)
{
    EXPECT_EQ(u"a中\U00020000", Utf8ToUtf16("a\xE4\xB8\xAD\xF0\xA0\x80\x80"));
    EXPECT_EQ(u"\xFFFDz", Utf8ToUtf16("\xE4\xB8z"));                // cut sequence
    EXPECT_EQ(u"\xFFFD\xFFFD", Utf8ToUtf16("\xC0\xAF"));            // overlong
    EXPECT_EQ(u"\xFFFD\xFFFD\xFFFD", Utf8ToUtf16("\xED\xA0\x80"));  // encoded surrogate
    EXPECT_EQ(u"\xFFFD\xFFFD\xFFFD\xFFFD", Utf8ToUtf16("\xF4\x90\x80\x80"));
    EXPECT_EQ(u"\xFFFD\xFFFD", Utf8ToUtf16("\xFF\xFE"));
    EXPECT_EQ(u"\xFFFD", Utf8ToUtf16("\xE4\xB8"));                  // cut by the end
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
        EXPECT_EQ(u"中文\U00020000x\xFFFD", out) << "cut at " << cut;
    }
}

// Decoded a byte at a time, no sequence is whole within a piece, so every
// byte above ASCII takes the plain state machine; decoded whole, the common
// sequences take the fast path. Both must agree on any bytes.
TEST(Utf8Decoder, FastPathAgreesWithTheStateMachine)
{
    std::mt19937 random(11);
    const std::string pieces[] = {"a", "\xC3\xBC", "\xE4\xB8\xAD", "\xED\x9F\xBF", "\xF0\x9F\x98\x80", "\x80",
                                  "\xC0", "\xE0\xA0", "\xED\xA0", "\xF4\x90", "\xFF", "\xEF\xBB\xBF"};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        for (int at = 0; at < 20; ++at) bytes += pieces[random() % std::size(pieces)];
        Utf8Decoder byByte;
        std::u16string slow;
        for (const char byte : bytes) byByte.decode(std::string_view(&byte, 1), slow);
        byByte.finish(slow);
        ASSERT_EQ(slow, Utf8ToUtf16(bytes)) << round;
    }
}

TEST(Utf8Check, FindsWhereTheFirstSequenceThatIsNotUtf8Begins)
{
    std::mt19937 random(12);
    const std::string valid[] = {"a", "\xC3\xBC", "\xE4\xB8\xAD", "\xED\x9F\xBF", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"};
    // None becomes UTF-8 with what follows it.
    const std::string invalid[] = {"\xBF",     "\xC0\xAF", "\xE0\x9F\xBF", "\xED\xA0\x80",
                                   "\xF4\x90\x80\x80", "\xFF",     "\xE4\xB8" "a"};
    for (int round = 0; round < 1000; ++round) {
        std::string bytes;
        std::size_t firstInvalid = std::string::npos;
        for (int piece = 0; piece < 8; ++piece) {
            const bool spoiled = random() % 12 == 0;
            if (spoiled && firstInvalid == std::string::npos) firstInvalid = bytes.size();
            bytes += spoiled ? invalid[random() % std::size(invalid)] : valid[random() % std::size(valid)];
        }
        ASSERT_EQ(firstInvalid, FindInvalidUtf8(bytes)) << round;
    }
    EXPECT_EQ(1u, FindInvalidUtf8("a\xE4\xB8"));  // cut by the end
}

TEST(Utf8Encoding, RoundTripsAndReplacesLoneSurrogates)
{
    EXPECT_EQ("a\xE4\xB8\xAD\xF0\xA0\x80\x80\xC3\xBC", Utf16ToUtf8(u"a中\U00020000ü"));
    EXPECT_EQ("\xEF\xBF\xBD" "a", Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"));
    EXPECT_EQ("\xEF\xBF\xBD", Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))));
}

TEST(TableDecoding, GbkWhateverTheLocaleAndUtf8AfterItsMark)
{
    EXPECT_EQ(u"中国 zhong", DecodeTableBytes(testing::Gbk(u"中国 zhong")));
    EXPECT_EQ(u"丂啊€", DecodeTableBytes("\x81\x40\xB0\xA1\x80"));  // the first GBK code; 0x80 is the euro
    EXPECT_EQ(u"中\xFFFD\xFFFD", DecodeTableBytes("\xD6\xD0\xFF\xD6"));
    EXPECT_EQ(u"\xFFFD" "0", DecodeTableBytes("\xD6\x30"));
    EXPECT_EQ(u"中", DecodeTableBytes("\xEF\xBB\xBF\xE4\xB8\xAD"));
    EXPECT_EQ(u"", DecodeTableBytes(""));
}

TEST(Numbers, ThousandsSeparators)
{
    EXPECT_EQ("0", WithThousandsSeparators(0));
    EXPECT_EQ("999", WithThousandsSeparators(999));
    EXPECT_EQ("1,234,567", WithThousandsSeparators(1234567));
}

}  // namespace
}  // namespace lorvane
