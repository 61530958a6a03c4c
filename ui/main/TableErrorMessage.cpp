#include "main/TableErrorMessage.h"

#include <new>
#include <stdexcept>

#include "ErrorReport.h"
#include "table/PinyinTable.h"
#include "text/Numbers.h"
#include "text/WideText.h"

namespace lorvane::ui {
namespace {

std::wstring withPath(const std::wstring& problem, const std::string& path)
{
    return problem + L"\r\n\r\n文件：" + Utf8ToWide(path) + L"\r\n\r\n程序无法启动。";
}

}  // namespace

std::wstring TableErrorMessage(const DataFileError& error)
{
    using Problem = DataFileError::Problem;
    std::wstring problem;
    switch (error.problem()) {
    case Problem::Missing:
        problem = L"找不到拼音表文件。";
        break;
    case Problem::Unreadable:
        problem = L"无法读取拼音表文件。\r\n系统给出的原因：" + Utf8ToWide(error.detail());
        break;
    case Problem::Empty:
        problem = L"拼音表文件是空的，没有任何条目。";
        break;
    case Problem::TooManyEntries:
        problem = L"拼音表文件有 " + Utf8ToWide(WithThousandsSeparators(error.count())) + L" 个条目，超过了最多能容纳的 " +
                  Utf8ToWide(WithThousandsSeparators(PinyinTableCapacity)) + L" 个。";
        break;
    case Problem::TooLarge:
        problem = L"拼音表文件大于 " + Utf8ToWide(WithThousandsSeparators(MaxDataFileBytes)) +
                  L" 字节，远远超过任何拼音表的大小。";
        break;
    case Problem::OutOfMemory:
        problem = L"内存不足，无法载入拼音表文件。";
        break;
    case Problem::TooLongToIndex:
        problem = L"拼音表文件中的拼音太长，无法建立索引。";
        break;
    case Problem::NoGbkConverter:
        problem = L"系统无法解码 GBK（代码页 936），而拼音表文件使用这种编码。";
        break;
    default:  // the word data's own problems; the window reads no word data
        problem = L"无法载入拼音表文件。\r\n" + EnglishDetails(error.what());
        break;
    }
    return withPath(problem, error.path());
}

std::wstring TableLoadFailureMessage(const std::string& path)
{
    try {
        throw;
    } catch (const DataFileError& error) {
        return TableErrorMessage(error);
    } catch (const std::bad_alloc&) {
        return TableErrorMessage(DataFileError(DataFile::Table, DataFileError::Problem::OutOfMemory, path));
    } catch (const std::length_error&) {
        return TableErrorMessage(DataFileError(DataFile::Table, DataFileError::Problem::TooLongToIndex, path));
    } catch (const std::exception& error) {
        return withPath(L"无法载入拼音表文件。\r\n" + EnglishDetails(error.what()), path);
    } catch (...) {
        return withPath(L"无法载入拼音表文件。", path);
    }
}

}  // namespace lorvane::ui
