#pragma once

#include <stdexcept>
#include <string>

namespace lorvane {

// Why the word data (words.dat) could not be loaded. The message names the
// file's path and says what is wrong and where ("word 1,204 at byte 9,876:
// ...").
class WordDataError : public std::runtime_error {
public:
    enum class Kind {
        FileMissing,
        FileUnreadable,
        FileEmpty,
        FileTooLarge,
        Truncated,       // shorter than its header, or than the size its header gives
        WrongMagic,      // not a word data file
        WrongVersion,
        WrongSize,       // longer than the size its header gives
        WrongChecksum,
        BadContent,      // a count, an index, an order or a field out of bounds
        OutOfMemory,
    };

    // `detail`: what is wrong, and where; the system's reason for
    // FileUnreadable and OutOfMemory. Paths and details are UTF-8.
    WordDataError(Kind kind, std::string path, std::string detail = {});

    Kind kind() const { return kind_; }
    const std::string& path() const { return path_; }
    const std::string& detail() const { return detail_; }

private:
    Kind kind_;
    std::string path_;
    std::string detail_;
};

}  // namespace lorvane
