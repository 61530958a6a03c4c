#include "PinyinIndex.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "TextCoding.h"

namespace lorvane {
namespace {

constexpr std::size_t UnitCount = 0x10000;

std::u16string_view syllableOf(const std::u16string& entry)
{
    return std::u16string_view(entry).substr(1);
}

bool isIndexed(const std::u16string& entry) { return entry.size() >= 2 && !IsSurrogate(entry[0]); }

void appendSyllable(std::u16string_view syllable, LetterCase letterCase, std::u16string& out)
{
    const std::size_t start = out.size();
    out.append(syllable);
    if (letterCase == LetterCase::FirstLetterUpper) {
        out[start] = ToUpperAscii(out[start]);
    } else if (letterCase == LetterCase::AllUpper) {
        for (std::size_t at = start; at < out.size(); ++at) out[at] = ToUpperAscii(out[at]);
    }
}

}  // namespace

std::size_t PinyinIndex::variantOf(ConversionOptions options)
{
    return static_cast<std::size_t>(options.letterCase) * 2 + (options.firstReadingOnly ? 1 : 0);
}

PinyinIndex::PinyinIndex(const PinyinTable& table) : keyIds_(UnitCount, 0)
{
    // Group the slots by key, keeping slot order within each key: ids are
    // handed out in order of first appearance, then a counting sort.
    std::vector<std::uint32_t> slotsPerKey(1, 0);
    for (const std::u16string& entry : table.slots) {
        if (!isIndexed(entry)) continue;
        std::uint16_t& id = keyIds_[entry[0]];
        if (id == 0) {
            id = static_cast<std::uint16_t>(slotsPerKey.size());
            slotsPerKey.push_back(0);
        }
        ++slotsPerKey[id];
    }
    keyCount_ = slotsPerKey.size() - 1;

    std::vector<std::uint32_t> firstSlotOfKey(slotsPerKey.size() + 1, 0);
    for (std::size_t id = 1; id < slotsPerKey.size(); ++id)
        firstSlotOfKey[id + 1] = firstSlotOfKey[id] + slotsPerKey[id];
    std::vector<std::uint32_t> slotsByKey(firstSlotOfKey.back());
    std::vector<std::uint32_t> filled(firstSlotOfKey.begin(), firstSlotOfKey.end() - 1);
    for (std::size_t slot = 0; slot < table.slots.size(); ++slot) {
        const std::u16string& entry = table.slots[slot];
        if (isIndexed(entry)) slotsByKey[filled[keyIds_[entry[0]]]++] = static_cast<std::uint32_t>(slot);
    }

    for (std::size_t variant = 0; variant < VariantCount; ++variant) {
        const auto letterCase = static_cast<LetterCase>(variant / 2);
        const bool firstReadingOnly = variant % 2 == 1;
        std::vector<Fragment>& fragments = fragments_[variant];
        fragments.resize(slotsPerKey.size());
        for (std::size_t id = 1; id < slotsPerKey.size(); ++id) {
            const std::size_t start = fragmentText_.size();
            bool readingEmitted = false;
            for (std::uint32_t at = firstSlotOfKey[id]; at < firstSlotOfKey[id + 1]; ++at) {
                const std::u16string_view syllable = syllableOf(table.slots[slotsByKey[at]]);
                if (readingEmitted) fragmentText_.push_back(u'(');
                appendSyllable(syllable, letterCase, fragmentText_);
                if (readingEmitted) fragmentText_.push_back(u')');
                fragmentText_.push_back(u' ');
                readingEmitted = true;
                if (firstReadingOnly) break;
            }
            if (fragmentText_.size() > std::numeric_limits<std::uint32_t>::max() - CopyBlock)
                throw std::length_error("the pinyin table's readings are too long to index");
            fragments[id] = {static_cast<std::uint32_t>(start),
                             static_cast<std::uint32_t>(fragmentText_.size() - start)};
        }
    }
    fragmentText_.append(CopyBlock, u'\0');
}

void PinyinIndex::appendReadings(std::u16string_view text, ConversionOptions options,
                                 std::u16string& out) const
{
    const Fragment* fragments = fragments_[variantOf(options)].data();
    const std::uint16_t* keyIds = keyIds_.data();

    std::size_t total = 0;
    for (const char16_t unit : text) total += fragments[keyIds[unit]].length;
    if (total == 0) return;

    const std::size_t start = out.size();
    out.resize(start + total + CopyBlock);
    char16_t* destination = out.data() + start;
    const char16_t* source = fragmentText_.data();
    for (const char16_t unit : text) {
        const Fragment fragment = fragments[keyIds[unit]];
        // Nearly every fragment fits one block; a fixed-size copy compiles to
        // two moves, where a copy of the exact length would call memcpy.
        if (fragment.length <= CopyBlock)
            std::memcpy(destination, source + fragment.start, CopyBlock * sizeof(char16_t));
        else
            std::memcpy(destination, source + fragment.start, fragment.length * sizeof(char16_t));
        destination += fragment.length;
    }
    out.resize(start + total);
}

std::u16string ConvertText(const PinyinIndex& index, std::u16string_view text, ConversionOptions options)
{
    std::u16string output;
    index.appendReadings(text, options, output);
    if (!output.empty()) output.pop_back();
    return output;
}

}  // namespace lorvane
