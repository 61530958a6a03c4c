#pragma once

#include <algorithm>
#include <sstream>
#include <string>

#include "CaseFiles.h"
#include "WordDataWriter.h"
#include "table/PinyinTable.h"
#include "text/Utf8.h"

namespace lorvane::testing {

// The table of the conversion cases, table.txt: an entry on each line.
inline PinyinTable CaseTable()
{
    PinyinTable table;
    std::istringstream lines{std::string(case_files::Table)};
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) table.slots[table.PinyinEntryCount++] = Utf8ToUtf16(line);
    return table;
}

// table.txt as a program reads its pymb.dat: UTF-8 after the byte-order mark.
inline std::string CaseTableFile() { return std::string(Utf8ByteOrderMark) + std::string(case_files::Table); }

// The word data of the conversion cases, words.txt.
inline WordDataContents CaseWords()
{
    WordDataContents contents;
    const PinyinTable table = CaseTable();
    std::u16string units;
    for (std::size_t slot = 0; slot < table.PinyinEntryCount; ++slot) units.push_back(table.slots[slot][0]);
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    for (const char16_t unit : units) contents.chars.push_back({unit, 100, NoSyllable});

    std::istringstream lines{std::string(case_files::Words)};
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string wordUnits, syllable;
        std::uint16_t cost = 0;
        fields >> wordUnits >> cost;
        WordDataContents::Word word{Utf8ToUtf16(wordUnits), cost, {}};
        while (fields >> syllable) word.syllables.push_back(syllable == "-" ? NoSyllable : contents.syllable(syllable));
        contents.insertWord(word);
    }
    return contents;
}

inline std::string CaseWordsFile() { return WordDataBytes(CaseWords()); }

}  // namespace lorvane::testing
