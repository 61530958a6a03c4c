#pragma once

#include <new>
#include <stdexcept>
#include <string>

#include "datafile/DataFileError.h"
#include "sys/File.h"
#include "sys/SystemMessage.h"

namespace lorvane {

// A data file opened for reading, and read whole. Every failure is a
// DataFileError that names the file by its full path.
class DataFileReader {
public:
    // Opens the file at `path` (UTF-8). While it is open, nobody may write
    // it, so that a program that keeps it open keeps what it loaded. Throws
    // DataFileError (Missing, Unreadable).
    DataFileReader(DataFile file, const std::string& path);

    DataFile file() const { return which_; }
    // The full path, UTF-8.
    const std::string& path() const { return path_; }

    // The whole content. A file larger than `maxBytes` is refused (TooLarge),
    // before it is read where the system gives its size; a device such as
    // /dev/zero, which has no size and no end, once it passes the limit.
    std::string readAll(unsigned long long maxBytes);

private:
    DataFile which_;
    std::string path_;
    File file_;
};

// Runs `load` for the data file at `path`, turning the standard library's
// failures into the file's error: running out of memory (OutOfMemory) and a
// length past what a string or an index can hold (TooLongToIndex).
template <class Load>
auto WithDataFileErrors(DataFile file, const std::string& path, Load&& load) -> decltype(load())
{
    try {
        return load();
    } catch (const std::bad_alloc&) {
        throw DataFileError(file, DataFileError::Problem::OutOfMemory, path, OutOfMemoryReason());
    } catch (const std::length_error&) {
        throw DataFileError(file, DataFileError::Problem::TooLongToIndex, path);
    }
}

}  // namespace lorvane
