#pragma once

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "context/ContextConversion.h"
#include "context/ContextIndex.h"
#include "context/WordData.h"
#include "readings/ConversionOptions.h"
#include "readings/PieceWriter.h"
#include "readings/Tones.h"

namespace lorvane {

// What the user asked of names besides tones and case.
struct NameShape {
    bool firstLetters = false;  // each syllable as its first letter: "z gf"
    // The units that the user's own one-character words read, in increasing
    // order: their readings win over the surname list's and the name
    // readings.
    std::vector<char16_t> ownReadings;
};

// Each text (a line) is one person's name, written as the rules for
// Chinese names in pinyin write it: the surname, then the given name, each
// one word of its syllables, "ouyang xiu", "Zeng Guofan"; inside a word a
// syllable that begins with a, o or e takes an apostrophe ("Xi'an").
//
// A name is at least two characters with readings, blanks aside, and none
// other. Its surname is the longest of the surnames the word data lists that
// begins it and leaves a given name, read as that list reads it; else its
// first character. The given name's characters take their name readings,
// else the readings chosen by context in the whole name. Where the whole
// name is a word of the word data, that word's readings win throughout.
// Any other text, and a text too long to be a name, is converted by context
// as ordinary text.
class NameConversion {
public:
    // The longest name, blanks included, held until its end.
    static constexpr std::size_t LongestName = 64;

    // `index` built on the tone part's syllables written in `style`, or on
    // the toneless ones for ToneStyle::None. Text that is no name is
    // converted with `options` and `sandhi`; names take one reading each.
    NameConversion(const ContextIndex& index, const ToneData& tones, ToneStyle style, ConversionOptions options,
                   const Sandhi* sandhi = nullptr, NameShape shape = {});

    void append(std::u16string_view text, PieceWriter& writer);
    // The end of the name.
    void finish(PieceWriter& writer);
    bool reads(char16_t unit) const { return ordinary_.reads(unit); }

private:
    // Writes the held text as a name; false when it is none.
    bool writeName(PieceWriter& writer);
    // The surname the list gives `name`, leaving at least one unit after it.
    std::optional<std::size_t> surnameOf(std::u16string_view name) const;
    const std::u16string* nameReadingOf(char16_t unit) const;
    bool hasOwnReading(char16_t unit) const
    {
        return std::binary_search(shape_.ownReadings.begin(), shape_.ownReadings.end(), unit);
    }
    // Appends `syllables` (written, each ending in a blank) as one word.
    void appendWord(std::span<const std::u16string_view> syllables);

    const ContextIndex& index_;
    const ToneData& tones_;
    LetterCase letterCase_;
    NameShape shape_;
    ContextConversion byContext_;  // of names: one reading each
    ContextConversion ordinary_;   // of other text, with the options given
    const char16_t* readingsText_;

    std::u16string held_;
    bool ordinaryText_ = false;  // the text is too long to be a name
    std::u16string name_;        // without blanks
    // The list's readings written in the style: of each surname unit, and
    // of each name reading.
    std::vector<std::u16string> surnameReadings_;
    // Of each surname of the list, in its order: first unit << 16 | second,
    // 0 for one unit.
    std::vector<std::uint32_t> surnameKeys_;
    std::vector<std::u16string> nameReadings_;
    std::vector<std::u16string_view> syllables_;
    std::u16string written_;
};

}  // namespace lorvane
