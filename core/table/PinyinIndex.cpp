#include "table/PinyinIndex.h"

#include "table/TableReadings.h"

namespace lorvane {

PinyinIndex::PinyinIndex(const PinyinTable& table) : PinyinIndex(std::span<const std::u16string>(table.slots)) {}

PinyinIndex::PinyinIndex(std::span<const std::u16string> slots, RaiseLetter raise) : fragments_(raise)
{
    const TableReadings table(slots);
    for (const TableReadings::Unit& key : table.units())
        keyIds_[key.unit] = static_cast<std::uint16_t>(fragments_.add(key.readings.front(), key.readings.subspan(1)));
    fragments_.finish();
}

}  // namespace lorvane
