#include "PinyinTableError.h"

#include "PinyinTable.h"

namespace lorvane {
namespace {

std::string describe(PinyinTableError::Kind kind, const std::string& path,
                     const std::string& systemReason, std::size_t entriesInFile)
{
    std::string message = "cannot load the pinyin table " + path + ": ";
    switch (kind) {
    case PinyinTableError::Kind::FileMissing:
        return message + "the file does not exist";
    case PinyinTableError::Kind::FileUnreadable:
        return message + "the file cannot be read (" + systemReason + ")";
    case PinyinTableError::Kind::FileEmpty:
        return message + "the file holds no entry";
    case PinyinTableError::Kind::TooManyEntries:
        return message + "the file holds " + WithThousandsSeparators(entriesInFile) +
               " entries, more than the " + WithThousandsSeparators(PinyinTableCapacity) +
               " the table can hold";
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

std::string WithThousandsSeparators(std::size_t number)
{
    std::string digits = std::to_string(number);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

}  // namespace lorvane
