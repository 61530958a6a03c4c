#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/DataFileError.h"

namespace lorvane {

// The user's own words and their readings, from a phrases file: UTF-8 text
// (a byte-order mark at the start is skipped), lines ending in LF or CR LF,
// each a word and its syllables separated by blanks (space, tab, U+3000),
// or nothing; # starts a comment that runs to the end of the line. A word is
// 1 to LongestWord characters of the Basic Multilingual Plane, none of them
// ASCII; each has one syllable, written as ReadWrittenSyllable reads it.

// The longest line, without its end; a longer one is refused, not read.
inline constexpr std::size_t MaxPhrasesLineBytes = 4096;

struct Phrases {
    struct Entry {
        std::uint32_t unitsStart;  // into units, and into syllableOf
        std::uint8_t length;       // in units, 1 to LongestWord
        std::uint32_t line;        // from 1, in its file
    };
    std::vector<Entry> entries;             // in file order; a word may come again
    std::u16string units;                   // the words, one after another
    std::vector<std::uint16_t> syllableOf;  // for each unit, its syllable: an index into syllables
    // Each syllable once, as the word data spells them: "zhong" where its
    // entry gives no tone; where the entry gives a tone anywhere, with its
    // tone ("zhong4", "lv4"), and 5 where it gives none ("de5").
    std::vector<std::u16string> syllables;
    std::size_t fileBytes = 0;  // the size of the file it was read from

    std::u16string_view unitsOf(const Entry& entry) const { return {units.data() + entry.unitsStart, entry.length}; }
};

// Reads the bytes of a phrases file. `path` (UTF-8) is only used in error
// messages. Throws DataFileError (BadContent, naming the line) for anything
// that is not the format, and for more than MaxDataFileBytes (TooLarge).
Phrases ParsePhrases(std::string_view bytes, const std::string& path);

// Reads the file at `path` (UTF-8) and parses it; a file over
// MaxDataFileBytes is refused before it is read. Throws DataFileError.
Phrases LoadPhrases(const std::string& path);

}  // namespace lorvane
