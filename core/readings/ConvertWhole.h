#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "readings/PieceWriter.h"

namespace lorvane {

// The whole conversion of `text` by `conversion` (TableConversion,
// ContextConversion): the readings separated by single blanks, with no
// blank at either end.
template <class Conversion>
std::u16string ConvertWhole(Conversion conversion, std::u16string_view text)
{
    std::u16string output;
    PieceWriter writer(output);
    conversion.append(text, writer);
    conversion.finish(writer);
    // Every reading comes with a blank behind it.
    if (!output.empty()) output.pop_back();
    return output;
}

}  // namespace lorvane
