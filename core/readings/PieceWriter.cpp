#include "readings/PieceWriter.h"

#include <stdexcept>

namespace lorvane {

PieceWriter::PieceWriter(std::u16string& out) : out_(out), room_(out.max_size() - FragmentCopyBlock) {}

PieceWriter::PieceWriter(ReadingSink& sink, std::size_t pieceUnits) : out_(piece_), room_(pieceUnits), sink_(&sink)
{
    piece_.reserve(pieceUnits + FragmentCopyBlock);
}

void PieceWriter::write(const char16_t* text, std::span<const Fragment> fragments, std::uint64_t length)
{
    if (length == 0) return;
    if (length > room_ - out_.size()) {
        if (!sink_) throw std::length_error("the pinyin would be too long");
        flush();
        if (length > room_) {
            writeOneByOne(text, fragments);
            return;
        }
    }
    const std::size_t start = out_.size();
    const auto total = static_cast<std::size_t>(length);
    out_.resize(start + total + FragmentCopyBlock);
    char16_t* destination = out_.data() + start;
    for (const Fragment fragment : fragments) destination = CopyFragment(destination, text + fragment.start, fragment.length);
    out_.resize(start + total);
}

// More than a piece: the fragments go into the piece while they fit, and one
// longer than a piece goes to the sink as it stands.
void PieceWriter::writeOneByOne(const char16_t* text, std::span<const Fragment> fragments)
{
    for (const Fragment fragment : fragments) {
        const std::u16string_view readings(text + fragment.start, fragment.length);
        if (readings.size() > room_ - out_.size()) {
            flush();
            if (readings.size() > room_) {
                sink_->write(readings);
                continue;
            }
        }
        out_.append(readings);
    }
}

void PieceWriter::flush()
{
    if (!sink_ || piece_.empty()) return;
    sink_->write(piece_);
    piece_.clear();
}

}  // namespace lorvane
