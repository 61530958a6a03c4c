#pragma once

#include <string>
#include <string_view>

namespace lorvane {

// How tones are written: not at all ("zhong"), as marks over the vowel
// ("zhòng", "lǜ"), or as a digit after the syllable ("zhong4", "lv4"; 5 is
// the neutral tone).
enum class ToneStyle { None, Marks, Numbers };

// A toned syllable as the word data spells it, letters a to z (v for ü)
// followed by its tone, 1 to 5: "zhong4", "lv4", "de5". Any other text is
// no toned syllable.
bool IsTonedSyllable(std::u16string_view syllable);

// The letters of a toned syllable without its tone: "zhong".
inline std::u16string_view TonelessOf(std::u16string_view toned) { return toned.substr(0, toned.size() - 1); }

// A toned syllable written in `style`. With marks the mark stands on a or e,
// else on the o of ou, else on the last of i, o, u and ü; a syllable of m or
// n alone carries it on that letter ("ńg"); v becomes ü, and the neutral
// tone has no mark ("de", "lü").
std::u16string WriteToned(std::u16string_view toned, ToneStyle style);

// The tone of a syllable written by WriteToned in any style and letter case:
// 1 to 4, or 0 for the neutral tone and for a syllable without one.
int ToneOfWritten(std::u16string_view written);

// A letter of written pinyin as its lower-case letter without a mark (v for
// ü) and the tone of its mark, 0 where it has none: 'Z' -> {'z', 0},
// 'ǜ' -> {'v', 4}, 'Ń' -> {'n', 2}. A combining tone mark (U+0304, U+0301,
// U+030C, U+0300) gives its tone and no letter; anything else neither.
struct PlainLetter {
    char16_t letter;  // 0: none
    int tone;
};
PlainLetter UnmarkLetter(char16_t unit);

// Whether a written syllable begins with a, o or e, marked or not: in a word
// of several syllables it takes an apostrophe before it ("Xi'an").
bool BeginsWithAOrOOrE(std::u16string_view written);

// a to z become A to Z, and the marked vowels and ü their capitals; every
// other character stays as it is.
char16_t ToUpperPinyin(char16_t unit);

}  // namespace lorvane
