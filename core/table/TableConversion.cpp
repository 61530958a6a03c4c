#include "table/TableConversion.h"

#include "readings/ConvertWhole.h"

namespace lorvane {
namespace {

// Fragments are chosen for this many units, then copied, so that the list of
// chosen fragments stays in the cache.
constexpr std::size_t Block = 4096;

}  // namespace

TableConversion::TableConversion(const PinyinIndex& index, ConversionOptions options)
    : keyIds_(index.keyIds()), fragments_(index.fragments().fragments(options)),
      text_(index.fragments().text(options))
{
    chosen_.reserve(Block);
}

void TableConversion::append(std::u16string_view text, PieceWriter& writer)
{
    while (!text.empty()) {
        const std::u16string_view block = text.substr(0, Block);
        text.remove_prefix(block.size());
        chosen_.clear();
        std::uint64_t length = 0;
        for (const char16_t unit : block) {
            const Fragment fragment = fragments_[keyIds_[unit]];
            chosen_.push_back(fragment);
            length += fragment.length;
        }
        writer.write(text_, chosen_, length);
    }
}

std::u16string ConvertText(const PinyinIndex& index, std::u16string_view text, ConversionOptions options)
{
    return ConvertWhole(TableConversion(index, options), text);
}

}  // namespace lorvane
