#include "context/WordGraph.h"

#include <chrono>
#include <random>

namespace lorvane {
namespace {

// The next seed after one that crowded the table: SplitMix64.
std::uint64_t nextSeed(std::uint64_t seed)
{
    seed += 0x9E3779B97F4A7C15u;
    seed = (seed ^ (seed >> 30)) * 0xBF58476D1CE4E5B9u;
    seed = (seed ^ (seed >> 27)) * 0x94D049BB133111EBu;
    return seed ^ (seed >> 31);
}

}  // namespace

std::uint64_t WordGraph::FreshSeed()
{
    // The system's randomness, and the time and the place of this call, in
    // case the first is weak.
    std::random_device device;
    std::uint64_t seed = static_cast<std::uint64_t>(device()) << 32 ^ device();
    seed ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    seed ^= reinterpret_cast<std::uintptr_t>(&seed);
    return nextSeed(seed);
}

WordGraph::WordGraph() : roots_(0x10000), nodes_(1), syllablesStart_(1, WordData::NoReadings) {}

WordGraph::WordGraph(const WordData& data, std::uint64_t seed) : WordGraph()
{
    const std::vector<WordData::Word>& words = data.words;
    nodes_.reserve(data.wordUnits.size() - words.size() + 1);
    syllablesStart_.reserve(data.wordUnits.size() - words.size() + 1);
    const auto unitOf = [&](std::uint32_t word, std::size_t position) {
        return data.wordUnits[words[word].unitsStart + position];
    };

    // One level after another, prefixes of two units first: the words are
    // in order, so those of one prefix follow each other, and so do the
    // children of a prefix. `nodeOf` is the node of each word's prefix of
    // the length reached, or for one unit the unit itself.
    std::vector<std::uint32_t> nodeOf(words.size());
    std::vector<std::uint32_t> active(words.size());
    for (std::uint32_t word = 0; word < words.size(); ++word) {
        nodeOf[word] = unitOf(word, 0);
        active[word] = word;
    }
    std::vector<std::uint32_t> longer;
    for (std::size_t depth = 1; !active.empty(); ++depth) {
        longer.clear();
        std::uint32_t parent = 0;
        std::uint32_t node = 0;
        for (const std::uint32_t word : active) {
            const char16_t unit = unitOf(word, depth);
            if (node == 0 || nodeOf[word] != parent || unit != nodes_[node].unit) {
                parent = nodeOf[word];
                node = static_cast<std::uint32_t>(nodes_.size());
                nodes_.push_back({0, unit, 0, 0});
                syllablesStart_.push_back(WordData::NoReadings);
                std::uint32_t& firstChild = depth == 1 ? roots_[parent].firstChild : nodes_[parent].firstChild;
                std::uint16_t& childCount = depth == 1 ? roots_[parent].childCount : nodes_[parent].childCount;
                if (childCount++ == 0) firstChild |= node;
            }
            nodeOf[word] = node;
            if (words[word].length == depth + 1) {
                nodes_[node].firstChild |= Node::IsWord;
                nodes_[node].cost = words[word].cost;
                syllablesStart_[node] = words[word].syllablesStart;
            } else {
                longer.push_back(word);
            }
        }
        active.swap(longer);
    }

    for (int attempt = 0; attempt < 4 && !hashPairs(seed); ++attempt) seed = nextSeed(seed);
}

bool WordGraph::hashPairs(std::uint64_t seed)
{
    std::size_t count = 0;
    for (const Root& root : roots_) count += root.childCount;
    if (count == 0) return true;
    // At most half full.
    std::size_t slots = 16;
    shift_ = 60;
    while (slots < 2 * count) {
        slots *= 2;
        --shift_;
    }
    seed_ = seed | 1;
    pairs_.assign(slots, Slot{});
    const std::uint32_t mask = static_cast<std::uint32_t>(slots - 1);
    for (std::uint32_t unit = 0; unit < roots_.size(); ++unit) {
        const Root& root = roots_[unit];
        for (std::uint32_t node = root.firstChild; node < root.firstChild + root.childCount; ++node) {
            const std::uint32_t key = unit << 16 | nodes_[node].unit;
            std::uint32_t slot = home(key);
            for (std::uint32_t probe = 0; pairs_[slot].key != 0; ++probe, slot = (slot + 1) & mask) {
                if (probe == LongestProbe) {
                    pairs_.clear();
                    return false;
                }
            }
            pairs_[slot] = {key, node};
        }
    }
    return true;
}

const WordGraph::Node* WordGraph::pair(char16_t first, char16_t second, std::uint64_t& searchSteps) const
{
    if (pairs_.empty()) {
        const Root& root = roots_[first];
        return child(root.firstChild, root.childCount, second, searchSteps);
    }
    const std::uint32_t key = static_cast<std::uint32_t>(first) << 16 | second;
    const std::uint32_t mask = static_cast<std::uint32_t>(pairs_.size() - 1);
    for (std::uint32_t slot = home(key);; slot = (slot + 1) & mask) {
        ++searchSteps;
        const Slot& found = pairs_[slot];
        if (found.key == key) return &nodes_[found.node];
        if (found.key == 0) return nullptr;
    }
}

const WordGraph::Node* WordGraph::child(std::uint32_t first, std::uint32_t count, char16_t unit,
                                        std::uint64_t& searchSteps) const
{
    if (count == 0) return nullptr;
    // Without a branch on the comparison, which text makes unpredictable.
    const Node* base = nodes_.data() + (first & ~Node::IsWord);
    for (; count > 1; ++searchSteps) {
        const std::uint32_t half = count / 2;
        base += half * static_cast<std::uint32_t>(base[half - 1].unit < unit);
        count -= half;
    }
    ++searchSteps;
    return base->unit == unit ? base : nullptr;
}

void WordGraph::segment(std::u16string_view run, const std::uint16_t* singleCost, Scratch& scratch,
                        std::uint32_t* readings) const
{
    const std::size_t length = run.size();
    if (length == 0) return;
    std::uint32_t* const best = scratch.best.data();
    best[length] = 0;
    for (std::size_t at = length; at-- > 0;) {
        std::uint32_t cost = singleCost[run[at]] + best[at + 1];
        std::uint32_t word = 0;
        std::size_t end = at + 1;
        std::uint32_t first = 0;
        std::uint32_t count = 0;
        for (std::size_t next = at + 1; next < length; ++next) {
            const Node* reached = next == at + 1 ? pair(run[at], run[next], scratch.searchSteps)
                                                 : child(first, count, run[next], scratch.searchSteps);
            if (!reached) break;
            if ((reached->firstChild & Node::IsWord) && reached->cost + best[next + 1] <= cost) {
                cost = reached->cost + best[next + 1];
                word = static_cast<std::uint32_t>(reached - nodes_.data());
                end = next + 1;
            }
            first = reached->firstChild;
            count = reached->childCount;
        }
        best[at] = cost;
        scratch.word[at] = word;
        scratch.length[at] = static_cast<std::uint8_t>(end - at);
    }

    for (std::size_t at = 0; at < length;) {
        const std::size_t wordLength = scratch.length[at];
        const std::uint32_t syllables = syllablesStart_[scratch.word[at]];
        for (std::size_t position = 0; position < wordLength; ++position)
            readings[at + position] =
                syllables == WordData::NoReadings ? 0 : syllables + static_cast<std::uint32_t>(position) + 1;
        at += wordLength;
    }
}

}  // namespace lorvane
