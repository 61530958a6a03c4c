#include "table/LoadTable.h"

namespace lorvane {
namespace {

LoadedTable load(const std::string& path, bool withIndex)
{
    LoadedTable loaded{TableFile(path), nullptr, nullptr};
    return WithDataFileErrors(DataFile::Table, loaded.file.path(), [&] {
        loaded.table = std::make_unique<PinyinTable>();
        LoadPinyinTable(loaded.file, *loaded.table);
        if (withIndex) loaded.index = std::make_unique<PinyinIndex>(*loaded.table);
        return std::move(loaded);
    });
}

}  // namespace

LoadedTable LoadTableAndIndex(const std::string& path) { return load(path, true); }

LoadedTable LoadTable(const std::string& path) { return load(path, false); }

}  // namespace lorvane
