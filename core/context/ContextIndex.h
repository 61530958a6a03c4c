#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "context/RuleIndex.h"
#include "context/WordData.h"
#include "context/WordGraph.h"
#include "datafile/DataFileError.h"
#include "readings/ConversionOptions.h"
#include "readings/Fragment.h"
#include "readings/ReadingText.h"
#include "table/PinyinTable.h"

namespace lorvane {

// The index would take more memory than its data files' sizes allow; the
// file that would make it pass its share is named.
class IndexTooLarge : public std::runtime_error {
public:
    IndexTooLarge(DataFile file, std::size_t bytes, std::size_t allowed);
    DataFile file() const { return file_; }

private:
    DataFile file_;
};

// The pinyin table and the word data made ready for the conversion by
// context (ContextConversion), built once after loading both.
//
// The text is cut into runs: maximal sequences of units that have a char
// record in the word data, each cut into pieces of at most RunLimit units
// from its start. A run is segmented into words and single units at least
// total cost; a position takes the reading its word gives it, else that of
// the first rule of its unit whose condition holds, else its unit's reading
// alone (or the table's first). Every other unit takes the table's first
// reading. The output of a position is its reading, then the unit's other
// table readings in parentheses, as in the ordinary conversion.
//
// Most units can only ever get one output; they are looked up as in the
// ordinary conversion. A unit that rules or words may read otherwise is
// settled by its neighbours when no word that reads it can stand there, and
// only then by segmenting its run.
//
// Memory: each unit's table readings are kept twice, as the ordinary
// output and in parentheses, and each syllable of the word data once; a
// reading the word data chooses for a unit refers to those, so the index
// grows with its files and never with their product. Before taking any
// memory the index works out how much it needs, and refuses to pass
// MemoryPerByte bytes for each byte of either file, plus a constant.
class ContextIndex {
public:
    static constexpr std::size_t RunLimit = WordGraph::LongestRun;
    static constexpr std::size_t MemoryPerByte = 24;
    static constexpr std::size_t MemoryBesides = std::size_t{4} << 20;

    // The most bytes the index may take for what each file brings.
    struct Budget {
        std::size_t table;
        std::size_t words;
    };
    static Budget BudgetFor(std::span<const std::u16string> slots, const WordData& words);
    // What the index takes, in bytes, for comparison with its budget.
    std::size_t memoryBytes() const;

    // A reading that a unit may be given besides those the word data gives
    // it, such as a tone change: its choice is found by spelledChoice().
    struct Spelled {
        char16_t unit;
        std::u16string reading;
    };
    struct Options {
        // How upper-case copies raise letters: ToUpperPinyin for tone marks.
        RaiseLetter raise = ToUpperAscii;
        std::vector<Spelled> alsoChoosable;
        // BudgetFor(slots, words) unless another is given.
        std::optional<Budget> budget;
    };

    // The index of the table's slots (a table's, or toned ones, "重zhòng")
    // and of `words`, which it takes. Throws IndexTooLarge past the budget.
    ContextIndex(std::span<const std::u16string> slots, WordData words, const Options& options);
    ContextIndex(const PinyinTable& table, WordData words, const Options& options)
        : ContextIndex(std::span<const std::u16string>(table.slots), std::move(words), options)
    {
    }
    ContextIndex(const PinyinTable& table, WordData words);

    // What one position writes: with one reading per character, one
    // fragment; with all, up to three, "hang " "(xing) " "(heng) ".
    struct Choice {
        Fragment single;
        std::array<Fragment, 3> all;
    };
    // A choice is an index into the choices of the table's readings, or,
    // with FreeChoice, a syllable of the word data that the unit's table
    // does not list: that syllable, then all the unit's readings.
    static constexpr std::uint32_t FreeChoice = 1u << 29;
    // An output of the table's readings this long or shorter is kept whole
    // as well as in its parts: at most twice for each entry of the table,
    // which is the most memory it can take, whatever the files.
    static constexpr std::size_t ShortOutput = 32;
    static constexpr std::size_t ShortOutputsBytesPerEntry = 2 * ShortOutput * 3 * sizeof(char16_t);

