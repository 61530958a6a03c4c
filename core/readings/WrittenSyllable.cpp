#include "readings/WrittenSyllable.h"

#include "readings/PinyinSyllables.h"
#include "readings/Tones.h"

namespace lorvane {
namespace {

using Fault = WrittenSyllable::Fault;

constexpr char16_t CombiningDiaeresis = 0x0308;

WrittenSyllable faulty(Fault fault)
{
    WrittenSyllable read;
    read.fault = fault;
    return read;
}

}  // namespace

WrittenSyllable ReadWrittenSyllable(std::u16string_view written)
{
    char letters[LongestPinyinSyllable];
    std::size_t length = 0;
    WrittenSyllable read;
    for (std::size_t at = 0; at < written.size(); ++at) {
        const char16_t unit = written[at];
        int tone = 0;
        if (unit >= u'0' && unit <= u'9') {
            if (length == 0 || at + 1 != written.size()) return faulty(Fault::NotPinyin);
            if (unit == u'0' || unit > u'5') return faulty(Fault::ToneNotOneToFive);
            tone = unit - u'0';
        } else if (unit == u':' || unit == CombiningDiaeresis) {
            if (length == 0 || letters[length - 1] != 'u') return faulty(Fault::NotPinyin);
            letters[length - 1] = 'v';
        } else {
            const PlainLetter plain = UnmarkLetter(unit);
            const bool markAfterLetter = plain.tone != 0 && length != 0;
            if (plain.letter == 0 && !markAfterLetter) return faulty(Fault::NotPinyin);
            if (plain.letter != 0) {
                if (length == LongestPinyinSyllable) return faulty(Fault::NotPinyin);
                letters[length++] = static_cast<char>(plain.letter);
            }
            tone = plain.tone;
        }
        if (tone != 0 && read.tone != 0) return faulty(Fault::TwoTones);
        if (tone != 0) read.tone = static_cast<std::uint8_t>(tone);
    }
    const std::string_view spelt(letters, length);
    // As most texts spell lüe and nüe: no other syllable is spelt so.
    if (spelt == "lue" || spelt == "nue") letters[1] = 'v';
    const auto syllable = FindPinyinSyllable(spelt);
    if (!syllable) return faulty(Fault::NotPinyin);
    read.syllable = *syllable;
    return read;
}

}  // namespace lorvane
