#include "ContextStreamConverter.h"

namespace lorvane::cli {
namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
// Decoded text is converted and written in slices of at most this many
// units, so that the output held at once stays small.
constexpr std::size_t Slice = 4096;

}  // namespace

ContextStreamConverter::ContextStreamConverter(const ContextIndex& index, ConversionOptions options, bool perLine,
                                               Writer write)
    : conversion_(index, options), perLine_(perLine), write_(std::move(write))
{
}

void ContextStreamConverter::beginInput()
{
    atInputStart_ = true;
    pendingStart_.clear();
}

void ContextStreamConverter::feed(std::string_view utf8)
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
    decoded_.clear();
    decoder_.decode(utf8, decoded_);
    convert(decoded_);
}

void ContextStreamConverter::endInput()
{
    if (atInputStart_) {
        atInputStart_ = false;
        const std::string held = std::move(pendingStart_);  // too short to be the mark: text
        pendingStart_.clear();
        feed(held);
    }
    decoded_.clear();
    decoder_.finish(decoded_);
    convert(decoded_);
    if (perLine_ && lineOpen_) endLine();
}

void ContextStreamConverter::finish()
{
    if (!perLine_) endLine();
}

void ContextStreamConverter::convert(std::u16string_view text)
{
    while (!text.empty()) {
        const std::size_t lineEnd = perLine_ ? text.find(u'\n') : std::u16string_view::npos;
        std::u16string_view part = text.substr(0, lineEnd);
        lineOpen_ = true;
        const bool ended = lineEnd != std::u16string_view::npos;
        for (; part.size() > Slice; part.remove_prefix(Slice)) {
            conversion_.append(part.substr(0, Slice), readings_);
            write();
        }
        // A line that ends here is converted whole, not held back.
        if (ended)
            conversion_.appendLast(part, readings_);
        else
            conversion_.append(part, readings_);
        write();
        if (!ended) break;
        endLine();
        text.remove_prefix(lineEnd + 1);
    }
}

void ContextStreamConverter::write()
{
    if (readings_.empty()) return;
    encoded_.clear();
    if (blankOwed_) encoded_.push_back(' ');
    readings_.pop_back();
    AppendUtf8(readings_, encoded_);
    readings_.clear();
    write_(encoded_);
    blankOwed_ = true;
}

// The text ends here: what the conversion held back is converted first.
void ContextStreamConverter::endLine()
{
    conversion_.finish(readings_);
    write();
    write_("\n");
    blankOwed_ = false;
    lineOpen_ = false;
}

}  // namespace lorvane::cli
