// lorvane-cli: the conversion of the Lorvane window on the command line.

#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ContextLoading.h"
#include "ContextStreamConverter.h"
#include "ConsoleIo.h"
#include "ExecutableDirectory.h"
#include "PinyinIndex.h"
#include "PinyinTableError.h"
#include "StreamConverter.h"
#include "TableFile.h"
#include "TextCoding.h"
#include "WordDataError.h"

namespace {

enum ExitCode { Done = 0, UsageFailure = 2, TableFailure = 3, InputFailure = 4, OutputFailure = 5 };

using namespace lorvane;

// Throws PinyinTableError for every failure, running out of memory included.
std::unique_ptr<PinyinTable> loadTable(TableFile& file)
{
    std::unique_ptr<PinyinTable> table;
    try {
        table = std::make_unique<PinyinTable>();
    } catch (const std::bad_alloc&) {
        throw PinyinTableError(PinyinTableError::Kind::OutOfMemory, file.path(), OutOfMemoryReason());
    }
    LoadPinyinTable(file, *table);
    return table;
}

int run(const std::vector<std::string>& arguments)
{
    cli::PrepareStandardStreams();
    cli::CommandLine commandLine;
    try {
        commandLine = cli::ParseCommandLine(arguments);
    } catch (const cli::UsageError& error) {
        cli::WriteError("lorvane-cli: " + error.message + "\n" + cli::UsageText);
        return UsageFailure;
    }
    if (commandLine.showHelp || commandLine.showVersion) {
        cli::StandardOutput output;
        output.write(commandLine.showHelp ? std::string(cli::UsageText) : cli::VersionText());
        return output.flush() ? Done : OutputFailure;
    }

    std::unique_ptr<PinyinTable> table;
    std::unique_ptr<PinyinIndex> loaded;
    try {
        TableFile file(commandLine.table.value_or(DefaultTablePath()));
        table = loadTable(file);
        loaded = IndexPinyinTable(*table, file.path());
    } catch (const PinyinTableError& error) {
        cli::WriteError(std::string("lorvane-cli: ") + error.what() + "\n");
        return TableFailure;
    }
    std::unique_ptr<ContextIndex> context;
    if (commandLine.context) {
        const std::string wordsPath = cli::FullPath(commandLine.words.value_or(DefaultWordsPath()));
        try {
            context = cli::LoadContext(*table, wordsPath);
        } catch (const WordDataError& error) {
            cli::WriteError(std::string("lorvane-cli: ") + error.what() + "\n");
            return TableFailure;
        }
    }
    const PinyinIndex& index = *loaded;
    table.reset();

    // Every input is opened before anything is written, so a wrong name
    // fails at once instead of after a partial output.
    std::vector<std::unique_ptr<cli::InputFile>> inputs;
    try {
        if (commandLine.files.empty()) inputs.push_back(cli::InputFile::StandardInput());
        for (const std::string& file : commandLine.files)
            inputs.push_back(file == "-" ? cli::InputFile::StandardInput()
                                         : std::make_unique<cli::InputFile>(file));
    } catch (const std::runtime_error& error) {
        cli::WriteError(std::string("lorvane-cli: ") + error.what() + "\n");
        return InputFailure;
    }

    cli::StandardOutput output;
    const auto write = [&output](std::string_view bytes) { output.write(bytes); };
    cli::StreamConverter ordinary(index, commandLine.options, commandLine.perLine, write);
    std::optional<cli::ContextStreamConverter> inContext;
    if (context) inContext.emplace(*context, commandLine.options, commandLine.perLine, write);
    std::string chunk;
    const auto convertAll = [&](auto& converter) {
        for (const auto& input : inputs) {
            converter.beginInput();
            while (input->read(chunk)) converter.feed(chunk);
            converter.endInput();
        }
        converter.finish();
    };
    try {
        if (inContext)
            convertAll(*inContext);
        else
            convertAll(ordinary);
    } catch (const std::runtime_error& error) {
        output.flush();
        cli::WriteError(std::string("lorvane-cli: ") + error.what() + "\n");
        return InputFailure;
    }
    if (!output.flush()) {
        cli::WriteError("lorvane-cli: cannot write to standard output\n");
        return OutputFailure;
    }
    return Done;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    std::vector<std::string> arguments;
    for (int at = 1; at < argc; ++at) {
#ifdef _WIN32
        arguments.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[at])));
#else
        arguments.push_back(argv[at]);
#endif
    }
    try {
        return run(arguments);
    } catch (const std::exception& error) {
        cli::WriteError(std::string("lorvane-cli: ") + error.what() + "\n");
        return 1;
    }
}
