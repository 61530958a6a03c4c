#include "WordDataError.h"

#include "FilePath.h"
#include "WordData.h"

namespace lorvane {
namespace {

std::string problem(WordDataError::Kind kind, const std::string& detail)
{
    using Kind = WordDataError::Kind;
    switch (kind) {
    case Kind::FileMissing:
        return "the file does not exist";
    case Kind::FileUnreadable:
        return "the file cannot be read (" + detail + ")";
    case Kind::FileEmpty:
        return "the file is empty";
    case Kind::FileTooLarge:
        return "the file is larger than " + std::to_string(WordDataSizeLimit >> 20) + " MiB (" + detail + ")";
    case Kind::Truncated:
        return "the file is cut short: " + detail;
    case Kind::WrongMagic:
        return "the file is not word data (it does not start with LVWORDS)";
    case Kind::WrongVersion:
        return "the file is of version " + detail + ", this program reads version " +
               std::to_string(WordDataVersion);
    case Kind::WrongSize:
        return "the file is longer than its header says: " + detail;
    case Kind::WrongChecksum:
        return "the file is damaged: its checksum does not match (" + detail + ")";
    case Kind::BadContent:
        return detail;
    case Kind::OutOfMemory:
        return "there is not enough memory (" + detail + ")";
    }
    return detail;
}

}  // namespace

WordDataError::WordDataError(Kind kind, std::string path, std::string detail)
    : std::runtime_error("cannot load the word data " + QuotedPath(path) + ": " + problem(kind, detail)),
      kind_(kind),
      path_(std::move(path)),
      detail_(std::move(detail))
{
}

}  // namespace lorvane
