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
    for (const std::uint16_t tone : toned->tonesOf(unit))
        if (TonelessOf(toned->body.syllables[tone]) == syllable) return toned->body.syllables[tone];
    return syllable;
}

}  // namespace

void AddUserWords(WordData& words, const Phrases& phrases, const ToneData* toned)
{
    // The entries by word. Most comparisons are settled by the first three
    // units and the length up to three, packed into one number.
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
    // Words of under three units are whole in the number.
    const auto isWhole = [](const Keyed& keyed) { return (keyed.start & 0xF) < 3; };
    std::sort(order.begin(), order.end(), [&](const Keyed& a, const Keyed& b) {
        if (a.start != b.start) return a.start < b.start;
        const int compared = isWhole(a) ? 0 : unitsOf(a.entry).compare(unitsOf(b.entry));
        return compared != 0 ? compared < 0 : a.entry < b.entry;
    });
    const auto sameWord = [&](const Keyed& a, const Keyed& b) {
        return a.start == b.start && (isWhole(a) || unitsOf(a.entry) == unitsOf(b.entry));
    };

    // Each of the file's syllables as the word data spells it, where that
    // does not depend on the character: all of them but those without a tone
    // for toned word data.
    SyllableIndex syllables(words.syllables);
    std::vector<std::uint16_t> spelledOnce(phrases.syllables.size(), NoSyllable);
    for (std::size_t at = 0; at < spelledOnce.size(); ++at)
        if (!toned || IsTonedSyllable(phrases.syllables[at]))
            spelledOnce[at] = syllables.of(spelled(phrases.syllables[at], 0, toned));

    // The last entry of each word, copied out in order with its syllables as
    // the word data spells them: the passes below read them one after another.
    struct Winner {
        std::uint32_t start;
        std::uint32_t length;
    };
    std::vector<Winner> winners;
    std::u16string winnerUnits;
    std::vector<std::uint16_t> winnerSyllables;
    // The entries are read in an order unrelated to the file's: each one's
    // place is fetched ahead, then what it points to.
    constexpr std::size_t EntriesAhead = 16, UnitsAhead = 8;
    for (std::size_t at = 0; at < order.size(); ++at) {
        if (at + EntriesAhead < order.size()) __builtin_prefetch(&phrases.entries[order[at + EntriesAhead].entry]);
        if (at + UnitsAhead < order.size()) {
            const std::uint32_t start = phrases.entries[order[at + UnitsAhead].entry].unitsStart;
            __builtin_prefetch(&phrases.units[start]);
            __builtin_prefetch(&phrases.syllableOf[start]);
        }
        if (at + 1 < order.size() && sameWord(order[at], order[at + 1])) continue;
        const Phrases::Entry& entry = phrases.entries[order[at].entry];
        winners.push_back({static_cast<std::uint32_t>(winnerUnits.size()), entry.length});
        for (std::uint32_t position = entry.unitsStart; position < entry.unitsStart + entry.length; ++position) {
            const std::uint16_t once = spelledOnce[phrases.syllableOf[position]];
            winnerUnits += phrases.units[position];
            winnerSyllables.push_back(
                once != NoSyllable ? once
                                   : syllables.of(spelled(phrases.syllables[phrases.syllableOf[position]],
                                                          phrases.units[position], toned)));
        }
    }
    const auto winnerUnitsOf = [&](const Winner& winner) {
        return std::u16string_view(winnerUnits).substr(winner.start, winner.length);
    };
    std::vector<std::uint16_t> singleOf(0x10000, NoSyllable);
    for (const Winner& winner : winners)
        if (winner.length == 1) singleOf[winnerUnits[winner.start]] = winnerSyllables[winner.start];

    // A record for every character of the entries.
    const auto hasRecord = std::make_unique<std::bitset<0x10000>>();
    std::uint16_t highestCost = 0;
    for (const WordData::Char& record : words.chars) {
        hasRecord->set(record.unit);
        highestCost = std::max(highestCost, record.singleCost);
    }
    for (const char16_t unit : winnerUnits)
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
    for (const Winner& winner : winners) {
        const std::u16string_view entryUnits = winnerUnitsOf(winner);
        if (entryUnits.size() < 2) continue;
        while (next < words.words.size() && words.unitsOf(words.words[next]) < entryUnits) addOld(words.words[next++]);
        if (next < words.words.size() && words.unitsOf(words.words[next]) == entryUnits) ++next;
        addWord(entryUnits, 0, [&](std::size_t position) { return winnerSyllables[winner.start + position]; }, true);
    }
    while (next < words.words.size()) addOld(words.words[next++]);
    words.words = std::move(merged);
    words.wordUnits = std::move(units);
    words.wordSyllables = std::move(readings);
    words.fileBytes += phrases.fileBytes;
}

}  // namespace lorvane
