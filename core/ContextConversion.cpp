#include "ContextConversion.h"

#include <stdexcept>

#include "FragmentCopy.h"

namespace lorvane {
namespace {

// Fragments are chosen for this many units, then copied, so that the list of
// chosen fragments stays in the cache. A segmented piece may go past it.
constexpr std::size_t Block = 4096;
constexpr std::size_t CopyBlock = FragmentCopyBlock;

}  // namespace

ContextConversion::ContextConversion(const ContextIndex& index, ConversionOptions options, std::size_t pieceUnits)
    : index_(index), options_(options), fragments_(index.fragments_.fragments(options)), pieceUnits_(pieceUnits),
      wordReadings_(ContextIndex::RunLimit)
{
    chosen_.reserve(Block + ContextIndex::RunLimit);
}

void ContextConversion::append(std::u16string_view text, std::u16string& out)
{
    Output output = growing(out);
    convert(text, output);
}

void ContextConversion::finish(std::u16string& out)
{
    Output output = growing(out);
    convertHeld(output);
}

void ContextConversion::append(std::u16string_view text, ReadingSink& sink)
{
    Output output = inPieces(sink);
    convert(text, output);
}

void ContextConversion::finish(ReadingSink& sink)
{
    Output output = inPieces(sink);
    convertHeld(output);
    handOn(output);
}

void ContextConversion::convert(std::u16string_view text, Output& output)
{
    if (!held_.empty()) {
        const std::size_t room = ContextIndex::RunLimit - held_.size();
        std::size_t runEnd = 0;
        while (runEnd < text.size() && runEnd < room && index_.inRun(text[runEnd])) ++runEnd;
        held_.append(text.substr(0, runEnd));
        if (runEnd == text.size() && runEnd < room) return;
        convertHeld(output);
        text.remove_prefix(runEnd);
    }
    // The last run may go on in the next text; its whole pieces need not wait.
    std::size_t runStart = text.size();
    while (runStart > 0 && index_.inRun(text[runStart - 1])) --runStart;
    const std::size_t holdFrom =
        runStart + (text.size() - runStart) / ContextIndex::RunLimit * ContextIndex::RunLimit;
    convertWhole(text.substr(0, holdFrom), output);
    held_.assign(text.substr(holdFrom));
}

void ContextConversion::convertHeld(Output& output)
{
    convertWhole(held_, output);
    held_.clear();
}

void ContextConversion::convertWhole(std::u16string_view text, Output& output)
{
    pieceStart_ = 0;
    for (std::size_t at = 0; at < text.size();) {
        chosen_.clear();
        length_ = 0;
        at = chooseFragments(text, at, std::min(text.size(), at + Block));
        if (length_ != 0) put(output);
    }
}

void ContextConversion::put(Output& output)
{
    std::u16string& out = output.text;
    if (length_ > output.room - out.size()) {
        if (!output.sink) throw std::length_error("the pinyin would be too long");
        handOn(output);
        if (length_ > output.room) {
            putOneByOne(output);
            return;
        }
    }
    const char16_t* const source = index_.fragments_.text(options_);
    const std::size_t start = out.size();
    const auto length = static_cast<std::size_t>(length_);
    out.resize(start + length + CopyBlock);
    char16_t* destination = out.data() + start;
    for (const Fragment fragment : chosen_)
        destination = CopyFragment(destination, source + fragment.start, fragment.length);
    out.resize(start + length);
}

// More than a piece: the fragments go into the output while they fit, and
// one longer than a piece goes to the sink as it stands.
void ContextConversion::putOneByOne(Output& output)
{
    const char16_t* const source = index_.fragments_.text(options_);
    for (const Fragment fragment : chosen_) {
        const std::u16string_view readings(source + fragment.start, fragment.length);
        if (readings.size() > output.room - output.text.size()) {
            handOn(output);
            if (readings.size() > output.room) {
                output.sink->write(readings);
                continue;
            }
        }
        output.text.append(readings);
    }
}

void ContextConversion::handOn(Output& output)
{
    if (output.text.empty()) return;
    output.sink->write(output.text);
    output.text.clear();
}

std::size_t ContextConversion::chooseFragments(std::u16string_view text, std::size_t at, std::size_t stop)
{
    const std::uint32_t* const unitInfo = index_.unitInfo_.data();
    while (at < stop) {
        const std::uint32_t info = unitInfo[text[at]];
        if (info < ContextIndex::InRun) {
            pieceStart_ = at + 1;
            choose(info);
            ++at;
            continue;
        }
        if (at - pieceStart_ == ContextIndex::RunLimit) pieceStart_ = at;
        if (info < ContextIndex::Settled) {
            choose(info & ContextIndex::ValueBits);
            ++at;
            continue;
        }
        const ContextIndex::SettledUnit& unit = index_.settled_[info & ContextIndex::ValueBits];
        // A word can read this position only if it holds the unit before or
        // the unit after together with it.
        const bool wordMayRead =
            unit.readByWords && ((at > pieceStart_ && index_.readingAfter_.mayHold(text[at - 1], text[at])) ||
                                 (nextInPiece(text, at) && index_.readingBefore_.mayHold(text[at], text[at + 1])));
        if (wordMayRead) {
            at = segmentPiece(text, at);
        } else {
            choose(settledFragment(text, at));
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
    index_.graph_.segment(piece, index_.singleCost_.data(), scratch_, wordReadings_.data());
    for (; at < pieceEnd; ++at) {
        const std::uint32_t reading = wordReadings_[at - pieceStart_];
        const std::uint32_t fromWord = reading == 0 ? 0 : index_.wordReadings_[reading - 1];
        if (fromWord != 0) {
            choose(fromWord);
            continue;
        }
        const std::uint32_t info = index_.unitInfo_[text[at]];
        choose(info < ContextIndex::Settled ? info & ContextIndex::ValueBits : settledFragment(text, at));
    }
    return pieceEnd;
}

// The fragment of a settled unit that no word reads: the first rule that
// holds, else its reading alone.
std::uint32_t ContextConversion::settledFragment(std::u16string_view text, std::size_t at) const
{
    const ContextIndex::SettledUnit& unit = index_.settled_[index_.unitInfo_[text[at]] & ContextIndex::ValueBits];
    for (std::uint32_t index = unit.rulesBegin; index < unit.rulesEnd; ++index) {
        const ContextIndex::Rule& rule = index_.rules_[index];
        switch (rule.kind) {
        case RuleKind::PreviousIs:
            if (at > pieceStart_ && text[at - 1] == rule.neighbour) return rule.fragment;
            break;
        case RuleKind::NextIs:
            if (nextInPiece(text, at) && text[at + 1] == rule.neighbour) return rule.fragment;
            break;
        case RuleKind::AfterReduplication:
            if (at >= pieceStart_ + 2 && text[at - 2] == text[at - 1]) return rule.fragment;
            break;
        }
    }
    return unit.fragment;
}

std::u16string ConvertTextInContext(const ContextIndex& index, std::u16string_view text, ConversionOptions options)
{
    std::u16string output;
    ContextConversion conversion(index, options);
    conversion.append(text, output);
    conversion.finish(output);
    if (!output.empty()) output.pop_back();
    return output;
}

}  // namespace lorvane
