#include "context/TonedData.h"

#include <algorithm>

#include "text/Utf8.h"

namespace lorvane {

const ToneData& RequireTones(const WordData& words, const std::string& path)
{
    if (!words.tones)
        throw DataFileError(DataFile::Words, DataFileError::Problem::NoTones, path,
                            "version " + std::to_string(words.version));
    return *words.tones;
}

std::vector<std::u16string> TonedSlots(std::span<const std::u16string> slots, const ToneData& tones, ToneStyle style)
{
    const std::vector<std::u16string>& syllables = tones.body.syllables;
    std::vector<std::u16string> written(syllables.size());
    for (std::size_t syllable = 0; syllable < syllables.size(); ++syllable)
        written[syllable] = WriteToned(syllables[syllable], style);
    std::vector<std::u16string> toned;
    toned.reserve(slots.size());
    std::vector<std::uint16_t> tonesOfSlot;  // each once
    for (const std::u16string& slot : slots) {
        if (slot.size() < 2 || IsSurrogate(slot[0])) {
            toned.push_back(slot);
            continue;
        }
        const char16_t unit = slot[0];
        const std::u16string_view reading = std::u16string_view(slot).substr(1);
        tonesOfSlot.clear();
        for (const std::uint16_t syllable : tones.tonesOf(unit)) {
            const auto same = [&](std::uint16_t kept) { return syllables[kept] == syllables[syllable]; };
            if (TonelessOf(syllables[syllable]) == reading && std::none_of(tonesOfSlot.begin(), tonesOfSlot.end(), same))
                tonesOfSlot.push_back(syllable);
        }
        if (tonesOfSlot.empty()) toned.push_back(slot);
        for (const std::uint16_t syllable : tonesOfSlot) {
            std::u16string& entry = toned.emplace_back(1, unit);
            entry += written[syllable];
        }
    }
    return toned;
}

WordData WrittenToned(WordData toned, ToneStyle style)
{
    for (std::u16string& syllable : toned.syllables) syllable = WriteToned(syllable, style);
    return toned;
}

}  // namespace lorvane
