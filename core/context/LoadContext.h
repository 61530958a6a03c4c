#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "context/ContextIndex.h"
#include "context/PhrasesFile.h"
#include "context/Sandhi.h"
#include "context/WordData.h"
#include "readings/Tones.h"
#include "table/PinyinIndex.h"
#include "table/PinyinTable.h"

namespace lorvane {

// What the conversion by context is built with.
struct ContextSetup {
    ToneStyle tones = ToneStyle::None;
    bool sandhi = false;      // with tones only
    bool surnames = false;    // the tone part is kept for names, even without tones
    bool firstLetters = false;  // readings as their first letters; without tones
    std::span<const Phrases> phrases;  // the user's own words, later files winning
};

struct LoadedContext {
    std::unique_ptr<ContextIndex> index;
    std::shared_ptr<const ToneData> tones;  // with tones or surnames
    std::unique_ptr<Sandhi> sandhi;         // with sandhi
    // The units that the user's one-character phrases read, in increasing
    // order; names give them these readings over the surname list's.
    std::vector<char16_t> ownReadings;
};

// Indexes `words`, read from `wordsPath` (UTF-8, for messages), with the
// table, in tones where they are asked for. Throws DataFileError (NoTones)
// where they are needed and the word data has none, IndexTooLarge past the
// index's budget.
LoadedContext BuildContext(const PinyinTable& table, WordData words, const std::string& wordsPath,
                           const ContextSetup& setup);

// Loads the word data at `wordsPath` (UTF-8) and indexes it with the table
// loaded from `tablePath`, in tones where they are asked for. Throws
// DataFileError for every failure, running out of memory included, naming
// the file that causes it: the word data (NoTones where it has none and
// they are needed), or the table where its readings would make the index
// too large.
LoadedContext LoadContext(const PinyinTable& table, const std::string& tablePath, const std::string& wordsPath,
                          const ContextSetup& setup);

// The ordinary conversion's index with the table's readings in tones
// (TonedSlots), which the word data at `wordsPath` gives.
std::unique_ptr<PinyinIndex> LoadTonedIndex(const PinyinTable& table, const std::string& wordsPath, ToneStyle style);

// The ordinary conversion's index with the table's readings cut to their
// first letters (FirstLetterSlots); errors name the table at `tablePath`.
std::unique_ptr<PinyinIndex> LoadFirstLetterIndex(const PinyinTable& table, const std::string& tablePath);

}  // namespace lorvane
