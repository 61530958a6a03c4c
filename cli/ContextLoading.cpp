#include "ContextLoading.h"

#include <filesystem>
#include <new>
#include <stdexcept>

#include "WordDataError.h"

namespace lorvane::cli {

std::string FullPath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path full =
        std::filesystem::absolute(std::filesystem::path(std::u8string(path.begin(), path.end())), error);
    if (error) return path;
    const std::u8string text = full.u8string();
    return std::string(text.begin(), text.end());
}

std::unique_ptr<ContextIndex> LoadContext(const PinyinTable& table, const std::string& path)
{
    WordData words = LoadWordData(path);
    try {
        return std::make_unique<ContextIndex>(table, std::move(words));
    } catch (const std::length_error&) {
        throw WordDataError(WordDataError::Kind::BadContent, path, "its readings are too long to index");
    } catch (const std::bad_alloc&) {
        throw WordDataError(WordDataError::Kind::BadContent, path, "there is not enough memory to index it");
    }
}

}  // namespace lorvane::cli
