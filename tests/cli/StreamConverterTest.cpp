#include <gtest/gtest.h>

#include <random>

#include "PinyinIndex.h"
#include "StreamConverter.h"
#include "TextCoding.h"

namespace lorvane::cli {
namespace {

PinyinTable sampleTable()
{
    PinyinTable table;
    for (const char16_t* entry : {u"重zhong", u"庆qing", u"重chong", u"长chang", u"长zhang"})
        table.slots[table.PinyinEntryCount++] = entry;
    return table;
}

std::string stream(const PinyinIndex& index, ConversionOptions options, bool perLine,
                   const std::vector<std::string>& files, std::size_t pieceSize)
{
    std::string written;
    StreamConverter converter(index, options, perLine, [&](std::string_view bytes) { written += bytes; });
    for (const std::string& file : files) {
        converter.beginInput();
        for (std::size_t at = 0; at < file.size(); at += pieceSize) converter.feed(file.substr(at, pieceSize));
        converter.endInput();
    }
    converter.finish();
    return written;
}

TEST(StreamConverter, WholeTextModeMatchesConvertTextWhateverThePieces)
{
    const PinyinTable table = sampleTable();
    const PinyinIndex index(table);
    const std::string text = "\xEF\xBB\xBF重庆 x\n长长\r\n\n重\xE9";
    const ConversionOptions options{LetterCase::FirstLetterUpper, false};
    const std::string expected =
        Utf16ToUtf8(ConvertText(index, Utf8ToUtf16(text.substr(3)), options)) + "\n";
    for (std::size_t piece = 1; piece <= text.size(); ++piece)
        ASSERT_EQ(expected, stream(index, options, false, {text}, piece)) << "pieces of " << piece;
    EXPECT_EQ("\n", stream(index, options, false, {}, 1));
    EXPECT_EQ("\n", stream(index, options, false, {"abc", "\xEF\xBB"}, 1));
}

TEST(StreamConverter, LineModeWritesOneLinePerInputLine)
{
    const PinyinTable table = sampleTable();
    const PinyinIndex index(table);
    const ConversionOptions single{LetterCase::AsStored, true};
    for (const std::size_t piece : {1u, 2u, 5u, 100u}) {
        EXPECT_EQ("zhong qing\n\n\nchang chang\n", stream(index, single, true, {"重庆\r\nabc\n\n长 长\n"}, piece));
        EXPECT_EQ("zhong (chong) qing\nchang (zhang)\n", stream(index, {}, true, {"重庆\n长"}, piece));
        // A file's last line ends with the file, and every file's mark is skipped.
        EXPECT_EQ("zhong\nqing\n", stream(index, single, true, {"\xEF\xBB\xBF重", "\xEF\xBB\xBF庆\n"}, piece));
        EXPECT_EQ("", stream(index, single, true, {"", ""}, piece));
    }
}

TEST(StreamConverter, RandomTextAgreesWithConvertText)
{
    const PinyinTable table = sampleTable();
    const PinyinIndex index(table);
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {"重", "庆", "长", " ", "a", "\n", "\xE4", "\xF0\xA0\x80\x80"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int at = 0; at < 30; ++at) text += pieces[random() % pieces.size()];
        const ConversionOptions options{static_cast<LetterCase>(random() % 3), random() % 2 == 0};
        const std::string expected = Utf16ToUtf8(ConvertText(index, Utf8ToUtf16(text), options)) + "\n";
        ASSERT_EQ(expected, stream(index, options, false, {text}, 1 + random() % 7)) << text;
    }
}

}  // namespace
}  // namespace lorvane::cli
