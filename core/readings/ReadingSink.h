#pragma once

#include <string_view>

namespace lorvane {

// Takes the readings of a conversion, in order, in pieces.
class ReadingSink {
public:
    virtual ~ReadingSink() = default;
    virtual void write(std::u16string_view readings) = 0;
};

}  // namespace lorvane
