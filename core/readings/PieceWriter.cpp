#include "readings/PieceWriter.h"

#include <stdexcept>
#include <string_view>

namespace lorvane {
namespace {

char16_t* copyFragments(char16_t* destination, const char16_t* text, std::span<const Fragment> fragments)
{
    for (const Fragment fragment : fragments) destination = CopyFragment(destination, text + fragment.start, fragment.length);
    return destination;
}

}  // namespace

PieceWriter::PieceWriter(std::u16string& out) : out_(&out), room_(out.max_size() - FragmentCopyBlock) {}

PieceWriter::PieceWriter(ReadingSink& sink, std::size_t pieceUnits)
    : sink_(&sink), piece_(new char16_t[pieceUnits + FragmentCopyBlock]), room_(pieceUnits)
{
}

void PieceWriter::write(const char16_t* text, std::span<const Fragment> fragments, std::uint64_t length)
{
    if (length == 0) return;
    if (out_) {
        if (length > room_ - out_->size()) throw std::length_error("the pinyin would be too long");
        const std::size_t start = out_->size();
        const auto total = static_cast<std::size_t>(length);
        out_->resize(start + total + FragmentCopyBlock);
        copyFragments(out_->data() + start, text, fragments);
        out_->resize(start + total);
        return;
    }
    if (length > room_ - pieceLength_) {
        flush();
        if (length > room_) {
            writeOneByOne(text, fragments);
            return;
        }
    }
    pieceLength_ = static_cast<std::size_t>(copyFragments(piece_.get() + pieceLength_, text, fragments) - piece_.get());
}

// More than a piece: the fragments go into the piece while they fit, and one
// longer than a piece goes to the sink as it stands.
void PieceWriter::writeOneByOne(const char16_t* text, std::span<const Fragment> fragments)
{
    for (const Fragment fragment : fragments) {
        if (fragment.length > room_ - pieceLength_) {
            flush();
            if (fragment.length > room_) {
                sink_->write(std::u16string_view(text + fragment.start, fragment.length));
                continue;
            }
        }
        pieceLength_ = static_cast<std::size_t>(CopyFragment(piece_.get() + pieceLength_, text + fragment.start,
                                                             fragment.length) -
                                                piece_.get());
    }
}

void PieceWriter::flush()
{
    if (!sink_ || pieceLength_ == 0) return;
    sink_->write(std::u16string_view(piece_.get(), pieceLength_));
    pieceLength_ = 0;
}

}  // namespace lorvane
