#include <gtest/gtest.h>

#include <algorithm>
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
                   const std::vector<std::string>& files, std::size_t pieceSize, std::size_t* longestWrite = nullptr)
{
    std::string written;
    StreamConverter converter(index, options, perLine, [&](std::string_view bytes) {
        written += bytes;
        if (longestWrite) *longestWrite = std::max(*longestWrite, bytes.size());
    });
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

// A reading longer than an output piece, thousands of readings of one
// character, and a surrogate pair where a piece would end: the output is
// still ConvertText's, written in pieces of bounded size.
TEST(StreamConverter, WritesBoundedPiecesWhateverTheReadings)
{
    PinyinTable table;
    std::u16string longReading = u"长" + std::u16string(StreamConverter::PieceUnits - 1, u'a') + u"\xD840\xDC00";
    table.slots[table.PinyinEntryCount++] = longReading;
    for (int reading = 0; reading < 20000; ++reading) table.slots[table.PinyinEntryCount++] = u"重zhong";
    table.slots[table.PinyinEntryCount++] = u"庆qing ";  // a quoted field may end in a blank
    const PinyinIndex index(table);
    const std::string text = "重长庆 长重\n庆";
    for (const bool single : {false, true}) {
        const ConversionOptions options{LetterCase::FirstLetterUpper, single};
        std::size_t longestWrite = 0;
        const std::string expected = Utf16ToUtf8(ConvertText(index, Utf8ToUtf16(text), options)) + "\n";
        EXPECT_EQ(stream(index, options, false, {text}, 5, &longestWrite), expected);
        EXPECT_LE(longestWrite, 3 * StreamConverter::PieceUnits + 1);
    }
}

}  // namespace
}  // namespace lorvane::cli
