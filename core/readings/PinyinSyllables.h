#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lorvane {

// The syllables of Mandarin in pinyin, without tones, in the letters a to z
// with v for ü: those of the standard table, er, and the interjections m, n,
// ng, hm and hng. Each is known by its number, its place in alphabetical
// order.
inline constexpr std::size_t LongestPinyinSyllable = 6;  // "zhuang"

std::size_t PinyinSyllableCount();
std::string_view PinyinSyllableAt(std::size_t number);
// The number of `letters`, or none where they are no syllable.
std::optional<std::uint16_t> FindPinyinSyllable(std::string_view letters);

}  // namespace lorvane
