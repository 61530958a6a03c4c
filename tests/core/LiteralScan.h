#pragma once

#include <string>
#include <string_view>

#include "readings/ConversionOptions.h"
#include "table/PinyinTable.h"

namespace lorvane::testing {

// Appends the syllable of a table entry (all but its first character) in the
// letter case the options give.
inline void AppendSyllable(std::u16string& output, const std::u16string& entry, ConversionOptions options)
{
    const std::size_t start = output.size();
    output.append(entry, 1);
    if (options.letterCase == LetterCase::FirstLetterUpper) output[start] = ToUpperAscii(output[start]);
    if (options.letterCase == LetterCase::AllUpper)
        for (std::size_t at = start; at < output.size(); ++at) output[at] = ToUpperAscii(output[at]);
}

// The conversion written as plainly as possible: for every character, a scan
// of the slots in order. The indexed conversion must agree with it exactly.
// Slots keyed by a surrogate and slots holding the Hanzi alone match nothing.
// Empty slots match nothing either, so scanning only the first `slotCount`
// (the filled ones) gives the same output faster.
inline std::u16string LiteralScanConversion(const PinyinTable& table, std::u16string_view text,
                                            ConversionOptions options,
                                            std::size_t slotCount = PinyinTableCapacity)
{
    std::u16string output;
    bool ReadingEmitted = false;
    for (const char16_t ch : text) {
        for (std::size_t slot = 0; slot < slotCount; ++slot) {
            const std::u16string& entry = table.slots[slot];
            if (entry.size() < 2 || entry[0] != ch || (ch >= 0xD800 && ch <= 0xDFFF)) continue;
            if (options.firstReadingOnly) {
                output += u' ';
                AppendSyllable(output, entry, options);
                break;
            }
            if (ReadingEmitted) {
                output += u" (";
                AppendSyllable(output, entry, options);
                output += u')';
            } else {
                output += u' ';
                AppendSyllable(output, entry, options);
                ReadingEmitted = true;
            }
        }
        ReadingEmitted = false;
    }
    if (!output.empty() && output[0] == u' ') output.erase(0, 1);
    return output;
}

}  // namespace lorvane::testing
