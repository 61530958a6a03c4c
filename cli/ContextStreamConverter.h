#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ContextConversion.h"
#include "InputConverter.h"
#include "TextCoding.h"

namespace lorvane::cli {

// lorvane-cli --context: converts UTF-8 text that arrives in pieces of any
// size by context and writes UTF-8, in the same two modes as StreamConverter
// (the whole input as one text, then a line end; or each line on its own).
// The conversion holds back at most the run at the end of what it was given,
// and hands on its readings in pieces of bounded size, so memory stays bounded
// whatever the length of a line and whatever the table.
class ContextStreamConverter : public InputConverter, private ReadingSink {
public:
    using Writer = std::function<void(std::string_view utf8)>;
    static constexpr std::size_t PieceUnits = ReadingPieceUnits;

    ContextStreamConverter(const ContextIndex& index, ConversionOptions options, bool perLine, Writer write);

    void beginInput() override;  // a new file: its byte-order mark is skipped
    void feed(std::string_view utf8) override;
    void endInput() override;  // the end of one file; in line mode it ends the line
    void finish() override;    // the end of all input

private:
    void convert(std::u16string_view text);
    void write(std::u16string_view readings) override;
    void endLine();

    ContextConversion conversion_;
    bool perLine_;
    Writer write_;

    Utf8Decoder decoder_;
    std::string pendingStart_;  // the first bytes of a file, until the mark is ruled out
    bool atInputStart_ = false;
    bool lineOpen_ = false;
    // The last reading's blank is held back until another reading follows.
    bool blankOwed_ = false;
    std::u16string decoded_;
    std::string encoded_;
};

}  // namespace lorvane::cli
