#include "StreamConverter.h"

#include <algorithm>

namespace lorvane::cli {
namespace {
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
}

StreamConverter::StreamConverter(const PinyinIndex& index, ConversionOptions options, bool perLine,
                                 Writer write)
    : index_(index), options_(options), perLine_(perLine), write_(std::move(write))
{
}

void StreamConverter::beginInput()
{
    atInputStart_ = true;
    pendingStart_.clear();
}

void StreamConverter::feed(std::string_view utf8)
{
    if (atInputStart_) {
        pendingStart_.append(utf8);
        if (pendingStart_.size() < Utf8ByteOrderMark.size() &&
            Utf8ByteOrderMark.substr(0, pendingStart_.size()) == pendingStart_)
            return;
        atInputStart_ = false;
        std::string_view start = pendingStart_;
        if (start.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark)
            start.remove_prefix(Utf8ByteOrderMark.size());
        const std::string held = std::string(start);
        pendingStart_.clear();
        feed(held);
        return;
    }
    decoded_.clear();
    decoder_.decode(utf8, decoded_);
    convert(decoded_);
}

void StreamConverter::endInput()
{
    if (atInputStart_) {
        atInputStart_ = false;
        // Too short to be the mark: its bytes are text.
        const std::string held = std::move(pendingStart_);
        pendingStart_.clear();
        feed(held);
    }
    decoded_.clear();
    decoder_.finish(decoded_);
    convert(decoded_);
    if (perLine_ && lineOpen_) endLine();
}

void StreamConverter::finish()
{
    if (!perLine_) endLine();
}

void StreamConverter::convert(std::u16string_view text)
{
    while (!text.empty()) {
        const std::size_t lineEnd = perLine_ ? text.find(u'\n') : std::u16string_view::npos;
        lineOpen_ = true;
        convertLine(text.substr(0, lineEnd));
        if (lineEnd == std::u16string_view::npos) break;
        endLine();
        text.remove_prefix(lineEnd + 1);
    }
}

void StreamConverter::convertLine(std::u16string_view text)
{
    while (!text.empty()) {
        readings_.clear();
        std::size_t converted = index_.appendReadings(text, options_, readings_, PieceUnits);
        if (converted == 0) {
            // One character with readings longer than a piece.
            writeReadings(index_.readingsOf(text[0], options_));
            converted = 1;
        } else {
            writeReadings(readings_);
        }
        text.remove_prefix(converted);
    }
}

void StreamConverter::writeReadings(std::u16string_view readings)
{
    while (!readings.empty()) {
        std::size_t length = std::min(readings.size(), PieceUnits);
        // A surrogate pair stays in one piece, or each half would become U+FFFD.
        if (length < readings.size() && readings[length - 1] >= 0xD800 && readings[length - 1] <= 0xDBFF) --length;
        std::u16string_view piece = readings.substr(0, length);
        readings.remove_prefix(length);
        encoded_.clear();
        if (blankOwed_) encoded_.push_back(' ');
        blankOwed_ = piece.back() == u' ';
        if (blankOwed_) piece.remove_suffix(1);
        AppendUtf8(piece, encoded_);
        if (!encoded_.empty()) write_(encoded_);
    }
}

void StreamConverter::endLine()
{
    write_("\n");
    blankOwed_ = false;
    lineOpen_ = false;
}

}  // namespace lorvane::cli
