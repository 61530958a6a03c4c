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

void setTones(CommandLine& commandLine, const std::string& style)
{
    if (style == "none")
        commandLine.tones = ToneStyle::None;
    else if (style == "marks")
        commandLine.tones = ToneStyle::Marks;
    else if (style == "numbers")
        commandLine.tones = ToneStyle::Numbers;
    else
        throw UsageError{"--tone takes none, marks or numbers, not \"" + style + "\""};
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
    {"--tone", true, setTones},
    {"--sandhi", false, [](CommandLine& commandLine, const std::string&) { commandLine.sandhi = true; }},
    {"--names", false, [](CommandLine& commandLine, const std::string&) { commandLine.names = true; }},
    {"--words", true, [](CommandLine& commandLine, const std::string& path) { commandLine.words = path; }},
    {"--first-letters", false, [](CommandLine& commandLine, const std::string&) { commandLine.firstLetters = true; }},
    {"--separator", true, [](CommandLine& commandLine, const std::string& text) { commandLine.separator = text; }},
    {"--keep-other", false, [](CommandLine& commandLine, const std::string&) { commandLine.keepOther = true; }},
    {"--phrases", true, [](CommandLine& commandLine, const std::string& path) { commandLine.phrases.push_back(path); }},
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
    "Usage: lorvane-cli [OPTION]... [FILE]...\n"
    "Writes the pinyin of Chinese text (UTF-8) to standard output, one line for\n"
    "all the input unless --lines or --names is given.\n"
    "\n"
    "Options:\n"
    "  --table PATH      the pinyin table (default: pymb.dat beside lorvane-cli,\n"
    "                    or for an installed lorvane-cli in ../share/lorvane)\n"
    "  --case CASE       lower: syllables as stored (default); first: first\n"
    "                    letter upper case; upper: all letters upper case\n"
    "  --single          one reading per character, the first the table lists\n"
    "  --lines           convert each input line on its own, one output line each\n"
    "  --context         choose each character's reading from the words it stands\n"
    "                    in; with --single that reading alone, otherwise it first\n"
    "                    and the others in parentheses\n"
    "  --tone STYLE      none: no tones (default); marks: zh\u00F2ng q\u00ECng, l\u01DC, de;\n"
    "                    numbers: zhong4 qing4, lv4, de5 (5 is the neutral tone)\n"
    "  --sandhi          with --tone, the spoken tones of \u4E00 and \u4E0D: y\u00ED g\u00E8,\n"
    "                    b\u00FA sh\u00EC, k\u00E0n yi k\u00E0n; by context\n"
    "  --names           each line is a person's name: surname, then given name,\n"
    "                    each one word (--case first: Zeng Guofan); by context\n"
    "  --first-letters   each syllable as its first letter: z (c) q; not with\n"
    "                    --tone\n"
    "  --separator TEXT  what stands between characters' readings instead of a\n"
    "                    blank: --separator=- gives chong-qing, --separator=\n"
    "                    joins them\n"
    "  --keep-other      write what has no reading (letters, digits, punctuation,\n"
    "                    line breaks) where it stands: iPhone 15 fa bu le\n"
    "  --phrases FILE    your own words, one a line: the word, then its syllables\n"
    "                    (\u91CD\u5E86 chong qing); they win over the word data;\n"
    "                    may be given more than once; by context\n"
    "  --words PATH      the word data for --context, --tone, --names and\n"
    "                    --phrases (default: words.dat where the pinyin table's\n"
    "                    default is)\n"
    "  -h, --help        show this text\n"
    "  --version         show the version\n"
    "  FILE...           files to read, one after another; - is standard input\n"
    "                    (default: standard input)\n"
    "A value may also follow its option after \"=\": --case=first.\n"
    "\n"
    "Exit status: 0 done, 2 wrong usage, 3 the pinyin table, the word data or a\n"
    "phrases file cannot be loaded, 4 an input cannot be read, 5 the output cannot\n"
    "be written.\n";

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
    if (commandLine.sandhi && commandLine.tones == ToneStyle::None)
        throw UsageError{"--sandhi goes with --tone=marks or --tone=numbers"};
    if (commandLine.firstLetters && commandLine.tones != ToneStyle::None)
        throw UsageError{"--first-letters has no tones: it goes without --tone"};
    if (commandLine.separator.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        throw UsageError{"--separator may not hold a line break or a NUL"};
    if (commandLine.keepOther && commandLine.names) throw UsageError{"--keep-other does not go with --names"};
    // The spoken tones and names follow the readings chosen by context.
    if (commandLine.sandhi || commandLine.names || !commandLine.phrases.empty()) commandLine.context = true;
    if (commandLine.names) commandLine.perLine = true;
    if (commandLine.words && !commandLine.context && commandLine.tones == ToneStyle::None)
        throw UsageError{"--words goes with --context, --tone or --names"};
    return commandLine;
}

}  // namespace lorvane::cli
