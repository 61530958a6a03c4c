#include "StubTool.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "LorvaneProcess.h"
#include "WindowQuery.h"

namespace lorvane::about_tests {
namespace {

std::filesystem::path markerOf(const std::filesystem::path& program)
{
    return program.wstring() + L".ran";
}

std::wstring fromUtf8(const std::string& text)
{
    if (text.empty()) return {};
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    return wide;
}

}  // namespace

ToolFolder::ToolFolder()
{
    wchar_t temporary[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH + 1, temporary)) throw std::runtime_error("the temporary folder is unknown");
    wchar_t longForm[MAX_PATH * 4] = {};
    const DWORD length = GetLongPathNameW(temporary, longForm, MAX_PATH * 4);
    const std::filesystem::path base = length > 0 && length < MAX_PATH * 4 ? longForm : temporary;
    if (base.wstring().find(L' ') != std::wstring::npos)
        throw std::runtime_error("the temporary folder " + e2e::Narrow(base.wstring()) + " has a blank in its path");
    for (DWORD unique = GetTickCount() ^ (GetCurrentProcessId() << 16);; ++unique) {
        const std::filesystem::path candidate = base / (L"LorvaneTool" + std::to_wstring(unique % 1'000'000));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
}

ToolFolder::~ToolFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

StubCopy::StubCopy(std::filesystem::path path) : path_(std::move(path))
{
    std::filesystem::create_directories(path_.parent_path());
    std::filesystem::copy_file(e2e::BuildOutputFolder() / L"sysinfo_stub.exe", path_,
                               std::filesystem::copy_options::overwrite_existing);
}

bool StubCopy::hasRun() const { return std::filesystem::exists(markerOf(path_)); }

void StubCopy::forgetRun() const { std::filesystem::remove(markerOf(path_)); }

std::optional<StubRun> StubCopy::waitForRun(e2e::Milliseconds timeout) const
{
    // A second start of the same copy replaces the marker, which may then be
    // missing for a moment.
    std::string content;
    std::size_t lineEnd = std::string::npos;
    const bool recorded = e2e::WaitUntil(
        [&] {
            std::ifstream marker(markerOf(path_), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(marker), std::istreambuf_iterator<char>());
            lineEnd = content.find('\n');
            return lineEnd != std::string::npos;
        },
        timeout);
    if (!recorded) {
        if (!hasRun()) return std::nullopt;
        throw std::runtime_error("the marker of " + e2e::Narrow(path_.wstring()) + " has no second line: \"" +
                                 content + "\"");
    }
    return StubRun{fromUtf8(content.substr(0, lineEnd)), fromUtf8(content.substr(lineEnd + 1))};
}

}  // namespace lorvane::about_tests
