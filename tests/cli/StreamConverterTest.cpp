#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "CaseTableAndWords.h"
#include "ConversionCases.h"
#include "StreamConverter.h"
#include "text/Utf8.h"

namespace lorvane::cli {
namespace {

// The two ways of converting, built from a table. Reading by reading:
struct ByTable {
    using Conversion = TableConversion;
    static std::u16string outputOf(const testing::ConversionCase& test) { return test.output; }

    explicit ByTable(const PinyinTable& table) : index(table) {}
    Conversion conversion(ConversionOptions options) const { return {index, options}; }
    std::u16string whole(std::u16string_view text, ConversionOptions options) const
    {
        return ConvertText(index, text, options);
    }

    PinyinIndex index;
};

// By context, with the word data of the conversion cases.
struct ByContext {
    using Conversion = ContextConversion;
    static std::u16string outputOf(const testing::ConversionCase& test) { return test.outputByContext; }

    explicit ByContext(const PinyinTable& table) : index(table, ParseWordData(testing::CaseWordsFile(), "words.dat")) {}
    Conversion conversion(ConversionOptions options) const { return {index, options}; }
    std::u16string whole(std::u16string_view text, ConversionOptions options) const
    {
        return ConvertTextInContext(index, text, options);
    }

    ContextIndex index;
};

template <class Mode>
class Streaming : public ::testing::Test {
protected:
    void useTable(const PinyinTable& table) { mode_ = std::make_unique<Mode>(table); }

    // Feeds the files in pieces of `pieceSize` bytes; returns what was written.
    std::string stream(ConversionOptions options, bool perLine, const std::vector<std::string>& files,
                       std::size_t pieceSize, std::size_t* longestWrite = nullptr, OutputShape shape = {})
    {
        std::string written;
        StreamConverter<typename Mode::Conversion> converter(
            mode_->conversion(options), perLine,
            [&](std::string_view bytes) {
                written += bytes;
                if (longestWrite) *longestWrite = std::max(*longestWrite, bytes.size());
            },
            shape);
        for (const std::string& file : files) {
            converter.beginInput();
            for (std::size_t at = 0; at < file.size(); at += pieceSize) converter.feed(file.substr(at, pieceSize));
            converter.endInput();
        }
        converter.finish();
        return written;
    }

    // The whole conversion of `text` and a line end, as whole-text mode writes it.
    std::string whole(const std::string& text, ConversionOptions options) const
    {
        return Utf16ToUtf8(mode_->whole(Utf8ToUtf16(text), options)) + "\n";
    }

    // Each line converted on its own, as line mode writes it.
    std::string byLines(std::string_view text, ConversionOptions options) const
    {
        std::string lines;
        while (!text.empty()) {
            const std::size_t lineEnd = std::min(text.find('\n'), text.size());
            lines += whole(std::string(text.substr(0, lineEnd)), options);
            text.remove_prefix(std::min(lineEnd + 1, text.size()));
        }
        return lines;
    }

