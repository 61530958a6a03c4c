#include "TableErrorMessage.h"

#include "PinyinTable.h"
#include "TextCoding.h"
#include "WideText.h"

namespace lorvane::ui {
namespace {
std::wstring wide(const std::string& utf8) { return platform::ToWide(Utf8ToUtf16(utf8)); }
}  // namespace

std::wstring TableErrorMessage(const PinyinTableError& error)
{
    const std::wstring path = wide(error.path());
    std::wstring problem;
    switch (error.kind()) {
    case PinyinTableError::Kind::FileMissing:
        problem = L"找不到拼音表文件。";
        break;
    case PinyinTableError::Kind::FileUnreadable:
        problem = L"无法读取拼音表文件（" + wide(error.systemReason()) + L"）。";
        break;
    case PinyinTableError::Kind::FileEmpty:
        problem = L"拼音表文件是空的，没有任何条目。";
        break;
    case PinyinTableError::Kind::TooManyEntries:
        problem = L"拼音表文件有 " + wide(WithThousandsSeparators(error.entriesInFile())) +
                  L" 个条目，超过了最多能容纳的 " + wide(WithThousandsSeparators(PinyinTableCapacity)) + L" 个。";
        break;
    }
    return problem + L"\r\n\r\n文件：" + path + L"\r\n\r\n程序无法启动。";
}

std::wstring TableOutOfMemoryMessage(const std::string& path)
{
    return L"内存不足，无法载入拼音表文件。\r\n\r\n文件：" + wide(path) + L"\r\n\r\n程序无法启动。";
}

}  // namespace lorvane::ui
