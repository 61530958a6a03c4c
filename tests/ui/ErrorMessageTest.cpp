// The window's error messages: only a lack of memory is reported as one, and
// text in English (the program's own or the system's) stands on a line of its
// own, marked as such, never inside a Chinese sentence.

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "ErrorReport.h"
#include "datafile/DataFileError.h"
#include "main/TableErrorMessage.h"

namespace lorvane::ui {
namespace {

constexpr char TablePath[] = "C:\\Lorvane\\pymb.dat";

// The messages for a thrown `failure`: the general one, and the one for a
// failure while the table was loaded.
std::pair<std::wstring, std::wstring> messagesFor(const std::function<void()>& failure)
{
    try {
        failure();
    } catch (...) {
        return {CurrentErrorMessage(), TableLoadFailureMessage(TablePath)};
    }
    return {};
}

bool saysOutOfMemory(const std::wstring& message) { return message.find(L"内存不足") != std::wstring::npos; }

TEST(ErrorMessages, OnlyALackOfMemoryIsReportedAsOne)
{
    const auto [general, table] = messagesFor([] { throw std::bad_alloc(); });
    EXPECT_TRUE(saysOutOfMemory(general));
    EXPECT_TRUE(saysOutOfMemory(table));
    EXPECT_NE(table.find(L"C:\\Lorvane\\pymb.dat"), std::wstring::npos);

    const std::function<void()> otherFailures[] = {
        [] { throw std::length_error("the pinyin table's readings are too long to index"); },
        [] { throw std::runtime_error("something else"); },
        [] { throw WindowError(L"无法创建窗口", ERROR_NOT_ENOUGH_QUOTA); },
        [] { throw DataFileError(DataFile::Table, DataFileError::Problem::Unreadable, TablePath, "Access is denied, error 5"); },
        [] { throw 1; },
    };
    for (const auto& failure : otherFailures) {
        const auto [otherGeneral, otherTable] = messagesFor(failure);
        EXPECT_FALSE(saysOutOfMemory(otherGeneral));
        EXPECT_FALSE(saysOutOfMemory(otherTable));
        EXPECT_NE(otherTable.find(L"C:\\Lorvane\\pymb.dat"), std::wstring::npos);
    }
}

TEST(ErrorMessages, EnglishTextIsMarkedAndStandsApart)
{
    const auto [general, table] = messagesFor([] { throw std::runtime_error("an unforeseen failure"); });
    EXPECT_NE(general.find(L"。\r\n\r\n程序给出的详情（英文）：an unforeseen failure"), std::wstring::npos);
    EXPECT_NE(table.find(L"。\r\n程序给出的详情（英文）：an unforeseen failure"), std::wstring::npos);

    const std::wstring unreadable = messagesFor([] {
        throw DataFileError(DataFile::Table, DataFileError::Problem::Unreadable, TablePath, "Access is denied, error 5");
    }).second;
    EXPECT_NE(unreadable.find(L"。\r\n系统给出的原因：Access is denied, error 5"), std::wstring::npos);

    EXPECT_EQ(L"未能复制到剪贴板。", WithSystemReason(L"未能复制到剪贴板", 0));
    EXPECT_EQ(0u, WithSystemReason(L"未能复制到剪贴板", ERROR_ACCESS_DENIED).rfind(L"未能复制到剪贴板。\r\n\r\n系统给出的原因（错误 5）：", 0));
}

}  // namespace
}  // namespace lorvane::ui
