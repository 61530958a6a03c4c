#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "readings/PieceWriter.h"
#include "readings/ReadingSink.h"

namespace lorvane::testing {

// Feeds `text` to `conversion` in pieces of the sizes `nextPiece()` gives,
// its readings to `writer`, then ends the text.
template <class Conversion, class NextPiece>
void FeedInPieces(Conversion& conversion, std::u16string_view text, NextPiece nextPiece, PieceWriter& writer)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t piece = nextPiece();
        conversion.append(text.substr(at, piece), writer);
        at += piece;
    }
    conversion.finish(writer);
    writer.flush();
}

// The whole conversion, as ConvertWhole gives it, of `text` fed in pieces.
template <class Conversion, class NextPiece>
std::u16string WholeInPieces(Conversion conversion, std::u16string_view text, NextPiece nextPiece)
{
    std::u16string output;
    PieceWriter writer(output);
    FeedInPieces(conversion, text, nextPiece, writer);
    if (!output.empty()) output.pop_back();
    return output;
}

// Keeps what a conversion hands to its sink, and counts the pieces that
// break the bound: an empty piece, or one longer than `room` units that is
// not one character's readings ("zhong (chong) "). The readings of these
// tests hold no blank, so several characters' readings have a blank that
// stands before something other than "(".
class PieceCollector : public ReadingSink {
public:
    explicit PieceCollector(std::size_t room) : room_(room) {}

    void write(std::u16string_view readings) override
    {
        if (readings.empty() || (readings.size() > room_ && !oneCharacter(readings))) ++badPieces;
        text.append(readings);
    }

    // As ConvertTextInContext gives it: without the last blank.
    std::u16string whole() const { return text.empty() ? text : text.substr(0, text.size() - 1); }

    std::u16string text;
    std::size_t badPieces = 0;

private:
    static bool oneCharacter(std::u16string_view readings)
    {
        for (std::size_t at = 0; at + 1 < readings.size(); ++at)
            if (readings[at] == u' ' && readings[at + 1] != u'(') return false;
        return true;
    }

    std::size_t room_;
};

}  // namespace lorvane::testing
