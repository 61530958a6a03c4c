#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "InputConverter.h"
#include "context/ContextConversion.h"
#include "context/NameConversion.h"
#include "readings/PieceWriter.h"
#include "readings/ReadingSink.h"
#include "table/TableConversion.h"
#include "text/Utf8.h"

namespace lorvane::cli {

// Converts UTF-8 text that arrives in pieces of any size and writes UTF-8 in
// pieces, holding no more than one piece of each at a time. The conversion,
// TableConversion or ContextConversion, hands on its readings through a
// PieceWriter in pieces of at most `pieceUnits` UTF-16 units, or one
// character's readings, which are written in pieces of that size too; so
// memory stays bounded whatever the table and whatever the length of a line.
//
// Whole-text mode writes exactly what the whole conversion gives for all the
// input (ConvertText, ConvertTextInContext), then one line end: a word may
// span two files, as with cat. Line mode converts each input line on its own
// and writes one output line for each.
template <class Conversion>
class StreamConverter : public InputConverter, private ReadingSink {
public:
    using Writer = std::function<void(std::string_view utf8)>;
    StreamConverter(Conversion conversion, bool perLine, Writer write,
                    std::size_t pieceUnits = PieceWriter::DefaultPieceUnits);

    void beginInput() override;  // a new file: its byte-order mark is skipped
    void feed(std::string_view utf8) override;
    void endInput() override;  // the end of one file; in line mode it ends the line
    void finish() override;    // the end of all input

private:
    void convert(std::u16string_view text);
    void write(std::u16string_view readings) override;
    void endLine();

    Conversion conversion_;
    bool perLine_;
    Writer write_;
    std::size_t pieceUnits_;
    PieceWriter pieces_;

    Utf8Decoder decoder_;
    std::string pendingStart_;  // the first bytes of a file, until the mark is ruled out
    bool atInputStart_ = false;
    bool lineOpen_ = false;
    // Every reading comes with a blank behind it; a blank that ends what has
    // been written is held back until more follows, so a line never ends in
    // a blank.
    bool blankOwed_ = false;
    std::vector<char16_t> decoded_;
    std::vector<char> encoded_;  // a blank owed, and one piece
};

extern template class StreamConverter<TableConversion>;
extern template class StreamConverter<ContextConversion>;
extern template class StreamConverter<NameConversion>;

}  // namespace lorvane::cli
