#include "context/WordData.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <cstring>
#include <memory>

#include "datafile/DataFileReader.h"
#include "text/Crc32.h"
#include "text/Numbers.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

using Kind = DataFileError::Problem;

[[noreturn]] void failWith(Kind kind, const std::string& path, std::string detail = {})
{
    throw DataFileError(DataFile::Words, kind, path, std::move(detail));
}

constexpr char Magic[8] = {'L', 'V', 'W', 'O', 'R', 'D', 'S', '\0'};
constexpr std::size_t CharRecordSize = 6;
constexpr std::size_t RuleRecordSize = 8;
constexpr std::size_t ShortestWordRecord = 1 + 2 + 2 * 2;
constexpr unsigned WordLengthBits = 0x0F;
constexpr unsigned WordHasReadings = 0x80;

// The bytes of a word record after its head byte: its cost, its units, and
// its syllables where it has them.
constexpr std::size_t wordRecordRest(unsigned head)
{
    return 2 + std::size_t{2} * (head & WordLengthBits) * (head & WordHasReadings ? 2 : 1);
}

std::string count(std::size_t number) { return WithThousandsSeparators(number); }

// Reads the sections in order. Every read is preceded by a test of what is
// left, so nothing past the end of the bytes is ever touched.
class SectionReader {
public:
    SectionReader(std::string_view bytes, const std::string& path)
        : data_(reinterpret_cast<const unsigned char*>(bytes.data())), size_(bytes.size()), path_(path)
    {
    }

    std::size_t at() const { return at_; }
    std::size_t left() const { return size_ - at_; }

    // `needed` is how many bytes the record takes; `what()` names it, and is
    // only called when it fails.
    template <class Description>
    void require(std::size_t needed, const Description& what) const
    {
        if (needed > left()) fail(what() + " runs past the end of the file (" + ByteCount(size_) + ")");
    }
    // `records` records of at least `recordSize` bytes each; divides rather
    // than multiplies, as a count from the file may overflow a 32-bit size.
    template <class Description>
    void requireRecords(std::uint32_t records, std::size_t recordSize, const Description& what) const
    {
        if (records > left() / recordSize) fail(what() + " runs past the end of the file (" + ByteCount(size_) + ")");
    }

    unsigned u8() { return data_[at_++]; }
    template <class Description>
    void skip(std::size_t bytes, const Description& what)
    {
        require(bytes, what);
        at_ += bytes;
    }
    unsigned u16()
    {
        const unsigned value = data_[at_] | static_cast<unsigned>(data_[at_ + 1]) << 8;
        at_ += 2;
        return value;
    }
    std::uint32_t u32()
    {
        const std::uint32_t value = data_[at_] | static_cast<std::uint32_t>(data_[at_ + 1]) << 8 |
                                    static_cast<std::uint32_t>(data_[at_ + 2]) << 16 |
                                    static_cast<std::uint32_t>(data_[at_ + 3]) << 24;
        at_ += 4;
        return value;
    }

    [[noreturn]] void fail(const std::string& detail) const { failWith(Kind::BadContent, path_, detail); }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    const std::string& path_;
};

struct Header {
    std::uint32_t version;
    std::uint32_t syllableCount;
    std::uint32_t charCount;
    std::uint32_t ruleCount;
    std::uint32_t wordCount;
};

void checkSyllableCount(SectionReader& reader, std::uint32_t syllableCount)
{
    if (syllableCount == 0 || syllableCount > 0xFFFF)
        reader.fail("the header counts " + count(syllableCount) + " syllables; 1 to 65,535 are allowed");
}

