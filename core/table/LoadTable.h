#pragma once

#include <memory>
#include <string>

#include "table/PinyinIndex.h"
#include "table/PinyinTable.h"
#include "table/TableFile.h"

namespace lorvane {

// A pinyin table loaded and indexed. The file stays open for as long as
// this lives.
struct LoadedTable {
    TableFile file;
    std::unique_ptr<PinyinTable> table;
    std::unique_ptr<PinyinIndex> index;
};

// Opens, reads and indexes the table at `path` (UTF-8). Throws DataFileError
// for every failure, running out of memory included.
LoadedTable LoadTableAndIndex(const std::string& path);

}  // namespace lorvane
