#include "datafile/DataFileError.h"

#include "sys/FilePath.h"
#include "text/Numbers.h"

namespace lorvane {
namespace {

using Problem = DataFileError::Problem;

std::string withReason(const std::string& problem, const std::string& reason)
{
    return reason.empty() ? problem : problem + " (" + reason + ")";
}

std::string describe(DataFile file, Problem problem, const std::string& detail, unsigned long long count)
{
    const bool table = file == DataFile::Table;
    switch (problem) {
    case Problem::Missing:
        return withReason("the file does not exist", detail);
    case Problem::Unreadable:
        return withReason("the file cannot be read", detail);
    case Problem::Empty:
        return table ? "the file holds no entry" : "the file is empty";
    case Problem::TooLarge:
        return "the file is larger than " +
               WithThousandsSeparators(MaxDataFileBytes) + " bytes, far more than any " +
               (table ? "pinyin table" : file == DataFile::Words ? "word data" : "file of phrases") +
               (count == 0 ? std::string() : " (it has " + WithThousandsSeparators(count) + ")");
    case Problem::OutOfMemory:
        return withReason("there is not enough memory", detail);
    case Problem::TooLongToIndex:
        return "its readings are too long to index";
    case Problem::IndexTooLarge:
        return detail;
    case Problem::TooManyEntries:
        return "the file holds " + detail;
    case Problem::NoGbkConverter:
        return withReason("the system cannot decode GBK, the file's encoding", detail);
    case Problem::Truncated:
        return "the file is cut short: " + detail;
    case Problem::WrongMagic:
        return "the file is not word data (it does not start with LVWORDS)";
    case Problem::WrongVersion:
        return "the file is of " + detail;
    case Problem::WrongSize:
        return "the file is longer than its header says: " + detail;
    case Problem::WrongChecksum:
        return "the file is damaged: its checksum does not match (" + detail + ")";
    case Problem::BadContent:
        return detail;
    case Problem::NoTones:
        return "the file has no tones or names (" + detail + ")";
    }
    return detail;
}

}  // namespace

DataFileError::DataFileError(DataFile file, Problem problem, std::string path, std::string detail,
                             unsigned long long count)
    : std::runtime_error(std::string(file == DataFile::Table   ? "cannot load the pinyin table "
                                     : file == DataFile::Words ? "cannot load the word data "
                                                               : "cannot load the phrases ") +
                         QuotedPath(path) + ": " + describe(file, problem, detail, count)),
      file_(file),
      problem_(problem),
      path_(std::move(path)),
      detail_(std::move(detail)),
      count_(count)
{
}

}  // namespace lorvane