Header readHeader(std::string_view bytes, SectionReader& reader, const std::string& path)
{
    const std::size_t magicSeen = std::min(bytes.size(), sizeof Magic);
    if (std::memcmp(bytes.data(), Magic, magicSeen) != 0) failWith(Kind::WrongMagic, path);
    if (bytes.size() < WordDataHeaderSize)
        failWith(Kind::Truncated, path,
                 ByteCount(bytes.size()) + ", less than the " + count(WordDataHeaderSize) + "-byte header");
    reader.require(WordDataHeaderSize, [] { return std::string("the header"); });
    for (std::size_t skipped = 0; skipped < sizeof Magic; ++skipped) reader.u8();
    const std::uint32_t version = reader.u32();
    if (version < 1 || version > WordDataVersion)
        failWith(Kind::WrongVersion, path,
                 "version " + std::to_string(version) + ", this program reads versions 1 to " +
                     std::to_string(WordDataVersion));
    const std::uint32_t declaredSize = reader.u32();
    if (declaredSize > bytes.size())
        failWith(Kind::Truncated, path,
                 "its header gives " + ByteCount(declaredSize) + ", it has " + count(bytes.size()));
    if (declaredSize < bytes.size())
        failWith(Kind::WrongSize, path,
                 "its header gives " + ByteCount(declaredSize) + ", it has " + count(bytes.size()));
    const std::uint32_t declaredCrc = reader.u32();
    const std::uint32_t crc = Crc32(bytes.substr(WordDataHeaderSize));
    if (crc != declaredCrc) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "the header gives %08X, the content has %08X",
                      static_cast<unsigned>(declaredCrc), static_cast<unsigned>(crc));
        failWith(Kind::WrongChecksum, path, numbers);
    }
    Header header{};
    header.version = version;
    header.syllableCount = reader.u32();
    header.charCount = reader.u32();
    header.ruleCount = reader.u32();
    header.wordCount = reader.u32();
    if (reader.u32() != 0) reader.fail("the reserved field of the header (byte 36) is not 0");
    checkSyllableCount(reader, header.syllableCount);
    return header;
}

// A toned syllable is its letters and a tone digit after them.
void readSyllables(SectionReader& reader, std::uint32_t syllableCount, WordData& data, bool toned)
{
    const char* const kind = toned ? "toned syllable" : "syllable";
    reader.requireRecords(syllableCount, 2,
                   [&] { return std::string("the ") + kind + " section of " + count(syllableCount) + " syllables"; });
    data.syllables.resize(syllableCount);
    const unsigned shortest = toned ? 2 : 1;
    const unsigned longest = toned ? 16 : 15;
    for (std::uint32_t index = 0; index < syllableCount; ++index) {
        const std::size_t at = reader.at();
        const auto where = [&] { return std::string(kind) + " " + count(index) + " at byte " + count(at); };
        reader.require(1, where);
        const unsigned length = reader.u8();
        if (length < shortest || length > longest)
            reader.fail(where() + ": length " + std::to_string(length) + ", not " + std::to_string(shortest) + " to " +
                        std::to_string(longest));
        reader.require(length, where);
        std::u16string& syllable = data.syllables[index];
        syllable.resize(length);
        for (unsigned letter = 0; letter < length; ++letter) {
            const unsigned byte = reader.u8();
            const bool toneDigit = toned && letter + 1 == length;
            if (toneDigit ? byte < '1' || byte > '5' : byte < 'a' || byte > 'z')
                reader.fail(where() + (toneDigit ? ": its tone is not 1 to 5" : ": a byte that is not a to z"));
            syllable[letter] = static_cast<char16_t>(byte);
        }
    }
}

void readChars(SectionReader& reader, std::uint32_t charCount, WordData& data, std::bitset<0x10000>& hasChar)
{
    reader.requireRecords(charCount, CharRecordSize,
                   [&] { return "the char section of " + count(charCount) + " records"; });
    data.chars.resize(charCount);
    for (std::uint32_t index = 0; index < charCount; ++index) {
        const std::size_t at = reader.at();
        WordData::Char& record = data.chars[index];
        record.unit = static_cast<char16_t>(reader.u16());
        record.singleCost = static_cast<std::uint16_t>(reader.u16());
        record.aloneSyllable = static_cast<std::uint16_t>(reader.u16());
        const auto where = [&] {
            return "char record " + count(index) + " (" + CodePointLabel(record.unit) + ") at byte " + count(at);
        };
        if (record.unit == 0) reader.fail(where() + ": the NUL character");
        if (IsSurrogate(record.unit)) reader.fail(where() + ": a surrogate");
        if (index > 0 && record.unit <= data.chars[index - 1].unit)
            reader.fail(where() + ": not after " + CodePointLabel(data.chars[index - 1].unit));
        if (record.aloneSyllable != NoSyllable && record.aloneSyllable >= data.syllables.size())
            reader.fail(where() + ": syllable " + count(record.aloneSyllable) + " out of range");
        hasChar.set(record.unit);
    }
}

