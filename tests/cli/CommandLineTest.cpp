#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandLine.h"

namespace lorvane::cli {
namespace {

// What a command line asks for, in one line, or the usage error.
std::string parsed(const std::vector<std::string>& arguments)
{
    CommandLine line;
    try {
        line = ParseCommandLine(arguments);
    } catch (const UsageError& error) {
        return "usage error: " + error.message;
    }
    const char* const cases[] = {"lower", "first", "upper"};
    std::string text = std::string("case ") + cases[static_cast<int>(line.options.letterCase)];
    if (line.table) text += ", table " + *line.table;
    if (line.options.firstReadingOnly) text += ", single";
    if (line.perLine) text += ", lines";
    if (line.context) text += ", context";
    if (line.words) text += ", words " + *line.words;
    const char* const tones[] = {"none", "marks", "numbers"};
    if (line.tones != ToneStyle::None) text += std::string(", tone ") + tones[static_cast<int>(line.tones)];
    if (line.sandhi) text += ", sandhi";
    if (line.names) text += ", names";
    if (line.firstLetters) text += ", first letters";
    if (line.separator != " ") text += ", separator \"" + line.separator + "\"";
    if (line.keepOther) text += ", keep other";
    if (line.showHelp) text += ", help";
    if (line.showVersion) text += ", version";
    for (const std::string& file : line.files) text += ", file " + file;
    return text;
}

TEST(CommandLine, OptionsFilesAndUsageErrors)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "case lower"},
        {{"--table", "t.dat", "--case", "first"}, "case first, table t.dat"},
        {{"--table=t.dat", "--case=upper", "--single"}, "case upper, table t.dat, single"},
        {{"--case", "upper", "--case", "lower"}, "case lower"},
        {{"--lines", "a.txt", "-", "--", "--single", "-x"}, "case lower, lines, file a.txt, file -, file --single, file -x"},
        {{"--context", "--words", "w.dat"}, "case lower, context, words w.dat"},
        {{"--words=w.dat", "--context"}, "case lower, context, words w.dat"},
        {{"--help"}, "case lower, help"},
        {{"-h"}, "case lower, help"},
        {{"--version"}, "case lower, version"},
        {{"--colour"}, "usage error: unknown option --colour"},
        {{"-x"}, "usage error: unknown option -x"},
        {{"--case", "title"}, "usage error: --case takes lower, first or upper, not \"title\""},
        {{"--table"}, "usage error: --table needs a value"},
        {{"--single=yes"}, "usage error: --single takes no value"},
        {{"--words", "w.dat"}, "usage error: --words goes with --context, --tone or --names"},
        {{"--tone=marks", "--words", "w.dat"}, "case lower, words w.dat, tone marks"},
        {{"--tone", "numbers", "--sandhi"}, "case lower, context, tone numbers, sandhi"},
        {{"--names", "--tone=none"}, "case lower, lines, context, names"},
        {{"--tone=high"}, "usage error: --tone takes none, marks or numbers, not \"high\""},
        {{"--sandhi"}, "usage error: --sandhi goes with --tone=marks or --tone=numbers"},
        {{"--first-letters", "--separator=", "--keep-other"}, "case lower, first letters, separator \"\", keep other"},
        {{"--separator", " - "}, "case lower, separator \" - \""},
        {{"--first-letters", "--tone=marks"}, "usage error: --first-letters has no tones: it goes without --tone"},
        {{"--separator=a\nb"}, "usage error: --separator may not hold a line break or a NUL"},
        {{"--names", "--keep-other"}, "usage error: --keep-other does not go with --names"},
        {{"--colour", "--help"}, "case lower, help"},  // help wins, right or wrong
    };
    for (const Case& test : cases) {
        std::string line;
        for (const std::string& argument : test.arguments) line += argument + " ";
        EXPECT_EQ(test.expected, parsed(test.arguments)) << line;
    }
}

}  // namespace
}  // namespace lorvane::cli
