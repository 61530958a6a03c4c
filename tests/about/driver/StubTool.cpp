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

}  // namespace

ToolFolder::ToolFolder() : TemporaryFolder(L"LorvaneTool")
{
    if (path().wstring().find(L' ') != std::wstring::npos)
        throw std::runtime_error("the temporary folder " + testing::Utf8(path().wstring()) + " has a blank in its path");
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
        throw std::runtime_error("the marker of " + testing::Utf8(path_.wstring()) + " has no second line: \"" +
                                 content + "\"");
    }
    return StubRun{testing::Wide(content.substr(0, lineEnd)), testing::Wide(content.substr(lineEnd + 1))};
}

}  // namespace lorvane::about_tests