void readRules(SectionReader& reader, std::uint32_t ruleCount, WordData& data, const std::bitset<0x10000>& hasChar)
{
    reader.requireRecords(ruleCount, RuleRecordSize,
                   [&] { return "the rule section of " + count(ruleCount) + " records"; });
    data.rules.resize(ruleCount);
    std::vector<std::uint16_t> rulesOf(ruleCount == 0 ? 0 : 0x10000, 0);
    for (std::uint32_t index = 0; index < ruleCount; ++index) {
        const std::size_t at = reader.at();
        const auto where = [&] { return "rule " + count(index) + " at byte " + count(at); };
        WordData::Rule& rule = data.rules[index];
        rule.target = static_cast<char16_t>(reader.u16());
        rule.neighbour = static_cast<char16_t>(reader.u16());
        rule.syllable = static_cast<std::uint16_t>(reader.u16());
        const unsigned kind = reader.u8();
        const unsigned reserved = reader.u8();
        if (!hasChar.test(rule.target))
            reader.fail(where() + ": its target " + CodePointLabel(rule.target) + " has no char record");
        if (rule.syllable >= data.syllables.size())
            reader.fail(where() + ": syllable " + count(rule.syllable) + " out of range");
        if (kind > static_cast<unsigned>(RuleKind::AfterReduplication))
            reader.fail(where() + ": unknown kind " + std::to_string(kind));
        if (reserved != 0) reader.fail(where() + ": the reserved byte is not 0");
        rule.kind = static_cast<RuleKind>(kind);
        if (rule.kind == RuleKind::AfterReduplication && rule.neighbour != 0)
            reader.fail(where() + ": a reduplication rule with a neighbour");
        if (rule.kind != RuleKind::AfterReduplication && rule.neighbour == 0)
            reader.fail(where() + ": its neighbour is the NUL character");
        if (++rulesOf[rule.target] > MaxRulesPerUnit)
            reader.fail(where() + ": " + CodePointLabel(rule.target) + " has more than the " + count(MaxRulesPerUnit) +
                        " rules a character may have");
    }
}

void readWords(SectionReader& reader, std::uint32_t wordCount, WordData& data, const std::bitset<0x10000>& hasChar)
{
    // A count too large for the bytes left fails here, before anything is
    // allocated for it.
    reader.requireRecords(wordCount, ShortestWordRecord,
                   [&] { return "the word section of " + count(wordCount) + " words"; });
    data.words.resize(wordCount);
    data.wordUnits.reserve(std::size_t{wordCount} * 3);
    for (std::uint32_t index = 0; index < wordCount; ++index) {
        const std::size_t at = reader.at();
        const auto where = [&] { return "word " + count(index) + " at byte " + count(at); };
        reader.require(1, where);
        const unsigned head = reader.u8();
        const unsigned length = head & WordLengthBits;
        const bool hasReadings = head & WordHasReadings;
        if (head & 0x70) reader.fail(where() + ": unknown flags in its head byte");
        if (length < 2) reader.fail(where() + ": length " + std::to_string(length) + ", not 2 to 15");
        reader.require(wordRecordRest(head), where);

        WordData::Word& word = data.words[index];
        word.length = static_cast<std::uint8_t>(length);
        word.cost = static_cast<std::uint16_t>(reader.u16());
        word.unitsStart = static_cast<std::uint32_t>(data.wordUnits.size());
        for (unsigned position = 0; position < length; ++position) {
            const auto unit = static_cast<char16_t>(reader.u16());
            if (!hasChar.test(unit)) reader.fail(where() + ": " + CodePointLabel(unit) + " has no char record");
            data.wordUnits.push_back(unit);
        }
        if (index > 0 && !(data.unitsOf(data.words[index - 1]) < data.unitsOf(word)))
            reader.fail(where() + ": not after the word before it");

        word.syllablesStart = WordData::NoReadings;
        if (hasReadings) {
            word.syllablesStart = static_cast<std::uint32_t>(data.wordSyllables.size());
            bool anyReading = false;
            for (unsigned position = 0; position < length; ++position) {
                const auto syllable = static_cast<std::uint16_t>(reader.u16());
                if (syllable != NoSyllable && syllable >= data.syllables.size())
                    reader.fail(where() + ": syllable " + count(syllable) + " out of range");
                anyReading = anyReading || syllable != NoSyllable;
                data.wordSyllables.push_back(syllable);
            }
            if (!anyReading) reader.fail(where() + ": flagged with readings but gives none");
        }
    }
}

