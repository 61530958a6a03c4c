#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ConversionOptions.h"

namespace lorvane::cli {

struct CommandLine {
    std::optional<std::string> table;  // paths are UTF-8
    ConversionOptions options;
    bool perLine = false;
    bool context = false;               // readings chosen by context
    std::optional<std::string> words;  // the word data for it
    bool showHelp = false;
    std::vector<std::string> files;  // none: standard input
};

// Throws UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);  // UTF-8

struct UsageError {
    std::string message;
};

extern const char UsageText[];

}  // namespace lorvane::cli