    std::unique_ptr<Mode> mode_ = std::make_unique<Mode>(testing::CaseTable());
};

struct ModeName {
    template <class Mode>
    static std::string GetName(int)
    {
        return std::is_same_v<Mode, ByTable> ? "ByTable" : "ByContext";
    }
};
using Modes = ::testing::Types<ByTable, ByContext>;
TYPED_TEST_SUITE(Streaming, Modes, ModeName);

TYPED_TEST(Streaming, WholeTextModeMatchesTheWholeConversionWhateverThePieces)
{
    const std::string text = "\xEF\xBB\xBF重庆长大 x\n长长大\r\n\n重\xE9庆\xE9";
    const ConversionOptions options{LetterCase::FirstLetterUpper, false};
    const std::string expected = this->whole(text.substr(3), options);
    for (std::size_t piece = 1; piece <= text.size(); ++piece)
        ASSERT_EQ(expected, this->stream(options, false, {text}, piece)) << "pieces of " << piece;
    for (const testing::ConversionCase& test : testing::CoreConversionCases())
        EXPECT_EQ(Utf16ToUtf8(TypeParam::outputOf(test)) + "\n",
                  this->stream(test.conversionOptions(), false, {Utf16ToUtf8(test.input)}, 1))
            << test.where();
    const ConversionOptions single{LetterCase::AsStored, true};
    // The whole input is one text: a word may span two files, as with cat.
    EXPECT_EQ(this->whole("重庆", single), this->stream(single, false, {"重", "\xEF\xBB\xBF庆"}, 1));
    EXPECT_EQ("\n", this->stream(options, false, {}, 1));
    EXPECT_EQ("\n", this->stream(options, false, {"abc", "\xEF\xBB"}, 1));
}

TYPED_TEST(Streaming, LineModeWritesOneLinePerInputLine)
{
    const ConversionOptions single{LetterCase::AsStored, true};
    const std::string text = "重\n庆长大\r\n\nab\n重庆\n长";
    for (const std::size_t piece : {1u, 2u, 5u, 100u}) {
        EXPECT_EQ(this->byLines(text, single), this->stream(single, true, {text}, piece));
        EXPECT_EQ("zhong\n\n\nchang chang\n", this->stream(single, true, {"重\r\nabc\n\n长 长\n"}, piece));
        EXPECT_EQ("zhong (chong)\nchang (zhang)\n", this->stream({}, true, {"重\n长"}, piece));
        // A file's last line ends with the file, and every file's mark is skipped.
        EXPECT_EQ("zhong\nqing\n", this->stream(single, true, {"\xEF\xBB\xBF重", "\xEF\xBB\xBF庆\n"}, piece));
        EXPECT_EQ("zhong\nqing\n", this->stream(single, true, {"重", "庆"}, piece));
        EXPECT_EQ("", this->stream(single, true, {"", ""}, piece));
    }
}

TYPED_TEST(Streaming, RandomTextAgreesWithTheWholeConversion)
{
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {"重", "庆", "长", "大", " ", "a", "\n", "\xE4", "\xF0\xA0\x80\x80"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int at = 0; at < 30; ++at) text += pieces[random() % pieces.size()];
        const ConversionOptions options{static_cast<LetterCase>(random() % 3), random() % 2 == 0};
        const std::size_t piece = 1 + random() % 7;
        ASSERT_EQ(this->whole(text, options), this->stream(options, false, {text}, piece)) << text;
        ASSERT_EQ(this->byLines(text, options), this->stream(options, true, {text}, piece)) << text;
    }
}

// A reading longer than an output piece, thousands of readings of one
// character, a run whose readings fill several pieces, and a surrogate pair
// where a piece would end: the output is still the whole conversion's,
// written in pieces of bounded size.
TYPED_TEST(Streaming, WritesBoundedPiecesWhateverTheReadings)
{
    constexpr std::size_t PieceUnits = PieceWriter::DefaultPieceUnits;
    PinyinTable table;
    table.slots[table.PinyinEntryCount++] = u"长" + std::u16string(PieceUnits - 1, u'a') + u"\xD840\xDC00";
    for (int reading = 0; reading < 20000; ++reading) table.slots[table.PinyinEntryCount++] = u"重zhong";
    table.slots[table.PinyinEntryCount++] = u"庆qing ";  // a quoted field may end in a blank
    table.slots[table.PinyinEntryCount++] = u"大" + std::u16string(3000, u'd');
    this->useTable(table);
    std::string text = "重长庆 长重\n庆";
    for (int copy = 0; copy < 30; ++copy) text += "大";
    for (const bool single : {false, true}) {
        const ConversionOptions options{LetterCase::FirstLetterUpper, single};
        std::size_t longestWrite = 0;
        EXPECT_EQ(this->whole(text, options), this->stream(options, false, {text}, 5, &longestWrite));
        EXPECT_LE(longestWrite, 3 * PieceUnits + 1);
    }
}

// The separator between characters, and kept text with the separator only
// beside letters and digits, whatever the pieces.
TYPED_TEST(Streaming, SeparatorsAndKeptText)
{
    const ConversionOptions single{LetterCase::AsStored, true};
    const auto read = [&](std::u16string_view text) { return Utf16ToUtf8(this->mode_->whole(text, single)); };
    const std::string zhong = read(u"重"), qing = read(u"庆"), both = read(u"重庆");
    const std::string all = Utf16ToUtf8(this->mode_->whole(u"重庆", {}));  // "zhong (chong) qing"
    struct Case {
        std::string text;
        OutputShape shape;
        bool perLine;
        ConversionOptions options;
        std::string written;
    };
    const auto kept = [](std::u16string separator) { return OutputShape{std::move(separator), true}; };
    const auto separated = [](std::u16string separator) { return OutputShape{std::move(separator), false}; };
    const std::vector<Case> cases = {
        {"重庆", separated(u"-"), false, single, both.substr(0, both.find(' ')) + "-" + qing + "\n"},
        {"重庆", separated(u""), false, {}, all.substr(0, all.rfind(' ')) + qing + "\n"},
        {"重a庆", separated(u" / "), false, single, zhong + " / " + qing + "\n"},
        {"iPhone 15 重庆！", kept(u" "), false, single, "iPhone 15 " + both + "！\n"},
        {"重3庆", kept(u"-"), false, single, zhong + "-3-" + qing + "\n"},
        {" 重，庆 (a)", kept(u"-"), false, single, " " + zhong + "，" + qing + " (a)\n"},
        {"重\n庆\n", kept(u" "), false, single, zhong + "\n" + qing + "\n"},
        {"重\r\n\n庆", kept(u" "), true, single, zhong + "\r\n\n" + qing + "\n"},
        {"\xF0\xA0\x80\x80重", kept(u"_"), false, single, "\xF0\xA0\x80\x80_" + zhong + "\n"},
        // Letters of other scripts, a combining mark with its letter, and
        // symbols and emoji, which stand without a separator.
        {"重Huế庆שלום", kept(u"-"), false, single, zhong + "-Huế-" + qing + "-שלום\n"},
        {"重e\xCC\x81庆", kept(u"-"), false, single, zhong + "-e\xCC\x81-" + qing + "\n"},
        {"重😀庆☺重", kept(u"-"), false, single, zhong + "😀" + qing + "☺" + zhong + "\n"},
    };
    for (const Case& test : cases)
        for (const std::size_t piece : {1u, 2u, 100u})
            EXPECT_EQ(test.written, this->stream(test.options, test.perLine, {test.text}, piece, nullptr, test.shape))
                << test.text << " in pieces of " << piece;

    // Kept text of any length is written in bounded pieces.
    const std::string letters(100000, 'a');
    std::size_t longestWrite = 0;
    EXPECT_EQ(letters + " " + zhong + "\n",
              this->stream(single, false, {letters + "重"}, 70000, &longestWrite, kept(u" ")));
    EXPECT_LE(longestWrite, 3 * PieceWriter::DefaultPieceUnits + 64);
}

}  // namespace
}  // namespace lorvane::cli
