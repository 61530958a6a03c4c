#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace lorvane {

// The data files the conversions read.
enum class DataFile {
    Table,  // pymb.dat: the pinyin table
    Words,    // words.dat: the word data of the conversion by context
    Phrases,  // a file of the user's own words and their readings
};

// Why a data file could not be loaded. The message names the file's full path
// and says what is wrong, and where; the windowed program builds its own
// (Chinese) message from the fields.
class DataFileError : public std::runtime_error {
public:
    enum class Problem {
        // Any data file.
        Missing,
        Unreadable,
        Empty,            // no entry, or no byte at all
        TooLarge,         // larger than the file's size limit
        OutOfMemory,
        TooLongToIndex,   // readings too long for the index's 32-bit offsets
        IndexTooLarge,    // the index would take more memory than the file's size allows
        // The table.
        TooManyEntries,
        NoGbkConverter,   // the system cannot decode GBK
        // The word data.
        Truncated,        // shorter than its header, or than the size its header gives
        WrongMagic,       // not a word data file
        WrongVersion,
        WrongSize,        // longer than the size its header gives
        WrongChecksum,
        BadContent,       // a count, an index, an order or a field out of bounds
        NoTones,          // of a version without tones, names and surnames
    };

    // `detail`: what is wrong and where, or the system's reason (UTF-8).
    // `count`: the entries in the file, for TooManyEntries; the file's size
    // in bytes, where known, for TooLarge.
    DataFileError(DataFile file, Problem problem, std::string path, std::string detail = {},
                  unsigned long long count = 0);

    DataFile file() const { return file_; }
    Problem problem() const { return problem_; }
    // The full path of the file, UTF-8.
    const std::string& path() const { return path_; }
    const std::string& detail() const { return detail_; }
    unsigned long long count() const { return count_; }

private:
    DataFile file_;
    Problem problem_;
    std::string path_;
    std::string detail_;
    unsigned long long count_;
};

// The most bytes a data file may have; a larger one is refused before it is
// read. The real ones are about 150 KB and 1 MB.
inline constexpr std::size_t MaxDataFileBytes = std::size_t{64} << 20;

}  // namespace lorvane
