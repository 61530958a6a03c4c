#include "context/UserWords.h"

#include <algorithm>
#include <bitset>
#include <memory>
#include <stdexcept>
#include <unordered_map>

#include "readings/Tones.h"

namespace lorvane {
namespace {

// The syllables of the word data by their text, new ones added at the end.
class SyllableIndex {
public:
    explicit SyllableIndex(std::vector<std::u16string>& syllables) : syllables_(syllables)
    {
        for (std::size_t at = syllables.size(); at-- > 0;) byText_[syllables[at]] = static_cast<std::uint16_t>(at);
    }

    std::uint16_t of(const std::u16string& text)
    {
        const auto found = byText_.find(text);
        if (found != byText_.end()) return found->second;
        if (syllables_.size() >= NoSyllable) throw std::length_error("too many syllables to index");
        syllables_.push_back(text);
        return byText_[text] = static_cast<std::uint16_t>(syllables_.size() - 1);
    }

private:
    std::vector<std::u16string>& syllables_;
    std::unordered_map<std::u16string, std::uint16_t> byText_;
};

// An entry's syllable as the word data spells it.
std::u16string spelled(const std::u16string& syllable, char16_t unit, const ToneData* toned)
{
    const bool hasTone = IsTonedSyllable(syllable);
    if (!toned) return std::u16string(hasTone ? TonelessOf(syllable) : syllable);
    if (hasTone) return syllable;
    const auto record = std::lower_bound(toned->charTones.begin(), toned->charTones.end(), unit,
                                         [](const ToneData::CharTones& tones, char16_t wanted) { return tones.unit < wanted; });
    if (record == toned->charTones.end() || record->unit != unit) return syllable;
    for (std::uint32_t at = record->begin; at < record->begin + record->count; ++at) {
        const std::u16string& tone = toned->body.syllables[toned->charToneSyllables[at]];
        if (TonelessOf(tone) == syllable) return tone;
    }
    return syllable;
}

}  // namespace

void AddUserWords(WordData& words, const Phrases& phrases, const ToneData* toned)
{
    // The entries by word, the last of each word only. Most comparisons
    // are settled by the first three units, packed into one number.
    struct Keyed {
        std::uint64_t start;
        std::uint32_t entry;
    };
    const auto unitsOf = [&](std::uint32_t entry) { return phrases.unitsOf(phrases.entries[entry]); };
    std::vector<Keyed> order(phrases.entries.size());
    for (std::uint32_t entry = 0; entry < order.size(); ++entry) {
        const std::u16string_view units = unitsOf(entry);
        std::uint64_t start = 0;
        for (std::size_t at = 0; at < 3; ++at) start = start << 16 | (at < units.size() ? units[at] : 0);
        // A word of fewer units comes before the longer ones it begins.
        order[entry] = {start << 4 | std::min<std::size_t>(units.size(), 3), entry};
    }
    std::sort(order.begin(), order.end(), [&](const Keyed& a, const Keyed& b) {
        if (a.start != b.start) return a.start < b.start;
        const int compared = unitsOf(a.entry).compare(unitsOf(b.entry));
        return compared != 0 ? compared < 0 : a.entry < b.entry;
    });
    std::vector<std::uint32_t> winners;
    for (std::size_t at = 0; at < order.size(); ++at)
        if (at + 1 == order.size() || unitsOf(order[at + 1].entry) != unitsOf(order[at].entry))
            winners.push_back(order[at].entry);

    // Each of the file's syllables as the word data spells it, where that
    // does not depend on the character: all of them but those without a tone
    // for toned word data.
    SyllableIndex syllables(words.syllables);
    std::vector<std::uint16_t> spelledOnce(phrases.syllables.size(), NoSyllable);
    for (std::size_t at = 0; at < spelledOnce.size(); ++at)
        if (!toned || IsTonedSyllable(phrases.syllables[at]))
            spelledOnce[at] = syllables.of(spelled(phrases.syllables[at], 0, toned));
    const auto syllableOf = [&](std::uint32_t entry, std::size_t position) {
        const std::uint32_t at = phrases.entries[entry].unitsStart + static_cast<std::uint32_t>(position);
        const std::uint16_t once = spelledOnce[phrases.syllableOf[at]];
        if (once != NoSyllable) return once;
        return syllables.of(spelled(phrases.syllables[phrases.syllableOf[at]], phrases.units[at], toned));
    };
    std::vector<std::uint16_t> singleOf(0x10000, NoSyllable);
    for (const std::uint32_t entry : winners)
        if (phrases.entries[entry].length == 1) singleOf[unitsOf(entry)[0]] = syllableOf(entry, 0);

    // A record for every character of the entries.
    const auto hasRecord = std::make_unique<std::bitset<0x10000>>();
    std::uint16_t highestCost = 0;
    for (const WordData::Char& record : words.chars) {
        hasRecord->set(record.unit);
        highestCost = std::max(highestCost, record.singleCost);
    }
    for (const std::uint32_t entry : winners)
        for (const char16_t unit : unitsOf(entry))
            if (!hasRecord->test(unit)) {
                hasRecord->set(unit);
                words.chars.push_back({unit, highestCost, NoSyllable});
            }
    std::sort(words.chars.begin(), words.chars.end(), [](const auto& a, const auto& b) { return a.unit < b.unit; });
    for (WordData::Char& record : words.chars)
        if (singleOf[record.unit] != NoSyllable) record.aloneSyllable = singleOf[record.unit];
    std::erase_if(words.rules, [&](const WordData::Rule& rule) { return singleOf[rule.target] != NoSyllable; });

    // The words of both, in order; an entry replaces the word it spells.
    std::vector<WordData::Word> merged;
    std::vector<char16_t> units;
    std::vector<std::uint16_t> readings;
    merged.reserve(words.words.size() + winners.size());
    units.reserve(words.wordUnits.size() + phrases.units.size());
    readings.reserve(words.wordSyllables.size() + phrases.units.size());
    const auto addWord = [&](std::u16string_view spelledUnits, std::uint16_t cost, auto syllableAt, bool hasReadings) {
        WordData::Word word{static_cast<std::uint32_t>(units.size()), WordData::NoReadings, cost,
                            static_cast<std::uint8_t>(spelledUnits.size())};
        units.insert(units.end(), spelledUnits.begin(), spelledUnits.end());
        bool overridden = false;
        for (const char16_t unit : spelledUnits) overridden = overridden || singleOf[unit] != NoSyllable;
        if (hasReadings || overridden) {
            word.syllablesStart = static_cast<std::uint32_t>(readings.size());
            for (std::size_t position = 0; position < spelledUnits.size(); ++position) {
                const std::uint16_t given = syllableAt(position);
                const std::uint16_t single = singleOf[spelledUnits[position]];
                readings.push_back(given != NoSyllable ? given : single);
            }
        }
        merged.push_back(word);
    };
    std::size_t next = 0;  // of the word data's words
    const auto addOld = [&](const WordData::Word& word) {
        const bool hasReadings = word.syllablesStart != WordData::NoReadings;
        addWord(words.unitsOf(word), word.cost, [&](std::size_t position) {
            const std::uint16_t single = singleOf[words.wordUnits[word.unitsStart + position]];
            if (single != NoSyllable) return single;
            return hasReadings ? words.wordSyllables[word.syllablesStart + position] : NoSyllable;
        }, hasReadings);
    };
    for (const std::uint32_t entry : winners) {
        const std::u16string_view entryUnits = unitsOf(entry);
        if (entryUnits.size() < 2) continue;
        while (next < words.words.size() && words.unitsOf(words.words[next]) < entryUnits) addOld(words.words[next++]);
        if (next < words.words.size() && words.unitsOf(words.words[next]) == entryUnits) ++next;
        addWord(entryUnits, 0, [&](std::size_t position) { return syllableOf(entry, position); }, true);
    }
    while (next < words.words.size()) addOld(words.words[next++]);
    words.words = std::move(merged);
    words.wordUnits = std::move(units);
    words.wordSyllables = std::move(readings);
    words.fileBytes += phrases.fileBytes;
}

}  // namespace lorvane
