// lorvane-cli: the conversion of the Lorvane window on the command line.

#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ConsoleIo.h"
#include "ContextLoading.h"
#include "ExecutableDirectory.h"
#include "FilePath.h"
#include "InputFile.h"
#include "InputLoop.h"
#include "PinyinIndex.h"
#include "PinyinTableError.h"
#include "StreamConverter.h"
#include "TableFile.h"
#include "TextCoding.h"
#include "WordDataError.h"

namespace {

enum ExitCode { Done = 0, UsageFailure = 2, TableFailure = 3, InputFailure = 4, OutputFailure = 5 };

using namespace lorvane;

void reportError(const std::string& message) { cli::WriteError("lorvane-cli: " + message + "\n"); }

struct LoadedTable {
    std::unique_ptr<PinyinTable> table;
    std::unique_ptr<PinyinIndex> index;
};

// Throws PinyinTableError for every failure, running out of memory included.
LoadedTable loadTable(const std::string& path)
{
    TableFile file(path);
    LoadedTable loaded;
    try {
        loaded.table = std::make_unique<PinyinTable>();
    } catch (const std::bad_alloc&) {
        throw PinyinTableError(PinyinTableError::Kind::OutOfMemory, file.path(), OutOfMemoryReason());
    }
    LoadPinyinTable(file, *loaded.table);
    loaded.index = IndexPinyinTable(*loaded.table, file.path());
    return loaded;
}

int run(const std::vector<std::string>& arguments)
{
    cli::PrepareStandardStreams();
    cli::StandardOutput output;
    try {
        const cli::CommandLine commandLine = cli::ParseCommandLine(arguments);
        if (commandLine.showHelp || commandLine.showVersion) {
            output.write(commandLine.showHelp ? std::string(cli::UsageText) : cli::VersionText());
            output.flush();
            return Done;
        }
        LoadedTable loaded = loadTable(commandLine.table.value_or(DefaultTablePath()));
        std::unique_ptr<ContextIndex> context;
        if (commandLine.context)
            context = cli::LoadContext(*loaded.table, FullPath(commandLine.words.value_or(DefaultWordsPath())));
        loaded.table.reset();

        const auto write = [&output](std::string_view bytes) { output.write(bytes); };
        std::unique_ptr<cli::InputConverter> converter;
        if (context)
            converter = std::make_unique<cli::StreamConverter<ContextConversion>>(
                ContextConversion(*context, commandLine.options), commandLine.perLine, write);
        else
            converter = std::make_unique<cli::StreamConverter<TableConversion>>(
                TableConversion(*loaded.index, commandLine.options), commandLine.perLine, write);
        cli::ConvertInputs(commandLine.files, *converter, output);
        return Done;
    } catch (const cli::UsageError& error) {
        cli::WriteError("lorvane-cli: " + error.message + "\n" + cli::UsageText);
        return UsageFailure;
    } catch (const PinyinTableError& error) {
        reportError(error.what());
        return TableFailure;
    } catch (const WordDataError& error) {
        reportError(error.what());
        return TableFailure;
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
        arguments.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[at])));
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
