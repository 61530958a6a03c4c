#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lorvane::cli_tests {

// Where lorvane-cli's standard streams go.
enum class Streams {
    Pipes,             // input from a pipe that holds the given text; output and errors into pipes
    Console,           // all three on the test's console
    UnwritableOutput,  // as Pipes, but the output is a file opened for reading only
};

struct Outcome {
    DWORD exitCode = 0;
    std::string output;  // the bytes written, in Pipes mode
    std::string errors;
};

// Runs the lorvane-cli.exe beside the test program with `arguments` and
// waits for it to end.
Outcome RunCli(const std::vector<std::wstring>& arguments, const std::string& input = {},
               Streams streams = Streams::Pipes);

}  // namespace lorvane::cli_tests
