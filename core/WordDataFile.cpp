#include "ReadOnlyFile.h"
#include "WordData.h"
#include "WordDataError.h"

namespace lorvane {
namespace {

void failWords(FileProblem problem, const std::string& path, const std::string& reason)
{
    using Kind = WordDataError::Kind;
    switch (problem) {
    case FileProblem::Missing:
        throw WordDataError(Kind::FileMissing, path);
    case FileProblem::Unreadable:
        throw WordDataError(Kind::FileUnreadable, path, reason);
    case FileProblem::TooLarge:
        throw WordDataError(Kind::FileTooLarge, path, reason.empty() ? "more than the limit" : reason);
    }
    throw WordDataError(Kind::FileUnreadable, path, reason);
}

}  // namespace

WordData LoadWordData(const std::string& path)
{
    ReadOnlyFile file(path, &failWords);
    return ParseWordData(file.readAll(WordDataSizeLimit), path);
}

}  // namespace lorvane
