#include "ErrorReport.h"

#include <new>

#include "AppInfo.h"
#include "MessageBox.h"
#include "text/WideText.h"

namespace lorvane::ui {
namespace {

constexpr wchar_t OutOfMemory[] = L"内存不足，操作未能完成。";

}  // namespace

WindowError::WindowError(std::wstring whatFailed, DWORD systemError)
    : std::runtime_error(WideToUtf8(whatFailed) + " (error " + std::to_string(systemError) + ")"),
      whatFailed_(std::move(whatFailed)),
      systemError_(systemError)
{
}

void ThrowLastError(const wchar_t* whatFailed)
{
    const DWORD error = GetLastError();
    throw WindowError(whatFailed, error);
}

std::wstring WithSystemReason(const std::wstring& whatFailed, DWORD systemError)
{
    if (systemError == 0) return whatFailed + L"。";
    const std::wstring code = L"错误 " + std::to_wstring(systemError);
    const std::wstring reason = platform::SystemErrorText(systemError);
    if (reason.empty()) return whatFailed + L"（" + code + L"）。";
    return whatFailed + L"。\r\n\r\n系统给出的原因（" + code + L"）：" + reason;
}

std::wstring EnglishDetails(const char* what)
{
    return L"程序给出的详情（英文）：" + Utf8ToWide(what);
}

std::wstring CurrentErrorMessage()
{
    try {
        throw;
    } catch (const WindowError& error) {
        return WithSystemReason(error.whatFailed(), error.systemError());
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    } catch (const std::length_error&) {
        return L"文本太长，超出了程序能处理的长度，操作未能完成。";
    } catch (const std::exception& error) {
        return L"程序内部出错，操作未能完成。\r\n\r\n" + EnglishDetails(error.what());
    } catch (...) {
        return L"程序内部出错，操作未能完成。";
    }
}

void ReportCurrentError(HWND owner) noexcept
{
    try {
        platform::ShowMessage(owner, CurrentErrorMessage(), MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxW(owner, OutOfMemory, app::Title, MB_OK | MB_ICONERROR);
    }
}

}  // namespace lorvane::ui
