#pragma once

#include <string>

#include "ReadOnlyFile.h"

namespace lorvane {

// pymb.dat opened for reading. The windowed program keeps it open for as long
// as it runs, so that the file it loaded cannot be replaced underneath it.
// Throws PinyinTableError (FileMissing, FileUnreadable).
class TableFile {
public:
    explicit TableFile(const std::string& path);  // UTF-8, made full

    const std::string& path() const { return file_.path(); }
    // The whole content, read from the start. Throws PinyinTableError
    // (FileUnreadable, FileTooLarge); a file larger than MaxTableFileBytes is
    // refused before it is read where the system gives its size.
    std::string readAll();

private:
    ReadOnlyFile file_;
};

}  // namespace lorvane
