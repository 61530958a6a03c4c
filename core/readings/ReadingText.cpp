#include "readings/ReadingText.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace lorvane {
namespace {

constexpr std::size_t LetterCaseCount = 3;

}  // namespace

const std::size_t ReadingText::MaxUnits =
    (std::numeric_limits<std::uint32_t>::max() - FragmentCopyBlock) / LetterCaseCount;

void ReadingText::reserve(std::size_t units)
{
    if (units > MaxUnits - text_.size()) throw std::length_error("the readings are too long to index");
    text_.reserve(LetterCaseCount * (text_.size() + units) + FragmentCopyBlock);
}

Fragment ReadingText::appendPlain(std::u16string_view syllable) { return append(syllable, false); }

Fragment ReadingText::appendBracketed(std::u16string_view syllable) { return append(syllable, true); }

Fragment ReadingText::append(std::u16string_view syllable, bool bracketed)
{
    const std::size_t length = bracketed ? bracketedLength(syllable) : plainLength(syllable);
    if (length > MaxUnits - text_.size()) throw std::length_error("the readings are too long to index");
    const Fragment fragment{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(length)};
    if (bracketed) text_.push_back(u'(');
    syllableStarts_.push_back(static_cast<std::uint32_t>(text_.size()));
    text_.append(syllable);
    text_.append(bracketed ? u") " : u" ");
    return fragment;
}

void ReadingText::finish()
{
    const std::size_t copyLength = text_.size();
    stride_ = copyLength;
    text_.resize(LetterCaseCount * copyLength + FragmentCopyBlock, u'\0');
    char16_t* const asStored = text_.data();
    char16_t* const firstLetterUpper = asStored + copyLength;
    std::copy(asStored, asStored + copyLength, firstLetterUpper);
    for (const std::uint32_t start : syllableStarts_) firstLetterUpper[start] = raise_(asStored[start]);
    std::transform(asStored, asStored + copyLength, firstLetterUpper + copyLength, raise_);
    syllableStarts_ = {};
}

}  // namespace lorvane
