#include "WordGraph.h"

namespace lorvane {
namespace {

std::uint32_t pairOf(char16_t first, char16_t second) { return static_cast<std::uint32_t>(first) << 16 | second; }

}  // namespace

WordGraph::WordGraph(const WordData& data) : units_(data.wordUnits)
{
    words_.reserve(data.words.size());
    std::size_t pairCount = 0;
    for (std::size_t index = 0; index < data.words.size(); ++index) {
        const WordData::Word& word = data.words[index];
        words_.push_back({word.unitsStart, word.syllablesStart, word.cost, word.length});
        if (index == 0 || data.unitsOf(word).substr(0, 2) != data.unitsOf(data.words[index - 1]).substr(0, 2))
            ++pairCount;
    }
    // At most half full, so that a search for a pair no word starts with
    // ends after a probe or two.
    std::size_t slots = 16;
    shift_ = 28;
    while (slots < 2 * pairCount) {
        slots *= 2;
        --shift_;
    }
    pairs_.resize(slots);
    const std::uint32_t mask = static_cast<std::uint32_t>(slots - 1);
    PairRange* current = nullptr;
    for (std::uint32_t index = 0; index < words_.size(); ++index) {
        const std::uint32_t pair = pairOf(unitOf(index, 0), unitOf(index, 1));
        if (!current || current->pair != pair) {
            std::uint32_t slot = slotOf(pair);
            while (pairs_[slot].end != 0) slot = (slot + 1) & mask;
            current = &pairs_[slot];
            current->pair = pair;
            current->begin = index;
        }
        current->end = index + 1;
    }
}

// The first word in [begin, end) whose unit at `depth` is not below `unit`.
std::uint32_t WordGraph::firstNotBefore(std::uint32_t begin, std::uint32_t end, std::size_t depth, char16_t unit) const
{
    while (begin < end) {
        const std::uint32_t middle = begin + (end - begin) / 2;
        if (unitOf(middle, depth) < unit)
            begin = middle + 1;
        else
            end = middle;
    }
    return begin;
}

const WordGraph::PairRange* WordGraph::find(std::uint32_t pair) const
{
    const std::uint32_t mask = static_cast<std::uint32_t>(pairs_.size() - 1);
    for (std::uint32_t slot = slotOf(pair);; slot = (slot + 1) & mask) {
        const PairRange& range = pairs_[slot];
        if (range.end == 0) return nullptr;
        if (range.pair == pair) return &range;
    }
}

void WordGraph::segment(std::u16string_view run, const std::uint16_t* singleCost, Scratch& scratch,
                        std::uint32_t* readings) const
{
    const std::size_t length = run.size();
    std::uint32_t* const best = scratch.best.data();
    std::uint32_t* const step = scratch.step.data();  // 0: the single unit; else word + 1
    best[length] = 0;
    for (std::size_t at = length; at-- > 0;) {
        std::uint32_t cost = singleCost[run[at]] + best[at + 1];
        std::uint32_t chosen = 0;
        const PairRange* range = at + 1 < length ? find(pairOf(run[at], run[at + 1])) : nullptr;
        if (range) {
            // The words in [begin, end) share the first `depth` units with the
            // text; a word of exactly that length sorts first among them.
            std::uint32_t begin = range->begin;
            std::uint32_t end = range->end;
            for (std::size_t depth = 2;; ++depth) {
                if (words_[begin].length == depth) {
                    const std::uint32_t wordCost = words_[begin].cost + best[at + depth];
                    if (wordCost <= cost) {
                        cost = wordCost;
                        chosen = begin + 1;
                    }
                    ++begin;
                }
                if (begin == end || at + depth == length) break;
                const char16_t next = run[at + depth];
                std::uint32_t matchEnd;
                if (end - begin <= 8) {
                    while (begin < end && unitOf(begin, depth) < next) ++begin;
                    matchEnd = begin;
                    while (matchEnd < end && unitOf(matchEnd, depth) == next) ++matchEnd;
                } else {
                    begin = firstNotBefore(begin, end, depth, next);
                    matchEnd = firstNotBefore(begin, end, depth, static_cast<char16_t>(next + 1));
                    if (next == 0xFFFF) matchEnd = end;
                }
                if (begin == matchEnd) break;
                end = matchEnd;
            }
        }
        best[at] = cost;
        step[at] = chosen;
    }

    for (std::size_t at = 0; at < length;) {
        if (step[at] == 0) {
            readings[at++] = 0;
            continue;
        }
        const Word& word = words_[step[at] - 1];
        for (std::size_t position = 0; position < word.length; ++position)
            readings[at + position] = word.readingsStart == WordData::NoReadings
                                          ? 0
                                          : word.readingsStart + static_cast<std::uint32_t>(position) + 1;
        at += word.length;
    }
}

}  // namespace lorvane
