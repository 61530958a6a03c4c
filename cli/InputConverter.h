#pragma once

#include <string_view>

namespace lorvane::cli {

// What the input loop hands the text to: the bytes of each input in turn,
// in pieces of any size. StreamConverter implements it once for each way of
// converting (reading by reading, or by context).
class InputConverter {
public:
    virtual ~InputConverter() = default;
    virtual void beginInput() = 0;  // a new input: its byte-order mark is skipped
    virtual void feed(std::string_view utf8) = 0;
    virtual void endInput() = 0;
    virtual void finish() = 0;  // after the last input
};

}  // namespace lorvane::cli
