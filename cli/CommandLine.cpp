#include "CommandLine.h"

#include <string_view>

#include "AppInfo.h"

namespace lorvane::cli {
namespace {

void setLetterCase(CommandLine& commandLine, const std::string& letterCase)
{
    if (letterCase == "lower")
        commandLine.options.letterCase = LetterCase::AsStored;
    else if (letterCase == "first")
        commandLine.options.letterCase = LetterCase::FirstLetterUpper;
    else if (letterCase == "upper")
        commandLine.options.letterCase = LetterCase::AllUpper;
    else
        throw UsageError{"--case takes lower, first or upper, not \"" + letterCase + "\""};
}

struct Option {
    std::string_view name;
    bool takesValue;
    void (*apply)(CommandLine& commandLine, const std::string& value);
};

constexpr Option Options[] = {
    {"--table", true, [](CommandLine& commandLine, const std::string& path) { commandLine.table = path; }},
    {"--case", true, setLetterCase},
    {"--single", false, [](CommandLine& commandLine, const std::string&) { commandLine.options.firstReadingOnly = true; }},
    {"--lines", false, [](CommandLine& commandLine, const std::string&) { commandLine.perLine = true; }},
    {"--context", false, [](CommandLine& commandLine, const std::string&) { commandLine.context = true; }},
    {"--words", true, [](CommandLine& commandLine, const std::string& path) { commandLine.words = path; }},
    {"--help", false, [](CommandLine& commandLine, const std::string&) { commandLine.showHelp = true; }},
    {"-h", false, [](CommandLine& commandLine, const std::string&) { commandLine.showHelp = true; }},
    {"--version", false, [](CommandLine& commandLine, const std::string&) { commandLine.showVersion = true; }},
};

const Option& optionNamed(std::string_view name)
{
    for (const Option& option : Options)
        if (option.name == name) return option;
    throw UsageError{"unknown option " + std::string(name)};
}

}  // namespace

const char UsageText[] =
    "usage: lorvane-cli [--table PATH] [--case lower|first|upper] [--single] [--lines]\n"
    "                   [--context [--words PATH]] [FILE...]\n"
    "Writes the toneless pinyin of Chinese text (UTF-8) to standard output.\n"
    "  --table PATH  the pinyin table (default: pymb.dat beside lorvane-cli)\n"
    "  --case CASE   lower: syllables as stored (default); first: first letter upper\n"
    "                case; upper: all letters upper case\n"
    "  --single      one reading per character, the first the table lists\n"
    "  --lines       convert each input line on its own, one output line each\n"
    "  --context     choose each character's reading from the words it stands in;\n"
    "                with --single that reading alone, otherwise it first and the\n"
    "                others in parentheses\n"
    "  --words PATH  the word data for --context (default: words.dat beside lorvane-cli)\n"
    "  --help        show this text\n"
    "  --version     show the version\n"
    "  FILE...       files to read, one after another; - is standard input\n"
    "                (default: standard input)\n"
    "A value may also follow its option after \"=\": --case=first.\n"
    "Exit status: 0 done, 2 wrong usage, 3 the pinyin table or the word data cannot\n"
    "be loaded, 4 an input cannot be read, 5 the output cannot be written.\n";

std::string VersionText() { return std::string("lorvane-cli (Lorvane) ") + app::VersionText + "\n"; }

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine commandLine;
    // Help wins over every other argument, right or wrong.
    for (const std::string& argument : arguments) {
        if (argument == "--") break;
        if (argument == "--help" || argument == "-h") {
            commandLine.showHelp = true;
            return commandLine;
        }
    }
    bool optionsEnded = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            commandLine.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const Option& option = optionNamed(name);
        std::string value;
        if (equals != std::string::npos) {
            if (!option.takesValue) throw UsageError{name + " takes no value"};
            value = argument.substr(equals + 1);
        } else if (option.takesValue) {
            if (at + 1 == arguments.size()) throw UsageError{name + " needs a value"};
            value = arguments[++at];
        }
        option.apply(commandLine, value);
    }
    if (commandLine.words && !commandLine.context) throw UsageError{"--words goes with --context"};
    return commandLine;
}

}  // namespace lorvane::cli
