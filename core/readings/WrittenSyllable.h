#pragma once

#include <cstdint>
#include <string_view>

namespace lorvane {

// A pinyin syllable as people write it: toneless ("zhong"), with a tone
// number ("zhong4", "de5") or with a tone mark ("zhòng", "lǜ", "ń", or a
// combining mark after its letter, on any letter); ü also as v, as u: or as u
// and a combining diaeresis, and "lue" and "nue" as lüe and nüe; any letter
// case.
struct WrittenSyllable {
    enum class Fault { None, NotPinyin, ToneNotOneToFive, TwoTones };
    Fault fault = Fault::None;
    std::uint16_t syllable = 0;  // its number among the pinyin syllables
    std::uint8_t tone = 0;       // 1 to 5, or 0 where none is written
};

WrittenSyllable ReadWrittenSyllable(std::u16string_view written);

}  // namespace lorvane
