#include <gtest/gtest.h>

#include "ContextStreamConverter.h"
#include "WordDataWriter.h"

namespace lorvane::cli {
namespace {

// 重庆 reads 重 chong; 长 is read zhang before 大.
class ContextStream : public ::testing::Test {
protected:
    ContextStream()
    {
        for (const char16_t* entry : {u"重zhong", u"庆qing", u"重chong", u"长chang", u"长zhang", u"大da"})
            table_.slots[table_.PinyinEntryCount++] = entry;
        testing::WordDataSpec spec;
        spec.syllables = {"chong", "zhang"};
        spec.chars = {{u'大', 100, NoSyllable}, {u'庆', 100, NoSyllable}, {u'重', 100, NoSyllable},
                      {u'长', 100, NoSyllable}};
        spec.words = {{u"重庆", 100, {0, NoSyllable}}, {u"长大", 100, {1, NoSyllable}}};
        index_ = std::make_unique<ContextIndex>(table_, ParseWordData(testing::WordDataBytes(spec), "words.dat"));
    }

    std::string stream(ConversionOptions options, bool perLine, const std::vector<std::string>& files,
                       std::size_t pieceSize)
    {
        std::string written;
        ContextStreamConverter converter(*index_, options, perLine, [&](std::string_view bytes) { written += bytes; });
        for (const std::string& file : files) {
            converter.beginInput();
            for (std::size_t at = 0; at < file.size(); at += pieceSize) converter.feed(file.substr(at, pieceSize));
            converter.endInput();
        }
        converter.finish();
        return written;
    }

    PinyinTable table_;
    std::unique_ptr<ContextIndex> index_;
};

TEST_F(ContextStream, WordsAreFoundWhereverThePiecesEnd)
{
    const std::string text = "\xEF\xBB\xBF重庆长大 x\n长长大\r\n重\xE9庆";
    const ConversionOptions options{LetterCase::FirstLetterUpper, false};
    const std::string expected =
        Utf16ToUtf8(ConvertTextInContext(*index_, Utf8ToUtf16(text.substr(3)), options)) + "\n";
    EXPECT_EQ("Chong (Zhong) Qing Zhang (Chang) Da Chang (Zhang) Zhang (Chang) Da Zhong (Chong) Qing\n", expected);
    for (std::size_t piece = 1; piece <= text.size(); ++piece)
        ASSERT_EQ(expected, stream(options, false, {text}, piece)) << "pieces of " << piece;
    // The whole input is one text: a word may span two files, as with cat.
    EXPECT_EQ("chong qing\n", stream({LetterCase::AsStored, true}, false, {"重", "\xEF\xBB\xBF庆"}, 1));
}

TEST_F(ContextStream, LinesAreConvertedOnTheirOwn)
{
    const ConversionOptions single{LetterCase::AsStored, true};
    for (const std::size_t piece : {1u, 2u, 5u, 100u}) {
        EXPECT_EQ("zhong\nqing zhang da\n\n\nchang\n", stream(single, true, {"重\n庆长大\n\nab\n长"}, piece));
        EXPECT_EQ("zhong\nqing\n", stream(single, true, {"重", "庆"}, piece));
    }
}

}  // namespace
}  // namespace lorvane::cli
