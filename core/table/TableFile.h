#pragma once

#include <string>

#include "datafile/DataFileReader.h"

namespace lorvane {

// pymb.dat opened for reading. The windowed program keeps it open for as long
// as it runs, so that the file it loaded cannot be replaced underneath it.
// Throws DataFileError (Missing, Unreadable).
class TableFile {
public:
    explicit TableFile(const std::string& path) : reader_(DataFile::Table, path) {}  // UTF-8, made full

    const std::string& path() const { return reader_.path(); }
    // The whole content. Throws DataFileError (Unreadable, TooLarge); a file
    // larger than MaxDataFileBytes is refused before it is read where the
    // system gives its size.
    std::string readAll() { return reader_.readAll(MaxDataFileBytes); }

private:
    DataFileReader reader_;
};

}  // namespace lorvane
