#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/DataFileError.h"

namespace lorvane {

// The word data of the conversion by context (words.dat): syllables, the
// characters that take part in segmentation, reading rules and words, as the
// file holds them; version 2 adds the same again with toned syllables, and
// the characters' toned readings, surnames and name readings (ToneData).
// Little-endian, checked by CRC-32; see ParseWordData and
// tools/data/words_file.py.
inline constexpr std::uint32_t WordDataVersion = 2;  // the newest this program reads
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

struct ToneData;

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
    std::uint32_t version = WordDataVersion;   // the file's
    // The tone part of a file of version 2; none in version 1.
    std::shared_ptr<ToneData> tones;

    std::u16string_view unitsOf(const Word& word) const { return {wordUnits.data() + word.unitsStart, word.length}; }
};

// The tone part of the word data. Its syllables are toned: the letters a-z
// (v for u with umlaut) and a digit, 1 to 4, or 5 for the neutral tone:
// "zhong4", "lv4", "de5".
struct ToneData {
    // The body with toned syllables: the same sections, the same rules.
    WordData body;

    // Each character's toned readings in order of use, most used first.
    struct CharTones {
        char16_t unit;
        std::uint32_t begin;  // into charToneSyllables
        std::uint8_t count;
    };
    std::vector<CharTones> charTones;  // in increasing order of unit
    std::vector<std::uint16_t> charToneSyllables;

    // Surnames of one or two units and their readings.
    struct Surname {
        std::uint32_t start;  // into surnameUnits and surnameSyllables
        std::uint8_t length;
    };
    std::vector<Surname> surnames;  // in increasing order of their units
    std::vector<char16_t> surnameUnits;
    std::vector<std::uint16_t> surnameSyllables;

    // A character's reading in a given name, where it has its own.
    struct NameReading {
        char16_t unit;
        std::uint16_t syllable;
    };
    std::vector<NameReading> nameReadings;  // in increasing order of unit

    std::u16string_view unitsOf(const Surname& surname) const
    {
        return {surnameUnits.data() + surname.start, surname.length};
    }
    // The toned syllables of a character, most used first; none for a
    // character without a record.
    std::span<const std::uint16_t> tonesOf(char16_t unit) const;
};

// The parts of the word data a conversion needs: the toneless sections, the
// tone part (ToneData), both, or of the tone part only what the table's
// readings in tones need (its syllables and the characters' tones, with the
// surnames and name readings; no body). A part not needed is neither checked
// nor kept, beyond its place in the file; the checksum covers it all the same.
enum class WordDataParts { All, Toneless, Tones, CharTones };

// Checks and reads the bytes of a word data file. `path` (UTF-8) is only used
// in error messages. Throws DataFileError for anything in the parts read that
// is not exactly the format; it never reads outside `bytes`.
WordData ParseWordData(std::string_view bytes, const std::string& path, WordDataParts parts = WordDataParts::All);

// Reads the file at `path` (UTF-8) and parses it. Files over
// MaxDataFileBytes are refused before they are read. Throws DataFileError.
WordData LoadWordData(const std::string& path, WordDataParts parts = WordDataParts::All);

}  // namespace lorvane
