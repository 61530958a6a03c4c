#pragma once

#include <initializer_list>
#include <string>

#include "table/PinyinTable.h"

namespace lorvane::testing {

// The table whose entries are `entries`, in this order, as a file would give them.
inline PinyinTable TableOf(std::initializer_list<std::u16string> entries)
{
    PinyinTable table;
    for (const std::u16string& entry : entries) table.slots[table.PinyinEntryCount++] = entry;
    return table;
}

}  // namespace lorvane::testing
