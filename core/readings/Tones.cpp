#include "readings/Tones.h"

#include <algorithm>
#include <array>

#include "readings/ConversionOptions.h"

namespace lorvane {
namespace {

// The vowels that carry marks, each with its tones 1 to 4.
struct MarkedVowel {
    char16_t letter;
    std::array<char16_t, 4> marked;
    std::array<char16_t, 4> capitals;
};
constexpr MarkedVowel MarkedVowels[] = {
    {u'a', {u'ā', u'á', u'ǎ', u'à'}, {u'Ā', u'Á', u'Ǎ', u'À'}},
    {u'e', {u'ē', u'é', u'ě', u'è'}, {u'Ē', u'É', u'Ě', u'È'}},
    {u'i', {u'ī', u'í', u'ǐ', u'ì'}, {u'Ī', u'Í', u'Ǐ', u'Ì'}},
    {u'o', {u'ō', u'ó', u'ǒ', u'ò'}, {u'Ō', u'Ó', u'Ǒ', u'Ò'}},
    {u'u', {u'ū', u'ú', u'ǔ', u'ù'}, {u'Ū', u'Ú', u'Ǔ', u'Ù'}},
    {u'v', {u'ǖ', u'ǘ', u'ǚ', u'ǜ'}, {u'Ǖ', u'Ǘ', u'Ǚ', u'Ǜ'}},
};
constexpr char16_t LowerU = u'ü';
constexpr char16_t CapitalU = u'Ü';
// m and n have precomposed letters for some tones only; the others take a
// combining mark after the letter.
constexpr std::array<char16_t, 4> CombiningMarks = {0x0304, 0x0301, 0x030C, 0x0300};
struct NasalMarks {
    char16_t letter;
    std::array<char16_t, 4> marked;  // 0: the letter and a combining mark
    std::array<char16_t, 4> capitals;
};
constexpr NasalMarks Nasals[] = {
    {u'm', {0, u'ḿ', 0, 0}, {0, u'Ḿ', 0, 0}},
    {u'n', {0, u'ń', u'ň', u'ǹ'}, {0, u'Ń', u'Ň', u'Ǹ'}},
};

bool isVowel(char16_t letter) { return letter == u'a' || letter == u'e' || letter == u'i' || letter == u'o' || letter == u'u' || letter == u'v'; }

// Where the mark goes, or npos for a syllable without a vowel.
std::size_t markPlace(std::u16string_view letters)
{
    if (const std::size_t a = letters.find(u'a'); a != std::u16string_view::npos) return a;
    if (const std::size_t e = letters.find(u'e'); e != std::u16string_view::npos) return e;
    if (const std::size_t ou = letters.find(u"ou"); ou != std::u16string_view::npos) return ou;
    for (std::size_t at = letters.size(); at > 0; --at)
        if (isVowel(letters[at - 1])) return at - 1;
    return std::u16string_view::npos;
}

void appendMarked(std::u16string& out, char16_t letter, std::size_t tone)
{
    for (const MarkedVowel& vowel : MarkedVowels)
        if (vowel.letter == letter) {
            out.push_back(vowel.marked[tone - 1]);
            return;
        }
    for (const NasalMarks& nasal : Nasals)
        if (nasal.letter == letter) {
            if (const char16_t marked = nasal.marked[tone - 1]) {
                out.push_back(marked);
            } else {
                out.push_back(letter);
                out.push_back(CombiningMarks[tone - 1]);
            }
            return;
        }
    out.push_back(letter);
}

}  // namespace

bool IsTonedSyllable(std::u16string_view syllable)
{
    if (syllable.size() < 2 || syllable.back() < u'1' || syllable.back() > u'5') return false;
    return std::all_of(syllable.begin(), syllable.end() - 1, [](char16_t unit) { return unit >= u'a' && unit <= u'z'; });
}

std::u16string WriteToned(std::u16string_view toned, ToneStyle style)
{
    if (style == ToneStyle::Numbers || !IsTonedSyllable(toned)) return std::u16string(toned);
    const std::u16string_view letters = TonelessOf(toned);
    if (style == ToneStyle::None) return std::u16string(letters);
    const auto tone = static_cast<std::size_t>(toned.back() - u'0');
    std::size_t mark = tone == 5 ? std::u16string_view::npos : markPlace(letters);
    if (mark == std::u16string_view::npos && tone != 5) {
        // A syllable of nasals alone: m, n, ng, hm, hng.
        const std::size_t nasal = letters.find_first_of(u"mn");
        mark = nasal;
    }
    std::u16string written;
    written.reserve(letters.size() + 1);
    for (std::size_t at = 0; at < letters.size(); ++at) {
        if (at == mark)
            appendMarked(written, letters[at], tone);
        else
            written.push_back(letters[at] == u'v' ? LowerU : letters[at]);
    }
    return written;
}

int ToneOfWritten(std::u16string_view written)
{
    for (const char16_t unit : written) {
        if (unit >= u'1' && unit <= u'4') return unit - u'0';
        if (const int tone = UnmarkLetter(unit).tone) return tone;
    }
    return 0;
}

PlainLetter UnmarkLetter(char16_t unit)
{
    if (unit >= u'a' && unit <= u'z') return {unit, 0};
    if (unit >= u'A' && unit <= u'Z') return {static_cast<char16_t>(unit - u'A' + u'a'), 0};
    if (unit == LowerU || unit == CapitalU) return {u'v', 0};
    if (unit < 0x80) return {0, 0};
    for (std::size_t mark = 0; mark < 4; ++mark) {
        const int tone = static_cast<int>(mark) + 1;
        if (unit == CombiningMarks[mark]) return {0, tone};
        for (const MarkedVowel& vowel : MarkedVowels)
            if (unit == vowel.marked[mark] || unit == vowel.capitals[mark]) return {vowel.letter, tone};
        for (const NasalMarks& nasal : Nasals)
            if (unit == nasal.marked[mark] || unit == nasal.capitals[mark]) return {nasal.letter, tone};
    }
    return {0, 0};
}

bool BeginsWithAOrOOrE(std::u16string_view written)
{
    if (written.empty()) return false;
    const char16_t first = written.front();
    // Most syllables begin with a plain letter.
    if (first < 0x80) {
        const char16_t lower = first | 0x20;
        return lower == u'a' || lower == u'o' || lower == u'e';
    }
    for (const char16_t letter : {u'a', u'o', u'e'}) {
        if (first == letter || first == ToUpperAscii(letter)) return true;
        for (const MarkedVowel& vowel : MarkedVowels)
            if (vowel.letter == letter &&
                (std::find(vowel.marked.begin(), vowel.marked.end(), first) != vowel.marked.end() ||
                 std::find(vowel.capitals.begin(), vowel.capitals.end(), first) != vowel.capitals.end()))
                return true;
    }
    return false;
}

char16_t ToUpperPinyin(char16_t unit)
{
    if (unit < 0x80) return ToUpperAscii(unit);
    if (unit == LowerU) return CapitalU;
    for (const MarkedVowel& vowel : MarkedVowels)
        for (std::size_t tone = 0; tone < 4; ++tone)
            if (unit == vowel.marked[tone]) return vowel.capitals[tone];
    for (const NasalMarks& nasal : Nasals)
        for (std::size_t tone = 0; tone < 4; ++tone)
            if (unit != 0 && unit == nasal.marked[tone]) return nasal.capitals[tone];
    return unit;
}

}  // namespace lorvane
