#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "context/WordData.h"

namespace lorvane {

// The words of the word data, found by their first two units, and the
// segmentation of a run over them: the path of least total cost from the
// run's start, where each step is either a single unit at its own cost or a
// word at the word's cost; on equal cost the longer step wins.
//
// The pairs of first units are kept in the words' own order, sorted, and
// found by the first unit's range and a binary search for the second: no
// hash that a file could crowd into one place, a build in one pass over the
// words, and at most 17 steps to find a pair whatever the file holds.
class WordGraph {
public:
    WordGraph();  // no words
    // The words in increasing order of their units, and the units they point
    // into.
    WordGraph(std::vector<WordData::Word> words, std::vector<char16_t> units);

    // Sums of costs of a whole run stay below 2^32 for runs of at most this
    // many units.
    static constexpr std::size_t LongestRun = 4096;

    struct PairWords;
    struct Scratch {
        std::vector<const PairWords*> pairs = std::vector<const PairWords*>(LongestRun);
        std::vector<std::uint32_t> best = std::vector<std::uint32_t>(LongestRun + 1);
        std::vector<std::uint32_t> step = std::vector<std::uint32_t>(LongestRun);
        // Search steps taken to find pairs, for tests of the bound.
        std::uint64_t searchSteps = 0;
    };

    // Segments `run` (at most LongestRun units, each with a single cost in
    // `singleCost`, indexed by unit). For every position it writes to
    // readings[0 .. run.size()) where the chosen word's reading of it stands
    // in WordData::wordSyllables, plus 1; or 0 for a single unit and for a
    // word without readings.
    void segment(std::u16string_view run, const std::uint16_t* singleCost, Scratch& scratch,
                 std::uint32_t* readings) const;

    // The words that start with one pair of units: words_[begin, end). The
    // word of exactly those two units, when there is one, is words_[begin];
    // its cost is kept here too, since most pairs start no longer word.
    struct PairWords {
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
        std::uint16_t pairCost = 0;
        bool pairIsWord = false;
    };

private:
    using Word = WordData::Word;

    const PairWords* find(char16_t first, char16_t second, std::uint64_t& searchSteps) const;
    std::uint32_t firstNotBefore(std::uint32_t begin, std::uint32_t end, std::size_t depth, char16_t unit) const;
    char16_t unitOf(std::uint32_t word, std::size_t position) const
    {
        return units_[words_[word].unitsStart + position];
    }
    // Offers the words longer than two units that `pairWords` holds and that
    // stand at run[at...]; `cost` and `chosen` keep the cheapest step.
    void offerLongerWords(std::u16string_view run, std::size_t at, const PairWords& pairWords,
                          const std::uint32_t* best, std::uint32_t& cost, std::uint32_t& chosen) const;

    std::vector<Word> words_;
    std::vector<char16_t> units_;
    // The pairs in increasing order: those whose first unit is u stand at
    // [firstBegin_[u], firstBegin_[u + 1]), their second units in seconds_.
    std::vector<std::uint32_t> firstBegin_;
    std::vector<char16_t> seconds_;
    std::vector<PairWords> pairs_;
};

}  // namespace lorvane
