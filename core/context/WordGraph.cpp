#include "context/WordGraph.h"

#include <algorithm>

namespace lorvane {
namespace {

std::uint32_t pairOf(char16_t first, char16_t second) { return static_cast<std::uint32_t>(first) << 16 | second; }

}  // namespace

WordGraph::WordGraph() : pairs_(16), shift_(28) {}

WordGraph::WordGraph(std::vector<Word> words, std::vector<char16_t> units)
    : words_(std::move(words)), units_(std::move(units))
{
    // The words arrive in order, so the words of one pair follow each other.
    std::vector<PairWords> pairs;
    for (std::uint32_t index = 0; index < words_.size(); ++index) {
        const std::uint32_t pair = pairOf(unitOf(index, 0), unitOf(index, 1));
        if (pairs.empty() || pairs.back().pair != pair)
            pairs.push_back({pair, index, index, words_[index].cost, words_[index].length == 2});
        pairs.back().end = index + 1;
    }
    placePairs(pairs);
}

// Fills the hash table in order of home slot, so that it is written from
// start to end instead of at random: the table is larger than the caches and
// random writes would take most of the load time. A pair goes to its home
// slot or the first free one after it, as linear probing expects.
void WordGraph::placePairs(std::vector<PairWords>& pairs)
{
    // At most three quarters full: a search for a pair that starts no word
    // ends after a few probes, most in the same cache line.
    std::size_t slots = 16;
    shift_ = 28;
    while (3 * slots < 4 * pairs.size()) {
        slots *= 2;
        --shift_;
    }
    // Radix sort by home slot, 11 bits a pass.
    std::vector<PairWords> sorted(pairs.size());
    for (unsigned low = 0; low < 32 - shift_; low += 11) {
        std::vector<std::uint32_t> start(2049, 0);
        const auto digit = [&](const PairWords& pair) { return slotOf(pair.pair) >> low & 2047; };
        for (const PairWords& pair : pairs) ++start[digit(pair) + 1];
        for (std::size_t bucket = 1; bucket < start.size(); ++bucket) start[bucket] += start[bucket - 1];
        for (const PairWords& pair : pairs) sorted[start[digit(pair)]++] = pair;
        pairs.swap(sorted);
    }

    pairs_.assign(slots, PairWords{});
    std::size_t next = 0;  // the first slot after the last one filled
    std::vector<PairWords> wrapped;
    for (const PairWords& pair : pairs) {
        const std::size_t slot = std::max<std::size_t>(slotOf(pair.pair), next);
        if (slot == slots) {
            wrapped.push_back(pair);
            continue;
        }
        pairs_[slot] = pair;
        next = slot + 1;
    }
    const std::size_t mask = slots - 1;
    for (const PairWords& pair : wrapped) {
        std::size_t slot = 0;
        while (pairs_[slot].end != 0) slot = (slot + 1) & mask;
        pairs_[slot] = pair;
    }
}

const WordGraph::PairWords* WordGraph::find(std::uint32_t pair) const
{
    const std::uint32_t mask = static_cast<std::uint32_t>(pairs_.size() - 1);
    for (std::uint32_t slot = slotOf(pair);; slot = (slot + 1) & mask) {
        const PairWords& words = pairs_[slot];
        if (words.end == 0) return nullptr;
        if (words.pair == pair) return &words;
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
    for (std::size_t at = 0; at + 1 < length; ++at) pairs[at] = find(pairOf(run[at], run[at + 1]));
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
