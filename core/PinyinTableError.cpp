#include "PinyinTableError.h"

#include <cerrno>
#include <cstring>

#include "FilePath.h"
#include "PinyinTable.h"

namespace lorvane {
namespace {

std::string withReason(const std::string& problem, const std::string& systemReason)
{
    return systemReason.empty() ? problem : problem + " (" + systemReason + ")";
}

std::string describe(PinyinTableError::Kind kind, const std::string& path,
                     const std::string& systemReason, std::size_t entriesInFile)
{
    const std::string message = "cannot load the pinyin table " + QuotedPath(path) + ": ";
    switch (kind) {
    case PinyinTableError::Kind::FileMissing:
        return message + withReason("the file does not exist", systemReason);
    case PinyinTableError::Kind::FileUnreadable:
        return message + withReason("the file cannot be read", systemReason);
    case PinyinTableError::Kind::FileEmpty:
        return message + "the file holds no entry";
    case PinyinTableError::Kind::TooManyEntries:
        return message + "the file holds " + WithThousandsSeparators(entriesInFile) +
               " entries, more than the " + WithThousandsSeparators(PinyinTableCapacity) +
               " the table can hold";
    case PinyinTableError::Kind::FileTooLarge:
        return message + "the file is larger than " + WithThousandsSeparators(MaxTableFileBytes) +
               " bytes, far more than any pinyin table";
    case PinyinTableError::Kind::OutOfMemory:
        return message + withReason("there is not enough memory", systemReason);
    case PinyinTableError::Kind::ReadingsTooLong:
        return message + "its readings are too long to index";
    case PinyinTableError::Kind::NoGbkConverter:
        return message + withReason("the system cannot decode GBK, the file's encoding", systemReason);
    }
    return message;
}

}  // namespace

PinyinTableError::PinyinTableError(Kind kind, std::string path, std::string systemReason,
                                   std::size_t entriesInFile)
    : std::runtime_error(describe(kind, path, systemReason, entriesInFile)),
      kind_(kind),
      path_(std::move(path)),
      systemReason_(std::move(systemReason)),
      entriesInFile_(entriesInFile)
{
}

std::string OutOfMemoryReason() { return std::strerror(ENOMEM); }

std::string WithThousandsSeparators(unsigned long long number)
{
    std::string digits = std::to_string(number);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

}  // namespace lorvane
