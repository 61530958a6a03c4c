#pragma once

#include <string>
#include <string_view>

#include "ConversionOptions.h"
#include "PinyinIndex.h"
#include "ReadingSink.h"

namespace lorvane {

// The ordinary conversion of a text that may arrive in pieces, each
// character's readings as the table gives them, handed to a sink in pieces
// of at most `pieceUnits` units (one character's readings that are longer
// come alone), as ContextConversion hands on its own. Nothing is held back
// between calls.
class TableConversion {
public:
    TableConversion(const PinyinIndex& index, ConversionOptions options, std::size_t pieceUnits = ReadingPieceUnits)
        : index_(index), options_(options), pieceUnits_(pieceUnits)
    {
    }

    void append(std::u16string_view text, ReadingSink& sink);
    void finish(ReadingSink&) {}

private:
    const PinyinIndex& index_;
    ConversionOptions options_;
    std::size_t pieceUnits_;
    std::u16string readings_;
};

}  // namespace lorvane
