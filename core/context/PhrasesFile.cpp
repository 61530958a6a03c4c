#include "context/PhrasesFile.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "context/WordData.h"
#include "datafile/DataFileReader.h"
#include "readings/PinyinSyllables.h"
#include "readings/WrittenSyllable.h"
#include "sys/FilePath.h"
#include "text/Numbers.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

using Kind = DataFileError::Problem;

constexpr std::uint16_t NotSeenYet = 0xFFFF;
// A syllable without a tone, and with each of the tones 1 to 5.
constexpr std::size_t FormsPerSyllable = 6;
constexpr std::uint8_t NeutralTone = 5;

std::string count(std::size_t number) { return WithThousandsSeparators(number); }

std::string counted(std::size_t number, const char* thing)
{
    return count(number) + " " + thing + (number == 1 ? "" : "s");
}

std::string quoted(std::u16string_view text)
{
    std::string utf8 = "\"";
    AppendUtf8(text, utf8);
    return utf8 += '"';
}

// A lone CR is a blank too: only a CR before LF ends a line.

bool isControl(char16_t unit) { return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F); }

// Takes the next run of units between blanks off the front of `rest`; empty
// when there is none.
std::u16string_view nextField(std::u16string_view& rest)
{
    std::size_t start = 0;
    while (start < rest.size() && IsBlankBetweenWords(rest[start])) ++start;
    std::size_t end = start;
    while (end < rest.size() && !IsBlankBetweenWords(rest[end])) ++end;
    const std::u16string_view field = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return field;
}

std::string whyNotPinyin(WrittenSyllable::Fault fault)
{
    switch (fault) {
    case WrittenSyllable::Fault::ToneNotOneToFive:
        return ": its tone is not 1 to 5";
    case WrittenSyllable::Fault::TwoTones:
        return ": it has two tones";
    default:
        return {};
    }
}

// Adds the entries of a file a line at a time, the syllables each once.
class PhrasesBuilder {
public:
    explicit PhrasesBuilder(const std::string& path)
        : path_(path),
          lineUnits_(Utf8Decoder::MaxUnits(MaxPhrasesLineBytes), u'\0'),
          numberOfForm_(PinyinSyllableCount() * FormsPerSyllable, NotSeenYet)
    {
    }

    // `bytes`: the line without its end; longer than MaxPhrasesLineBytes
    // where the line is.
    void addLine(std::string_view bytes, std::uint32_t line);
    Phrases take() { return std::move(phrases_); }

private:
    [[noreturn]] void fail(std::uint32_t line, const std::string& what) const
    {
        throw DataFileError(DataFile::Phrases, Kind::BadContent, path_, "line " + count(line) + what);
    }
    std::u16string_view decode(std::string_view bytes);
    void checkWord(std::u16string_view word, std::uint32_t line) const;
    std::uint16_t numberOf(const WrittenSyllable& syllable, bool entryToned);

    const std::string& path_;
    Phrases phrases_;
    std::u16string lineUnits_;                 // the line being read, decoded
    std::vector<std::uint16_t> numberOfForm_;  // for each form of each syllable, its place in phrases_.syllables
};

void PhrasesBuilder::addLine(std::string_view bytes, std::uint32_t line)
{
    if (bytes.size() > MaxPhrasesLineBytes) fail(line, " is longer than " + ByteCount(MaxPhrasesLineBytes));
    if (FindInvalidUtf8(bytes) != std::string_view::npos) fail(line, " is not UTF-8");
    std::u16string_view rest = decode(bytes);
    rest = rest.substr(0, rest.find(u'#'));
    const std::u16string_view word = nextField(rest);
    if (word.empty()) return;
    checkWord(word, line);

    std::array<WrittenSyllable, LongestWord> written;
    std::size_t syllableCount = 0;
    for (std::u16string_view field = nextField(rest); !field.empty(); field = nextField(rest), ++syllableCount) {
        const WrittenSyllable syllable = ReadWrittenSyllable(field);
        if (syllable.fault != WrittenSyllable::Fault::None)
            fail(line, ": " + quoted(field) + " is not a pinyin syllable" + whyNotPinyin(syllable.fault));
        if (syllableCount < word.size()) written[syllableCount] = syllable;
    }
    if (syllableCount == 0) fail(line, ": the word " + quoted(word) + " has no syllables");
    if (syllableCount != word.size())
        fail(line, ": the word " + quoted(word) + " has " + counted(word.size(), "character") + " but " +
                       counted(syllableCount, "syllable"));

    const auto end = written.begin() + static_cast<std::ptrdiff_t>(word.size());
    const bool toned =
        std::any_of(written.begin(), end, [](const WrittenSyllable& syllable) { return syllable.tone != 0; });
    phrases_.entries.push_back(
        {static_cast<std::uint32_t>(phrases_.units.size()), static_cast<std::uint8_t>(word.size()), line});
    phrases_.units += word;
    for (auto syllable = written.begin(); syllable != end; ++syllable)
        phrases_.syllableOf.push_back(numberOf(*syllable, toned));
}

