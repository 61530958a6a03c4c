#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "DataFileFailure.h"
#include "TemporaryFolder.h"
#include "WordDataWriter.h"
#include "context/WordData.h"
#include "text/Crc32.h"

namespace lorvane {
namespace {

using Kind = DataFileError::Problem;
using testing::PutU16;
using testing::WordDataContents;

// 中 and 国 with their records, a rule and two words, one with readings.
WordDataContents sampleContents()
{
    WordDataContents contents;
    contents.syllables = {"zhong", "guo", "chong"};
    contents.chars = {{u'中', 300, NoSyllable}, {u'国', 400, 1}};
    contents.rules = {{u'中', u'国', 2, RuleKind::NextIs}};
    contents.words = {{u"中国", 120, {}}, {u"中国中", 90, {2, NoSyllable, 0}}};
    return contents;
}

// The sample with a tone part: toned syllables, 中's two tones, a surname and
// a name reading.
WordDataContents tonedContents()
{
    WordDataContents contents = sampleContents();
    testing::TonePart& tones = contents.tones.emplace();
    tones.body = sampleContents();
    tones.body.syllables = {"zhong1", "guo2", "chong2", "zhong4"};
    tones.charTones = {{u'中', {0, 3}}, {u'国', {1}}};
    tones.surnames = {{u"中", {0}}, {u"国中", {1, 0}}};
    tones.nameReadings = {{u'国', 1}};
    return contents;
}

// A good file spoiled in one way.
struct Spoiled {
    const char* name;
    std::function<void(WordDataContents&)> spoilContents;
    std::function<void(std::string&)> spoilBytes;
    Kind kind;
    const char* inMessage;
};

// Each case must be refused with its problem and a message that names the
// file and says what is wrong where; never read past the end (the sanitizer
// build checks that).
void expectEachRefused(const std::vector<Spoiled>& cases, WordDataContents (*good)())
{
    for (const Spoiled& test : cases) {
        WordDataContents contents = good();
        test.spoilContents(contents);
        std::string bytes = testing::WordDataBytes(contents);
        test.spoilBytes(bytes);
        try {
            ParseWordData(bytes, "/data/words.dat");
            ADD_FAILURE() << test.name << ": loaded";
        } catch (const DataFileError& error) {
            EXPECT_EQ(test.kind, error.problem()) << test.name << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find(test.inMessage), std::string::npos)
                << test.name << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find("\"/data/words.dat\""), std::string::npos) << test.name;
        }
    }
}

TEST(WordData, ReadsWhatTheWriterWrote)
{
    EXPECT_EQ(0xCBF43926u, Crc32("123456789"));
    const std::string bytes = testing::WordDataBytes(sampleContents());
    for (std::size_t length = 0; length <= bytes.size(); length += 7)
        EXPECT_EQ(testing::PlainCrc32(bytes.substr(0, length), 0), Crc32(std::string_view(bytes).substr(0, length)));

    const WordData data = ParseWordData(bytes, "words.dat");
    EXPECT_EQ((std::vector<std::u16string>{u"zhong", u"guo", u"chong"}), data.syllables);
    ASSERT_EQ(2u, data.chars.size());
    EXPECT_EQ(u'国', data.chars[1].unit);
    EXPECT_EQ(400, data.chars[1].singleCost);
    EXPECT_EQ(1, data.chars[1].aloneSyllable);
    ASSERT_EQ(1u, data.rules.size());
    EXPECT_EQ(RuleKind::NextIs, data.rules[0].kind);
    EXPECT_EQ(u'国', data.rules[0].neighbour);
    ASSERT_EQ(2u, data.words.size());
    EXPECT_EQ(u"中国中", data.unitsOf(data.words[1]));
    EXPECT_EQ(90, data.words[1].cost);
    EXPECT_EQ(WordData::NoReadings, data.words[0].syllablesStart);
    EXPECT_EQ((std::vector<std::uint16_t>{2, NoSyllable, 0}), data.wordSyllables);
    EXPECT_EQ(nullptr, data.tones);

    const WordData toned = ParseWordData(testing::WordDataBytes(tonedContents()), "words.dat");
    ASSERT_NE(nullptr, toned.tones);
    const ToneData& tones = *toned.tones;
    EXPECT_EQ(3u, toned.syllables.size());
    EXPECT_EQ(u"zhong4", tones.body.syllables[3]);
    EXPECT_EQ(2u, tones.body.words.size());
    ASSERT_EQ(2u, tones.charTones.size());
    EXPECT_EQ(2, tones.charTones[0].count);
    EXPECT_EQ(3, tones.charToneSyllables[tones.charTones[0].begin + 1]);
    ASSERT_EQ(2u, tones.surnames.size());
    EXPECT_EQ(u"国中", tones.unitsOf(tones.surnames[1]));
    EXPECT_EQ(0, tones.surnameSyllables[tones.surnames[1].start + 1]);
    ASSERT_EQ(1u, tones.nameReadings.size());
    EXPECT_EQ(1, tones.nameReadings[0].syllable);
}

