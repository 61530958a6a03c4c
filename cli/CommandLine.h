#pragma once

#include <optional>
#include <string>
#include <vector>

#include "readings/ConversionOptions.h"
#include "readings/Tones.h"

namespace lorvane::cli {

struct CommandLine {
    std::optional<std::string> table;  // paths are UTF-8
    ConversionOptions options;
    bool perLine = false;
    bool context = false;               // readings chosen by context
    ToneStyle tones = ToneStyle::None;
    bool sandhi = false;                // spoken tones of 一 and 不; by context
    bool names = false;                 // each line a name; by context, line by line
    std::optional<std::string> words;  // the word data for context, tones and names
    bool firstLetters = false;          // each syllable as its first letter
    std::string separator = " ";        // between characters' readings, UTF-8
    bool keepOther = false;             // units without readings written where they stand
    std::vector<std::string> phrases;   // files of the user's own words; by context
    bool showHelp = false;
    bool showVersion = false;
    std::vector<std::string> files;  // none: standard input
};

// Options take their value as the next argument or after "=": "--case first"
// or "--case=first". Throws UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);  // UTF-8

struct UsageError {
    std::string message;
};

extern const char UsageText[];
// "lorvane-cli (Lorvane) 1.2.0.29", from the project's version.
std::string VersionText();

}  // namespace lorvane::cli
