#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "context/WordData.h"

namespace lorvane {

// Readings as their first letters, for search keys and abbreviations:
// 重庆 as "z (c) q", or "c q" by context.

// The first letter of a reading, a surrogate pair whole.
std::u16string_view FirstLetterOf(std::u16string_view reading);

// The table's slots with each reading cut to its first letter ("重zhong"
// gives "重z"); a slot that would repeat an earlier one of its unit ("的de",
// "的di") is left out, so that a character's letters are each written once.
std::vector<std::u16string> FirstLetterSlots(std::span<const std::u16string> slots);

// The word data with each syllable cut to its first letter, to be indexed
// with FirstLetterSlots.
WordData FirstLetterWords(WordData words);

}  // namespace lorvane
