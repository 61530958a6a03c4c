#include "context/LoadContext.h"

#include "datafile/DataFileReader.h"
#include "sys/FilePath.h"

namespace lorvane {

std::unique_ptr<ContextIndex> LoadContextIndex(const PinyinTable& table, const std::string& tablePath,
                                               const std::string& wordsPath)
{
    const std::string wordsFullPath = FullPath(wordsPath);
    return WithDataFileErrors(DataFile::Words, wordsFullPath, [&] {
        try {
            return std::make_unique<ContextIndex>(table, LoadWordData(wordsFullPath));
        } catch (const IndexTooLarge& error) {
            const std::string& path = error.file() == DataFile::Table ? tablePath : wordsFullPath;
            throw DataFileError(error.file(), DataFileError::Problem::IndexTooLarge, path, error.what());
        }
    });
}

}  // namespace lorvane
