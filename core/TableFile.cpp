#include "TableFile.h"

#include "FilePath.h"
#include "PinyinTableError.h"

namespace lorvane {
namespace {

void failTable(FileProblem problem, const std::string& path, const std::string& reason)
{
    using Kind = PinyinTableError::Kind;
    switch (problem) {
    case FileProblem::Missing:
        throw PinyinTableError(Kind::FileMissing, path, reason);
    case FileProblem::Unreadable:
        throw PinyinTableError(Kind::FileUnreadable, path, reason);
    case FileProblem::TooLarge:
        throw PinyinTableError(Kind::FileTooLarge, path);
    }
    throw PinyinTableError(Kind::FileUnreadable, path, reason);
}

}  // namespace

TableFile::TableFile(const std::string& path) : file_(FullPath(path), &failTable) {}

std::string TableFile::readAll() { return file_.readAll(MaxTableFileBytes); }

}  // namespace lorvane
