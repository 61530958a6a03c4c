#include "readings/ReadingFragments.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace lorvane {
namespace {

constexpr std::size_t LetterCaseCount = 3;
// The three copies and their slack must stay within 32-bit offsets.
constexpr std::size_t LongestCopy =
    (std::numeric_limits<std::uint32_t>::max() - FragmentCopyBlock) / LetterCaseCount;

}  // namespace

ReadingFragments::ReadingFragments() : allReadings_(1), firstReading_(1) {}

std::uint32_t ReadingFragments::add(std::u16string_view chosen, std::span<const std::u16string_view> others)
{
    std::size_t length = chosen.size() + 1;
    for (const std::u16string_view other : others) length += other.size() + 3;
    if (length > LongestCopy - text_.size()) throw std::length_error("the readings are too long to index");

    Fragment fragment;
    fragment.start = static_cast<std::uint32_t>(text_.size());
    syllableStarts_.push_back(static_cast<std::uint32_t>(text_.size()));
    text_.append(chosen).push_back(u' ');
    firstReading_.push_back({fragment.start, static_cast<std::uint32_t>(chosen.size() + 1)});
    for (const std::u16string_view other : others) {
        text_.push_back(u'(');
        syllableStarts_.push_back(static_cast<std::uint32_t>(text_.size()));
        text_.append(other).append(u") ");
    }
    fragment.length = static_cast<std::uint32_t>(length);
    allReadings_.push_back(fragment);
    return static_cast<std::uint32_t>(allReadings_.size() - 1);
}

void ReadingFragments::finish()
{
    const std::size_t copyLength = text_.size();
    letterCaseStride_ = copyLength;
    text_.resize(LetterCaseCount * copyLength + FragmentCopyBlock, u'\0');
    char16_t* const asStored = text_.data();
    char16_t* const firstLetterUpper = asStored + copyLength;
    std::copy(asStored, asStored + copyLength, firstLetterUpper);
    for (const std::uint32_t start : syllableStarts_) firstLetterUpper[start] = ToUpperAscii(asStored[start]);
    std::transform(asStored, asStored + copyLength, firstLetterUpper + copyLength, ToUpperAscii);
    syllableStarts_ = {};
}

}  // namespace lorvane
