#pragma once

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CaseFiles.h"
#include "readings/ConversionOptions.h"
#include "text/Utf8.h"

namespace lorvane::testing {

// A case of conversion.txt.
struct ConversionCase {
    std::u16string input;
    std::vector<std::string> options;  // as lorvane-cli takes them
    std::u16string output;
    std::u16string outputByContext;
    int line = 0;

    std::string where() const { return "conversion.txt line " + std::to_string(line); }

    // The options as the core's conversions take them; one they do not have
    // throws, so that no case is converted without it unnoticed.
    ConversionOptions conversionOptions() const
    {
        ConversionOptions converted;
        for (std::size_t at = 0; at < options.size(); ++at) {
            const std::string value = options[at] == "--case" && at + 1 < options.size() ? options[++at] : "";
            if (options[at] == "--single")
                converted.firstReadingOnly = true;
            else if (value == "first" || value == "upper" || value == "lower")
                converted.letterCase = value == "first"   ? LetterCase::FirstLetterUpper
                                       : value == "upper" ? LetterCase::AllUpper
                                                          : LetterCase::AsStored;
            else
                throw std::invalid_argument(where() + ": the core has no option " + options[at]);
        }
        return converted;
    }
};

// A text of conversion.txt with its escapes replaced.
inline std::u16string CaseText(const std::string& escaped)
{
    std::string text;
    for (std::size_t at = 0; at < escaped.size(); ++at) {
        char unit = escaped[at];
        if (unit == '\\' && at + 1 < escaped.size()) {
            unit = escaped[++at];
            unit = unit == 'r' ? '\r' : unit == 'n' ? '\n' : unit == 't' ? '\t' : unit;
        }
        text += unit;
    }
    return Utf8ToUtf16(text);
}

// The cases of conversion.txt, in order.
inline std::vector<ConversionCase> ConversionCases()
{
    std::vector<ConversionCase> cases;
    std::istringstream file{std::string(case_files::Conversion)};
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ConversionCase test;
        test.line = ++number;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::u16string> texts;
        std::istringstream fields(line);
        for (std::string field; !(fields >> std::ws).eof();) {
            if (fields.peek() == '"') {
                std::getline(fields.ignore(), field, '"');
                texts.push_back(CaseText(field));
            } else if (fields >> field && texts.size() == 1) {
                test.options.push_back(field);
            } else {
                throw std::runtime_error(test.where() + ": an option outside the options column");
            }
        }
        if (texts.empty()) continue;
        if (texts.size() < 2 || texts.size() > 3)
            throw std::runtime_error(test.where() + ": a case is an input, an output and maybe its output by context");
        test.input = texts[0];
        test.output = texts[1];
        test.outputByContext = texts.back();
        cases.push_back(test);
    }
    return cases;
}

// The cases whose options the core's conversions and the window have too:
// those without the command line's shapes of output.
inline std::vector<ConversionCase> CoreConversionCases()
{
    std::vector<ConversionCase> cases = ConversionCases();
    std::erase_if(cases, [](const ConversionCase& test) {
        return std::any_of(test.options.begin(), test.options.end(), [](const std::string& option) {
            return option == "--first-letters" || option == "--keep-other" || option.starts_with("--separator");
        });
    });
    return cases;
}

// The case of `input` under exactly `options`; throws when there is none.
inline const ConversionCase& CaseOf(const std::vector<ConversionCase>& cases, std::u16string_view input,
                                    const std::vector<std::string>& options)
{
    for (const ConversionCase& test : cases)
        if (test.input == input && test.options == options) return test;
    throw std::runtime_error("conversion.txt has no case of \"" + Utf16ToUtf8(input) + "\" with these options");
}

}  // namespace lorvane::testing
