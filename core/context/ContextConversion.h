#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "context/ContextIndex.h"
#include "context/Sandhi.h"
#include "readings/ConversionOptions.h"
#include "readings/PieceWriter.h"

namespace lorvane {

// The conversion by context of a text that may arrive in pieces. Its output
// does not depend on how the text is cut: the run at the end of a piece is
// held back until it ends, or until it has RunLimit units, so at most that
// many units are held.
//
// Readings come each followed by one blank, as the ordinary conversion writes
// them; a unit without a reading adds nothing.
class ContextConversion {
public:
    // With `sandhi`, 一 and 不 change their tones as they are spoken.
    ContextConversion(const ContextIndex& index, ConversionOptions options, const Sandhi* sandhi = nullptr);

    void append(std::u16string_view text, PieceWriter& writer);
    // The end of the text: converts what was held back.
    void finish(PieceWriter& writer);

    // Whether `unit` may have readings; a text of units that have none gives
    // none, and ends every run.
    bool reads(char16_t unit) const { return index_.unitInfo()[unit] != 0; }

    // The fragment chosen for each position of a whole text of at most
    // RunLimit units: one fragment each, empty where a unit has no reading.
    // For a conversion made for one reading per character, without sandhi.
    std::span<const Fragment> chooseEach(std::u16string_view text);

private:
    void convertWhole(std::u16string_view text, PieceWriter& writer);
    // Chooses the fragments of the positions from `at` on; returns where it
    // stopped.
    std::size_t chooseFragments(std::u16string_view text, std::size_t at, std::size_t stop);
    std::size_t segmentPiece(std::u16string_view text, std::size_t at);
    std::uint32_t settledChoice(std::u16string_view text, std::size_t at) const;
    bool nextInPiece(std::u16string_view text, std::size_t at) const
    {
        return at + 1 < text.size() && at + 1 - pieceStart_ < ContextIndex::RunLimit && index_.inRun(text[at + 1]);
    }
    [[gnu::always_inline]] void choose(std::uint32_t choice, std::u16string_view text, std::size_t at)
    {
        // With tone changes, the choices of a block wait for them.
        if (sandhi_) {
            positions_.push_back({choice, at == pieceStart_ || !index_.inRun(text[at])});
            return;
        }
        pushChoice(choice, text[at]);
    }
    [[gnu::always_inline]] void pushChoice(std::uint32_t choice, char16_t unit)
    {
        if (choice & ContextIndex::FreeChoice) {
            push(index_.freeSyllable(choice));
            const Fragment others = index_.readingsInParentheses(unit);
            if (!single_ && others.length != 0) push(others);
            return;
        }
        if (single_) {
            push(singles_[choice]);
            return;
        }
        const std::array<Fragment, 3>& parts = alls_[choice];
        push(parts[0]);
        if (parts[1].length != 0) push(parts[1]);
        if (parts[2].length != 0) push(parts[2]);
    }
    void push(Fragment fragment)
    {
        chosen_.push_back(fragment);
        length_ += fragment.length;
    }

    const ContextIndex& index_;
    const Sandhi* sandhi_;
    std::vector<Sandhi::Position> positions_;
    bool single_;
    const Fragment* singles_;
    const std::array<Fragment, 3>* alls_;
    const char16_t* fragmentText_;
    std::u16string held_;

    std::size_t pieceStart_ = 0;  // where the piece of the current run starts
    std::vector<Fragment> chosen_;
    std::uint64_t length_ = 0;
    std::vector<std::uint32_t> wordReadings_;
    WordGraph::Scratch scratch_;
};

// The whole conversion by context: readings separated by single blanks, no
// blank at either end.
std::u16string ConvertTextInContext(const ContextIndex& index, std::u16string_view text, ConversionOptions options);

}  // namespace lorvane
