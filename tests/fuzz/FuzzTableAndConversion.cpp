// Fuzzes the table loader and the conversion together: the first byte picks
// the options, the bytes up to the first NUL are a table file and the rest is
// the text to convert. The indexed conversion must agree with the literal scan,
// and with itself in pieces.
//
// Built with LORVANE_FUZZ this is a libFuzzer target; otherwise a plain main
// replays the files given on its command line (or the files of the folders
// given), so that the corpus runs as an ordinary test.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "LiteralScan.h"
#include "PieceCollector.h"
#include "ReplayMain.h"
#include "datafile/DataFileError.h"
#include "table/TableConversion.h"
#include "text/Utf8.h"

namespace {

// One table serves every input, as making and freeing 27,951 slots each time
// would take most of the run; the slots the last input filled are emptied.
lorvane::PinyinTable& emptiedTable()
{
    static lorvane::PinyinTable table;
    for (std::size_t slot = 0; slot < table.PinyinEntryCount; ++slot) table.slots[slot].clear();
    table.PinyinEntryCount = 0;
    return table;
}

void expectSame(const std::u16string& expected, const std::u16string& actual, const char* difference)
{
    // memcmp, where the string's own comparison would be traced unit by unit.
    if (expected.size() == actual.size() &&
        std::memcmp(expected.data(), actual.data(), actual.size() * sizeof(char16_t)) == 0)
        return;
    std::fprintf(stderr, "%s\n", difference);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lorvane;
    if (size == 0) return 0;
    const std::uint8_t settings = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = bytes.find('\0');
    const std::string_view tableBytes = bytes.substr(0, split);
    const std::string_view textBytes = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);

    PinyinTable& table = emptiedTable();
    try {
        ParsePinyinTable(DecodeTableBytes(tableBytes), "fuzz/pymb.dat", table);
    } catch (const DataFileError&) {
        // The table holds what was read before the error.
    }
    // Only the filled slots are indexed and scanned, which gives the same
    // output fast: empty slots match nothing.
    const PinyinIndex index(std::span<const std::u16string>(table.slots).first(table.PinyinEntryCount));

    // The settings byte keeps the meaning it has in the corpus: bit 0 first
    // letter upper case, bit 1 all upper case (which wins), then a three-way
    // value of which only 1 means one reading.
    ConversionOptions options;
    if (settings & 1) options.letterCase = LetterCase::FirstLetterUpper;
    if (settings & 2) options.letterCase = LetterCase::AllUpper;
    options.firstReadingOnly = (settings >> 2) % 3 == 1;
    const std::u16string text = Utf8ToUtf16(textBytes.substr(0, 64));
    const std::u16string converted = ConvertText(index, text, options);
    expectSame(testing::LiteralScanConversion(table, text, options, table.PinyinEntryCount), converted,
               "the indexed conversion differs from the literal scan");

    // The same text fed in pieces of 1 to 4 units, its readings handed on in
    // pieces of up to 120 units, as the command-line tool writes them.
    struct : ReadingSink {
        void write(std::u16string_view readings) override { text.append(readings); }
        std::u16string text;
    } sink;
    PieceWriter writer(sink, (std::size_t{settings} >> 4) * 8);
    TableConversion conversion(index, options);
    testing::FeedInPieces(conversion, text, [&] { return std::size_t{1} + (settings >> 4) % 4; }, writer);
    if (!sink.text.empty()) sink.text.pop_back();
    expectSame(converted, sink.text, "the conversion in pieces differs from the whole");
    return 0;
}
