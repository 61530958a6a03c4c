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

// How the output is shaped beyond the readings themselves.
struct OutputShape {
    // What stands between one character's readings and the next, where a
    // blank stands by default: "chong-qing". The blanks that set off the
    // parentheses of other readings stay: "zhong (chong)-qing".
    std::u16string separator = u" ";
    // Units without readings are written where they stand, line breaks
    // included. The separator stands between readings and a letter or digit
    // beside them, never beside a blank or before punctuation: "iPhone 15 fa
    // bu le！", "di 3 ban".
    bool keepOther = false;
};

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
    StreamConverter(Conversion conversion, bool perLine, Writer write, OutputShape shape = {},
                    std::size_t pieceUnits = PieceWriter::DefaultPieceUnits);

    void beginInput() override;  // a new file: its byte-order mark is skipped
    void feed(std::string_view utf8) override;
    void endInput() override;  // the end of one file; in line mode it ends the line
    void finish() override;    // the end of all input

private:
    void convert(std::u16string_view text);
    // A part of a line: runs of units with readings converted, the others kept.
    void convertKeeping(std::u16string_view text);
    void write(std::u16string_view readings) override;
    void writeKept(std::u16string_view kept);
    void endLine();
    // The encoded output: bytes appended, written on when the buffer fills.
    void put(std::string_view bytes);
    void put(std::u16string_view text);
    void writeEncoded();

    Conversion conversion_;
    bool perLine_;
    Writer write_;
    OutputShape shape_;
    std::string separator_;  // UTF-8
    bool blankSeparator_;
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
    // Kept text that ends in a letter or digit was written last: readings
    // after it take a separator first.
    bool wordBeforeReadings_ = false;
    bool endsWithLineBreak_ = false;  // kept text ending in a line break was written last
    std::vector<char16_t> decoded_;
    std::vector<char> encoded_;
    std::size_t encodedLength_ = 0;
};

extern template class StreamConverter<TableConversion>;
extern template class StreamConverter<ContextConversion>;
extern template class StreamConverter<NameConversion>;

}  // namespace lorvane::cli
