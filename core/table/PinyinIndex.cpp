#include "table/PinyinIndex.h"

#include "table/TableReadings.h"

namespace lorvane {

PinyinIndex::PinyinIndex(const PinyinTable& table) : PinyinIndex(std::span<const std::u16string>(table.slots)) {}

PinyinIndex::PinyinIndex(std::span<const std::u16string> slots)
{
    const TableReadings table(slots);
    for (const char16_t unit : table.units()) {
        const std::span<const std::u16string_view> readings = table.of(unit);
        keyIds_[unit] = static_cast<std::uint16_t>(fragments_.add(readings.front(), readings.subspan(1)));
    }
    fragments_.finish();
}

}  // namespace lorvane
