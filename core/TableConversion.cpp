#include "TableConversion.h"

namespace lorvane {

void TableConversion::append(std::u16string_view text, ReadingSink& sink)
{
    while (!text.empty()) {
        readings_.clear();
        std::size_t converted = index_.appendReadings(text, options_, readings_, pieceUnits_);
        if (converted == 0) {
            // One character with readings longer than a piece.
            sink.write(index_.readingsOf(text[0], options_));
            converted = 1;
        } else if (!readings_.empty()) {
            sink.write(readings_);
        }
        text.remove_prefix(converted);
    }
}

}  // namespace lorvane
