#pragma once

#include <memory>
#include <string>

#include "ContextIndex.h"
#include "PinyinTable.h"

namespace lorvane::cli {

// Loads the word data at `path` and indexes it with the table. Every failure,
// including word data too large to index, is a WordDataError naming the file.
std::unique_ptr<ContextIndex> LoadContext(const PinyinTable& table, const std::string& path);

}  // namespace lorvane::cli
