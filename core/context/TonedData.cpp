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
    const std::vector<ToneData::CharTones>& charTones = tones.charTones;
    const std::vector<std::u16string>& syllables = tones.body.syllables;
    std::vector<std::u16string> toned;
    toned.reserve(slots.size());
    std::vector<std::u16string_view> written;  // the tones of one slot, each once
    for (const std::u16string& slot : slots) {
        if (slot.size() < 2 || IsSurrogate(slot[0])) {
            toned.push_back(slot);
            continue;
        }
        const char16_t unit = slot[0];
        const std::u16string_view reading = std::u16string_view(slot).substr(1);
        const auto found = std::lower_bound(charTones.begin(), charTones.end(), unit,
                                            [](const ToneData::CharTones& record, char16_t wanted) { return record.unit < wanted; });
        written.clear();
        if (found != charTones.end() && found->unit == unit) {
            for (std::uint32_t at = found->begin; at < found->begin + found->count; ++at) {
                const std::u16string& syllable = syllables[tones.charToneSyllables[at]];
                if (TonelessOf(syllable) == reading && std::find(written.begin(), written.end(), syllable) == written.end())
                    written.push_back(syllable);
            }
        }
        if (written.empty()) toned.push_back(slot);
        for (const std::u16string_view syllable : written) {
            std::u16string& entry = toned.emplace_back(1, unit);
            entry += WriteToned(syllable, style);
        }
    }
    return toned;
}

WordData WrittenToned(const ToneData& tones, ToneStyle style)
{
    WordData written = tones.body;
    for (std::u16string& syllable : written.syllables) syllable = WriteToned(syllable, style);
    return written;
}

}  // namespace lorvane
