#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "InputConverter.h"
#include "PinyinIndex.h"
#include "TextCoding.h"

namespace lorvane::cli {

// Converts UTF-8 text that arrives in pieces of any size and writes UTF-8 in
// pieces, holding no more than one piece of each at a time. An output piece
// has at most PieceUnits UTF-16 units however long a character's readings
// are, so memory stays bounded whatever the table.
//
// Whole-text mode writes exactly what ConvertText gives for all the input,
// then one line end. Line mode converts each input line on its own and writes
// one output line for each.
class StreamConverter : public InputConverter {
public:
    using Writer = std::function<void(std::string_view utf8)>;
    static constexpr std::size_t PieceUnits = std::size_t{1} << 15;

    StreamConverter(const PinyinIndex& index, ConversionOptions options, bool perLine, Writer write);

    void beginInput() override;  // a new file: its byte-order mark is skipped
    void feed(std::string_view utf8) override;
    void endInput() override;  // the end of one file; in line mode it ends the line
    void finish() override;    // the end of all input

private:
    void convert(std::u16string_view text);
    void convertLine(std::u16string_view text);
    void writeReadings(std::u16string_view readings);
    void endLine();

    const PinyinIndex& index_;
    ConversionOptions options_;
    bool perLine_;
    Writer write_;

    Utf8Decoder decoder_;
    std::string pendingStart_;  // the first bytes of a file, until the mark is ruled out
    bool atInputStart_ = false;
    bool lineOpen_ = false;
    // Every reading comes with a blank behind it; a blank that ends what has
    // been written is held back until more follows, so a line never ends in
    // a blank.
    bool blankOwed_ = false;
    std::u16string decoded_;
    std::u16string readings_;
    std::string encoded_;
};

}  // namespace lorvane::cli
