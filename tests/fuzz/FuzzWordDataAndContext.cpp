// Fuzzes the word data loader and the conversion by context together. The
// first byte picks the options; the next two give the length of the word
// data; then come the word data and the text (UTF-8).
//
// Unless the settings ask for the bytes as they are, the word data is sealed
// first: its first four bytes become the four counts and the header gets the
// right magic, version, size and checksum, so that most inputs reach the
// sections. Loaded word data must convert the text exactly as the plain
// reference does, whole and in pieces, and hand it on in bounded pieces.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ContextReference.h"
#include "PieceCollector.h"
#include "ReplayMain.h"
#include "TableOf.h"
#include "WordDataWriter.h"
#include "context/ContextConversion.h"
#include "datafile/DataFileError.h"
#include "text/Utf8.h"

namespace {

using namespace lorvane;

// Units that fuzzed char records reach easily: letters and the worked
// examples, with duplicate and odd readings.
PinyinTable fuzzTable()
{
    return testing::TableOf({u"axa", u"ayb", u"bzz", u"c(x", u"axa", u"dd", u"e", u"重zhong", u"重chong", u"庆qing",
                             u"行xing", u"行hang", u"长chang", u"长zhang"});
}

std::string sealed(std::string_view body)
{
    std::string bytes("LVWORDS\0", 8);
    testing::PutU32(bytes, WordDataVersion);
    testing::PutU32(bytes, 0);
    testing::PutU32(bytes, 0);
    for (std::size_t count = 0; count < 4; ++count)
        testing::PutU32(bytes, count < body.size() ? static_cast<unsigned char>(body[count]) : 0);
    testing::PutU32(bytes, 0);
    bytes.append(body.substr(std::min<std::size_t>(4, body.size())));
    testing::Reseal(bytes);
    return bytes;
}

void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const std::uint8_t settings = data[0];
    const std::size_t dataLength = std::min<std::size_t>(size - 3, data[1] | std::size_t{data[2]} << 8);
    const std::string_view body(reinterpret_cast<const char*>(data + 3), dataLength);
    const std::string_view textBytes(reinterpret_cast<const char*>(data + 3 + dataLength), size - 3 - dataLength);

    WordData words;
    try {
        words = ParseWordData(settings & 0x10 ? std::string(body) : sealed(body), "fuzz/words.dat");
    } catch (const DataFileError&) {
        return 0;
    }
    static const PinyinTable table = fuzzTable();
    const testing::ContextReference reference(table, words);
    const ContextIndex index(table, words);

    const ConversionOptions options{static_cast<LetterCase>(settings % 3), (settings & 4) != 0};
    std::u16string text = Utf8ToUtf16(textBytes.substr(0, 512));
    // Now and then past the length at which runs are cut.
    if ((settings & 8) && !text.empty())
        while (text.size() < 4200) text += text;
    const std::u16string expected = reference.convert(text, options);
    if (ConvertTextInContext(index, text, options) != expected) fail("the conversion differs from the reference");

    // Fed in pieces, and handed on in pieces of 1 to 22 units.
    const std::size_t pieceLength = 1 + std::size_t{settings} / 32 * 3;
    ContextConversion conversion(index, options);
    testing::PieceCollector sink(pieceLength);
    PieceWriter writer(sink, pieceLength);
    testing::FeedInPieces(conversion, text, [&] { return pieceLength; }, writer);
    if (sink.whole() != expected) fail("the conversion in pieces differs from the reference");
    if (sink.badPieces != 0) fail("a piece handed on is empty, or longer than the room and not one character's");
    return 0;
}
