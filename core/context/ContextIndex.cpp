#include "context/ContextIndex.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

#include "table/TableReadings.h"

namespace lorvane {
namespace {

constexpr std::size_t UnitCount = 0x10000;

// Adds the fragments of the outputs that the word data can choose, once for
// each unit and reading.
class FragmentMaker {
public:
    FragmentMaker(const PinyinTable& table, const WordData& words, ReadingFragments& fragments)
        : table_(table.slots), words_(words), fragments_(fragments), ordinary_(UnitCount, 0)
    {
        for (const char16_t unit : table_.units()) {
            const std::span<const std::u16string_view> readings = table_.of(unit);
            ordinary_[unit] = fragments_.add(readings.front(), readings.subspan(1));
        }
    }

    // The output of the table's readings in table order; 0 for a unit
    // without any.
    std::uint32_t ordinary(char16_t unit) const { return ordinary_[unit]; }

    // The output of `syllable` (an index of the word data) chosen for `unit`:
    // the syllable, then the unit's table readings in table order but for the
    // first that equals it. So the table's first reading gives exactly the
    // ordinary output.
    std::uint32_t chosen(char16_t unit, std::uint16_t syllable)
    {
        if (syllable == NoSyllable) return ordinary_[unit];
        const std::uint32_t key = static_cast<std::uint32_t>(unit) << 16 | syllable;
        const auto [place, added] = made_.try_emplace(key, 0);
        if (!added) return place->second;
        const std::u16string_view text = words_.syllables[syllable];
        const std::span<const std::u16string_view> readings = table_.of(unit);
        std::vector<std::u16string_view> others(readings.begin(), readings.end());
        const auto same = std::find(others.begin(), others.end(), text);
        if (!others.empty() && same == others.begin()) return place->second = ordinary_[unit];
        if (same != others.end()) others.erase(same);
        return place->second = fragments_.add(text, others);
    }

private:
    TableReadings table_;
    const WordData& words_;
    ReadingFragments& fragments_;
    std::vector<std::uint32_t> ordinary_;
    std::unordered_map<std::uint32_t, std::uint32_t> made_;
};

}  // namespace

void ContextIndex::PairFilter::reserve(std::size_t pairs)
{
    // About 32 bits a pair: one in thirty "maybe" answers is wrong.
    std::size_t bits = 64;
    shift_ = 26;
    while (bits < 32 * pairs && shift_ > 8) {
        bits *= 2;
        --shift_;
    }
    bits_.assign(bits / 64, 0);
}

void ContextIndex::PairFilter::add(char16_t first, char16_t second)
{
    const std::uint32_t bit = slotOf(first, second);
    bits_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
}

ContextIndex::ContextIndex(const PinyinTable& table, WordData words)
    : unitInfo_(UnitCount), singleCost_(UnitCount, 0), wordReadings_(words.wordSyllables.size(), 0)
{
    FragmentMaker maker(table, words, fragments_);

    // Which units words read, and the pairs they read them in.
    std::vector<bool> readByWords(UnitCount, false);
    std::size_t explicitPositions = 0;
    for (const std::uint16_t syllable : words.wordSyllables) explicitPositions += syllable != NoSyllable;
    readingAfter_.reserve(explicitPositions);
    readingBefore_.reserve(explicitPositions);
    for (const WordData::Word& word : words.words) {
        if (word.syllablesStart == WordData::NoReadings) continue;
        const std::u16string_view units = words.unitsOf(word);
        for (std::size_t position = 0; position < units.size(); ++position) {
            const std::uint16_t syllable = words.wordSyllables[word.syllablesStart + position];
            if (syllable == NoSyllable) continue;
            const char16_t unit = units[position];
            readByWords[unit] = true;
            wordReadings_[word.syllablesStart + position] = maker.chosen(unit, syllable);
            if (position > 0) readingAfter_.add(units[position - 1], unit);
            if (position + 1 < units.size()) readingBefore_.add(unit, units[position + 1]);
        }
    }

    // The rules of each unit, together and in file order.
    std::vector<WordData::Rule> rules = words.rules;
    std::stable_sort(rules.begin(), rules.end(),
                     [](const WordData::Rule& a, const WordData::Rule& b) { return a.target < b.target; });
    for (const WordData::Rule& rule : rules)
        rules_.push_back({rule.neighbour, rule.kind, maker.chosen(rule.target, rule.syllable)});

    for (std::size_t unit = 0; unit < UnitCount; ++unit) unitInfo_[unit] = maker.ordinary(static_cast<char16_t>(unit));
    auto rule = rules.begin();
    for (const WordData::Char& record : words.chars) {
        singleCost_[record.unit] = record.singleCost;
        const std::uint32_t alone = maker.chosen(record.unit, record.aloneSyllable);
        const auto rulesBegin = static_cast<std::uint32_t>(rule - rules.begin());
        while (rule != rules.end() && rule->target == record.unit) ++rule;
        const auto rulesEnd = static_cast<std::uint32_t>(rule - rules.begin());
        if (rulesBegin == rulesEnd && !readByWords[record.unit]) {
            unitInfo_[record.unit] = InRun | alone;
        } else {
            unitInfo_[record.unit] = Settled | static_cast<std::uint32_t>(settled_.size());
            settled_.push_back({alone, rulesBegin, rulesEnd, readByWords[record.unit]});
        }
    }
    if (fragments_.count() > ValueBits || settled_.size() > ValueBits)
        throw std::length_error("the word data has too many readings to index");
    fragments_.finish();
    graph_ = WordGraph(std::move(words.words), std::move(words.wordUnits));
}

}  // namespace lorvane
