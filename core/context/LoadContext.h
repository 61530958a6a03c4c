#pragma once

#include <memory>
#include <string>

#include "context/ContextIndex.h"
#include "table/PinyinTable.h"

namespace lorvane {

// Loads the word data at `path` (UTF-8) and indexes it with the table. Throws
// DataFileError naming the word data for every failure, running out of
// memory and readings too long to index included.
std::unique_ptr<ContextIndex> LoadContextIndex(const PinyinTable& table, const std::string& path);

}  // namespace lorvane
