#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

// The table's readings of every UTF-16 unit, in table order, as the ordinary
// conversion finds them: every slot keyed by the unit that holds at least one
// more character. Slots keyed by half of a surrogate pair, and slots that
// hold the Hanzi alone, give no reading. Both indexes are built from this.
class TableReadings {
public:
    // The slots of a table, or its filled ones: empty slots give nothing.
    explicit TableReadings(std::span<const std::u16string> slots);

    struct Unit {
        char16_t unit;
        std::span<const std::u16string_view> readings;  // in table order
    };
    // The units that have readings, in increasing order.
    const std::vector<Unit>& units() const { return units_; }
    // The readings of `unit`; none for a unit without any.
    std::span<const std::u16string_view> of(char16_t unit) const;

private:
    // The readings, grouped by their unit in increasing order.
    std::vector<std::u16string_view> readings_;
    std::vector<Unit> units_;
};

}  // namespace lorvane
