#include "StreamConverter.h"

#include <algorithm>

namespace lorvane::cli {
namespace {

// A letter or a digit, of any script: kept text of these stands apart from
// readings by the separator; blanks, punctuation and symbols do not.
bool isLetterOrDigit(char16_t unit)
{
    if (unit < 0x80) return (unit >= u'0' && unit <= u'9') || ((unit | 0x20) >= u'a' && (unit | 0x20) <= u'z');
    if (unit >= 0xC0 && unit <= 0x2AF) return unit != 0xD7 && unit != 0xF7;  // Latin
    return (unit >= 0x370 && unit <= 0x52F)       // Greek, Cyrillic
           || (unit >= 0x3040 && unit <= 0x30FF)  // kana
           || (unit >= 0x3400 && unit <= 0x9FFF)  // CJK ideographs
           || (unit >= 0xAC00 && unit <= 0xD7AF)  // Hangul
           || (unit >= 0xD800 && unit <= 0xDFFF)  // characters past the BMP, mostly ideographs
           || (unit >= 0xF900 && unit <= 0xFAFF)  // CJK compatibility ideographs
           || (unit >= 0xFF10 && unit <= 0xFF19) || (unit >= 0xFF21 && unit <= 0xFF3A) ||
           (unit >= 0xFF41 && unit <= 0xFF5A);  // full-width letters and digits
}

// Pieces of at most `units`, never between the halves of a surrogate pair.
template <class Each>
void inPieces(std::u16string_view text, std::size_t units, Each each)
{
    while (!text.empty()) {
        std::size_t length = std::min(text.size(), units);
        if (length < text.size() && IsHighSurrogate(text[length - 1])) --length;
        each(text.substr(0, length));
        text.remove_prefix(length);
    }
}

}  // namespace

template <class Conversion>
StreamConverter<Conversion>::StreamConverter(Conversion conversion, bool perLine, Writer write, OutputShape shape,
                                             std::size_t pieceUnits)
    : conversion_(std::move(conversion)), perLine_(perLine), write_(std::move(write)), shape_(std::move(shape)),
      separator_(Utf16ToUtf8(shape_.separator)), blankSeparator_(shape_.separator == u" "), pieceUnits_(pieceUnits),
      pieces_(*this, pieceUnits), encoded_(MaxUtf8Bytes(pieceUnits) + 64)
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
        if (shape_.keepOther)
            convertKeeping(text.substr(0, lineEnd));
        else
            conversion_.append(text.substr(0, lineEnd), pieces_);
        if (lineEnd == std::u16string_view::npos) break;
        endLine();
        text.remove_prefix(lineEnd + 1);
    }
    // What is converted goes on to the output, so that it is written even
    // when the next input fails.
    pieces_.flush();
    writeEncoded();
}

template <class Conversion>
void StreamConverter<Conversion>::convertKeeping(std::u16string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const bool reads = conversion_.reads(text[at]);
        std::size_t end = at + 1;
        while (end < text.size() && conversion_.reads(text[end]) == reads) ++end;
        if (reads) {
            conversion_.append(text.substr(at, end - at), pieces_);
        } else {
            // What the conversion holds back comes first; it ends here anyway.
            conversion_.finish(pieces_);
            pieces_.flush();
            writeKept(text.substr(at, end - at));
        }
        at = end;
    }
}

template <class Conversion>
void StreamConverter<Conversion>::write(std::u16string_view readings)
{
    inPieces(readings, pieceUnits_, [this](std::u16string_view piece) {
        if (wordBeforeReadings_) put(std::string_view(separator_));
        wordBeforeReadings_ = false;
        endsWithLineBreak_ = false;
        // A blank before "(" sets off another reading of the same character;
        // any other stands between characters, where the separator goes.
        const auto putBlank = [this](bool beforeParenthesis) {
            put(beforeParenthesis || blankSeparator_ ? std::string_view(" ") : std::string_view(separator_));
        };
        if (blankOwed_) putBlank(piece.front() == u'(');
        blankOwed_ = piece.back() == u' ';
        if (blankOwed_) piece.remove_suffix(1);
        if (blankSeparator_) {
            put(piece);
            return;
        }
        for (std::size_t blank; (blank = piece.find(u' ')) != std::u16string_view::npos;) {
            put(piece.substr(0, blank));
            putBlank(blank + 1 < piece.size() && piece[blank + 1] == u'(');
            piece.remove_prefix(blank + 1);
        }
        put(piece);
    });
    writeEncoded();
}

template <class Conversion>
void StreamConverter<Conversion>::writeKept(std::u16string_view kept)
{
    if (blankOwed_ && isLetterOrDigit(kept.front())) put(std::string_view(separator_));
    blankOwed_ = false;
    wordBeforeReadings_ = isLetterOrDigit(kept.back());
    endsWithLineBreak_ = kept.back() == u'\n';
    inPieces(kept, pieceUnits_, [this](std::u16string_view piece) { put(piece); });
}

template <class Conversion>
void StreamConverter<Conversion>::put(std::string_view bytes)
{
    if (encodedLength_ + bytes.size() > encoded_.size()) writeEncoded();
    if (bytes.size() > encoded_.size()) {
        write_(bytes);
        return;
    }
    std::copy(bytes.begin(), bytes.end(), encoded_.data() + encodedLength_);
    encodedLength_ += bytes.size();
}

// `text` is at most a piece long.
template <class Conversion>
void StreamConverter<Conversion>::put(std::u16string_view text)
{
    if (encodedLength_ + MaxUtf8Bytes(text.size()) > encoded_.size()) writeEncoded();
    encodedLength_ = static_cast<std::size_t>(EncodeUtf8(text, encoded_.data() + encodedLength_) - encoded_.data());
}

template <class Conversion>
void StreamConverter<Conversion>::writeEncoded()
{
    if (encodedLength_ != 0) write_(std::string_view(encoded_.data(), encodedLength_));
    encodedLength_ = 0;
}

// The text ends here: what the conversion held back is converted first.
template <class Conversion>
void StreamConverter<Conversion>::endLine()
{
    conversion_.finish(pieces_);
    pieces_.flush();
    // Kept text that ends the whole text with a line break has given it its last.
    if (perLine_ || !endsWithLineBreak_) put(std::string_view("\n"));
    writeEncoded();
    blankOwed_ = false;
    wordBeforeReadings_ = false;
    endsWithLineBreak_ = false;
    lineOpen_ = false;
}

template class StreamConverter<TableConversion>;
template class StreamConverter<ContextConversion>;
template class StreamConverter<NameConversion>;

}  // namespace lorvane::cli
