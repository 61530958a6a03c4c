#include "ContextLoading.h"

#include <new>
#include <stdexcept>

#include "PinyinTableError.h"
#include "WordDataError.h"

namespace lorvane::cli {

std::unique_ptr<ContextIndex> LoadContext(const PinyinTable& table, const std::string& path)
{
    try {
        WordData words = LoadWordData(path);
        try {
            return std::make_unique<ContextIndex>(table, std::move(words));
        } catch (const std::length_error&) {
            throw WordDataError(WordDataError::Kind::BadContent, path, "its readings are too long to index");
        }
    } catch (const std::bad_alloc&) {
        throw WordDataError(WordDataError::Kind::OutOfMemory, path, OutOfMemoryReason());
    }
}

}  // namespace lorvane::cli
