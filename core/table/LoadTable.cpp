#include "table/LoadTable.h"

namespace lorvane {

LoadedTable LoadTableAndIndex(const std::string& path)
{
    LoadedTable loaded{TableFile(path), nullptr, nullptr};
    return WithDataFileErrors(DataFile::Table, loaded.file.path(), [&] {
        loaded.table = std::make_unique<PinyinTable>();
        LoadPinyinTable(loaded.file, *loaded.table);
        loaded.index = std::make_unique<PinyinIndex>(*loaded.table);
        return std::move(loaded);
    });
}

}  // namespace lorvane
