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
#include "context/NameConversion.h"
#include "text/Utf8.h"
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

// The conversions' data, loaded for what the command line asks.
struct Loaded {
    std::unique_ptr<PinyinIndex> ordinary;  // without --context
    LoadedContext context;                  // with it
};

Loaded loadFor(const cli::CommandLine& commandLine)
{
    const std::string tablePath = commandLine.table.value_or(DefaultTablePath());
    const std::string wordsPath = commandLine.words.value_or(DefaultWordsPath());
    const bool tones = commandLine.tones != ToneStyle::None;
    // The index by context, or that of the readings in tones, is the only one.
    const bool ownIndex = commandLine.context || tones || commandLine.firstLetters;
    LoadedTable table = ownIndex ? LoadTable(tablePath) : LoadTableAndIndex(tablePath);
    std::vector<Phrases> phrases;
    for (const std::string& path : commandLine.phrases) phrases.push_back(LoadPhrases(path));
    Loaded loaded;
    if (commandLine.context)
        loaded.context = LoadContext(*table.table, table.file.path(), wordsPath,
                                     {commandLine.tones, commandLine.sandhi, commandLine.names, commandLine.firstLetters,
                                      phrases});
    else if (tones)
        loaded.ordinary = LoadTonedIndex(*table.table, wordsPath, commandLine.tones);
    else if (commandLine.firstLetters)
        loaded.ordinary = LoadFirstLetterIndex(*table.table, table.file.path());
    else
        loaded.ordinary = std::move(table.index);
    return loaded;
}

std::unique_ptr<cli::InputConverter> converterFor(const cli::CommandLine& commandLine, cli::StandardOutput& output,
                                                  const Loaded& loaded)
{
    const auto write = [&output](std::string_view bytes) { output.write(bytes); };
    const cli::OutputShape shape{Utf8ToUtf16(commandLine.separator), commandLine.keepOther};
    const LoadedContext& context = loaded.context;
    if (commandLine.names)
        return std::make_unique<cli::StreamConverter<NameConversion>>(
            NameConversion(*context.index, *context.tones, commandLine.tones, commandLine.options,
                           context.sandhi.get(), {commandLine.firstLetters, context.ownReadings}),
            commandLine.perLine, write, shape);
    if (commandLine.context)
        return std::make_unique<cli::StreamConverter<ContextConversion>>(
            ContextConversion(*context.index, commandLine.options, context.sandhi.get()), commandLine.perLine, write,
            shape);
    return std::make_unique<cli::StreamConverter<TableConversion>>(TableConversion(*loaded.ordinary, commandLine.options),
                                                                   commandLine.perLine, write, shape);
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
        const Loaded loaded = loadFor(commandLine);
        const std::unique_ptr<cli::InputConverter> converter = converterFor(commandLine, output, loaded);
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
