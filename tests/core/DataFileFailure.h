#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "datafile/DataFileError.h"

namespace lorvane::testing {

// Runs `load`, which must fail on the data file at `path` (a full path):
// the error names the file, and its kind is returned; nothing when it loads.
template <class Load>
std::optional<DataFileError::Problem> FailureOf(Load load, const std::string& path)
{
    try {
        load();
    } catch (const DataFileError& error) {
        EXPECT_EQ(path, error.path());
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        return error.problem();
    }
    return std::nullopt;
}

}  // namespace lorvane::testing
