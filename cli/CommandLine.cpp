#include "CommandLine.h"


namespace lorvane::cli {

const char UsageText[] =
    "usage: lorvane-cli [--table PATH] [--case lower|first|upper] [--single] [--lines]\n"
    "                   [--context [--words PATH]] [FILE...]\n"
    "Writes the toneless pinyin of Chinese text (UTF-8) to standard output.\n"
    "  --table PATH  the pinyin table (default: pymb.dat beside lorvane-cli)\n"
    "  --case        lower: syllables as stored (default); first: first letter upper\n"
    "                case; upper: all letters upper case\n"
    "  --single      one reading per character, the first the table lists\n"
    "  --lines       convert each input line on its own, one output line each\n"
    "  --context     choose each character's reading from the words it stands in;\n"
    "                with --single that reading alone, otherwise it first and the\n"
    "                others in parentheses\n"
    "  --words PATH  the word data for --context (default: words.dat beside lorvane-cli)\n"
    "  FILE...       files to read, one after another (default: standard input)\n";

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine commandLine;
    bool optionsEnded = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            commandLine.files.push_back(arguments[at]);
            continue;
        }
        auto value = [&]() -> const std::string& {
            if (at + 1 == arguments.size()) throw UsageError{argument + " needs a value"};
            return arguments[++at];
        };
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--table") {
            commandLine.table = value();
        } else if (argument == "--case") {
            const std::string& letterCase = value();
            if (letterCase == "lower")
                commandLine.options.letterCase = LetterCase::AsStored;
            else if (letterCase == "first")
                commandLine.options.letterCase = LetterCase::FirstLetterUpper;
            else if (letterCase == "upper")
                commandLine.options.letterCase = LetterCase::AllUpper;
            else
                throw UsageError{"--case takes lower, first or upper, not \"" + letterCase + "\""};
        } else if (argument == "--single") {
            commandLine.options.firstReadingOnly = true;
        } else if (argument == "--lines") {
            commandLine.perLine = true;
        } else if (argument == "--context") {
            commandLine.context = true;
        } else if (argument == "--words") {
            commandLine.words = value();
        } else if (argument.starts_with("--words=")) {
            commandLine.words = argument.substr(8);
        } else if (argument == "--help" || argument == "-h") {
            commandLine.showHelp = true;
        } else {
            throw UsageError{"unknown option " + argument};
        }
    }
    if (commandLine.words && !commandLine.context) throw UsageError{"--words goes with --context"};
    return commandLine;
}

}  // namespace lorvane::cli
