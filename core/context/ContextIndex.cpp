#include "context/ContextIndex.h"

#include <algorithm>

#include "table/TableReadings.h"
#include "text/Numbers.h"

namespace lorvane {
namespace {

constexpr std::size_t UnitCount = 0x10000;

std::string describe(std::size_t bytes, std::size_t allowed)
{
    return "indexing it would take " + ByteCount(bytes) + ", more than the " + ByteCount(allowed) + " its size allows";
}

}  // namespace

IndexTooLarge::IndexTooLarge(DataFile file, std::size_t bytes, std::size_t allowed)
    : std::runtime_error(describe(bytes, allowed)), file_(file)
{
}

// Works out what the index needs, checks it against the budget, then builds
// it. A syllable the word data chooses for a unit is found among the unit's
// table readings by the key unit << 16 | syllable, in a sorted list of the
// pairs the table lists; syllables of the same text count as one.
class ContextIndex::Builder {
public:
    Builder(ContextIndex& index, std::span<const std::u16string> slots, WordData& words, const Options& options)
        : index_(index), words_(words), options_(options), table_(slots), hasRecord_(UnitCount, false),
          sameSyllable_(words.syllables.size())
    {
        for (const WordData::Char& record : words.chars) hasRecord_[record.unit] = true;
        // The syllables in the order of their text; the first of each text
        // stands for all of that text.
        bySyllableText_.resize(words.syllables.size());
        for (std::size_t syllable = 0; syllable < bySyllableText_.size(); ++syllable)
            bySyllableText_[syllable] = static_cast<std::uint16_t>(syllable);
        std::stable_sort(bySyllableText_.begin(), bySyllableText_.end(),
                         [&](std::uint16_t a, std::uint16_t b) { return words.syllables[a] < words.syllables[b]; });
        for (std::size_t at = 0; at < bySyllableText_.size(); ++at) {
            const std::uint16_t syllable = bySyllableText_[at];
            const bool sameAsBefore = at > 0 && words.syllables[bySyllableText_[at - 1]] == words.syllables[syllable];
            sameSyllable_[syllable] = sameAsBefore ? sameSyllable_[bySyllableText_[at - 1]] : syllable;
        }
    }

    void checkBudget(const Budget& budget)
    {
        plan();
        if (tableBytes_ > budget.table) throw IndexTooLarge(DataFile::Table, tableBytes_, budget.table);
        if (wordsBytes_ > budget.words) throw IndexTooLarge(DataFile::Words, wordsBytes_, budget.words);
    }

    void build()
    {
        index_.text_ = ReadingText(options_.raise);
        index_.text_.reserve(textUnits_);
        index_.singles_.reserve(choiceCount_);
        index_.alls_.reserve(choiceCount_);
        addChoice({});
        index_.unitInfo_.assign(UnitCount, 0);
        addSyllables();
        addTableChoices();
        addSpelledChoices();
        addUnits();
        index_.text_.finish();
        index_.graph_ = WordGraph(words_);
    }

private:
    struct Listed {
        std::uint32_t key;  // unit << 16 | syllable
        std::uint32_t choice;
    };

    void plan();
    // The syllable of the word data that spells `reading`, if there is one.
    std::optional<std::uint16_t> syllableSpelling(std::u16string_view reading) const;
    void addSyllables();
    void addTableChoices();
    // Readings in parentheses, `all`, before and after the one `skipped`.
    static std::array<Fragment, 2> without(Fragment all, Fragment skipped)
    {
        return {Fragment{all.start, skipped.start - all.start},
                Fragment{skipped.start + skipped.length, all.start + all.length - skipped.start - skipped.length}};
    }
    void addSpelledChoices();
    std::uint32_t addChoice(const Choice& choice);
    std::uint32_t choiceOf(char16_t unit, std::uint16_t syllable) const;
    void addUnits();

