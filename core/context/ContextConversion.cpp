#include "context/ContextConversion.h"

#include <algorithm>

#include "readings/ConvertWhole.h"

namespace lorvane {
namespace {

// Fragments are chosen for this many units, then copied, so that the list of
// chosen fragments stays in the cache. A segmented piece may go past it.
constexpr std::size_t Block = 4096;

}  // namespace

ContextConversion::ContextConversion(const ContextIndex& index, ConversionOptions options, const Sandhi* sandhi)
    : index_(index), sandhi_(sandhi), single_(options.firstReadingOnly), singles_(index.singles()),
      alls_(index.alls()), fragmentText_(index.text(options.letterCase)), wordReadings_(ContextIndex::RunLimit)
{
    // Up to three fragments a position.
    chosen_.reserve(3 * (Block + ContextIndex::RunLimit));
    if (sandhi_) positions_.reserve(Block + ContextIndex::RunLimit);
}

void ContextConversion::append(std::u16string_view text, PieceWriter& writer)
{
    if (!held_.empty()) {
        const std::size_t room = ContextIndex::RunLimit - held_.size();
        std::size_t runEnd = 0;
        while (runEnd < text.size() && runEnd < room && index_.inRun(text[runEnd])) ++runEnd;
        held_.append(text.substr(0, runEnd));
        if (runEnd == text.size() && runEnd < room) return;
        finish(writer);
        text.remove_prefix(runEnd);
    }
    // The last run may go on in the next text; its whole pieces need not wait.
    std::size_t runStart = text.size();
    while (runStart > 0 && index_.inRun(text[runStart - 1])) --runStart;
    const std::size_t holdFrom =
        runStart + (text.size() - runStart) / ContextIndex::RunLimit * ContextIndex::RunLimit;
    convertWhole(text.substr(0, holdFrom), writer);
    held_.assign(text.substr(holdFrom));
}

void ContextConversion::finish(PieceWriter& writer)
{
    convertWhole(held_, writer);
    held_.clear();
}

void ContextConversion::convertWhole(std::u16string_view text, PieceWriter& writer)
{
    pieceStart_ = 0;
    for (std::size_t at = 0; at < text.size();) {
        chosen_.clear();
        length_ = 0;
        const std::size_t blockStart = at;
        at = chooseFragments(text, at, std::min(text.size(), at + Block));
        if (sandhi_) {
            // 一 and 不 wait for the reading after them.
            while (at < text.size() && Sandhi::Changes(text[at - 1]) && nextInPiece(text, at - 1))
                at = chooseFragments(text, at, at + 1);
            sandhi_->apply(text, blockStart, positions_);
            for (std::size_t position = 0; position < positions_.size(); ++position)
                pushChoice(positions_[position].choice, text[blockStart + position]);
            positions_.clear();
        }
        writer.write(fragmentText_, chosen_, length_);
    }
}

std::span<const Fragment> ContextConversion::chooseEach(std::u16string_view text)
{
    chosen_.clear();
    length_ = 0;
    pieceStart_ = 0;
    chooseFragments(text, 0, text.size());
    return chosen_;
}

std::size_t ContextConversion::chooseFragments(std::u16string_view text, std::size_t at, std::size_t stop)
{
    const std::uint32_t* const unitInfo = index_.unitInfo();
    while (at < stop) {
        const std::uint32_t info = unitInfo[text[at]];
        if (info < ContextIndex::InRun) {
            pieceStart_ = at + 1;
            choose(info, text, at);
            ++at;
            continue;
        }
        if (at - pieceStart_ == ContextIndex::RunLimit) pieceStart_ = at;
        if (info < ContextIndex::Settled) {
            choose(info & ContextIndex::ValueBits, text, at);
            ++at;
            continue;
        }
        const ContextIndex::SettledUnit& unit = index_.settled(info);
        // A word can read this position only if it holds the unit before or
        // the unit after together with it.
        const bool wordMayRead =
            unit.readByWords && ((at > pieceStart_ && index_.mayReadAfter(text[at - 1], text[at])) ||
                                 (nextInPiece(text, at) && index_.mayReadBefore(text[at], text[at + 1])));
        if (wordMayRead) {
            at = segmentPiece(text, at);
        } else {
            choose(settledChoice(text, at), text, at);
            ++at;
        }
    }
    return at;
}

// Segments the piece that holds `at` and chooses the fragments from `at` to
// the piece's end (those before `at` are known without it). Returns the
// piece's end.
std::size_t ContextConversion::segmentPiece(std::u16string_view text, std::size_t at)
{
    const std::size_t limit = std::min(text.size(), pieceStart_ + ContextIndex::RunLimit);
    std::size_t pieceEnd = at + 1;
    while (pieceEnd < limit && index_.inRun(text[pieceEnd])) ++pieceEnd;
    const std::u16string_view piece = text.substr(pieceStart_, pieceEnd - pieceStart_);
    index_.graph().segment(piece, index_.singleCosts(), scratch_, wordReadings_.data());
    for (; at < pieceEnd; ++at) {
        const std::uint32_t reading = wordReadings_[at - pieceStart_];
        const std::uint32_t fromWord = reading == 0 ? 0 : index_.wordChoice(reading - 1);
        if (fromWord != 0) {
            choose(fromWord, text, at);
            continue;
        }
        const std::uint32_t info = index_.unitInfo()[text[at]];
        choose(info < ContextIndex::Settled ? info & ContextIndex::ValueBits : settledChoice(text, at), text, at);
    }
    return pieceEnd;
}

// The choice for a settled unit that no word reads: the first rule that
// holds, else its reading alone.
std::uint32_t ContextConversion::settledChoice(std::u16string_view text, std::size_t at) const
{
    const ContextIndex::SettledUnit& unit = index_.settled(index_.unitInfo()[text[at]]);
    const std::optional<char16_t> previous = at > pieceStart_ ? std::optional(text[at - 1]) : std::nullopt;
    const std::optional<char16_t> next = nextInPiece(text, at) ? std::optional(text[at + 1]) : std::nullopt;
    const bool afterReduplication = at >= pieceStart_ + 2 && text[at - 2] == text[at - 1];
    const std::uint32_t ruled = index_.rules().choose(unit.rules, previous, next, afterReduplication);
    return ruled != 0 ? ruled : unit.choice;
}

std::u16string ConvertTextInContext(const ContextIndex& index, std::u16string_view text, ConversionOptions options)
{
    return ConvertWhole(ContextConversion(index, options), text);
}

}  // namespace lorvane
