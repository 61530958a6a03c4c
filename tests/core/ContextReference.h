#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readings/ConversionOptions.h"
#include "table/PinyinTable.h"
#include "context/WordData.h"

namespace lorvane::testing {

// The conversion by context written as plainly as possible: runs found unit
// by unit, every word compared at every position, the table scanned slot by
// slot. The fast conversion must agree with it exactly.
class ContextReference {
public:
    ContextReference(const PinyinTable& table, const WordData& words, RaiseLetter raise = ToUpperAscii)
        : table_(table), words_(words), raise_(raise)
    {
    }

    std::u16string convert(std::u16string_view text, ConversionOptions options) const
    {
        std::vector<std::optional<std::u16string>> chosen(text.size());
        std::size_t at = 0;
        while (at < text.size()) {
            if (!charOf(text[at])) {
                chosen[at] = firstTableReading(text[at]);
                ++at;
                continue;
            }
            std::size_t end = at;
            while (end < text.size() && end - at < 4096 && charOf(text[end])) ++end;
            readRun(text.substr(at, end - at), chosen.data() + at);
            at = end;
        }
        std::u16string output;
        for (std::size_t position = 0; position < text.size(); ++position) {
            if (!chosen[position]) continue;
            output.push_back(u' ');
            output += cased(*chosen[position], options.letterCase);
            if (options.firstReadingOnly) continue;
            bool skipped = false;
            for (const std::u16string& other : tableReadings(text[position])) {
                if (!skipped && other == *chosen[position]) {
                    skipped = true;
                    continue;
                }
                output += u" (";
                output += cased(other, options.letterCase);
                output.push_back(u')');
            }
        }
        return output.empty() ? output : output.substr(1);
    }

private:
    const WordData::Char* charOf(char16_t unit) const
    {
        for (const WordData::Char& record : words_.chars)
            if (record.unit == unit) return &record;
        return nullptr;
    }

    std::vector<std::u16string> tableReadings(char16_t unit) const
    {
        std::vector<std::u16string> readings;
        if (unit >= 0xD800 && unit <= 0xDFFF) return readings;
        // Empty slots match nothing, so the scan may stop after the last entry.
        for (std::size_t slot = 0; slot < table_.PinyinEntryCount; ++slot) {
            const std::u16string& entry = table_.slots[slot];
            if (entry.size() >= 2 && entry[0] == unit) readings.push_back(entry.substr(1));
        }
        return readings;
    }

    std::optional<std::u16string> firstTableReading(char16_t unit) const
    {
        const std::vector<std::u16string> readings = tableReadings(unit);
        if (readings.empty()) return std::nullopt;
        return readings[0];
    }

    void readRun(std::u16string_view run, std::optional<std::u16string>* chosen) const
    {
        const std::size_t length = run.size();
        std::vector<std::uint64_t> best(length + 1, 0);
        std::vector<const WordData::Word*> step(length, nullptr);
        for (std::size_t at = length; at-- > 0;) {
            best[at] = charOf(run[at])->singleCost + best[at + 1];
            std::size_t stepLength = 1;
            for (const WordData::Word& word : words_.words) {
                if (run.substr(at, word.length) != words_.unitsOf(word)) continue;
                const std::uint64_t cost = word.cost + best[at + word.length];
                if (cost < best[at] || (cost == best[at] && word.length > stepLength)) {
                    best[at] = cost;
                    step[at] = &word;
                    stepLength = word.length;
                }
            }
        }
        std::vector<std::uint16_t> fromWords(length, NoSyllable);
        for (std::size_t at = 0; at < length;) {
            const WordData::Word* word = step[at];
            if (!word) {
                ++at;
                continue;
            }
            if (word->syllablesStart != WordData::NoReadings)
                for (std::size_t position = 0; position < word->length; ++position)
                    fromWords[at + position] = words_.wordSyllables[word->syllablesStart + position];
            at += word->length;
        }
        for (std::size_t at = 0; at < length; ++at) {
            if (fromWords[at] != NoSyllable) {
                chosen[at] = words_.syllables[fromWords[at]];
                continue;
            }
            const std::optional<std::uint16_t> ruled = ruleReading(run, at);
            const std::uint16_t alone = charOf(run[at])->aloneSyllable;
            if (ruled)
                chosen[at] = words_.syllables[*ruled];
            else if (alone != NoSyllable)
                chosen[at] = words_.syllables[alone];
            else
                chosen[at] = firstTableReading(run[at]);
        }
    }

    std::optional<std::uint16_t> ruleReading(std::u16string_view run, std::size_t at) const
    {
        for (const WordData::Rule& rule : words_.rules) {
            if (rule.target != run[at]) continue;
            const bool holds =
                (rule.kind == RuleKind::PreviousIs && at >= 1 && run[at - 1] == rule.neighbour) ||
                (rule.kind == RuleKind::NextIs && at + 1 < run.size() && run[at + 1] == rule.neighbour) ||
                (rule.kind == RuleKind::AfterReduplication && at >= 2 && run[at - 2] == run[at - 1]);
            if (holds) return rule.syllable;
        }
        return std::nullopt;
    }

    std::u16string cased(std::u16string syllable, LetterCase letterCase) const
    {
        if (letterCase == LetterCase::FirstLetterUpper) syllable[0] = raise_(syllable[0]);
        if (letterCase == LetterCase::AllUpper)
            for (char16_t& unit : syllable) unit = raise_(unit);
        return syllable;
    }

    const PinyinTable& table_;
    const WordData& words_;
    RaiseLetter raise_;
};

}  // namespace lorvane::testing
