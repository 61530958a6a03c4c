#pragma once

#include "context/PhrasesFile.h"
#include "context/WordData.h"

namespace lorvane {

// The user's own words (a phrases file) put into word data, where they win:
// - a word of several characters takes its entry's readings and the least
//   cost there is, so that segmentation takes it wherever it can stand,
//   whatever the word data holds; an entry for a word the word data holds
//   replaces it;
// - a word of one character sets that character's reading everywhere: alone,
//   in the word data's words and in place of its rules;
// - a later entry for the same word wins over an earlier one.
// Every character of an entry takes part in segmentation; one the word data
// has no record of gets the highest single cost it has.
//
// `toned` is the tone part whose body `words` is, or null for toneless word
// data. An entry's syllable is made to fit: without its tone for toneless
// word data; for toned word data, a syllable given without a tone takes the
// character's most used tone of those letters, where there is one.
void AddUserWords(WordData& words, const Phrases& phrases, const ToneData* toned);

}  // namespace lorvane
