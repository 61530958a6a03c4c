#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "context/ContextIndex.h"
#include "readings/Tones.h"

namespace lorvane {

// The spoken tone changes of 一 and 不, made on the readings the conversion
// by context chose, where they are still the dictionary's yī and bù:
// - 一 keeps yī at the end of a run, before another numeral, and after a
//   numeral, 第, 初 and the characters of the words that keep it (统一,
//   唯一, 之一, 万一 ...);
// - between two equal characters (看一看, 是不是) each becomes neutral;
// - before a fourth or neutral tone they become yí and bú; 一 before any
//   other tone yì.
class Sandhi {
public:
    // What the changes need the index to choose: its
    // ContextIndex::Options::alsoChoosable, in this order.
    static std::vector<ContextIndex::Spelled> Readings(ToneStyle style);
    // `index` built with Readings(style) and tones in `style`.
    Sandhi(const ContextIndex& index, ToneStyle style);

    // A position's choice, and whether it begins a piece of a run (or
    // stands in none): then the position before it is no neighbour.
    struct Position {
        std::uint32_t choice;
        bool startsPiece;
    };
    // Changes the choices of `positions`, those of text[first ...].
    void apply(std::u16string_view text, std::size_t first, std::span<Position> positions) const;

    // Whether the choice of a unit with this info is one that apply() may
    // have to change: a position of 一 or 不 whose next one is not yet
    // chosen waits for it.
    static bool Changes(char16_t unit) { return unit == u'一' || unit == u'不'; }

private:
    bool isReading(std::uint32_t choice, std::u16string_view written) const;
    int toneOf(std::uint32_t choice) const;

    const ContextIndex& index_;
    const char16_t* text_;
    std::u16string yi1_;
    std::u16string bu4_;
    std::uint32_t yi2_, yi4_, yi5_, bu2_, bu5_;
};

}  // namespace lorvane
