#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "readings/ConversionOptions.h"
#include "readings/PieceWriter.h"
#include "table/PinyinIndex.h"

namespace lorvane {

// The ordinary conversion of a text that may arrive in pieces: each
// character's readings as the table gives them, each followed by one blank.
// Nothing is held back between calls.
class TableConversion {
public:
    TableConversion(const PinyinIndex& index, ConversionOptions options);

    void append(std::u16string_view text, PieceWriter& writer);
    void finish(PieceWriter&) {}
    // Whether `unit` has readings; a text of units that have none gives none.
    bool reads(char16_t unit) const { return keyIds_[unit] != 0; }

private:
    const std::uint16_t* keyIds_;
    const Fragment* fragments_;
    const char16_t* text_;
    std::vector<Fragment> chosen_;
};

// The whole conversion: the readings separated by single blanks, with no
// blank at either end.
std::u16string ConvertText(const PinyinIndex& index, std::u16string_view text, ConversionOptions options);

}  // namespace lorvane
