// Fuzzes the word data loader and the conversion by context together. The
// first byte picks the options; the next two give the length of the word
// data (15 bits) and whether to convert in tones (the top bit); then come
// the word data and the text (UTF-8).
//
// Unless the settings ask for the bytes as they are, the word data is sealed
// first: its first four bytes become the four counts and the header gets the
// right magic, version, size and checksum, so that most inputs reach the
// sections. Loaded word data must convert the text exactly as the plain
// reference does, whole and in pieces, and hand it on in bounded pieces.
//
// In tones, the word data gets a tone part made from it, and the conversion
// in tones must agree with the reference run on the toned table and word
// data; with sandhi, it must not depend on how the text is cut; and each
// line converted as a name must be what the plain rules give.

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
#include "context/LoadContext.h"
#include "context/NameConversion.h"
#include "context/TonedData.h"
#include "readings/ConvertWhole.h"
#include "datafile/DataFileError.h"
#include "text/Utf8.h"

namespace {

using namespace lorvane;

// Units that fuzzed char records reach easily: letters and the worked
// examples, with duplicate and odd readings.
PinyinTable fuzzTable()
{
    return testing::TableOf({u"axa", u"ayb", u"bzz", u"c(x", u"axa", u"dd", u"e", u"重zhong", u"重chong", u"庆qing",
                             u"行xing", u"行hang", u"长chang", u"长zhang", u"一yi", u"不bu"});
}

std::string sealed(std::string_view body)
{
    std::string bytes("LVWORDS\0", 8);
    testing::PutU32(bytes, 1);
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

// `words` again, with a tone part: each syllable toned by its place, the
// table's readings of its characters in two tones, two surnames and a name
// reading.
WordData withTones(const WordData& words, const PinyinTable& table)
{
    testing::WordDataContents contents;
    for (const std::u16string& syllable : words.syllables) contents.syllables.push_back(Utf16ToUtf8(syllable));
    contents.chars = words.chars;
    contents.rules = words.rules;
    for (const WordData::Word& word : words.words) {
        std::vector<std::uint16_t> syllables;
        if (word.syllablesStart != WordData::NoReadings)
            syllables.assign(words.wordSyllables.data() + word.syllablesStart,
                             words.wordSyllables.data() + word.syllablesStart + word.length);
        contents.words.push_back({std::u16string(words.unitsOf(word)), word.cost, syllables});
    }
    testing::TonePart& tones = contents.tones.emplace();
    tones.body = contents;
    for (std::size_t at = 0; at < tones.body.syllables.size(); ++at)
        tones.body.syllables[at] += static_cast<char>('1' + at % 5);
    for (const WordData::Char& record : words.chars) {
        std::vector<std::uint16_t> toned;
        for (std::size_t slot = 0; slot < table.PinyinEntryCount; ++slot) {
            const std::u16string& entry = table.slots[slot];
            if (entry[0] != record.unit || entry.size() < 2 || !IsTonedSyllable(entry.substr(1) + u'4')) continue;
            for (const char tone : {'4', '1', '4'})
                toned.push_back(tones.body.syllable(Utf16ToUtf8(entry.substr(1)) + tone));
        }
        if (!toned.empty()) tones.charTones.push_back({record.unit, toned});
    }
    tones.surnames = {{u"重", {tones.body.syllable("chong2")}},
                      {u"长行", {tones.body.syllable("chang2"), tones.body.syllable("hang2")}}};
    tones.nameReadings = {{u'庆', tones.body.syllable("qin4")}};
    return ParseWordData(testing::WordDataBytes(contents), "fuzz/toned.dat");
}

// A name as the rules write it, from the reference's readings; nothing for
// a line that is no name.
std::optional<std::u16string> plainName(const testing::ContextReference& reference, const ToneData& tones,
                                        const WordData& written, ToneStyle style, std::u16string_view line,
                                        LetterCase letterCase)
{
    std::u16string name;
    for (const char16_t unit : line)
        if (unit != u' ' && unit != u'\t' && unit != u'\r' && unit != u'\u3000') name.push_back(unit);
    if (line.size() > NameConversion::LongestName || name.size() < 2) return std::nullopt;
    for (const char16_t unit : name)
        if (IsSurrogate(unit)) return std::nullopt;
    std::vector<std::u16string> syllables;
    const std::u16string readings = reference.convert(name, {LetterCase::AsStored, true}) + u' ';
    for (std::size_t at = 0, blank; (blank = readings.find(u' ', at)) != std::u16string::npos; at = blank + 1)
        syllables.push_back(readings.substr(at, blank - at));
    if (syllables.size() != name.size()) return std::nullopt;

    bool known = false;
    for (const WordData::Word& word : written.words) known = known || written.unitsOf(word) == name;
    std::size_t surnameLength = 1;
    const ToneData::Surname* surname = nullptr;
    for (const ToneData::Surname& listed : tones.surnames)
        if (listed.length < name.size() && name.starts_with(tones.unitsOf(listed)) && listed.length >= surnameLength &&
            (!surname || listed.length > surname->length))
            surname = &listed;
    if (surname) surnameLength = surname->length;
    if (!known) {
        for (std::size_t at = 0; surname && at < surnameLength; ++at)
            syllables[at] = WriteToned(tones.body.syllables[tones.surnameSyllables[surname->start + at]], style);
        for (std::size_t at = surnameLength; at < name.size(); ++at)
            for (const ToneData::NameReading& reading : tones.nameReadings)
                if (reading.unit == name[at]) syllables[at] = WriteToned(tones.body.syllables[reading.syllable], style);
    }
    std::u16string output;
    for (std::size_t at = 0; at < syllables.size(); ++at) {
        if (at == surnameLength) output += u' ';
        const bool wordStart = at == 0 || at == surnameLength;
        if (!wordStart && BeginsWithAOrOOrE(syllables[at])) output += u'\'';
        for (std::size_t unit = 0; unit < syllables[at].size(); ++unit) {
            const bool raise = letterCase == LetterCase::AllUpper ||
                               (letterCase == LetterCase::FirstLetterUpper && wordStart && unit == 0);
            output += raise ? ToUpperPinyin(syllables[at][unit]) : syllables[at][unit];
        }
    }
    return output;
}

// The checks in tones, of `words` made toned.
void checkTones(const PinyinTable& table, const WordData& words, std::u16string_view text, std::uint8_t settings,
                ConversionOptions options)
{
    const WordData toned = withTones(words, table);
    const ToneStyle style = settings & 0x20 ? ToneStyle::Marks : ToneStyle::Numbers;
    const ToneData& tones = *toned.tones;
    const LoadedContext loaded = BuildContext(table, toned, "fuzz/toned.dat", {style, (settings & 0x40) != 0, true, false, {}});

    PinyinTable tonedTable;
    const std::vector<std::u16string> slots = TonedSlots(table.slots, tones, style);
    for (const std::u16string& slot : slots)
        if (!slot.empty()) tonedTable.slots[tonedTable.PinyinEntryCount++] = slot;
    const WordData written = WrittenToned(tones.body, style);
    const testing::ContextReference reference(tonedTable, written, style == ToneStyle::Marks ? ToUpperPinyin : ToUpperAscii);
    if (!loaded.sandhi && ConvertTextInContext(*loaded.index, text, options) != reference.convert(text, options))
        fail("the conversion in tones differs from the reference");
    if (loaded.sandhi) {
        const std::u16string whole = ConvertWhole(ContextConversion(*loaded.index, options, loaded.sandhi.get()), text);
        const std::size_t piece = 1 + settings % 5;
        if (testing::WholeInPieces(ContextConversion(*loaded.index, options, loaded.sandhi.get()), text,
                                   [piece] { return piece; }) != whole)
            fail("the tone changes depend on how the text is cut");
    }

    const LoadedContext plain = BuildContext(table, toned, "fuzz/toned.dat", {style, false, true, false, {}});
    std::size_t lines = 0;
    for (std::size_t at = 0; at <= text.size() && lines < 16; ++lines) {
        std::size_t end = text.find(u'\n', at);
        if (end == std::u16string_view::npos) end = text.size();
        const std::u16string_view line = text.substr(at, end - at);
        at = end + 1;
        const std::u16string converted =
            ConvertWhole(NameConversion(*plain.index, tones, style, options), line);
        const std::optional<std::u16string> name = plainName(reference, tones, written, style, line, options.letterCase);
        if (converted != (name ? *name : reference.convert(line, options))) fail("a name differs from the plain rules");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const std::uint8_t settings = data[0];
    const std::size_t dataLength = std::min<std::size_t>(size - 3, data[1] | std::size_t{data[2] & 0x7Fu} << 8);
    const bool inTones = (data[2] & 0x80) != 0;
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

    if (inTones) checkTones(table, words, std::u16string_view(text).substr(0, 512), settings, options);
    return 0;
}
