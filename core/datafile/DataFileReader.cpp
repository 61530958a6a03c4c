#include "datafile/DataFileReader.h"

#include "sys/FilePath.h"

namespace lorvane {
namespace {

File open(DataFile which, const std::string& path)
{
    try {
        return File::OpenForReading(path, File::Sharing::OthersMayOnlyRead);
    } catch (const FileError& error) {
        const auto problem = error.kind() == FileError::Kind::Missing ? DataFileError::Problem::Missing
                                                                      : DataFileError::Problem::Unreadable;
        throw DataFileError(which, problem, path, error.what());
    }
}

}  // namespace

DataFileReader::DataFileReader(DataFile file, const std::string& path)
    : which_(file), path_(FullPath(path)), file_(open(file, path_))
{
}

std::string DataFileReader::readAll(unsigned long long maxBytes)
{
    const auto tooLarge = [&](unsigned long long size) {
        return DataFileError(which_, DataFileError::Problem::TooLarge, path_, {}, size);
    };
    std::string bytes;
    if (const auto size = file_.regularFileSize()) {
        if (*size > maxBytes) throw tooLarge(*size);
        bytes.reserve(static_cast<std::size_t>(*size));
    }
    char chunk[65536];
    try {
        for (;;) {
            const std::size_t read = file_.read(chunk, sizeof chunk);
            if (read == 0) break;
            // Refused before it is kept, so that a pipe costs no more than
            // the largest file.
            if (bytes.size() + read > maxBytes) throw tooLarge(0);
            bytes.append(chunk, read);
        }
    } catch (const FileError& error) {
        throw DataFileError(which_, DataFileError::Problem::Unreadable, path_, error.what());
    }
    return bytes;
}

}  // namespace lorvane
