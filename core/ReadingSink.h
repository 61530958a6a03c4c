#pragma once

#include <cstddef>
#include <string_view>

namespace lorvane {

// The most UTF-16 units a conversion hands on at once when it writes its
// readings in pieces; only one character's readings may be longer, and they
// come whole, as they stand in the index. So the memory a conversion holds
// does not grow with the readings of the table.
inline constexpr std::size_t ReadingPieceUnits = std::size_t{1} << 15;

// Takes the readings of a conversion, in order, in pieces.
class ReadingSink {
public:
    virtual ~ReadingSink() = default;
    virtual void write(std::u16string_view readings) = 0;
};

}  // namespace lorvane
