#include "TableErrorMessage.h"

#include <new>
#include <stdexcept>

#include "ErrorReport.h"
#include "PinyinTable.h"
#include "TextCoding.h"
#include "WideText.h"

namespace lorvane::ui {
namespace {

std::wstring wide(const std::string& utf8) { return platform::ToWide(Utf8ToUtf16(utf8)); }

std::wstring withPath(const std::wstring& problem, const std::string& path)
{
    return problem + L"\r\n\r\n文件：" + wide(path) + L"\r\n\r\n程序无法启动。";
}

}  // namespace

std::wstring TableErrorMessage(const PinyinTableError& error)
{
    std::wstring problem;
    switch (error.kind()) {
    case PinyinTableError::Kind::FileMissing:
        problem = L"找不到拼音表文件。";
        break;
    case PinyinTableError::Kind::FileUnreadable:
        problem = L"无法读取拼音表文件。\r\n系统给出的原因：" + wide(error.systemReason());
        break;
    case PinyinTableError::Kind::FileEmpty:
        problem = L"拼音表文件是空的，没有任何条目。";
        break;
    case PinyinTableError::Kind::TooManyEntries:
        problem = L"拼音表文件有 " + wide(WithThousandsSeparators(error.entriesInFile())) +
                  L" 个条目，超过了最多能容纳的 " + wide(WithThousandsSeparators(PinyinTableCapacity)) + L" 个。";
        break;
    case PinyinTableError::Kind::FileTooLarge:
        problem = L"拼音表文件大于 " + wide(WithThousandsSeparators(MaxTableFileBytes)) +
                  L" 字节，远远超过任何拼音表的大小。";
        break;
    case PinyinTableError::Kind::OutOfMemory:
        problem = L"内存不足，无法载入拼音表文件。";
        break;
    case PinyinTableError::Kind::ReadingsTooLong:
        problem = L"拼音表文件中的拼音太长，无法建立索引。";
        break;
    case PinyinTableError::Kind::NoGbkConverter:
        problem = L"系统无法解码 GBK（代码页 936），而拼音表文件使用这种编码。";
        break;
    }
    return withPath(problem, error.path());
}

std::wstring TableLoadFailureMessage(const std::string& path)
{
    try {
        throw;
    } catch (const PinyinTableError& error) {
        return TableErrorMessage(error);
    } catch (const std::bad_alloc&) {
        return TableErrorMessage(PinyinTableError(PinyinTableError::Kind::OutOfMemory, path));
    } catch (const std::length_error&) {
        return TableErrorMessage(PinyinTableError(PinyinTableError::Kind::ReadingsTooLong, path));
    } catch (const std::exception& error) {
        return withPath(L"无法载入拼音表文件。\r\n" + EnglishDetails(error.what()), path);
    } catch (...) {
        return withPath(L"无法载入拼音表文件。", path);
    }
}

}  // namespace lorvane::ui
