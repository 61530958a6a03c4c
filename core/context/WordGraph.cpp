#include "context/WordGraph.h"

#include <algorithm>

namespace lorvane {

WordGraph::WordGraph() : roots_(0x10000), nodes_(1), firsts_(0x10001) {}

WordGraph::WordGraph(const WordData& data) : WordGraph()
{
    const std::vector<WordData::Word>& words = data.words;
    nodes_.reserve(data.wordUnits.size() - words.size() + 1);
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
                nodes_.push_back({0, WordData::NoReadings, unit, 0, 0});
                std::uint32_t& firstChild = depth == 1 ? roots_[parent].firstChild : nodes_[parent].firstChild;
                std::uint16_t& childCount = depth == 1 ? roots_[parent].childCount : nodes_[parent].childCount;
                if (childCount++ == 0) firstChild |= node;
            }
            nodeOf[word] = node;
            if (words[word].length == depth + 1) {
                nodes_[node].firstChild |= Node::IsWord;
                nodes_[node].cost = words[word].cost;
                nodes_[node].syllablesStart = words[word].syllablesStart;
            } else {
                longer.push_back(word);
            }
        }
        active.swap(longer);
    }

    placePairs();
}

std::size_t WordGraph::memoryBytes() const
{
    return roots_.capacity() * sizeof(Root) + nodes_.capacity() * sizeof(Node) + firsts_.capacity() * sizeof(First) +
           pairs_.capacity() * sizeof(Slot) + places_.capacity() * sizeof(std::uint16_t);
}

void WordGraph::placePairs()
{
    std::size_t count = 0;
    for (const Root& root : roots_) count += root.childCount;
    pairs_.resize(count);
    // A first unit's children come in order of their unit; put by the low
    // byte of it, in that order (a counting sort), they stay in order
    // within a low byte.
    std::uint32_t place[257];
    std::uint32_t begin = 0;
    for (std::size_t unit = 0; unit < roots_.size(); ++unit) {
        const Root& root = roots_[unit];
        firsts_[unit].begin = begin;
        const Node* const children = nodes_.data() + root.firstChild;
        const auto slotOf = [](const Node& prefix) {
            return Slot{prefix.firstChild, prefix.syllablesStart, prefix.unit, prefix.childCount, prefix.cost};
        };
        if (root.childCount <= DirectSearch) {
            for (std::uint32_t child = 0; child < root.childCount; ++child) pairs_[begin + child] = slotOf(children[child]);
        } else {
            std::fill(std::begin(place), std::end(place), 0);
            for (std::uint32_t child = 0; child < root.childCount; ++child) ++place[(children[child].unit & 0xFF) + 1];
            for (unsigned byte = 0; byte < 256; ++byte) place[byte + 1] += place[byte];
            firsts_[unit].places = static_cast<std::uint32_t>(places_.size());
            for (const std::uint32_t at : place) places_.push_back(static_cast<std::uint16_t>(at));
            for (std::uint32_t child = 0; child < root.childCount; ++child)
                pairs_[begin + place[children[child].unit & 0xFF]++] = slotOf(children[child]);
        }
        begin += root.childCount;
    }
    firsts_[roots_.size()].begin = begin;
}

WordGraph::Slot WordGraph::pair(char16_t first, char16_t second, std::uint64_t& searchSteps) const
{
    const Slot* begin = pairs_.data() + firsts_[first].begin;
    const Slot* end = pairs_.data() + firsts_[first + 1].begin;
    if (end - begin > std::ptrdiff_t{DirectSearch}) {
        const std::uint16_t* places = places_.data() + firsts_[first].places + (second & 0xFF);
        end = begin + places[1];
        begin += places[0];
    }
    // A few to look at but where a file puts many second units of one low
    // byte under one first unit: at most 256, searched in halves.
    if (end - begin > static_cast<std::ptrdiff_t>(DirectSearch)) {
        for (auto count = static_cast<std::uint32_t>(end - begin); count > 1; ++searchSteps) {
            const std::uint32_t half = count / 2;
            begin += half * static_cast<std::uint32_t>(begin[half - 1].second < second);
            count -= half;
        }
        end = begin + 1;
    }
    for (; begin < end; ++begin) {
        ++searchSteps;
        if (begin->second == second) return *begin;
    }
    return Slot{};
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

std::optional<std::uint32_t> WordGraph::find(std::u16string_view word) const
{
    if (word.size() < 2) return std::nullopt;
    std::uint64_t searchSteps = 0;
    const Slot start = pair(word[0], word[1], searchSteps);
    if (start.second == 0) return std::nullopt;
    std::uint32_t first = start.firstChild;
    std::uint32_t count = start.childCount;
    std::uint32_t syllablesStart = start.syllablesStart;
    for (std::size_t next = 2; next < word.size(); ++next) {
        const Node* reached = child(first, count, word[next], searchSteps);
        if (!reached) return std::nullopt;
        first = reached->firstChild;
        count = reached->childCount;
        syllablesStart = reached->syllablesStart;
    }
    if ((first & Node::IsWord) == 0) return std::nullopt;
    return syllablesStart;
}

void WordGraph::segment(std::u16string_view run, const std::uint16_t* singleCost, Scratch& scratch,
                        std::uint32_t* readings) const
{
    const std::size_t length = run.size();
    if (length == 0) return;
    // The pairs are looked up first, all independent of each other, so that
    // the processor waits for several of them at once.
    Slot* const pairs = scratch.pairs.data();
    for (std::size_t at = 0; at + 1 < length; ++at) {
        pairs[at] = pair(run[at], run[at + 1], scratch.searchSteps);
        // And the children of those that begin longer words, for the walk.
        if (pairs[at].childCount != 0) __builtin_prefetch(nodes_.data() + (pairs[at].firstChild & ~Node::IsWord));
    }
    pairs[length - 1] = Slot{};

    std::uint32_t* const best = scratch.best.data();
    best[length] = 0;
    for (std::size_t at = length; at-- > 0;) {
        std::uint32_t cost = singleCost[run[at]] + best[at + 1];
        std::uint32_t syllables = WordData::NoReadings;
        std::size_t end = at + 1;
        const Slot& start = pairs[at];
        if (start.second != 0) {
            if ((start.firstChild & Node::IsWord) && start.cost + best[at + 2] <= cost) {
                cost = start.cost + best[at + 2];
                syllables = start.syllablesStart;
                end = at + 2;
            }
            std::uint32_t first = start.firstChild;
            std::uint32_t count = start.childCount;
            for (std::size_t next = at + 2; count != 0 && next < length; ++next) {
                const Node* reached = child(first, count, run[next], scratch.searchSteps);
                if (!reached) break;
                if ((reached->firstChild & Node::IsWord) && reached->cost + best[next + 1] <= cost) {
                    cost = reached->cost + best[next + 1];
                    syllables = reached->syllablesStart;
                    end = next + 1;
                }
                first = reached->firstChild;
                count = reached->childCount;
            }
        }
        best[at] = cost;
        scratch.syllables[at] = syllables;
        scratch.length[at] = static_cast<std::uint8_t>(end - at);
    }

    for (std::size_t at = 0; at < length;) {
        const std::size_t wordLength = scratch.length[at];
        const std::uint32_t syllables = scratch.syllables[at];
        for (std::size_t position = 0; position < wordLength; ++position)
            readings[at + position] =
                syllables == WordData::NoReadings ? 0 : syllables + static_cast<std::uint32_t>(position) + 1;
        at += wordLength;
    }
}

}  // namespace lorvane
