#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ContextIndex.h"
#include "ConversionOptions.h"
#include "FragmentCopy.h"
#include "ReadingSink.h"

namespace lorvane {

// The conversion by context of a text that may arrive in pieces. Its output
// does not depend on how the text is cut: the run at the end of a piece is
// held back until it ends, or until it has RunLimit units, so at most that
// many units are held.
//
// Readings come each followed by one blank, as PinyinIndex writes them; a
// unit without a reading adds nothing. They are appended to a string, which
// grows with them, or handed to a sink in pieces of at most `pieceUnits`
// units (one character's readings that are longer come alone), so that
// memory stays bounded whatever the table.
class ContextConversion {
public:
    ContextConversion(const ContextIndex& index, ConversionOptions options,
                      std::size_t pieceUnits = ReadingPieceUnits);

    void append(std::u16string_view text, std::u16string& out);
    // The end of the text: converts what was held back.
    void finish(std::u16string& out);

    // Readings that do not yet fill a piece wait for the next call.
    void append(std::u16string_view text, ReadingSink& sink);
    // The end of the text: converts what was held back and hands on the rest.
    void finish(ReadingSink& sink);

private:
    using Fragment = ReadingFragments::Fragment;

    // Where readings go: appended to `text`, which holds at most `room`
    // units. With a sink, a full `text` is handed to it and emptied.
    struct Output {
        std::u16string& text;
        std::size_t room;
        ReadingSink* sink;
    };
    static Output growing(std::u16string& out) { return {out, out.max_size() - FragmentCopyBlock, nullptr}; }
    Output inPieces(ReadingSink& sink) { return {pending_, pieceUnits_, &sink}; }

    void convert(std::u16string_view text, Output& output);
    void convertHeld(Output& output);
    // Converts a text that ends where a run ends.
    void convertWhole(std::u16string_view text, Output& output);
    void put(Output& output);  // the chosen fragments
    void putOneByOne(Output& output);
    static void handOn(Output& output);
    // Chooses the fragments of the positions from `at` on; returns where it
    // stopped.
    std::size_t chooseFragments(std::u16string_view text, std::size_t at, std::size_t stop);
    std::size_t segmentPiece(std::u16string_view text, std::size_t at);
    std::uint32_t settledFragment(std::u16string_view text, std::size_t at) const;
    bool nextInPiece(std::u16string_view text, std::size_t at) const
    {
        return at + 1 < text.size() && at + 1 - pieceStart_ < ContextIndex::RunLimit && index_.inRun(text[at + 1]);
    }
    void choose(std::uint32_t fragment)
    {
        const Fragment chosen = fragments_[fragment];
        chosen_.push_back(chosen);
        length_ += chosen.length;
    }

    const ContextIndex& index_;
    ConversionOptions options_;
    const Fragment* fragments_;
    std::u16string held_;
    std::size_t pieceUnits_;
    std::u16string pending_;  // readings not yet handed to a sink

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
