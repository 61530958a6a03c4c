#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "context/WordData.h"

namespace lorvane {

// The words of the word data as a tree of their prefixes, and the
// segmentation of a run over them: the path of least total cost from the
// run's start, where each step is either a single unit at its own cost or a
// word at the word's cost; on equal cost the longer step wins.
//
// The tree is built level by level from the words in their sorted order, in
// one pass over their units, so that the children of a prefix stand
// together, in order; a child is found by a binary search among them, at
// most 16 steps whatever the file holds. The first two units of a word,
// which every position of a run looks up, have a table of their own: the
// pairs of one first unit together, and for a first unit of many, their
// places by the low byte of the second unit, which spreads them evenly and
// holds at most 256 of them whatever the file. No hash that a file could
// crowd into one place; and the pairs of the text's common characters stay
// in the cache.
class WordGraph {
public:
    WordGraph();  // no words
    // `data`'s words, which are in increasing order of their units.
    explicit WordGraph(const WordData& data);

    // Sums of costs of a whole run stay below 2^32 for runs of at most this
    // many units.
    static constexpr std::size_t LongestRun = 4096;

    // A prefix of two units, with what a walk needs of its node, so that
    // the pair every position looks up costs one place in memory.
    struct Slot {
        std::uint32_t firstChild = 0;  // with Node::IsWord when the pair is a word
        std::uint32_t syllablesStart = WordData::NoReadings;
        char16_t second = 0;           // 0: no such pair (no word holds U+0000)
        std::uint16_t childCount = 0;
        std::uint16_t cost = 0;
    };
    struct Scratch {
        std::vector<Slot> pairs = std::vector<Slot>(LongestRun);  // of each position and the next
        std::vector<std::uint32_t> best = std::vector<std::uint32_t>(LongestRun + 1);
        // The chosen word's place in WordData::wordSyllables, or NoReadings.
        std::vector<std::uint32_t> syllables = std::vector<std::uint32_t>(LongestRun);
        std::vector<std::uint8_t> length = std::vector<std::uint8_t>(LongestRun);
        // Search steps taken to find children, for tests of the bound.
        std::uint64_t searchSteps = 0;
    };

    // Segments `run` (at most LongestRun units, each with a single cost in
    // `singleCost`, indexed by unit). For every position it writes to
    // readings[0 .. run.size()) where the chosen word's reading of it stands
    // in WordData::wordSyllables, plus 1; or 0 for a single unit and for a
    // word without readings.
    void segment(std::u16string_view run, const std::uint16_t* singleCost, Scratch& scratch,
                 std::uint32_t* readings) const;

    // Whether `word` is one of the words, and if so where its readings
    // stand in WordData::wordSyllables (NoReadings for none).
    std::optional<std::uint32_t> find(std::u16string_view word) const;

    std::size_t nodeCount() const { return nodes_.size(); }
    // What its tables take, in bytes.
    std::size_t memoryBytes() const;
    // The memory the tree takes for each unit of the words, at most.
    static constexpr std::size_t BytesPerWordUnit = 16 + sizeof(Slot) / 2 + 32;

private:
    // A prefix of at least two units, kept with its brothers, in order of
    // their last unit: what a search compares and what it finds are one
    // entry, and the children of a prefix stand together.
    struct Node {
        static constexpr std::uint32_t IsWord = 1u << 31;
        std::uint32_t firstChild = 0;  // with IsWord when a word ends here
        std::uint32_t syllablesStart = WordData::NoReadings;  // of the word ending here
        char16_t unit = 0;             // the prefix's last unit
        std::uint16_t childCount = 0;
        std::uint16_t cost = 0;        // of the word ending here
    };
    // The prefixes of one unit, by that unit.
    struct Root {
        std::uint32_t firstChild = 0;
        std::uint16_t childCount = 0;
    };

    // The child among `count` children at `first` whose last unit is
    // `unit`, or null.
    const Node* child(std::uint32_t first, std::uint32_t count, char16_t unit, std::uint64_t& searchSteps) const;
    // The prefix of the two units; its second unit is 0 where there is none.
    Slot pair(char16_t first, char16_t second, std::uint64_t& searchSteps) const;
    void placePairs();

    std::vector<Root> roots_;  // by unit
    std::vector<Node> nodes_;  // 0: none
    // The pairs of first unit u stand at [firsts_[u].begin,
    // firsts_[u + 1].begin), in order of the second unit's low byte, then of
    // the second unit. A first unit of more than DirectSearch pairs has at
    // places_[firsts_[u].places] 257 places, relative to its begin, where the
    // pairs of each low byte begin.
    static constexpr std::uint32_t DirectSearch = 8;
    struct First {
        std::uint32_t begin = 0;
        std::uint32_t places = 0;
    };
    std::vector<First> firsts_;
    std::vector<Slot> pairs_;
    std::vector<std::uint16_t> places_;
};

}  // namespace lorvane
