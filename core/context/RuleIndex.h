#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "context/WordData.h"

namespace lorvane {

// The reading rules of the word data, found by their character and
// neighbour. The rule that reads a position is the first in file order whose
// condition holds; here it is found with two binary searches and one look,
// however many rules the character has.
class RuleIndex {
public:
    // Where one character's rules stand.
    struct Rules {
        std::uint32_t previousBegin = 0;  // PreviousIs, by neighbour
        std::uint32_t nextBegin = 0;      // NextIs, by neighbour
        std::uint32_t nextEnd = 0;
        std::uint32_t reduplication = None;  // the first AfterReduplication rule
    };
    static constexpr std::uint32_t None = 0xFFFFFFFF;

    RuleIndex() = default;
    // `choices[i]` is what rule i of the file chooses.
    RuleIndex(const std::vector<WordData::Rule>& rules, const std::vector<std::uint32_t>& choices);

    std::size_t memoryBytes() const
    {
        return entries_.capacity() * sizeof(Entry) + targets_.capacity() * sizeof(char16_t) +
               rulesOfTarget_.capacity() * sizeof(Rules);
    }

    // The rules of `target`; none where it has none.
    Rules rulesOf(char16_t target) const;

    // The choice of the first rule in file order that holds, given the unit
    // before and the unit after the position (where there are any in its
    // run) and whether the two before it are equal; 0 where none holds.
    std::uint32_t choose(const Rules& rules, std::optional<char16_t> previous, std::optional<char16_t> next,
                         bool afterReduplication) const;

private:
    struct Entry {
        char16_t neighbour;
        std::uint32_t order;  // in the file
        std::uint32_t choice;
    };
    // The entry of `neighbour` in [begin, end), which is sorted by neighbour.
    const Entry* find(std::uint32_t begin, std::uint32_t end, char16_t neighbour) const;

    // By target, then kind, then neighbour; one entry per target, kind and
    // neighbour, that of the first such rule.
    std::vector<Entry> entries_;
    std::vector<char16_t> targets_;  // of each target's Rules, in increasing order
    std::vector<Rules> rulesOfTarget_;
};

}  // namespace lorvane
