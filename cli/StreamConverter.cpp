#include "StreamConverter.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace lorvane::cli {
namespace {

// Letters and digits of the scripts in use, combining marks with them (a
// mark goes with the letter before it), as ranges of code points; what lies
// between them is punctuation, symbols, blanks and controls.
constexpr std::pair<char32_t, char32_t> LetterRanges[] = {
    {0x30, 0x39},       {0x41, 0x5A},       {0x61, 0x7A},       {0xAA, 0xAA},       {0xB2, 0xB3},
    {0xB5, 0xB5},       {0xB9, 0xBA},       {0xBC, 0xBE},       {0xC0, 0xD6},       {0xD8, 0xF6},
    {0xF8, 0x36F},      {0x370, 0x37D},     {0x37F, 0x386},     {0x388, 0x481},     {0x483, 0x52F},
    {0x531, 0x556},     {0x560, 0x588},     {0x591, 0x5BD},     {0x5BF, 0x5C7},     {0x5D0, 0x5F2},
    {0x610, 0x61A},     {0x620, 0x669},     {0x66E, 0x6D3},     {0x6D5, 0x6FC},     {0x6FF, 0x6FF},
    {0x710, 0x74F},     {0x780, 0x7B1},     {0x7C0, 0x7F5},     {0x800, 0x82D},     {0x840, 0x85B},
    {0x8A0, 0x963},     {0x966, 0x96F},     {0x971, 0xDF3},     {0xE01, 0xE3A},     {0xE40, 0xE4E},
    {0xE50, 0xE59},     {0xE81, 0xEDF},     {0xF00, 0xF00},     {0xF18, 0xF19},     {0xF20, 0xF33},
    {0xF35, 0xF35},     {0xF37, 0xF37},     {0xF39, 0xF39},     {0xF3E, 0xF84},     {0xF86, 0xFBC},
    {0x1000, 0x1049},   {0x1050, 0x109D},   {0x10A0, 0x10FA},   {0x10FC, 0x1248},   {0x124A, 0x135F},
    {0x1369, 0x137C},   {0x1380, 0x138F},   {0x13A0, 0x13FD},   {0x1401, 0x166C},   {0x166F, 0x167F},
    {0x1681, 0x169A},   {0x16A0, 0x16EA},   {0x16EE, 0x16F8},   {0x1700, 0x17D3},   {0x17D7, 0x17D7},
    {0x17DC, 0x17F9},   {0x1810, 0x1819},   {0x1820, 0x18AA},   {0x1900, 0x193B},   {0x1946, 0x19DA},
    {0x1A00, 0x1A1B},   {0x1A20, 0x1A99},   {0x1AB0, 0x1AFF},   {0x1B00, 0x1B59},   {0x1B6B, 0x1B73},
    {0x1B80, 0x1BF3},   {0x1C00, 0x1C37},   {0x1C40, 0x1C7D},   {0x1C80, 0x1CBF},   {0x1CD0, 0x1CFA},
    {0x1D00, 0x1FBC},   {0x1FBE, 0x1FBE},   {0x1FC2, 0x1FCC},   {0x1FD0, 0x1FDB},   {0x1FE0, 0x1FEC},
    {0x1FF2, 0x1FFC},   {0x2070, 0x2071},   {0x2074, 0x2079},   {0x207F, 0x2089},   {0x2090, 0x209C},
    {0x20D0, 0x20F0},   {0x2102, 0x2102},   {0x2107, 0x2107},   {0x210A, 0x2113},   {0x2115, 0x2115},
    {0x2119, 0x211D},   {0x2124, 0x2124},   {0x2126, 0x2126},   {0x2128, 0x2128},   {0x212A, 0x212D},
    {0x212F, 0x2139},   {0x213C, 0x213F},   {0x2145, 0x2149},   {0x214E, 0x214E},   {0x2150, 0x2189},
    {0x2460, 0x249B},   {0x24EA, 0x24FF},   {0x2776, 0x2793},   {0x2C00, 0x2CE4},   {0x2CEB, 0x2CF3},
    {0x2D00, 0x2D6F},   {0x2D7F, 0x2DDE},   {0x2DE0, 0x2DFF},   {0x3005, 0x3007},   {0x3021, 0x302F},
    {0x3031, 0x3035},   {0x3038, 0x303C},   {0x3041, 0x309A},   {0x309D, 0x309F},   {0x30A1, 0x30FA},
    {0x30FC, 0x30FF},   {0x3105, 0x312F},   {0x3131, 0x318E},   {0x3192, 0x3195},   {0x31A0, 0x31BF},
    {0x31F0, 0x31FF},   {0x3220, 0x3229},   {0x3248, 0x324F},   {0x3251, 0x325F},   {0x3280, 0x3289},
    {0x32B1, 0x32BF},   {0x3400, 0x4DBF},   {0x4E00, 0xA48C},   {0xA4D0, 0xA4FD},   {0xA500, 0xA60C},
    {0xA610, 0xA62B},   {0xA640, 0xA672},   {0xA674, 0xA67D},   {0xA67F, 0xA6F1},   {0xA717, 0xA71F},
    {0xA722, 0xA788},   {0xA78B, 0xA827},   {0xA830, 0xA835},   {0xA840, 0xA873},   {0xA880, 0xA8C5},
    {0xA8D0, 0xA8F7},   {0xA8FB, 0xA8FB},   {0xA8FD, 0xA92D},   {0xA930, 0xA953},   {0xA960, 0xA97C},
    {0xA980, 0xA9C0},   {0xA9CF, 0xA9D9},   {0xA9E0, 0xA9FE},   {0xAA00, 0xAA59},   {0xAA60, 0xAA76},
    {0xAA7A, 0xAADD},   {0xAAE0, 0xAAEF},   {0xAAF2, 0xAAF6},   {0xAB01, 0xAB5A},   {0xAB5C, 0xAB69},
    {0xAB70, 0xABEA},   {0xABEC, 0xABF9},   {0xAC00, 0xD7FB},   {0xF900, 0xFB4F},   {0xFB50, 0xFBB1},
    {0xFBD3, 0xFD3D},   {0xFD50, 0xFDC7},   {0xFDF0, 0xFDFB},   {0xFE00, 0xFE0F},   {0xFE20, 0xFE2F},
    {0xFE70, 0xFEFC},   {0xFF10, 0xFF19},   {0xFF21, 0xFF3A},   {0xFF41, 0xFF5A},   {0xFF66, 0xFFDC},
    // Past the Basic Multilingual Plane: the scripts of plane 1 and its
    // mathematical letters, not its symbols and emoji; the ideographs of
    // planes 2 and 3.
    {0x10000, 0x1CFFF}, {0x1D400, 0x1D7FF}, {0x1E000, 0x1EFFF}, {0x20000, 0x3FFFF},
};

constexpr bool rangesInOrder()
{
    for (std::size_t at = 0; at < std::size(LetterRanges); ++at)
        if (LetterRanges[at].first > LetterRanges[at].second ||
            (at > 0 && LetterRanges[at - 1].second >= LetterRanges[at].first))
            return false;
    return true;
}
static_assert(rangesInOrder(), "the ranges are in order, apart, for the binary search");

// A letter or a digit, of any script: kept text of these stands apart from
// readings by the separator; blanks, punctuation and symbols do not.
bool isLetterOrDigit(char32_t codePoint)
{
    if (codePoint < 0x80) {
        const char32_t lower = codePoint | 0x20;
        return (codePoint >= U'0' && codePoint <= U'9') || (lower >= U'a' && lower <= U'z');
    }
    const auto after = std::upper_bound(std::begin(LetterRanges), std::end(LetterRanges), codePoint,
                                        [](char32_t wanted, const auto& range) { return wanted < range.first; });
    return after != std::begin(LetterRanges) && codePoint <= std::prev(after)->second;
}

// The first and the last code point of `text`, a surrogate pair as one.
char32_t firstCodePoint(std::u16string_view text)
{
    if (text.size() >= 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]))
        return CodePointOfPair(text[0], text[1]);
    return text.front();
}

char32_t lastCodePoint(std::u16string_view text)
{
    const std::size_t size = text.size();
    if (size >= 2 && IsHighSurrogate(text[size - 2]) && IsLowSurrogate(text[size - 1]))
        return firstCodePoint(text.substr(size - 2));
    return text.back();
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
    if (blankOwed_ && isLetterOrDigit(firstCodePoint(kept))) put(std::string_view(separator_));
    blankOwed_ = false;
    wordBeforeReadings_ = isLetterOrDigit(lastCodePoint(kept));
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
