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
    readings_.reserve(entries.size());
    for (const std::u16string* entry : entries) readings_.push_back(std::u16string_view(*entry).substr(1));
    for (std::size_t at = 0; at < entries.size();) {
        const char16_t unit = (*entries[at])[0];
        std::size_t end = at + 1;
        while (end < entries.size() && (*entries[end])[0] == unit) ++end;
        units_.push_back({unit, std::span<const std::u16string_view>(readings_).subspan(at, end - at)});
        at = end;
    }
}

std::span<const std::u16string_view> TableReadings::of(char16_t unit) const
{
    const auto found = std::lower_bound(units_.begin(), units_.end(), unit,
                                        [](const Unit& readings, char16_t wanted) { return readings.unit < wanted; });
    return found != units_.end() && found->unit == unit ? found->readings : std::span<const std::u16string_view>();
}

}  // namespace lorvane
