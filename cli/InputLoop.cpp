#include "InputLoop.h"

#include "InputFile.h"

namespace lorvane::cli {

void ConvertInputs(const std::vector<std::string>& files, InputConverter& converter, StandardOutput& output)
{
    const std::vector<std::string> inputs = files.empty() ? std::vector<std::string>{"-"} : files;
    const std::optional<FileIdentity> outputFile = StandardOutputFile();
    for (const std::string& input : inputs)
        if (input != "-") CheckInputFile(input, outputFile);

    std::string chunk;
    for (const std::string& input : inputs) {
        InputFile file(input, outputFile);
        converter.beginInput();
        for (;;) {
            output.flushLines();
            if (!file.read(chunk)) break;
            converter.feed(chunk);
        }
        converter.endInput();
    }
    converter.finish();
    output.flush();
}

}  // namespace lorvane::cli
