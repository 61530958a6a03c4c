#pragma once

#include <optional>
#include <string>
#include <vector>

#include "readings/ConversionOptions.h"

namespace lorvane::cli {

struct CommandLine {
    std::optional<std::string> table;  // paths are UTF-8
    ConversionOptions options;
    bool perLine = false;
    bool context = false;               // readings chosen by context
    std::optional<std::string> words;  // the word data for it
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