// The sections of a body: syllables, chars, rules and words, checked as the
// format says.
void readBody(SectionReader& reader, const Header& counts, WordData& data, bool toned)
{
    // 8 KiB, too much for some threads' stacks.
    const auto hasChar = std::make_unique<std::bitset<0x10000>>();
    readSyllables(reader, counts.syllableCount, data, toned);
    readChars(reader, counts.charCount, data, *hasChar);
    readRules(reader, counts.ruleCount, data, *hasChar);
    readWords(reader, counts.wordCount, data, *hasChar);
}

// Passes over a body that will not be used: its records are walked, within
// the file, but neither checked nor kept. The checksum has vouched for them.
void skipBody(SectionReader& reader, const Header& counts, bool syllablesToo = true)
{
    const auto where = [] { return std::string("a section not read"); };
    for (std::uint32_t syllable = 0; syllablesToo && syllable < counts.syllableCount; ++syllable) {
        reader.require(1, where);
        reader.skip(reader.u8(), where);
    }
    reader.requireRecords(counts.charCount, CharRecordSize, where);
    reader.skip(std::size_t{CharRecordSize} * counts.charCount, where);
    reader.requireRecords(counts.ruleCount, RuleRecordSize, where);
    reader.skip(std::size_t{RuleRecordSize} * counts.ruleCount, where);
    for (std::uint32_t word = 0; word < counts.wordCount; ++word) {
        reader.require(1, where);
        const unsigned head = reader.u8();
        reader.skip(wordRecordRest(head), where);
    }
}

template <class Description>
void requireIndex(SectionReader& reader, std::uint16_t syllable, const WordData& body, const Description& where)
{
    if (syllable >= body.syllables.size())
        reader.fail(where() + ": toned syllable " + count(syllable) + " out of range");
}

// A unit that stands for a character: neither NUL nor half of a pair.
template <class Description>
void requireCharacter(SectionReader& reader, char16_t unit, const Description& where)
{
    if (unit == 0 || IsSurrogate(unit)) reader.fail(where() + ": " + CodePointLabel(unit) + " is no character");
}

// A record's unit after the one of the record before it.
template <class Description>
void requireAfter(SectionReader& reader, char16_t unit, char16_t previous, const Description& where)
{
    if (unit <= previous) reader.fail(where() + ": not after " + CodePointLabel(previous));
}

void readCharTones(SectionReader& reader, std::uint32_t recordCount, ToneData& tones)
{
    reader.requireRecords(recordCount, 5, [&] { return "the char tone section of " + count(recordCount) + " records"; });
    tones.charTones.resize(recordCount);
    for (std::uint32_t index = 0; index < recordCount; ++index) {
        const std::size_t at = reader.at();
        const auto where = [&] { return "char tones " + count(index) + " at byte " + count(at); };
        reader.require(3, where);
        ToneData::CharTones& record = tones.charTones[index];
        record.unit = static_cast<char16_t>(reader.u16());
        record.count = static_cast<std::uint8_t>(reader.u8());
        record.begin = static_cast<std::uint32_t>(tones.charToneSyllables.size());
        requireCharacter(reader, record.unit, where);
        if (index > 0) requireAfter(reader, record.unit, tones.charTones[index - 1].unit, where);
        if (record.count == 0) reader.fail(where() + ": no reading");
        reader.require(std::size_t{2} * record.count, where);
        for (unsigned reading = 0; reading < record.count; ++reading) {
            const auto syllable = static_cast<std::uint16_t>(reader.u16());
            requireIndex(reader, syllable, tones.body, where);
            tones.charToneSyllables.push_back(syllable);
        }
    }
}

void readSurnames(SectionReader& reader, std::uint32_t surnameCount, ToneData& tones)
{
    reader.requireRecords(surnameCount, 5, [&] { return "the surname section of " + count(surnameCount) + " records"; });
    tones.surnames.resize(surnameCount);
    for (std::uint32_t index = 0; index < surnameCount; ++index) {
        const std::size_t at = reader.at();
        const auto where = [&] { return "surname " + count(index) + " at byte " + count(at); };
        reader.require(1, where);
        ToneData::Surname& surname = tones.surnames[index];
        surname.length = static_cast<std::uint8_t>(reader.u8());
        surname.start = static_cast<std::uint32_t>(tones.surnameUnits.size());
        if (surname.length < 1 || surname.length > 2)
            reader.fail(where() + ": length " + std::to_string(surname.length) + ", not 1 or 2");
        reader.require(std::size_t{4} * surname.length, where);
        for (unsigned position = 0; position < surname.length; ++position) {
            const auto unit = static_cast<char16_t>(reader.u16());
            requireCharacter(reader, unit, where);
            tones.surnameUnits.push_back(unit);
        }
        for (unsigned position = 0; position < surname.length; ++position) {
            const auto syllable = static_cast<std::uint16_t>(reader.u16());
            requireIndex(reader, syllable, tones.body, where);
            tones.surnameSyllables.push_back(syllable);
        }
        if (index > 0 && !(tones.unitsOf(tones.surnames[index - 1]) < tones.unitsOf(surname)))
            reader.fail(where() + ": not after the surname before it");
    }
}

