#include "context/FirstLetters.h"

#include <algorithm>

#include "text/Utf8.h"

namespace lorvane {
std::u16string_view FirstLetterOf(std::u16string_view reading)
{
    return reading.substr(0, reading.size() >= 2 && IsHighSurrogate(reading[0]) ? 2 : 1);
}

std::vector<std::u16string> FirstLetterSlots(std::span<const std::u16string> slots)
{
    std::vector<std::u16string> shaped;
    shaped.reserve(slots.size());
    for (const std::u16string& slot : slots) {
        if (slot.size() < 2) {
            shaped.push_back(slot);
            continue;
        }
        std::u16string& entry = shaped.emplace_back(1, slot[0]);
        entry += FirstLetterOf(std::u16string_view(slot).substr(1));
    }
    // Equal entries side by side, the earliest first; all but it go.
    std::vector<std::size_t> order(shaped.size());
    for (std::size_t at = 0; at < order.size(); ++at) order[at] = at;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return shaped[a] < shaped[b]; });
    std::vector<bool> repeated(shaped.size(), false);
    for (std::size_t at = 1; at < order.size(); ++at)
        repeated[order[at]] = shaped[order[at]].size() >= 2 && shaped[order[at]] == shaped[order[at - 1]];
    std::vector<std::u16string> kept;
    kept.reserve(shaped.size());
    for (std::size_t at = 0; at < shaped.size(); ++at)
        if (!repeated[at]) kept.push_back(std::move(shaped[at]));
    return kept;
}

WordData FirstLetterWords(WordData words)
{
    for (std::u16string& syllable : words.syllables) syllable = std::u16string(FirstLetterOf(syllable));
    if (words.tones) words.tones.reset();
    return words;
}

}  // namespace lorvane