TEST(WordData, EveryViolationIsALoadErrorThatSaysWhatAndWhere)
{
    const auto none = [](auto&) {};
    const auto reseal = [](std::string& bytes) { testing::Reseal(bytes); };
    const std::vector<Spoiled> cases = {
        {"empty", none, [](std::string& b) { b.clear(); }, Kind::Empty, "empty"},
        {"other file", none, [](std::string& b) { b = "\xD6\xD0zhong\r\n"; }, Kind::WrongMagic, "LVWORDS"},
        {"header cut", none, [](std::string& b) { b.resize(30); }, Kind::Truncated, "40-byte header"},
        {"file cut", none, [](std::string& b) { b.pop_back(); }, Kind::Truncated, "bytes, it has"},
        {"bytes added", none, [](std::string& b) { b += "x"; }, Kind::WrongSize, "bytes, it has"},
        {"version", none, [](std::string& b) { b[8] = 3; }, Kind::WrongVersion, "version 3, this program reads versions 1 to 2"},
        {"checksum", none, [](std::string& b) { b[45] ^= 1; }, Kind::WrongChecksum, "checksum"},
        {"reserved header", none, [&](std::string& b) { b[36] = 1; reseal(b); }, Kind::BadContent, "reserved"},
        {"no syllables", [](WordDataContents& s) { s.syllables.clear(); s.chars.clear(); s.rules.clear(); s.words.clear(); },
         none, Kind::BadContent, "0 syllables"},
        {"syllable letters", [](WordDataContents& s) { s.syllables[1] = "Guo"; }, none, Kind::BadContent, "syllable 1 at byte"},
        {"syllable too long", [](WordDataContents& s) { s.syllables[0] = std::string(16, 'a'); }, none, Kind::BadContent,
         "length 16"},
        {"chars out of order", [](WordDataContents& s) { std::swap(s.chars[0], s.chars[1]); }, none, Kind::BadContent,
         "char record 1 (U+4E2D)"},
        {"surrogate char", [](WordDataContents& s) { s.chars.push_back({0xD800, 1, NoSyllable}); }, none,
         Kind::BadContent, "surrogate"},
        {"NUL char", [](WordDataContents& s) { s.chars.insert(s.chars.begin(), {0, 1, NoSyllable}); }, none,
         Kind::BadContent, "char record 0 (U+0000) at byte 56: the NUL character"},
        {"alone out of range", [](WordDataContents& s) { s.chars[0].aloneSyllable = 3; }, none, Kind::BadContent,
         "syllable 3 out of range"},
        {"rule without char", [](WordDataContents& s) { s.rules[0].target = u'a'; }, none, Kind::BadContent,
         "U+0061 has no char record"},
        {"rule kind", [](WordDataContents& s) { s.rules[0].kind = static_cast<RuleKind>(3); }, none, Kind::BadContent,
         "unknown kind 3"},
        {"rule syllable", [](WordDataContents& s) { s.rules[0].syllable = NoSyllable; }, none, Kind::BadContent,
         "rule 0 at byte"},
        {"reduplication with neighbour", [](WordDataContents& s) { s.rules[0].kind = RuleKind::AfterReduplication; },
         none, Kind::BadContent, "neighbour"},
        {"NUL neighbour", [](WordDataContents& s) { s.rules[0].neighbour = 0; }, none, Kind::BadContent,
         "its neighbour is the NUL character"},
        {"too many rules for one character", [](WordDataContents& s) { s.rules.resize(MaxRulesPerUnit + 1, s.rules[0]); },
         none, Kind::BadContent, "rule 1,024 at byte"},
        {"words out of order", [](WordDataContents& s) { std::swap(s.words[0], s.words[1]); }, none, Kind::BadContent,
         "word 1 at byte"},
        {"same word twice", [](WordDataContents& s) { s.words[1] = s.words[0]; }, none, Kind::BadContent,
         "not after the word before"},
        {"word unit without char", [](WordDataContents& s) { s.words[1].units[2] = u'人'; }, none, Kind::BadContent,
         "U+4EBA has no char record"},
        {"word of one unit", [](WordDataContents& s) { s.words[0].units.resize(1); }, none, Kind::BadContent, "length 1"},
        {"readings without one", [](WordDataContents& s) { s.words[1].syllables = {NoSyllable, NoSyllable, NoSyllable}; },
         none, Kind::BadContent, "gives none"},
        {"word syllable range", [](WordDataContents& s) { s.words[1].syllables[1] = 7; }, none, Kind::BadContent,
         "syllable 7 out of range"},
        {"word flag bits", none, [&](std::string& b) { b[b.size() - 15] |= 0x10; reseal(b); }, Kind::BadContent,
         "unknown flags"},
        {"count past the end", none, [&](std::string& b) { b[32] = 50; reseal(b); }, Kind::BadContent,
         "word section of 50 words"},
        {"count that overflows a 32-bit size", none,
         [&](std::string& b) { b.replace(24, 4, "\xAB\xAA\xAA\x2A"); reseal(b); },  // 6 × 0x2AAAAAAB wraps to 2
         Kind::BadContent, "char section of 715,827,883 records"},
        {"record past the end", none, [&](std::string& b) { b.resize(b.size() - 2); reseal(b); }, Kind::BadContent,
         "word 1 at byte"},
        {"left over", none, [&](std::string& b) { b += "\x02"; reseal(b); }, Kind::BadContent, "1 byte left over"},
    };
    expectEachRefused(cases, sampleContents);
}

