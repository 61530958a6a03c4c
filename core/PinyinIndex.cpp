#include "PinyinIndex.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "FragmentCopy.h"
#include "PinyinTableError.h"
#include "TextCoding.h"

namespace lorvane {
namespace {

bool isIndexed(const std::u16string& entry) { return entry.size() >= 2 && !IsSurrogate(entry[0]); }

}  // namespace

PinyinIndex::PinyinIndex(const PinyinTable& table) : PinyinIndex(std::span<const std::u16string>(table.slots)) {}

PinyinIndex::PinyinIndex(std::span<const std::u16string> slots)
    : allReadings_(1), firstReading_(1)
{
    // At most one key per slot, plus the empty one.
    allReadings_.reserve(slots.size() + 1);
    firstReading_.reserve(slots.size() + 1);
    // The three copies of the text and their slack must be reachable with
    // 32-bit offsets.
    constexpr std::size_t LongestCopy =
        (std::numeric_limits<std::uint32_t>::max() - CopyBlock) / LetterCaseCount;

    // First the length of every key's fragments, keys numbered in order of
    // first appearance.
    std::size_t copyLength = 0;
    for (const std::u16string& entry : slots) {
        if (!isIndexed(entry)) continue;
        std::uint16_t& id = keyIds_[entry[0]];
        if (id == 0) {
            id = static_cast<std::uint16_t>(allReadings_.size());
            allReadings_.emplace_back();
            firstReading_.emplace_back();
        }
        const bool firstReading = allReadings_[id].length == 0;
        const std::size_t readingLength = entry.size() - 1 + (firstReading ? 1 : 3);
        copyLength += readingLength;
        if (copyLength > LongestCopy)
            throw std::length_error("the pinyin table's readings are too long to index");
        if (firstReading) firstReading_[id].length = static_cast<std::uint32_t>(readingLength);
        allReadings_[id].length += static_cast<std::uint32_t>(readingLength);
    }

    std::uint32_t start = 0;
    for (std::size_t id = 0; id < allReadings_.size(); ++id) {
        allReadings_[id].start = firstReading_[id].start = start;
        start += allReadings_[id].length;
        allReadings_[id].length = 0;
    }

    // Then the text, in slot order so that each key keeps the order of its
    // readings. A key's length is where its next reading goes, and is whole
    // again at the end.
    letterCaseStride_ = copyLength;
    fragmentText_.assign(LetterCaseCount * copyLength + CopyBlock, u'\0');
    char16_t* const asStored = fragmentText_.data();
    char16_t* const firstLetterUpper = asStored + copyLength;
    for (const std::u16string& entry : slots) {
        if (!isIndexed(entry)) continue;
        Fragment& fragment = allReadings_[keyIds_[entry[0]]];
        const bool firstReading = fragment.length == 0;
        const std::size_t readingStart = fragment.start + fragment.length;
        char16_t* out = asStored + readingStart;
        if (!firstReading) *out++ = u'(';
        const std::size_t syllableStart = static_cast<std::size_t>(out - asStored);
        out = std::copy(entry.begin() + 1, entry.end(), out);
        if (!firstReading) *out++ = u')';
        *out++ = u' ';
        const std::size_t readingEnd = static_cast<std::size_t>(out - asStored);
        std::copy(asStored + readingStart, out, firstLetterUpper + readingStart);
        firstLetterUpper[syllableStart] = ToUpperAscii(asStored[syllableStart]);
        fragment.length += static_cast<std::uint32_t>(readingEnd - readingStart);
    }
    std::transform(asStored, asStored + copyLength, firstLetterUpper + copyLength, ToUpperAscii);
}

void PinyinIndex::appendReadings(std::u16string_view text, ConversionOptions options,
                                 std::u16string& out) const
{
    if (appendReadings(text, options, out, out.max_size() - out.size() - CopyBlock) < text.size())
        throw std::length_error("the pinyin would be too long");
}

std::size_t PinyinIndex::appendReadings(std::u16string_view text, ConversionOptions options,
                                        std::u16string& out, std::size_t room) const
{
    const Fragment* fragments = (options.firstReadingOnly ? firstReading_ : allReadings_).data();
    const std::uint16_t* keyIds = keyIds_.data();

    // Summed a block at a time, so that a text much longer than the room is
    // not summed whole; counted in 64 bits, so that a huge text cannot wrap a
    // 32-bit size.
    constexpr std::size_t SumBlock = 256;
    std::uint64_t total = 0;
    for (std::size_t blockStart = 0; blockStart < text.size(); blockStart += SumBlock) {
        const std::u16string_view block = text.substr(blockStart, SumBlock);
        std::uint64_t blockTotal = 0;
        for (const char16_t unit : block) blockTotal += fragments[keyIds[unit]].length;
        if (total + blockTotal > room) {
            std::size_t fitting = blockStart;
            for (; fitting < text.size(); ++fitting) {
                const std::uint32_t length = fragments[keyIds[text[fitting]]].length;
                if (total + length > room) break;
                total += length;
            }
            text = text.substr(0, fitting);
            break;
        }
        total += blockTotal;
    }
    if (total == 0) return text.size();

    const std::size_t start = out.size();
    const auto length = static_cast<std::size_t>(total);
    out.resize(start + length + CopyBlock);
    char16_t* destination = out.data() + start;
    const char16_t* source =
        fragmentText_.data() + letterCaseStride_ * static_cast<std::size_t>(options.letterCase);
    for (const char16_t unit : text) {
        const Fragment fragment = fragments[keyIds[unit]];
        destination = CopyFragment(destination, source + fragment.start, fragment.length);
    }
    out.resize(start + length);
    return text.size();
}

std::u16string_view PinyinIndex::readingsOf(char16_t unit, ConversionOptions options) const
{
    const Fragment fragment = (options.firstReadingOnly ? firstReading_ : allReadings_)[keyIds_[unit]];
    return std::u16string_view(fragmentText_)
        .substr(letterCaseStride_ * static_cast<std::size_t>(options.letterCase) + fragment.start, fragment.length);
}

std::unique_ptr<PinyinIndex> IndexPinyinTable(const PinyinTable& table, const std::string& path)
{
    try {
        return std::make_unique<PinyinIndex>(table);
    } catch (const std::length_error&) {
        throw PinyinTableError(PinyinTableError::Kind::ReadingsTooLong, path);
    } catch (const std::bad_alloc&) {
        throw PinyinTableError(PinyinTableError::Kind::OutOfMemory, path, OutOfMemoryReason());
    }
}

std::u16string ConvertText(const PinyinIndex& index, std::u16string_view text, ConversionOptions options)
{
    std::u16string output;
    index.appendReadings(text, options, output);
    if (!output.empty()) output.pop_back();
    return output;
}

}  // namespace lorvane
