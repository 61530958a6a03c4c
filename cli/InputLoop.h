#pragma once

#include <string>
#include <vector>

#include "StandardOutput.h"
#include "InputConverter.h"

namespace lorvane::cli {

// Converts the inputs in order ("-" or none: standard input) and writes the
// result to `output`. Every file is checked before the first is read, so
// that a wrong name fails before any output; then they are opened one at a
// time, as cat does. The lines completed are written before each read, so
// that they show while the program waits for more input (a line typed at a
// terminal, say). Throws InputError, OutputError.
void ConvertInputs(const std::vector<std::string>& files, InputConverter& converter, StandardOutput& output);

}  // namespace lorvane::cli
