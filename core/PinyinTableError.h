#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace lorvane {

// Why pymb.dat could not be loaded. Each error names the file's full path;
// the windowed program builds its own (Chinese) message from the fields.
class PinyinTableError : public std::runtime_error {
public:
    enum class Kind {
        FileMissing,
        FileUnreadable,
        FileEmpty,
        TooManyEntries,
        FileTooLarge,     // more than MaxTableFileBytes
        OutOfMemory,
        ReadingsTooLong,  // too long for the index's 32-bit offsets
        NoGbkConverter,   // the system cannot decode GBK
    };

    PinyinTableError(Kind kind, std::string path, std::string systemReason = {},
                     std::size_t entriesInFile = 0);

    Kind kind() const { return kind_; }
    // The full path of the file, UTF-8.
    const std::string& path() const { return path_; }
    // The operating system's explanation, where it gave one (UTF-8).
    const std::string& systemReason() const { return systemReason_; }
    // How many entries the file holds, for TooManyEntries.
    std::size_t entriesInFile() const { return entriesInFile_; }

private:
    Kind kind_;
    std::string path_;
    std::string systemReason_;
    std::size_t entriesInFile_;
};

// A table file larger than this is refused before it is read: the real one
// is about 150 KB.
inline constexpr std::size_t MaxTableFileBytes = std::size_t{64} << 20;

// The system's words for running out of memory, the reason of OutOfMemory.
std::string OutOfMemoryReason();

// "27951" -> "27,951"
std::string WithThousandsSeparators(unsigned long long number);

}  // namespace lorvane
