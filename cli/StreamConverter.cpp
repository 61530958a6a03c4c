#include "StreamConverter.h"

#include <algorithm>

namespace lorvane::cli {

template <class Conversion>
StreamConverter<Conversion>::StreamConverter(Conversion conversion, bool perLine, Writer write,
                                             std::size_t pieceUnits)
    : conversion_(std::move(conversion)), perLine_(perLine), write_(std::move(write)), pieceUnits_(pieceUnits),
      pieces_(*this, pieceUnits), encoded_(1 + MaxUtf8Bytes(pieceUnits))
{
}

template <class Conversion>
void StreamConverter<Conversion>::beginInput()
{
    atInputStart_ = true;
    pendingStart_.clear();
}

template <class Conversion>
void StreamConverter<Conversion>::feed(std::string_view utf8)
{
    if (atInputStart_) {
        pendingStart_.append(utf8);
        if (pendingStart_.size() < Utf8ByteOrderMark.size() && Utf8ByteOrderMark.starts_with(pendingStart_)) return;
        atInputStart_ = false;
        const std::string held = std::move(pendingStart_);
        pendingStart_.clear();
        feed(std::string_view(held).substr(held.starts_with(Utf8ByteOrderMark) ? Utf8ByteOrderMark.size() : 0));
        return;
    }
    // Grown only, so that its units are not cleared for every piece.
    if (decoded_.size() < Utf8Decoder::MaxUnits(utf8.size())) decoded_.resize(Utf8Decoder::MaxUnits(utf8.size()));
    const char16_t* const end = decoder_.decode(utf8, decoded_.data());
    convert(std::u16string_view(decoded_.data(), static_cast<std::size_t>(end - decoded_.data())));
}

template <class Conversion>
void StreamConverter<Conversion>::endInput()
{
    if (atInputStart_) {
        atInputStart_ = false;
        const std::string held = std::move(pendingStart_);  // too short to be the mark: text
        pendingStart_.clear();
        feed(held);
    }
    std::u16string last;
    decoder_.finish(last);
    convert(last);
    if (perLine_ && lineOpen_) endLine();
}

template <class Conversion>
void StreamConverter<Conversion>::finish()
{
    if (!perLine_) endLine();
}

template <class Conversion>
void StreamConverter<Conversion>::convert(std::u16string_view text)
{
    while (!text.empty()) {
        const std::size_t lineEnd = perLine_ ? text.find(u'\n') : std::u16string_view::npos;
        lineOpen_ = true;
        conversion_.append(text.substr(0, lineEnd), pieces_);
        if (lineEnd == std::u16string_view::npos) break;
        endLine();
        text.remove_prefix(lineEnd + 1);
    }
    // What is converted goes on to the output, so that it is written even
    // when the next input fails.
    pieces_.flush();
}

template <class Conversion>
void StreamConverter<Conversion>::write(std::u16string_view readings)
{
    while (!readings.empty()) {
        std::size_t length = std::min(readings.size(), pieceUnits_);
        // A surrogate pair stays in one piece, or each half would become U+FFFD.
        if (length < readings.size() && IsHighSurrogate(readings[length - 1])) --length;
        std::u16string_view piece = readings.substr(0, length);
        readings.remove_prefix(length);
        char* const start = encoded_.data();
        char* end = start;
        if (blankOwed_) *end++ = ' ';
        blankOwed_ = piece.back() == u' ';
        if (blankOwed_) piece.remove_suffix(1);
        end = EncodeUtf8(piece, end);
        if (end != start) write_(std::string_view(start, static_cast<std::size_t>(end - start)));
    }
}

// The text ends here: what the conversion held back is converted first.
template <class Conversion>
void StreamConverter<Conversion>::endLine()
{
    conversion_.finish(pieces_);
    pieces_.flush();
    write_("\n");
    blankOwed_ = false;
    lineOpen_ = false;
}

template class StreamConverter<TableConversion>;
template class StreamConverter<ContextConversion>;
template class StreamConverter<NameConversion>;

}  // namespace lorvane::cli
