// lorvane-cli: the conversion of the Lorvane window on the command line.

#include <memory>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "InputFile.h"
#include "InputLoop.h"
#include "StandardOutput.h"
#include "StreamConverter.h"
#include "context/LoadContext.h"
#include "datafile/DataFileError.h"
#include "sys/Console.h"
#include "table/DataFiles.h"
#include "table/LoadTable.h"

#ifdef _WIN32
#include "text/WideText.h"
#endif

namespace {

enum ExitCode { Done = 0, UsageFailure = 2, DataFileFailure = 3, InputFailure = 4, OutputFailure = 5 };

using namespace lorvane;

void reportError(const std::string& message) { cli::WriteError("lorvane-cli: " + message + "\n"); }

// By context when `context` is given, else by the table alone.
std::unique_ptr<cli::InputConverter> converterFor(const cli::CommandLine& commandLine, cli::StandardOutput& output,
                                                  const PinyinIndex* index, const ContextIndex* context)
{
    const auto write = [&output](std::string_view bytes) { output.write(bytes); };
    if (context)
        return std::make_unique<cli::StreamConverter<ContextConversion>>(
            ContextConversion(*context, commandLine.options), commandLine.perLine, write);
    return std::make_unique<cli::StreamConverter<TableConversion>>(TableConversion(*index, commandLine.options),
                                                                   commandLine.perLine, write);
}

int run(const std::vector<std::string>& arguments)
{
    PrepareStandardStreams();
    cli::StandardOutput output;
    try {
        const cli::CommandLine commandLine = cli::ParseCommandLine(arguments);
        if (commandLine.showHelp || commandLine.showVersion) {
            output.write(commandLine.showHelp ? std::string(cli::UsageText) : cli::VersionText());
            output.flush();
            return Done;
        }
        // By context, the index by context is the only one.
        const std::string tablePath = commandLine.table.value_or(DefaultTablePath());
        LoadedTable loaded = commandLine.context ? LoadTable(tablePath) : LoadTableAndIndex(tablePath);
        std::unique_ptr<ContextIndex> context;
        if (commandLine.context)
            context = LoadContextIndex(*loaded.table, loaded.file.path(), commandLine.words.value_or(DefaultWordsPath()));
        loaded.table.reset();

        const std::unique_ptr<cli::InputConverter> converter =
            converterFor(commandLine, output, loaded.index.get(), context.get());
        cli::ConvertInputs(commandLine.files, *converter, output);
        return Done;
    } catch (const cli::UsageError& error) {
        cli::WriteError("lorvane-cli: " + error.message + "\n" + cli::UsageText);
        return UsageFailure;
    } catch (const DataFileError& error) {
        reportError(error.what());
        return DataFileFailure;
    } catch (const cli::InputError& error) {
        // What was converted before the failure is still written; if that
        // fails too, the input's failure is still the one reported.
        try {
            output.flush();
        } catch (const cli::OutputError&) {
        }
        reportError(error.what());
        return InputFailure;
    } catch (const cli::OutputError& error) {
        reportError(error.what());
        return OutputFailure;
    }
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
        arguments.push_back(WideToUtf8(argv[at]));
#else
        arguments.push_back(argv[at]);
#endif
    }
    try {
        return run(arguments);
    } catch (const std::exception& error) {
        reportError(error.what());
        return 1;
    }
}
