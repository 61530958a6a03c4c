#include "readings/ReadingFragments.h"

namespace lorvane {

ReadingFragments::ReadingFragments(RaiseLetter raise) : allReadings_(1), firstReading_(1), text_(raise) {}

std::uint32_t ReadingFragments::add(std::u16string_view chosen, std::span<const std::u16string_view> others)
{
    const Fragment first = text_.appendPlain(chosen);
    std::uint32_t length = first.length;
    for (const std::u16string_view other : others) length += text_.appendBracketed(other).length;
    firstReading_.push_back(first);
    allReadings_.push_back({first.start, length});
    return static_cast<std::uint32_t>(allReadings_.size() - 1);
}

}  // namespace lorvane
