#pragma once

#include <span>
#include <string>
#include <vector>

#include "context/WordData.h"
#include "readings/Tones.h"

namespace lorvane {

// The tone part of `words`, loaded from `path` (UTF-8, for the message).
// Throws DataFileError (NoTones) for word data of a version without one.
const ToneData& RequireTones(const WordData& words, const std::string& path);

// The table's slots in tones: each slot's reading becomes the readings the
// tone part gives its character with those letters, one slot each, in their
// order of use ("重zhong" gives "重zhòng", "重zhōng"); a reading it gives
// none of stays as it is. Each tone comes once, so a reading becomes at
// most five.
std::vector<std::u16string> TonedSlots(std::span<const std::u16string> slots, const ToneData& tones, ToneStyle style);

// Word data with toned syllables (ToneData::body) written in `style`, ready
// to be indexed with TonedSlots of the same style.
WordData WrittenToned(WordData toned, ToneStyle style);

}  // namespace lorvane
