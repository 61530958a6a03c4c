#include "context/LoadContext.h"

#include "datafile/DataFileReader.h"
#include "sys/FilePath.h"

namespace lorvane {

std::unique_ptr<ContextIndex> LoadContextIndex(const PinyinTable& table, const std::string& path)
{
    return WithDataFileErrors(DataFile::Words, FullPath(path),
                              [&] { return std::make_unique<ContextIndex>(table, LoadWordData(path)); });
}

}  // namespace lorvane
