#pragma once

#include <memory>
#include <string>

#include "table/PinyinIndex.h"
#include "table/PinyinTable.h"
#include "table/TableFile.h"

namespace lorvane {

// A pinyin table loaded, and indexed for the ordinary conversion. The file
// stays open for as long as this lives.
struct LoadedTable {
    TableFile file;
    std::unique_ptr<PinyinTable> table;
    std::unique_ptr<PinyinIndex> index;  // none when only the table was asked for
};

// Opens, reads and indexes the table at `path` (UTF-8); LoadTable leaves the
// index out, for a conversion that builds its own. Throw DataFileError for
// every failure, running out of memory included.
LoadedTable LoadTableAndIndex(const std::string& path);
LoadedTable LoadTable(const std::string& path);

}  // namespace lorvane
