#pragma once

#include <string>

namespace lorvane {

// pymb.dat opened for reading. The windowed program keeps it open for as long
// as it runs, so that the file it loaded cannot be replaced underneath it.
// Throws PinyinTableError (FileMissing, FileUnreadable).
class TableFile {
public:
    explicit TableFile(const std::string& path);  // UTF-8, made full
    ~TableFile();
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    const std::string& path() const { return path_; }
    // The whole content, read from the start. Throws PinyinTableError
    // (FileUnreadable, FileTooLarge); a file larger than MaxTableFileBytes is
    // refused before it is read where the system gives its size.
    std::string readAll();

private:
    [[noreturn]] void throwTooLarge() const;

    std::string path_;
#ifdef _WIN32
    void* handle_;
#else
    int descriptor_;
#endif
};

}  // namespace lorvane
