#pragma once

#include <memory>
#include <string>

#include "context/ContextIndex.h"
#include "table/PinyinTable.h"

namespace lorvane {

// Loads the word data at `wordsPath` (UTF-8) and indexes it with the table
// loaded from `tablePath`. Throws DataFileError for every failure, running
// out of memory included, naming the file that causes it: the word data, or
// the table where its readings would make the index too large.
std::unique_ptr<ContextIndex> LoadContextIndex(const PinyinTable& table, const std::string& tablePath,
                                               const std::string& wordsPath);

}  // namespace lorvane