TEST(WordData, EveryViolationOfTheTonePartIsALoadError)
{
    const auto none = [](auto&) {};
    using Contents = WordDataContents;
    const auto tones = [](Contents& c) -> testing::TonePart& { return *c.tones; };
    const std::vector<Spoiled> cases = {
        {"tone part cut", none, [](std::string& b) { b.resize(b.size() - 40); testing::Reseal(b); }, Kind::BadContent,
         "runs past the end"},
        {"toneless syllable", [&](Contents& c) { tones(c).body.syllables[0] = "zhong"; }, none, Kind::BadContent,
         "toned syllable 0 at byte"},
        {"tone 6", [&](Contents& c) { tones(c).body.syllables[1] = "guo6"; }, none, Kind::BadContent, "toned syllable 1"},
        {"char tones out of order", [&](Contents& c) { std::swap(tones(c).charTones[0], tones(c).charTones[1]); }, none,
         Kind::BadContent, "char tones 1 at byte"},
        {"char tones without a reading", [&](Contents& c) { tones(c).charTones[1].second.clear(); }, none,
         Kind::BadContent, "no reading"},
        {"char tone out of range", [&](Contents& c) { tones(c).charTones[0].second[1] = 4; }, none, Kind::BadContent,
         "toned syllable 4 out of range"},
        {"surname of three", [&](Contents& c) { tones(c).surnames[1] = {u"国中国", {1, 0, 1}}; }, none,
         Kind::BadContent, "length 3, not 1 or 2"},
        {"surnames out of order", [&](Contents& c) { std::swap(tones(c).surnames[0], tones(c).surnames[1]); }, none,
         Kind::BadContent, "not after the surname before it"},
        {"surrogate surname", [&](Contents& c) { tones(c).surnames[0].first[0] = 0xD800; }, none, Kind::BadContent,
         "U+D800 is no character"},
        {"name readings out of order", [&](Contents& c) { tones(c).nameReadings.push_back({u'中', 0}); }, none,
         Kind::BadContent, "name reading 1 at byte"},
        {"left over after the tone part", none, [](std::string& b) { b += "xy"; testing::Reseal(b); }, Kind::BadContent,
         "2 bytes left over"},
    };
    expectEachRefused(cases, tonedContents);
}

TEST(WordData, FilesThatCannotBeReadOrAreTooLarge)
{
    const testing::TemporaryFolder folder;
    const auto failureOf = [](const std::filesystem::path& path) {
        return testing::FailureOf([&] { LoadWordData(path.string()); }, path.string());
    };
    EXPECT_EQ(Kind::Missing, failureOf(folder.path() / "words.dat"));
    std::ofstream(folder.path() / "empty.dat", std::ios::binary).flush();
    EXPECT_EQ(Kind::Empty, failureOf(folder.path() / "empty.dat"));
    EXPECT_EQ(Kind::Unreadable, failureOf(folder.path()));
    // Sparse where the file system allows, so refused before any reading.
    const std::filesystem::path large = folder.path() / "large.dat";
    std::ofstream(large, std::ios::binary) << testing::WordDataBytes(sampleContents());
    std::filesystem::resize_file(large, MaxDataFileBytes + 1);
    EXPECT_EQ(Kind::TooLarge, failureOf(large));

    const std::filesystem::path good = folder.path() / "good.dat";
    std::ofstream(good, std::ios::binary) << testing::WordDataBytes(sampleContents());
    EXPECT_EQ(2u, LoadWordData(good.string()).words.size());
}

}  // namespace
}  // namespace lorvane
