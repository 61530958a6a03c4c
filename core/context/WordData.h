#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/DataFileError.h"

namespace lorvane {

// The word data of the conversion by context (words.dat): syllables, the
// characters that take part in segmentation, reading rules and words, as the
// file holds them. Little-endian, checked by CRC-32; see ParseWordData.
inline constexpr std::uint32_t WordDataVersion = 1;
inline constexpr std::size_t WordDataHeaderSize = 40;
inline constexpr std::uint16_t NoSyllable = 0xFFFF;
inline constexpr std::size_t LongestWord = 15;
// Far more than any character needs: a rule names one neighbour.
inline constexpr std::size_t MaxRulesPerUnit = 1024;

enum class RuleKind : std::uint8_t {
    PreviousIs = 0,          // the unit before, in the same run, is the neighbour
    NextIs = 1,              // the unit after, in the same run, is the neighbour
    AfterReduplication = 2,  // the two units before, in the same run, are equal
};

struct WordData {
    struct Char {
        char16_t unit;
        std::uint16_t singleCost;
        std::uint16_t aloneSyllable;  // NoSyllable: the table's first reading
    };
    struct Rule {
        char16_t target;
        char16_t neighbour;
        std::uint16_t syllable;
        RuleKind kind;
    };
    static constexpr std::uint32_t NoReadings = 0xFFFFFFFF;
    struct Word {
        std::uint32_t unitsStart;      // into wordUnits
        std::uint32_t syllablesStart;  // into wordSyllables, or NoReadings
        std::uint16_t cost;
        std::uint8_t length;
    };

    std::vector<std::u16string> syllables;  // a to z
    std::vector<Char> chars;                // in increasing order of unit
    std::vector<Rule> rules;                // in file order
    std::vector<Word> words;                // in increasing order of their units
    std::vector<char16_t> wordUnits;
    std::vector<std::uint16_t> wordSyllables;  // NoSyllable where a word gives no reading
    std::size_t fileBytes = 0;                 // the size of the file it was read from

    std::u16string_view unitsOf(const Word& word) const { return {wordUnits.data() + word.unitsStart, word.length}; }
};

// Checks and reads the bytes of a word data file. `path` (UTF-8) is only used
// in error messages. Throws DataFileError for anything that is not exactly the
// format; it never reads outside `bytes`.
WordData ParseWordData(std::string_view bytes, const std::string& path);

// Reads the file at `path` (UTF-8) and parses it. Files over
// MaxDataFileBytes are refused before they are read. Throws DataFileError.
WordData LoadWordData(const std::string& path);

}  // namespace lorvane
