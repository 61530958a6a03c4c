#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "context/WordData.h"

namespace lorvane::testing {

// Word data described plainly, and its file: the format written out field by
// field, with a checksum computed bit by bit.
struct WordDataBody {
    struct Word {
        std::u16string units;
        std::uint16_t cost = 0;
        std::vector<std::uint16_t> syllables;  // empty: no readings
    };
    std::vector<std::string> syllables;
    std::vector<WordData::Char> chars;  // in increasing order of unit
    std::vector<WordData::Rule> rules;
    std::vector<Word> words;  // in increasing order of units

    // The index of `syllable`, added when new.
    std::uint16_t syllable(const std::string& text)
    {
        for (std::size_t index = 0; index < syllables.size(); ++index)
            if (syllables[index] == text) return static_cast<std::uint16_t>(index);
        syllables.push_back(text);
        return static_cast<std::uint16_t>(syllables.size() - 1);
    }
    // Adds `word` where the order of units puts it.
    void insertWord(Word word)
    {
        const auto byUnits = [](const Word& a, const Word& b) { return a.units < b.units; };
        words.insert(std::upper_bound(words.begin(), words.end(), word, byUnits), std::move(word));
    }
};

// Version 2's tone part; its body's syllables are toned ("zhong4").
struct TonePart {
    WordDataBody body;
    std::vector<std::pair<char16_t, std::vector<std::uint16_t>>> charTones;  // in increasing order of unit
    std::vector<std::pair<std::u16string, std::vector<std::uint16_t>>> surnames;
    std::vector<std::pair<char16_t, std::uint16_t>> nameReadings;
};

// A file of version 1, or of version 2 when it has a tone part.
struct WordDataContents : WordDataBody {
    std::optional<TonePart> tones;
};

inline std::uint32_t PlainCrc32(const std::string& bytes, std::size_t from)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t at = from; at < bytes.size(); ++at) {
        crc ^= static_cast<unsigned char>(bytes[at]);
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

inline void PutU16(std::string& bytes, unsigned value)
{
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8 & 0xFF));
}

inline void PutU32(std::string& bytes, std::uint32_t value)
{
    PutU16(bytes, value & 0xFFFF);
    PutU16(bytes, value >> 16);
}

// Sets the size and checksum fields of a file's header after a change.
inline void Reseal(std::string& bytes)
{
    std::string size, crc;
    PutU32(size, static_cast<std::uint32_t>(bytes.size()));
    bytes.replace(12, 4, size);
    PutU32(crc, PlainCrc32(bytes, 40));
    bytes.replace(16, 4, crc);
}

inline void PutBody(std::string& bytes, const WordDataBody& body)
{
    for (const std::string& syllable : body.syllables) {
        bytes.push_back(static_cast<char>(syllable.size()));
        bytes += syllable;
    }
    for (const WordData::Char& record : body.chars) {
        PutU16(bytes, record.unit);
        PutU16(bytes, record.singleCost);
        PutU16(bytes, record.aloneSyllable);
    }
    for (const WordData::Rule& rule : body.rules) {
        PutU16(bytes, rule.target);
        PutU16(bytes, rule.neighbour);
        PutU16(bytes, rule.syllable);
        bytes.push_back(static_cast<char>(rule.kind));
        bytes.push_back(0);
    }
    for (const WordDataBody::Word& word : body.words) {
        bytes.push_back(static_cast<char>(word.units.size() | (word.syllables.empty() ? 0 : 0x80)));
        PutU16(bytes, word.cost);
        for (const char16_t unit : word.units) PutU16(bytes, unit);
        for (const std::uint16_t syllable : word.syllables) PutU16(bytes, syllable);
    }
}

inline void PutCounts(std::string& bytes, const WordDataBody& body)
{
    for (const std::size_t count : {body.syllables.size(), body.chars.size(), body.rules.size(), body.words.size()})
        PutU32(bytes, static_cast<std::uint32_t>(count));
}

inline std::string WordDataBytes(const WordDataContents& contents)
{
    std::string bytes("LVWORDS\0", 8);
    PutU32(bytes, contents.tones ? 2 : 1);
    PutU32(bytes, 0);  // size and checksum, set at the end
    PutU32(bytes, 0);
    PutCounts(bytes, contents);
    PutU32(bytes, 0);
    PutBody(bytes, contents);
    if (const std::optional<TonePart>& tones = contents.tones) {
        PutCounts(bytes, tones->body);
        for (const std::size_t count : {tones->charTones.size(), tones->surnames.size(), tones->nameReadings.size()})
            PutU32(bytes, static_cast<std::uint32_t>(count));
        PutU32(bytes, 0);
        PutBody(bytes, tones->body);
        for (const auto& [unit, syllables] : tones->charTones) {
            PutU16(bytes, unit);
            bytes.push_back(static_cast<char>(syllables.size()));
            for (const std::uint16_t syllable : syllables) PutU16(bytes, syllable);
        }
        for (const auto& [units, syllables] : tones->surnames) {
            bytes.push_back(static_cast<char>(units.size()));
            for (const char16_t unit : units) PutU16(bytes, unit);
            for (const std::uint16_t syllable : syllables) PutU16(bytes, syllable);
        }
        for (const auto& [unit, syllable] : tones->nameReadings) {
            PutU16(bytes, unit);
            PutU16(bytes, syllable);
        }
    }
    Reseal(bytes);
    return bytes;
}

}  // namespace lorvane::testing
