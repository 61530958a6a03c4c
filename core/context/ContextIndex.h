#pragma once

#include <cstdint>
#include <vector>

#include "context/WordData.h"
#include "context/WordGraph.h"
#include "readings/ReadingFragments.h"
#include "table/PinyinTable.h"

namespace lorvane {

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
class ContextIndex {
public:
    static constexpr std::size_t RunLimit = WordGraph::LongestRun;

    // Takes the words from `words`. Throws std::length_error when the
    // readings are too long to index.
    ContextIndex(const PinyinTable& table, WordData words);

private:
    friend class ContextConversion;

    // unitInfo_: the top two bits say what the unit is, the others hold the
    // fragment of its output or, for Settled units, an index into settled_.
    static constexpr std::uint32_t InRun = 1u << 30;   // in runs, always one output
    static constexpr std::uint32_t Settled = 2u << 30;  // in runs, rules or words decide
    static constexpr std::uint32_t ValueBits = InRun - 1;

    struct Rule {
        char16_t neighbour;
        RuleKind kind;
        std::uint32_t fragment;
    };
    struct SettledUnit {
        std::uint32_t fragment;  // when neither a word nor a rule gives another
        std::uint32_t rulesBegin;
        std::uint32_t rulesEnd;
        bool readByWords;
    };

    // A set of pairs of units that answers "certainly not" or "maybe".
    class PairFilter {
    public:
        void reserve(std::size_t pairs);
        void add(char16_t first, char16_t second);
        bool mayHold(char16_t first, char16_t second) const
        {
            const std::uint32_t bit = slotOf(first, second);
            return bits_[bit >> 6] >> (bit & 63) & 1;
        }

    private:
        std::uint32_t slotOf(char16_t first, char16_t second) const
        {
            return ((static_cast<std::uint32_t>(first) << 16 | second) * 0x9E3779B1u) >> shift_;
        }
        std::vector<std::uint64_t> bits_ = std::vector<std::uint64_t>(1);
        unsigned shift_ = 26;
    };

    bool inRun(char16_t unit) const { return unitInfo_[unit] >= InRun; }

    ReadingFragments fragments_;
    std::vector<std::uint32_t> unitInfo_;     // by unit
    std::vector<std::uint16_t> singleCost_;   // by unit
    std::vector<SettledUnit> settled_;
    std::vector<Rule> rules_;                 // by target, in file order for each
    // The pairs a word's explicit reading stands in: the unit before it and
    // the reading's unit, and the reading's unit and the unit after it.
    PairFilter readingAfter_;
    PairFilter readingBefore_;
    WordGraph graph_;
    std::vector<std::uint32_t> wordReadings_;  // the fragment of each of WordData::wordSyllables, 0 for none
};

}  // namespace lorvane