void readNameReadings(SectionReader& reader, std::uint32_t readingCount, ToneData& tones)
{
    reader.requireRecords(readingCount, 4, [&] { return "the name reading section of " + count(readingCount) + " records"; });
    tones.nameReadings.resize(readingCount);
    for (std::uint32_t index = 0; index < readingCount; ++index) {
        const std::size_t at = reader.at();
        const auto where = [&] { return "name reading " + count(index) + " at byte " + count(at); };
        ToneData::NameReading& reading = tones.nameReadings[index];
        reading.unit = static_cast<char16_t>(reader.u16());
        reading.syllable = static_cast<std::uint16_t>(reader.u16());
        requireCharacter(reader, reading.unit, where);
        if (index > 0) requireAfter(reader, reading.unit, tones.nameReadings[index - 1].unit, where);
        requireIndex(reader, reading.syllable, tones.body, where);
    }
}

// Version 2's tone part, after the words: its counts, then its sections.
std::shared_ptr<ToneData> readTones(SectionReader& reader, std::size_t fileBytes, bool withBody)
{
    reader.require(32, [&] { return "the count block of the tone part at byte " + count(reader.at()); });
    Header counts{};
    counts.syllableCount = reader.u32();
    counts.charCount = reader.u32();
    counts.ruleCount = reader.u32();
    counts.wordCount = reader.u32();
    const std::uint32_t charToneCount = reader.u32();
    const std::uint32_t surnameCount = reader.u32();
    const std::uint32_t nameReadingCount = reader.u32();
    if (reader.u32() != 0) reader.fail("the reserved field of the tone part's counts is not 0");
    checkSyllableCount(reader, counts.syllableCount);
    auto tones = std::make_shared<ToneData>();
    tones->body.fileBytes = fileBytes;
    if (withBody) {
        readBody(reader, counts, tones->body, true);
    } else {
        readSyllables(reader, counts.syllableCount, tones->body, true);
        skipBody(reader, counts, false);
    }
    readCharTones(reader, charToneCount, *tones);
    readSurnames(reader, surnameCount, *tones);
    readNameReadings(reader, nameReadingCount, *tones);
    return tones;
}

}  // namespace

WordData ParseWordData(std::string_view bytes, const std::string& path, WordDataParts parts)
{
    if (bytes.empty()) failWith(Kind::Empty, path);
    if (bytes.size() > MaxDataFileBytes)
        throw DataFileError(DataFile::Words, Kind::TooLarge, path, {}, bytes.size());
    SectionReader reader(bytes, path);
    const Header header = readHeader(bytes, reader, path);

    WordData data;
    data.fileBytes = bytes.size();
    data.version = header.version;
    const bool hasTones = header.version >= 2;
    const bool tonesOnly = parts == WordDataParts::Tones || parts == WordDataParts::CharTones;
    if (hasTones && tonesOnly)
        skipBody(reader, header);
    else
        readBody(reader, header, data, false);
    if (hasTones && parts == WordDataParts::Toneless) return data;
    if (hasTones) data.tones = readTones(reader, bytes.size(), parts != WordDataParts::CharTones);
    if (reader.left() != 0)
        reader.fail(ByteCount(reader.left()) + " left over after the last section, from byte " + count(reader.at()));
    return data;
}

WordData LoadWordData(const std::string& path, WordDataParts parts)
{
    DataFileReader file(DataFile::Words, path);
    return ParseWordData(file.readAll(MaxDataFileBytes), file.path(), parts);
}

std::span<const std::uint16_t> ToneData::tonesOf(char16_t unit) const
{
    const auto record = std::lower_bound(charTones.begin(), charTones.end(), unit,
                                         [](const CharTones& tones, char16_t wanted) { return tones.unit < wanted; });
    if (record == charTones.end() || record->unit != unit) return {};
    return std::span(charToneSyllables).subspan(record->begin, record->count);
}

}  // namespace lorvane