    // The info of a unit: its choice, or what decides it.
    static constexpr std::uint32_t InRun = 1u << 30;    // in runs, always one choice
    static constexpr std::uint32_t Settled = 2u << 30;  // in runs, rules or words decide
    static constexpr std::uint32_t ValueBits = InRun - 1;
    struct SettledUnit {
        std::uint32_t choice;  // when neither a word nor a rule gives another
        RuleIndex::Rules rules;
        bool readByWords;
    };

    const std::uint32_t* unitInfo() const { return unitInfo_.data(); }
    bool inRun(char16_t unit) const { return unitInfo_[unit] >= InRun; }
    const SettledUnit& settled(std::uint32_t info) const { return settled_[info & ValueBits]; }
    const Fragment* singles() const { return singles_.data(); }
    const std::array<Fragment, 3>* alls() const { return alls_.data(); }
    // For a FreeChoice: "syllable " and the unit's readings, "(xing) (heng) ".
    Fragment freeSyllable(std::uint32_t choice) const { return syllables_[choice & 0xFFFF]; }
    Fragment readingsInParentheses(char16_t unit) const { return bracketed_[unit]; }
    const char16_t* text(LetterCase letterCase) const { return text_.text(letterCase); }
    const std::uint16_t* singleCosts() const { return singleCost_.data(); }
    const WordGraph& graph() const { return graph_; }
    const RuleIndex& rules() const { return rules_; }
    // The choice of each of WordData::wordSyllables; 0 for none.
    std::uint32_t wordChoice(std::uint32_t syllable) const { return wordChoices_[syllable]; }
    // The choice of Options::alsoChoosable[at]: the reading, then the
    // unit's other table readings in parentheses.
    std::uint32_t spelledChoice(std::size_t at) const { return spelledChoices_[at]; }
    // The choice of a unit where nothing but its own record decides: its
    // reading alone, else the table's first.
    std::uint32_t aloneChoice(char16_t unit) const
    {
        const std::uint32_t info = unitInfo_[unit];
        if (info < InRun) return info;
        return info < Settled ? info & ValueBits : settled(info).choice;
    }
    // The reading a choice gives first, "zhong ", in the letter case given.
    Fragment firstReading(std::uint32_t choice) const
    {
        return choice & FreeChoice ? freeSyllable(choice) : singles_[choice];
    }

    // Whether a word's explicit reading may stand on the second unit of the
    // pair (readingAfter) or on its first (readingBefore): "certainly not"
    // or "maybe".
    bool mayReadAfter(char16_t first, char16_t second) const { return readingAfter_.mayHold(first, second); }
    bool mayReadBefore(char16_t first, char16_t second) const { return readingBefore_.mayHold(first, second); }

private:
    // A set of pairs of units that answers "certainly not" or "maybe".
    class PairFilter {
    public:
        void reserve(std::size_t pairs);
        // Pairs as first << 16 | second.
        void addAll(std::span<const std::uint32_t> pairs);
        bool mayHold(char16_t first, char16_t second) const
        {
            const std::uint32_t bit = slotOf(static_cast<std::uint32_t>(first) << 16 | second);
            return bits_[bit >> 6] >> (bit & 63) & 1;
        }

    private:
        std::uint32_t slotOf(std::uint32_t pair) const { return (pair * 0x9E3779B1u) >> shift_; }
        std::vector<std::uint64_t> bits_ = std::vector<std::uint64_t>(1);
        unsigned shift_ = 26;
        bool full_ = false;

    public:
        std::size_t memoryBytes() const { return bits_.capacity() * sizeof(std::uint64_t); }
    };

    class Builder;

    ReadingText text_;
    // The choices of the table's readings, both ways; 0: nothing.
    std::vector<Fragment> singles_;
    std::vector<std::array<Fragment, 3>> alls_;
    std::vector<Fragment> syllables_;        // by syllable of the word data: "hang "
    std::vector<Fragment> bracketed_;        // by unit: its table readings, "(xing) (hang) "
    std::vector<std::uint32_t> unitInfo_;    // by unit
    std::vector<std::uint16_t> singleCost_;  // by unit
    std::vector<SettledUnit> settled_;
    RuleIndex rules_;
    // The pairs a word's explicit reading stands in: the unit before it and
    // the reading's unit, and the reading's unit and the unit after it.
    PairFilter readingAfter_;
    PairFilter readingBefore_;
    WordGraph graph_;
    std::vector<std::uint32_t> wordChoices_;
    std::vector<std::uint32_t> spelledChoices_;
};

}  // namespace lorvane
