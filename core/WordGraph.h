#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "WordData.h"

namespace lorvane {

// The words of the word data, found by their first two units, and the
// segmentation of a run over them: the path of least total cost from the
// run's start, where each position is either a single unit at its own cost or
// a word at the word's cost; on equal cost the longer step wins.
class WordGraph {
public:
    explicit WordGraph(const WordData& data);

    // Sums of costs of a whole run stay below 2^32 for runs of at most this
    // many units.
    static constexpr std::size_t LongestRun = 4096;

    struct Scratch {
        std::vector<std::uint32_t> best = std::vector<std::uint32_t>(LongestRun + 1);
        std::vector<std::uint32_t> step = std::vector<std::uint32_t>(LongestRun);
    };

    // Segments `run` (at most LongestRun units, each with a single cost in
    // `singleCost`, indexed by unit). For every position it writes to
    // readings[0 .. run.size()) where the chosen word's reading of it stands
    // in WordData::wordSyllables, plus 1; or 0 for a single unit and for a
    // word without readings.
    void segment(std::u16string_view run, const std::uint16_t* singleCost, Scratch& scratch,
                 std::uint32_t* readings) const;

private:
    struct Word {
        std::uint32_t unitsStart;
        std::uint32_t readingsStart;  // WordData::NoReadings for none
        std::uint16_t cost;
        std::uint8_t length;
    };
    // The words that start with one pair of units: words_[begin, end).
    struct PairRange {
        std::uint32_t pair = 0;
        std::uint32_t begin = 0;
        std::uint32_t end = 0;  // 0: an empty slot
    };

    const PairRange* find(std::uint32_t pair) const;
    std::uint32_t firstNotBefore(std::uint32_t begin, std::uint32_t end, std::size_t depth, char16_t unit) const;
    std::uint32_t slotOf(std::uint32_t pair) const { return (pair * 0x9E3779B1u) >> shift_; }
    char16_t unitOf(std::uint32_t word, std::size_t position) const
    {
        return units_[words_[word].unitsStart + position];
    }

    std::vector<Word> words_;
    std::vector<char16_t> units_;
    std::vector<PairRange> pairs_;  // open addressing, linear probing
    unsigned shift_ = 32;
};

}  // namespace lorvane
