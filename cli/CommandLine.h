#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ConversionOptions.h"

namespace lorvane::cli {

struct CommandLine {
    std::optional<std::filesystem::path> table;
    ConversionOptions options;
    bool perLine = false;
    bool showHelp = false;
    std::vector<std::filesystem::path> files;  // none: standard input
};

// Throws UsageError.
CommandLine ParseCommandLine(const std::vector<std::filesystem::path>& arguments);

struct UsageError {
    std::string message;
};

extern const char UsageText[];

}  // namespace lorvane::cli