std::u16string_view PhrasesBuilder::decode(std::string_view bytes)
{
    Utf8Decoder decoder;
    char16_t* const start = lineUnits_.data();
    return {start, static_cast<std::size_t>(decoder.decode(bytes, start) - start)};
}

// A character past the Basic Multilingual Plane is two units, which the
// conversion would not match to one syllable.
void PhrasesBuilder::checkWord(std::u16string_view word, std::uint32_t line) const
{
    const auto refuse = [&](const std::string& why) { fail(line, ": the word " + quoted(word) + why); };
    for (std::size_t at = 0; at < word.size(); ++at) {
        const char16_t unit = word[at];
        if (IsHighSurrogate(unit)) {
            refuse(" holds " + CodePointLabel(CodePointOfPair(unit, word[at + 1])) +
                   ", a character outside the Basic Multilingual Plane, which words cannot hold");
        }
        if (isControl(unit)) refuse(" holds the control character " + CodePointLabel(unit));
        if (unit < 0x80) refuse(" holds the ASCII character \"" + std::string(1, static_cast<char>(unit)) + "\"");
    }
    if (word.size() > LongestWord)
        refuse(" has " + count(word.size()) + " characters; a word has at most " + count(LongestWord));
}

std::uint16_t PhrasesBuilder::numberOf(const WrittenSyllable& syllable, bool entryToned)
{
    const std::uint8_t tone = !entryToned ? 0 : syllable.tone != 0 ? syllable.tone : NeutralTone;
    std::uint16_t& number = numberOfForm_[syllable.syllable * FormsPerSyllable + tone];
    if (number == NotSeenYet) {
        number = static_cast<std::uint16_t>(phrases_.syllables.size());
        std::u16string& spelt = phrases_.syllables.emplace_back();
        for (const char letter : PinyinSyllableAt(syllable.syllable)) spelt += static_cast<char16_t>(letter);
        if (tone != 0) spelt += static_cast<char16_t>(u'0' + tone);
    }
    return number;
}

}  // namespace

Phrases ParsePhrases(std::string_view bytes, const std::string& path)
{
    if (bytes.size() > MaxDataFileBytes)
        throw DataFileError(DataFile::Phrases, Kind::TooLarge, path, {}, bytes.size());
    const std::size_t fileBytes = bytes.size();
    if (bytes.starts_with(Utf8ByteOrderMark)) bytes.remove_prefix(Utf8ByteOrderMark.size());
    PhrasesBuilder builder(path);
    for (std::uint32_t line = 1; !bytes.empty(); ++line) {
        // No further than the longest line, its CR and its LF: a line of a
        // megabyte is refused after as many bytes as a line a little too long.
        const std::size_t searched = std::min(bytes.size(), MaxPhrasesLineBytes + 2);
        const auto* lineFeed = static_cast<const char*>(std::memchr(bytes.data(), '\n', searched));
        const std::size_t length = lineFeed ? static_cast<std::size_t>(lineFeed - bytes.data()) : searched;
        std::string_view content = bytes.substr(0, length);
        if (lineFeed && content.ends_with('\r')) content.remove_suffix(1);
        builder.addLine(content, line);
        bytes.remove_prefix(lineFeed ? length + 1 : length);
    }
    Phrases phrases = builder.take();
    phrases.fileBytes = fileBytes;
    return phrases;
}

Phrases LoadPhrases(const std::string& path)
{
    const std::string fullPath = FullPath(path);
    return WithDataFileErrors(DataFile::Phrases, fullPath, [&] {
        DataFileReader file(DataFile::Phrases, fullPath);
        return ParsePhrases(file.readAll(MaxDataFileBytes), file.path());
    });
}

}  // namespace lorvane
