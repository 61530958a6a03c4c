#pragma once

#include <cstdint>
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
// which every position of a run looks up, are found through a hash table
// too, with a seed drawn afresh for every tree: no file can be made to
// crowd its pairs into one place, and should some seed do so anyway, the
// table is built again with another, and in the end left out.
class WordGraph {
public:
    WordGraph();  // no words
    // `data`'s words, which are in increasing order of their units. The
    // seed of the pairs' hash is drawn afresh unless one is given.
    explicit WordGraph(const WordData& data, std::uint64_t seed = FreshSeed());

    static std::uint64_t FreshSeed();
    // The most slots a pair of the hash table may be from its home before
    // the table is made again with another seed.
    static constexpr std::uint32_t LongestProbe = 32;

    // Sums of costs of a whole run stay below 2^32 for runs of at most this
    // many units.
    static constexpr std::size_t LongestRun = 4096;

    struct Scratch {
        std::vector<std::uint32_t> best = std::vector<std::uint32_t>(LongestRun + 1);
        std::vector<std::uint32_t> word = std::vector<std::uint32_t>(LongestRun);  // the chosen word's node, or 0
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

    std::size_t nodeCount() const { return nodes_.size(); }
    // The memory the tree takes for each unit of the words, at most.
    static constexpr std::size_t BytesPerWordUnit = 12 + sizeof(std::uint32_t);

private:
    // A prefix of at least two units, kept with its brothers, in order of
    // their last unit: what a search compares and what it finds are one
    // entry, 12 bytes, and the children of a prefix stand together.
    struct Node {
        static constexpr std::uint32_t IsWord = 1u << 31;
        std::uint32_t firstChild = 0;  // with IsWord when a word ends here
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
    // The prefix of the two units, or null.
    const Node* pair(char16_t first, char16_t second, std::uint64_t& searchSteps) const;
    // Fills pairs_ with the prefixes of two units; false when one would lie
    // further than LongestProbe from its home.
    bool hashPairs(std::uint64_t seed);
    std::uint32_t home(std::uint32_t key) const { return static_cast<std::uint32_t>((key * seed_) >> shift_); }

    std::vector<Root> roots_;                    // by unit
    std::vector<Node> nodes_;                    // 0: none
    std::vector<std::uint32_t> syllablesStart_;  // by node: of the word ending there
    // The prefixes of two units by key first << 16 | second (never 0: no
    // word holds U+0000), open addressing and linear probing; empty when
    // no seed would do.
    struct Slot {
        std::uint32_t key = 0;
        std::uint32_t node = 0;
    };
    std::vector<Slot> pairs_;
    std::uint64_t seed_ = 1;
    unsigned shift_ = 64;
};

}  // namespace lorvane
