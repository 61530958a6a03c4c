#include "context/WordGraph.h"

#include <algorithm>

namespace lorvane {

WordGraph::WordGraph() : firstBegin_(0x10001, 0) {}

WordGraph::WordGraph(std::vector<Word> words, std::vector<char16_t> units)
    : words_(std::move(words)), units_(std::move(units)), firstBegin_(0x10001, 0)
{
    // The words arrive in order, so the words of one pair follow each other,
    // and the pairs come in order too.
    for (std::uint32_t index = 0; index < words_.size(); ++index) {
        const char16_t first = unitOf(index, 0);
        const char16_t second = unitOf(index, 1);
        if (index == 0 || unitOf(index - 1, 0) != first || unitOf(index - 1, 1) != second) {
            ++firstBegin_[first + 1];
            seconds_.push_back(second);
            pairs_.push_back({index, index, words_[index].cost, words_[index].length == 2});
        }
        pairs_.back().end = index + 1;
    }
    for (std::size_t unit = 0; unit < 0x10000; ++unit) firstBegin_[unit + 1] += firstBegin_[unit];
}

const WordGraph::PairWords* WordGraph::find(char16_t first, char16_t second, std::uint64_t& searchSteps) const
{
    std::uint32_t begin = firstBegin_[first];
    const std::uint32_t end = firstBegin_[first + 1];
    if (begin == end) return nullptr;
    // Without a branch on the comparison, which text makes unpredictable.
    const char16_t* base = seconds_.data() + begin;
    for (std::uint32_t count = end - begin; count > 1; ++searchSteps) {
        const std::uint32_t half = count / 2;
        base = base[half - 1] < second ? base + half : base;
        count -= half;
    }
    ++searchSteps;
    const auto at = static_cast<std::uint32_t>(base - seconds_.data());
    return *base == second ? &pairs_[at] : nullptr;
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

void WordGraph::offerLongerWords(std::u16string_view run, std::size_t at, const PairWords& pairWords,
                                 const std::uint32_t* best, std::uint32_t& cost, std::uint32_t& chosen) const
{
    // The words in [begin, end) are longer than `depth` units and share the
    // first `depth` units with the text; one of exactly `depth` + 1 units
    // sorts first among those that match the next unit.
    std::uint32_t begin = pairWords.begin + (pairWords.pairIsWord ? 1 : 0);
    std::uint32_t end = pairWords.end;
    for (std::size_t depth = 2; begin < end && at + depth < run.size(); ++depth) {
        const char16_t next = run[at + depth];
        std::uint32_t matchEnd;
        if (end - begin <= 8) {
            while (begin < end && unitOf(begin, depth) < next) ++begin;
            matchEnd = begin;
            while (matchEnd < end && unitOf(matchEnd, depth) == next) ++matchEnd;
        } else {
            begin = firstNotBefore(begin, end, depth, next);
            matchEnd = next == 0xFFFF ? end : firstNotBefore(begin, end, depth, static_cast<char16_t>(next + 1));
        }
        if (begin == matchEnd) return;
        end = matchEnd;
        if (words_[begin].length == depth + 1) {
            const std::uint32_t wordCost = words_[begin].cost + best[at + depth + 1];
            if (wordCost <= cost) {
                cost = wordCost;
                chosen = begin + 1;
            }
            ++begin;
        }
    }
}

void WordGraph::segment(std::u16string_view run, const std::uint16_t* singleCost, Scratch& scratch,
                        std::uint32_t* readings) const
{
    const std::size_t length = run.size();
    if (length == 0) return;
    // The pairs are looked up first, all independent of each other, so that
    // the processor waits for several of them at once.
    const PairWords** const pairs = scratch.pairs.data();
    for (std::size_t at = 0; at + 1 < length; ++at) pairs[at] = find(run[at], run[at + 1], scratch.searchSteps);
    pairs[length - 1] = nullptr;

    std::uint32_t* const best = scratch.best.data();
    std::uint32_t* const step = scratch.step.data();  // 0: the single unit; else word + 1
    best[length] = 0;
    for (std::size_t at = length; at-- > 0;) {
        std::uint32_t cost = singleCost[run[at]] + best[at + 1];
        std::uint32_t chosen = 0;
        if (const PairWords* pairWords = pairs[at]) {
            if (pairWords->pairIsWord && pairWords->pairCost + best[at + 2] <= cost) {
                cost = pairWords->pairCost + best[at + 2];
                chosen = pairWords->begin + 1;
            }
            if (pairWords->end - pairWords->begin > (pairWords->pairIsWord ? 1u : 0u))
                offerLongerWords(run, at, *pairWords, best, cost, chosen);
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
            readings[at + position] = word.syllablesStart == WordData::NoReadings
                                          ? 0
                                          : word.syllablesStart + static_cast<std::uint32_t>(position) + 1;
        at += word.length;
    }
}

}  // namespace lorvane
