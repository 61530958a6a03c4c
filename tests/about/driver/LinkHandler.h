#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lorvane::about_tests {

// Makes `program` the handler of `scheme` links, as a mail program or a
// browser registers itself, for as long as the object lives; the handler
// that was registered before is put back afterwards. The shell starts the
// program with the link as its one argument.
class LinkHandler {
public:
    LinkHandler(const std::wstring& scheme, const std::filesystem::path& program);
    ~LinkHandler();
    LinkHandler(const LinkHandler&) = delete;
    LinkHandler& operator=(const LinkHandler&) = delete;

private:
    struct Value {
        DWORD type;
        std::vector<BYTE> bytes;
    };

    std::wstring commandKey_;
    bool keyExisted_ = false;
    std::optional<Value> previous_;
};

}  // namespace lorvane::about_tests
