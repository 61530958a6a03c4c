// Times Lorvane.exe from outside, as a user meets it: from CreateProcess to
// the visible main window, and a press of Convert on large inputs (until the
// click handler returns). Prints the median of several runs.
//
// gui_bench.exe CORPUS [RUNS [LARGE_RUNS]]
//   CORPUS      UTF-8 Chinese text, such as bench/corpus/chinese.txt
//   RUNS        runs of each measure (5)
//   LARGE_RUNS  runs of Convert on 1 MB (3): each fills the input box anew,
//               which takes Wine's rich edit box about half a minute. Its
//               conversion over a full output box is timed once: minutes.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "LorvaneProcess.h"
#include "MainWindow.h"
#include "WindowQuery.h"

namespace {

using lorvane::e2e::LorvaneProcess;
using lorvane::e2e::MainWindow;
using lorvane::e2e::Milliseconds;
using lorvane::e2e::SetTextOf;
using Clock = std::chrono::steady_clock;

constexpr std::size_t MegabyteOfText = 1 << 20;
constexpr std::size_t ShortInputCharacters = 40'000;
constexpr wchar_t NotConvertedYet[] = L"〔尚未转换〕";

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string runsOf(const std::vector<double>& values)
{
    std::string list;
    for (const double value : values) list += (list.empty() ? "" : ", ") + std::to_string(std::lround(value));
    return list;
}

std::string readFile(const wchar_t* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read the corpus " + lorvane::testing::Utf8(path));
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// At most `limit` bytes, ending on a whole UTF-8 character.
std::string utf8Prefix(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

// UTF-16 with Windows line ends, as text pasted into the box would be.
std::wstring windowsText(const std::string& utf8)
{
    const std::wstring wide = lorvane::testing::Wide(utf8);
    std::wstring text;
    text.reserve(wide.size() + wide.size() / 20);
    for (const wchar_t unit : wide) {
        if (unit == L'\n' && (text.empty() || text.back() != L'\r')) text += L'\r';
        text += unit;
    }
    return text;
}

std::vector<double> timeStartUp(int runs)
{
    std::vector<double> times;
    for (int run = -1; run < runs; ++run) {  // run -1 warms Wine up and is not counted
        const Clock::time_point start = Clock::now();
        LorvaneProcess process;
        const HWND window = process.waitForMainWindow(Milliseconds(60'000), Milliseconds(1));
        const double elapsed = millisecondsSince(start);
        if (run >= 0) times.push_back(elapsed);
        PostMessageW(window, WM_CLOSE, 0, 0);
        process.waitForExit(Milliseconds(10'000));
    }
    return times;
}

constexpr Milliseconds LongTextTimeout(30 * 60'000);

// One click on `button`, timed until its handler returns; `took` tells
// whether it was handled, as a click now and then goes astray under Wine.
template <typename Took>
double timeClick(HWND button, Took took)
{
    for (;;) {
        const Clock::time_point start = Clock::now();
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, static_cast<UINT>(LongTextTimeout.count()),
                                 &ignored))
            throw std::runtime_error("a click was not handled within 30 minutes");
        const double elapsed = millisecondsSince(start);
        if (took()) return elapsed;
    }
}

struct ConvertTimes {
    std::vector<double> intoEmptyOutput;
    std::vector<double> againOverFullOutput;
    std::size_t outputCharacters = 0;
};

// Each run in a fresh Lorvane, as Wine's rich edit box is slow to take a
// long text out: Convert into the empty output box, then, in the first
// `againRuns` runs, a click on the first letter option, which converts again
// and replaces that output.
ConvertTimes timeConvert(const std::wstring& input, int runs, int againRuns)
{
    ConvertTimes times;
    for (int run = 0; run < runs; ++run) {
        LorvaneProcess process;
        const MainWindow window(process.waitForMainWindow());
        SetTextOf(window.inputBox, input, LongTextTimeout);
        SetTextOf(window.outputBox, NotConvertedYet);
        times.intoEmptyOutput.push_back(
            timeClick(window.convertButton, [&] { return window.output() != NotConvertedYet; }));
        times.outputCharacters = static_cast<std::size_t>(SendMessageW(window.outputBox, WM_GETTEXTLENGTH, 0, 0));
        if (run < againRuns)
            times.againOverFullOutput.push_back(timeClick(
                window.firstUpperCaseOption, [&] { return window.isSelected(window.firstUpperCaseOption); }));
        std::printf("  (run %d: %.0f ms)\n", run + 1, times.intoEmptyOutput.back());
    }
    return times;
}

void report(const char* what, const std::vector<double>& times)
{
    std::printf("%-58s %9.0f ms   (runs: %s)\n", what, median(times), runsOf(times).c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    try {
        if (argc < 2) {
            std::fprintf(stderr, "usage: gui_bench CORPUS [RUNS [LARGE_RUNS]]\n");
            return 2;
        }
        const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
        const int largeRuns = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
        const std::string corpus = readFile(argv[1]);
        const std::string megabyte = utf8Prefix(corpus, MegabyteOfText);
        const std::wstring largeInput = windowsText(megabyte);
        const std::wstring shortInput = largeInput.substr(0, ShortInputCharacters);

        std::setvbuf(stdout, nullptr, _IONBF, 0);
        std::printf("Lorvane.exe under Wine: medians of %d runs (%d on 1 MB)\n", runs, largeRuns);
        report("start-up: CreateProcess to visible main window", timeStartUp(runs));

        for (const std::wstring* input : {&shortInput, &largeInput}) {
            const bool large = input == &largeInput;
            const ConvertTimes times = timeConvert(*input, large ? largeRuns : runs, large ? 1 : runs);
            const std::string size = large ? std::to_string(megabyte.size()) + " bytes UTF-8, " : "";
            const std::string label = "Convert, " + size + std::to_string(input->size()) + " characters -> " +
                                      std::to_string(times.outputCharacters);
            report(label.c_str(), times.intoEmptyOutput);
            report("  first letter option: converts again over that output", times.againOverFullOutput);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gui_bench: %s\n", error.what());
        return 1;
    }
}