    ContextIndex& index_;
    WordData& words_;
    const Options& options_;
    const TableReadings table_;
    std::vector<bool> hasRecord_;  // by unit: only these can the word data read
    std::vector<std::uint16_t> bySyllableText_;
    std::vector<std::uint16_t> sameSyllable_;  // by syllable
    std::vector<Listed> listed_;               // sorted by key
    std::vector<std::uint32_t> listedFrom_;    // by unit: where its entries of listed_ start
    std::size_t textUnits_ = 0;
    std::size_t choiceCount_ = 0;
    std::size_t tableBytes_ = 0;
    std::size_t wordsBytes_ = 0;
};

// Every structure that grows with a file, with what it takes for each thing
// it holds; what takes the same whatever the files is MemoryBesides.
void ContextIndex::Builder::plan()
{
    std::size_t tableUnits = 0;
    std::size_t entries = 0;
    for (const TableReadings::Unit& entry : table_.units()) {
        const char16_t unit = entry.unit;
        const std::span<const std::u16string_view> readings = entry.readings;
        std::size_t outputLength = ReadingText::plainLength(readings.front());
        for (const std::u16string_view reading : readings) outputLength += ReadingText::bracketedLength(reading);
        tableUnits += outputLength;
        entries += readings.size();
        // Short outputs whole: the ordinary one, and one for each reading
        // the word data may choose, each as long as the ordinary one.
        outputLength -= ReadingText::bracketedLength(readings.front());
        if (readings.size() > 1 && outputLength <= ShortOutput)
            tableUnits += outputLength * (hasRecord_[unit] ? readings.size() : 1);
    }
    std::size_t syllableUnits = 0;
    for (std::size_t syllable = 0; syllable < words_.syllables.size(); ++syllable)
        if (sameSyllable_[syllable] == syllable) syllableUnits += ReadingText::plainLength(words_.syllables[syllable]);
    for (const Spelled& spelled : options_.alsoChoosable) tableUnits += ReadingText::plainLength(spelled.reading);
    textUnits_ = tableUnits + syllableUnits;
    choiceCount_ = 1 + table_.units().size() + entries + options_.alsoChoosable.size();

    // Three copies of the text, and where each syllable starts while it is made.
    constexpr std::size_t PerUnit = 3 * sizeof(char16_t);
    constexpr std::size_t PerAppend = sizeof(std::uint32_t);
    tableBytes_ = PerUnit * tableUnits + 2 * PerAppend * entries + (sizeof(Fragment) * 4) * choiceCount_ +
                  (sizeof(Listed) + sizeof(std::u16string_view) + sizeof(char16_t) + sizeof(void*)) * entries;
    std::size_t explicitPositions = 0;
    for (const std::uint16_t syllable : words_.wordSyllables) explicitPositions += syllable != NoSyllable;
    const std::size_t filterBytes = 2 * std::min<std::size_t>(4 * explicitPositions + 8, std::size_t{1} << 21);
    // The tree, and while it is built, where each word stands in it.
    const std::size_t graphBytes =
        WordGraph::BytesPerWordUnit * words_.wordUnits.size() + 3 * sizeof(std::uint32_t) * words_.words.size();
    const std::size_t ruleBytes = (sizeof(std::uint32_t) * 4 + sizeof(RuleIndex::Rules) + sizeof(char16_t) * 2) *
                                  words_.rules.size();
    wordsBytes_ = PerUnit * syllableUnits +
                  (PerAppend + sizeof(Fragment) + 2 * sizeof(std::uint16_t)) * words_.syllables.size() +
                  sizeof(std::uint32_t) * words_.wordSyllables.size() + sizeof(SettledUnit) * words_.chars.size() +
                  filterBytes + graphBytes + ruleBytes;
}

std::optional<std::uint16_t> ContextIndex::Builder::syllableSpelling(std::u16string_view reading) const
{
    const auto found = std::lower_bound(
        bySyllableText_.begin(), bySyllableText_.end(), reading,
        [&](std::uint16_t syllable, std::u16string_view text) { return words_.syllables[syllable] < text; });
    if (found == bySyllableText_.end() || words_.syllables[*found] != reading) return std::nullopt;
    return *found;
}

void ContextIndex::Builder::addSyllables()
{
    index_.syllables_.assign(words_.syllables.size(), Fragment{});
    for (std::size_t syllable = 0; syllable < words_.syllables.size(); ++syllable) {
        if (sameSyllable_[syllable] == syllable)
            index_.syllables_[syllable] = index_.text_.appendPlain(words_.syllables[syllable]);
        else
            index_.syllables_[syllable] = index_.syllables_[sameSyllable_[syllable]];
    }
}

// For every unit: its first reading, "zhong ", and all of them in
// parentheses, "(zhong) (chong) ", so that the ordinary output is the first
// and the parentheses after it. For every reading after the first
// that the word data can choose: that reading, then the others in table
// order, around the one in parentheses that it leaves out.
void ContextIndex::Builder::addTableChoices()
{
    ReadingText& text = index_.text_;
    index_.bracketed_.assign(UnitCount, Fragment{});
    std::vector<Fragment> items;
    std::vector<Listed> spelled;  // a key, and the place of its reading in the table
    for (const TableReadings::Unit& entry : table_.units()) {
        const char16_t unit = entry.unit;
        const std::span<const std::u16string_view> readings = entry.readings;
        const Fragment first = text.appendPlain(readings.front());
        items.clear();
        for (const std::u16string_view reading : readings) items.push_back(text.appendBracketed(reading));
        const std::uint32_t start = items.front().start;
        const std::uint32_t end = items.back().start + items.back().length;
        index_.bracketed_[unit] = {start, end - start};
        // A short output is kept whole too, so that it is copied in one go.
        const auto whole = [&](std::size_t chosen) {
            const Fragment plain = text.appendPlain(readings[chosen]);
            std::uint32_t length = plain.length;
            for (std::size_t at = 0; at < readings.size(); ++at)
                if (at != chosen) length += text.appendBracketed(readings[at]).length;
            return Choice{plain, {Fragment{plain.start, length}, Fragment{}, Fragment{}}};
        };
        // The ordinary output: "zhong " and the parentheses but "(zhong) ".
        const bool isShort = readings.size() > 1 && end - start - 2 <= ShortOutput;
        const std::uint32_t ordinary =
            addChoice(isShort ? whole(0) : Choice{first, {first, without(index_.bracketed_[unit], items[0])[1], Fragment{}}});
        index_.unitInfo_[unit] = ordinary;

        if (!hasRecord_[unit]) continue;
        // The readings the word data spells, the first of each spelling
        // only: a reading the table lists twice is left out once.
        spelled.clear();
        for (std::size_t at = 0; at < readings.size(); ++at)
            if (const std::optional<std::uint16_t> syllable = syllableSpelling(readings[at]))
                spelled.push_back({static_cast<std::uint32_t>(unit) << 16 | *syllable, static_cast<std::uint32_t>(at)});
        std::stable_sort(spelled.begin(), spelled.end(), [](const Listed& a, const Listed& b) { return a.key < b.key; });
        spelled.erase(std::unique(spelled.begin(), spelled.end(),
                                  [](const Listed& a, const Listed& b) { return a.key == b.key; }),
                      spelled.end());
        for (const Listed& reading : spelled) {
            std::uint32_t choice = ordinary;
            if (reading.choice > 0 && isShort) {
                choice = addChoice(whole(reading.choice));
            } else if (reading.choice > 0) {
                const Fragment chosen = index_.syllables_[reading.key & 0xFFFF];
                const std::array<Fragment, 2> others = without(index_.bracketed_[unit], items[reading.choice]);
                choice = addChoice({chosen, {chosen, others[0], others[1]}});
            }
            listed_.push_back({reading.key, choice});
        }
    }
}

// A spelled reading the table lists comes first, the unit's others after it
// in parentheses; one it does not list comes before all of them.
void ContextIndex::Builder::addSpelledChoices()
{
    for (const Spelled& spelled : options_.alsoChoosable) {
        const Fragment chosen = index_.text_.appendPlain(spelled.reading);
        const std::span<const std::u16string_view> readings = table_.of(spelled.unit);
        const Fragment all = index_.bracketed_[spelled.unit];
        Fragment skipped{all.start, 0};
        for (const std::u16string_view reading : readings) {
            skipped.length = static_cast<std::uint32_t>(ReadingText::bracketedLength(reading));
            if (reading == spelled.reading) break;
            skipped.start += skipped.length;
        }
        Choice choice{chosen, {chosen, Fragment{}, Fragment{}}};
        if (skipped.start != all.start + all.length) {
            const std::array<Fragment, 2> others = without(all, skipped);
            choice.all = {chosen, others[0], others[1]};
        } else {
            choice.all[1] = index_.bracketed_[spelled.unit];
        }
        index_.spelledChoices_.push_back(addChoice(choice));
    }
}

std::uint32_t ContextIndex::Builder::addChoice(const Choice& choice)
{
    index_.singles_.push_back(choice.single);
    index_.alls_.push_back(choice.all);
    return static_cast<std::uint32_t>(index_.singles_.size() - 1);
}

std::uint32_t ContextIndex::Builder::choiceOf(char16_t unit, std::uint16_t syllable) const
{
    if (syllable == NoSyllable) return index_.unitInfo_[unit];
    const std::uint32_t key = static_cast<std::uint32_t>(unit) << 16 | sameSyllable_[syllable];
    for (std::uint32_t at = listedFrom_[unit]; at < listedFrom_[unit + 1u]; ++at)
        if (listed_[at].key == key) return listed_[at].choice;
    return FreeChoice | sameSyllable_[syllable];
}

void ContextIndex::Builder::addUnits()
{
    listedFrom_.assign(UnitCount + 1, 0);
    for (const Listed& listed : listed_) ++listedFrom_[(listed.key >> 16) + 1];
    for (std::size_t unit = 0; unit < UnitCount; ++unit) listedFrom_[unit + 1] += listedFrom_[unit];

    // Which units words read, and the pairs they read them in.
    std::vector<bool> readByWords(UnitCount, false);
    std::size_t explicitPositions = 0;
    for (const std::uint16_t syllable : words_.wordSyllables) explicitPositions += syllable != NoSyllable;
    index_.readingAfter_.reserve(explicitPositions);
    index_.readingBefore_.reserve(explicitPositions);
    // The pairs go in after all are known, so that the filters' scattered
    // bits are fetched ahead of their setting.
    std::vector<std::uint32_t> after, before;
    after.reserve(explicitPositions);
    before.reserve(explicitPositions);
    index_.wordChoices_.assign(words_.wordSyllables.size(), 0);
    for (const WordData::Word& word : words_.words) {
        if (word.syllablesStart == WordData::NoReadings) continue;
        const std::u16string_view units = words_.unitsOf(word);
        for (std::size_t position = 0; position < units.size(); ++position) {
            const std::uint16_t syllable = words_.wordSyllables[word.syllablesStart + position];
            if (syllable == NoSyllable) continue;
            const char16_t unit = units[position];
            readByWords[unit] = true;
            index_.wordChoices_[word.syllablesStart + position] = choiceOf(unit, syllable);
            if (position > 0) after.push_back(static_cast<std::uint32_t>(units[position - 1]) << 16 | unit);
            if (position + 1 < units.size()) before.push_back(static_cast<std::uint32_t>(unit) << 16 | units[position + 1]);
        }
    }

    index_.readingAfter_.addAll(after);
    index_.readingBefore_.addAll(before);

    std::vector<std::uint32_t> ruleChoices;
    ruleChoices.reserve(words_.rules.size());
    for (const WordData::Rule& rule : words_.rules) ruleChoices.push_back(choiceOf(rule.target, rule.syllable));
    index_.rules_ = RuleIndex(words_.rules, ruleChoices);

    index_.singleCost_.assign(UnitCount, 0);
    for (const WordData::Char& record : words_.chars) {
        index_.singleCost_[record.unit] = record.singleCost;
        const std::uint32_t alone = choiceOf(record.unit, record.aloneSyllable);
        const RuleIndex::Rules rules = index_.rules_.rulesOf(record.unit);
        const bool hasRules = rules.previousBegin != rules.nextEnd || rules.reduplication != RuleIndex::None;
        if (!hasRules && !readByWords[record.unit]) {
            index_.unitInfo_[record.unit] = InRun | alone;
        } else {
            index_.unitInfo_[record.unit] = Settled | static_cast<std::uint32_t>(index_.settled_.size());
            index_.settled_.push_back({alone, rules, readByWords[record.unit]});
        }
    }
}


void ContextIndex::PairFilter::reserve(std::size_t pairs)
{
    // About 32 bits a pair: one in thirty "maybe" answers is wrong.
    std::size_t bits = 64;
    shift_ = 26;
    while (bits < 32 * pairs && shift_ > 8) {
        bits *= 2;
        --shift_;
    }
    // So many pairs would set most bits anyway, each at a random place: all
    // are set at once, and every answer is "maybe".
    full_ = pairs > bits / 4;
    bits_.assign(bits / 64, full_ ? ~std::uint64_t{0} : 0);
}

void ContextIndex::PairFilter::addAll(std::span<const std::uint32_t> pairs)
{
    if (full_) return;
    constexpr std::size_t Ahead = 16;
    for (std::size_t at = 0; at < pairs.size(); ++at) {
        if (at + Ahead < pairs.size()) __builtin_prefetch(&bits_[slotOf(pairs[at + Ahead]) >> 6], 1);
        const std::uint32_t bit = slotOf(pairs[at]);
        bits_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }
}

std::size_t ContextIndex::memoryBytes() const
{
    return text_.memoryBytes() + singles_.capacity() * sizeof(Fragment) +
           alls_.capacity() * sizeof(std::array<Fragment, 3>) + syllables_.capacity() * sizeof(Fragment) +
           bracketed_.capacity() * sizeof(Fragment) + unitInfo_.capacity() * sizeof(std::uint32_t) +
           singleCost_.capacity() * sizeof(std::uint16_t) + settled_.capacity() * sizeof(SettledUnit) +
           rules_.memoryBytes() + readingAfter_.memoryBytes() + readingBefore_.memoryBytes() + graph_.memoryBytes() +
           (wordChoices_.capacity() + spelledChoices_.capacity()) * sizeof(std::uint32_t);
}

ContextIndex::Budget ContextIndex::BudgetFor(std::span<const std::u16string> slots, const WordData& words)
{
    // Each unit of an entry takes at least a byte of the table file, and
    // each entry a byte more to end it.
    std::size_t tableSize = 0;
    std::size_t entries = 0;
    for (const std::u16string& entry : slots) {
        tableSize += entry.empty() ? 0 : entry.size() + 1;
        entries += !entry.empty();
    }
    return {MemoryPerByte * tableSize + MemoryBesides + ShortOutputsBytesPerEntry * entries,
            MemoryPerByte * words.fileBytes + MemoryBesides};
}

ContextIndex::ContextIndex(const PinyinTable& table, WordData words) : ContextIndex(table, std::move(words), Options{}) {}

ContextIndex::ContextIndex(std::span<const std::u16string> slots, WordData words, const Options& options)
{
    Builder builder(*this, slots, words, options);
    builder.checkBudget(options.budget ? *options.budget : BudgetFor(slots, words));
    builder.build();
}

}  // namespace lorvane
