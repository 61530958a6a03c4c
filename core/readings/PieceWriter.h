#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "readings/Fragment.h"
#include "readings/ReadingSink.h"

namespace lorvane {

// Where a conversion puts its readings: appended to a text that grows with
// them, or handed to a sink in pieces of bounded size, so that the memory a
// conversion holds does not grow with the readings of the table.
class PieceWriter {
public:
    // The most UTF-16 units a piece holds when nothing else is asked for.
    static constexpr std::size_t DefaultPieceUnits = std::size_t{1} << 15;

    // Appends the readings to `out`. Throws std::length_error when they
    // would make it longer than a string can be.
    explicit PieceWriter(std::u16string& out);
    // Hands the readings to `sink` in pieces of at most `pieceUnits` units,
    // each filled as far as the next fragment fits (a character's readings
    // are one fragment, or up to three by context). A fragment longer than a
    // piece comes alone, as it stands in the store.
    explicit PieceWriter(ReadingSink& sink, std::size_t pieceUnits = DefaultPieceUnits);
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;

    // Writes `fragments` of `text` (a store's text in one letter case),
    // whose lengths add up to `length`.
    void write(const char16_t* text, std::span<const Fragment> fragments, std::uint64_t length);
    // Hands on the piece being filled; the end of the text, or of a line.
    void flush();

private:
    void writeOneByOne(const char16_t* text, std::span<const Fragment> fragments);

    std::u16string* out_ = nullptr;  // without a sink
    ReadingSink* sink_ = nullptr;
    // With a sink: the piece being filled, with room for a fragment copy's
    // slack after it.
    std::unique_ptr<char16_t[]> piece_;
    std::size_t pieceLength_ = 0;
    std::size_t room_;
};

}  // namespace lorvane
