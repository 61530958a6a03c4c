#include "table/TableReadings.h"

#include <algorithm>

#include "text/Utf8.h"

namespace lorvane {
namespace {

bool givesReading(const std::u16string& entry) { return entry.size() >= 2 && !IsSurrogate(entry[0]); }

}  // namespace

TableReadings::TableReadings(std::span<const std::u16string> slots)
{
    std::vector<const std::u16string*> entries;
    for (const std::u16string& entry : slots)
        if (givesReading(entry)) entries.push_back(&entry);
    // Stable: the readings of one unit keep the table's order.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const std::u16string* a, const std::u16string* b) { return (*a)[0] < (*b)[0]; });
    keys_.reserve(entries.size());
    readings_.reserve(entries.size());
    for (const std::u16string* entry : entries) {
        if (keys_.empty() || keys_.back() != (*entry)[0]) units_.push_back((*entry)[0]);
        keys_.push_back((*entry)[0]);
        readings_.push_back(std::u16string_view(*entry).substr(1));
    }
}

std::span<const std::u16string_view> TableReadings::of(char16_t unit) const
{
    const auto [first, last] = std::equal_range(keys_.begin(), keys_.end(), unit);
    return std::span<const std::u16string_view>(readings_).subspan(static_cast<std::size_t>(first - keys_.begin()),
                                                                   static_cast<std::size_t>(last - first));
}

}  // namespace lorvane
