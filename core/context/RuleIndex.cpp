#include "context/RuleIndex.h"

#include <algorithm>
#include <cstddef>
#include <tuple>

namespace lorvane {

RuleIndex::RuleIndex(const std::vector<WordData::Rule>& rules, const std::vector<std::uint32_t>& choices)
{
    std::vector<std::uint32_t> order(rules.size());
    for (std::uint32_t index = 0; index < order.size(); ++index) order[index] = index;
    const auto key = [&](std::uint32_t index) {
        const WordData::Rule& rule = rules[index];
        return std::make_tuple(rule.target, rule.kind, rule.neighbour, index);
    };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });

    const WordData::Rule* before = nullptr;
    for (const std::uint32_t ruleIndex : order) {
        const WordData::Rule& rule = rules[ruleIndex];
        if (!before || before->target != rule.target) {
            targets_.push_back(rule.target);
            const auto begin = static_cast<std::uint32_t>(entries_.size());
            rulesOfTarget_.push_back({begin, begin, begin, None});
        } else if (before->kind == rule.kind && before->neighbour == rule.neighbour) {
            continue;  // a later rule of the same kind and neighbour never holds first
        }
        before = &rule;
        Rules& kinds = rulesOfTarget_.back();
        const auto index = static_cast<std::uint32_t>(entries_.size());
        entries_.push_back({rule.neighbour, ruleIndex, choices[ruleIndex]});
        switch (rule.kind) {
        case RuleKind::PreviousIs:
            kinds.nextBegin = kinds.nextEnd = index + 1;
            break;
        case RuleKind::NextIs:
            kinds.nextEnd = index + 1;
            break;
        case RuleKind::AfterReduplication:
            kinds.reduplication = index;
            break;
        }
    }
}

RuleIndex::Rules RuleIndex::rulesOf(char16_t target) const
{
    const auto found = std::lower_bound(targets_.begin(), targets_.end(), target);
    if (found == targets_.end() || *found != target) return {};
    return rulesOfTarget_[static_cast<std::size_t>(found - targets_.begin())];
}

const RuleIndex::Entry* RuleIndex::find(std::uint32_t begin, std::uint32_t end, char16_t neighbour) const
{
    const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(begin);
    const auto last = entries_.begin() + static_cast<std::ptrdiff_t>(end);
    const auto found =
        std::lower_bound(first, last, neighbour, [](const Entry& entry, char16_t unit) { return entry.neighbour < unit; });
    return found != last && found->neighbour == neighbour ? &*found : nullptr;
}

std::uint32_t RuleIndex::choose(const Rules& rules, std::optional<char16_t> previous, std::optional<char16_t> next,
                                bool afterReduplication) const
{
    const Entry* first = nullptr;
    const auto consider = [&](const Entry* entry) {
        if (entry && (!first || entry->order < first->order)) first = entry;
    };
    if (previous) consider(find(rules.previousBegin, rules.nextBegin, *previous));
    if (next) consider(find(rules.nextBegin, rules.nextEnd, *next));
    if (afterReduplication && rules.reduplication != None) consider(&entries_[rules.reduplication]);
    return first ? first->choice : 0;
}

}  // namespace lorvane
