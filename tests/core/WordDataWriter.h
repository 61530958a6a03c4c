#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "context/WordData.h"

namespace lorvane::testing {

// Word data described plainly, and its file: the format written out field by
// field, with a checksum computed bit by bit.
struct WordDataContents {
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

inline std::string WordDataBytes(const WordDataContents& contents)
{
    std::string bytes("LVWORDS\0", 8);
    PutU32(bytes, WordDataVersion);
    PutU32(bytes, 0);  // size and checksum, set at the end
    PutU32(bytes, 0);
    for (const std::size_t count : {contents.syllables.size(), contents.chars.size(), contents.rules.size(), contents.words.size()})
        PutU32(bytes, static_cast<std::uint32_t>(count));
    PutU32(bytes, 0);
    for (const std::string& syllable : contents.syllables) {
        bytes.push_back(static_cast<char>(syllable.size()));
        bytes += syllable;
    }
    for (const WordData::Char& record : contents.chars) {
        PutU16(bytes, record.unit);
        PutU16(bytes, record.singleCost);
        PutU16(bytes, record.aloneSyllable);
    }
    for (const WordData::Rule& rule : contents.rules) {
        PutU16(bytes, rule.target);
        PutU16(bytes, rule.neighbour);
        PutU16(bytes, rule.syllable);
        bytes.push_back(static_cast<char>(rule.kind));
        bytes.push_back(0);
    }
    for (const WordDataContents::Word& word : contents.words) {
        bytes.push_back(static_cast<char>(word.units.size() | (word.syllables.empty() ? 0 : 0x80)));
        PutU16(bytes, word.cost);
        for (const char16_t unit : word.units) PutU16(bytes, unit);
        for (const std::uint16_t syllable : word.syllables) PutU16(bytes, syllable);
    }
    Reseal(bytes);
    return bytes;
}

}  // namespace lorvane::testing
