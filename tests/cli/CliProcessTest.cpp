// Runs lorvane-cli as a separate process, as a user or a script would.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "AppInfo.h"
#include "CaseTableAndWords.h"
#include "ConversionCases.h"
#include "TemporaryFolder.h"
#include "TestText.h"

namespace {

using lorvane::Utf16ToUtf8;
using lorvane::testing::ConversionCase;
using lorvane::testing::ConversionCases;

struct Outcome {
    int exitCode = -1;
    std::string output;
    std::string errors;
    long peakMemoryKb = 0;
};

// How to start the program. Standard output is appended to `outputFile`,
// which is read back when it is the default one.
struct Launch {
    std::vector<std::string> arguments{};
    std::string input{};  // standard input, unless inputFile is set
    std::filesystem::path inputFile{};
    std::filesystem::path outputFile{};
    std::function<void()> inChild{};  // limits, signals, descriptors, just before the program starts
};

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string repeated(const std::string& text, std::size_t times)
{
    std::string result;
    result.reserve(text.size() * times);
    for (std::size_t copy = 0; copy < times; ++copy) result += text;
    return result;
}

// The descriptor as a path the child can open: /proc/self/fd/N.
std::filesystem::path pathOf(int descriptor) { return "/proc/self/fd/" + std::to_string(descriptor); }

// A second process that writes `block` `times` times into a pipe, so that an
// input never exists whole anywhere. It exits 0 when all was written.
struct PipeWriter {
    PipeWriter(const std::string& block, std::size_t times)
    {
        int ends[2];
        if (pipe(ends) != 0) throw std::runtime_error("pipe");
        process = fork();
        if (process == 0) {
            close(ends[0]);
            signal(SIGPIPE, SIG_IGN);
            const std::string chunk = repeated(block, 4096);
            for (std::size_t written = 0; written < times; written += 4096)
                if (::write(ends[1], chunk.data(), chunk.size()) < 0) _exit(1);
            _exit(0);
        }
        close(ends[1]);
        readEnd = ends[0];
    }
    // True when the reader took everything.
    bool wroteAll()
    {
        close(readEnd);
        int status = 0;
        waitpid(process, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    pid_t process = -1;
    int readEnd = -1;
};

class LorvaneCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::ofstream(table_, std::ios::binary) << lorvane::testing::CaseTableFile();
        std::ofstream(words_, std::ios::binary) << lorvane::testing::CaseWordsFile();
    }

    pid_t start(Launch& launch)
    {
        if (launch.inputFile.empty()) launch.inputFile = write("stdin.txt", launch.input);
        if (launch.outputFile.empty()) launch.outputFile = write("stdout.txt", "");
        launch.arguments.insert(launch.arguments.begin(), LORVANE_CLI_PATH);
        const pid_t child = fork();
        if (child == 0) {
            redirect(launch.inputFile, O_RDONLY, STDIN_FILENO);
            redirect(launch.outputFile, O_WRONLY | O_APPEND, STDOUT_FILENO);
            redirect(folder_.path() / "stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
            // No pipe end of the test may stay open in the program.
            for (int descriptor = STDERR_FILENO + 1; descriptor < 1024; ++descriptor) close(descriptor);
            if (launch.inChild) launch.inChild();
            std::vector<char*> argv;
            for (std::string& argument : launch.arguments) argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        return child;
    }

    Outcome finish(pid_t child, const Launch& launch)
    {
        Outcome outcome;
        int status = 0;
        // The kernel's peak for the child would include the test process it
        // was forked from; the peak of the program itself is read while it runs.
        while (waitpid(child, &status, WNOHANG) == 0) {
            outcome.peakMemoryKb = std::max(outcome.peakMemoryKb, peakMemoryKbOf(child));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (launch.outputFile == folder_.path() / "stdout.txt") outcome.output = readFile(launch.outputFile);
        outcome.errors = readFile(folder_.path() / "stderr.txt");
        return outcome;
    }

    Outcome run(Launch launch)
    {
        const pid_t child = start(launch);
        return finish(child, launch);
    }
    Outcome run(std::vector<std::string> arguments, const std::string& input = {})
    {
        return run(Launch{std::move(arguments), input});
    }

    // 0 until the child runs the program: before that it reports the peak of
    // the test process it was forked from.
    static long peakMemoryKbOf(pid_t process)
    {
        const std::string folder = "/proc/" + std::to_string(process);
        std::error_code error;
        if (std::filesystem::read_symlink(folder + "/exe", error) != LORVANE_CLI_PATH) return 0;
        std::ifstream status(folder + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
        return 0;
    }

    static void redirect(const std::filesystem::path& path, int flags, int descriptor)
    {
        const int opened = open(path.c_str(), flags, 0600);
        dup2(opened, descriptor);
        close(opened);
    }

    std::filesystem::path write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder_.path() / name, std::ios::binary) << bytes;
        return folder_.path() / name;
    }

    // Expects the exit code, and the message on standard error.
    static void expectFailure(const Outcome& outcome, int exitCode, const std::string& message)
    {
        EXPECT_EQ(exitCode, outcome.exitCode) << outcome.errors;
        EXPECT_NE(outcome.errors.find("lorvane-cli: " + message), std::string::npos) << outcome.errors;
    }

    static std::string quoted(const std::filesystem::path& path) { return '"' + path.string() + '"'; }

    lorvane::testing::TemporaryFolder folder_;
    // The table and the word data of the conversion cases.
    std::filesystem::path table_ = folder_.path() / "table.dat";
    std::filesystem::path words_ = folder_.path() / "words.dat";
};

// Every conversion case through standard input, which may begin with the
// byte-order mark, by the table and by context.
TEST_F(LorvaneCli, ConvertsTheConversionCases)
{
    for (const ConversionCase& test : ConversionCases()) {
        std::vector<std::string> arguments{"--table", table_};
        arguments.insert(arguments.end(), test.options.begin(), test.options.end());
        const std::string input = "\xEF\xBB\xBF" + Utf16ToUtf8(test.input);
        const Outcome plain = run(arguments, input);
        EXPECT_EQ(0, plain.exitCode) << plain.errors;
        EXPECT_EQ(Utf16ToUtf8(test.output) + "\n", plain.output) << test.where();
        EXPECT_EQ("", plain.errors);
        arguments.insert(arguments.end(), {"--context", "--words", words_});
        EXPECT_EQ(Utf16ToUtf8(test.outputByContext) + "\n", run(arguments, input).output) << test.where() << " by context";
    }
}

TEST_F(LorvaneCli, ReadsFilesInOrderAndConvertsLinesOnTheirOwn)
{
    const auto first = write("first.txt", "重庆\n\n长");
    const auto second = write("second.txt", "\xEF\xBB\xBF庆\r\n");
    EXPECT_EQ("zhong qing chang qing\n", run({"--table", table_, "--single", first, second}).output);
    EXPECT_EQ("zhong qing\n\nchang\nqing\n", run({"--table", table_, "--single", "--lines", first, second}).output);
    EXPECT_EQ("zhong (chong) qing\n\nchang (zhang)\n", run({"--table", table_, "--lines", "--", first}).output);
    EXPECT_EQ("zhong (chong) qing chang (zhang) qing\n", run({"--table", table_, first, "-"}, "庆").output);
}

// More files than the process may hold open: each is opened in its turn.
TEST_F(LorvaneCli, OpensOneInputFileAtATime)
{
    Launch launch{{"--table", table_, "--single"}};
    for (int file = 0; file < 1100; ++file) launch.arguments.push_back(write(std::to_string(file), "庆"));
    launch.inChild = [] {
        const rlimit few{64, 64};
        setrlimit(RLIMIT_NOFILE, &few);
    };
    const Outcome outcome = run(launch);
    EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
    EXPECT_EQ(repeated("qing ", 1099) + "qing\n", outcome.output);
}

TEST_F(LorvaneCli, HelpAndVersionGoToStandardOutput)
{
    const Outcome help = run({"--help"});
    EXPECT_EQ(0, help.exitCode);
    EXPECT_EQ(0u, help.output.rfind("Usage: lorvane-cli", 0));
    EXPECT_NE(help.output.find("Exit status: 0 done, 2 wrong usage, 3 the pinyin table, the word data or a\n"
                               "phrases file cannot be loaded, 4 an input cannot be read, 5 the output cannot\n"
                               "be written."),
              std::string::npos);
    const Outcome version = run({"--version"});
    EXPECT_EQ(0, version.exitCode);
    EXPECT_EQ(std::string("lorvane-cli (Lorvane) ") + lorvane::app::VersionText + "\n", version.output);
}

// Each failure exits with its code, and says on standard error what failed
// and where, before any output is written when it can.
TEST_F(LorvaneCli, FailuresExitWithTheirCodeAndSayWhatFailed)
{
    struct Failure {
        Launch launch;
        int exitCode;
        std::string message;
        std::string output{};
    };
    const auto inFolder = [this] {
        if (chdir(folder_.path().c_str()) != 0) _exit(126);
    };
    // A system without a GBK converter: iconv_open refuses it.
    const auto noGbk = [] {
        setenv("LD_PRELOAD", LORVANE_NO_GBK_LIBRARY, 1);
        setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
    };
    const std::string table = "cannot load the pinyin table ";
    const std::string words = "cannot load the word data ";
    const auto gbkTable = write("gbk.dat", lorvane::testing::Gbk(u"重zhong"));
    const std::string wordData = lorvane::testing::CaseWordsFile();
    std::string damaged = wordData;
    damaged.back() ^= 1;
    const ConversionCase first = ConversionCases().front();
    const auto good = write("good.txt", Utf16ToUtf8(first.input));
    const auto both = write("both.txt", "重");
    const auto absent = folder_.path() / "absent.txt";
    std::vector<Failure> failures = {
        {{{"--table", table_, "--colour"}}, 2, "unknown option --colour\nUsage: lorvane-cli"},
        {{{"--table", "none/pymb.dat"}, {}, {}, {}, inFolder}, 3,
         table + quoted(folder_.path() / "none/pymb.dat") + ": the file does not exist (No such file or directory)"},
        {{{"--table", ""}}, 3, table + "\"\" (an empty file name): the file does not exist"},
        {{{"--table", write("empty.dat", "")}}, 3, table + quoted(folder_.path() / "empty.dat") + ": the file holds no entry"},
        {{{"--table", "/dev/zero"}}, 3, table + "\"/dev/zero\": the file is larger than 67,108,864 bytes"},
        {{{"--table", folder_.path()}}, 3, table + quoted(folder_.path()) + ": the file cannot be read (Is a directory)"},
        {{{"--table", gbkTable}, {}, {}, {}, noGbk}, 3,
         table + quoted(gbkTable) + ": the system cannot decode GBK, the file's encoding (iconv: Invalid argument)"},
        {{{"--table", table_, "--context", "--words", absent}}, 3, words + quoted(absent) + ": the file does not exist"},
        {{{"--table", table_, "--context", "--words", write("empty.dat", "")}}, 3,
         words + quoted(folder_.path() / "empty.dat") + ": the file is empty"},
        {{{"--table", table_, "--context", "--words", write("damaged.dat", damaged)}}, 3,
         words + quoted(folder_.path() / "damaged.dat") + ": the file is damaged"},
        {{{"--table", table_, "--context", "--words", write("cut.dat", wordData.substr(0, 50))}}, 3,
         words + quoted(folder_.path() / "cut.dat") + ": the file is cut short"},
        {{{"--table", table_, "--context", "--words", table_}}, 3, words + quoted(table_) + ": the file is not word data"},
        {{{"--table", table_, "--tone=marks", "--words", words_}}, 3,
         words + quoted(words_) + ": the file has no tones or names (version 1)"},
        {{{"--table", table_, "--names", "--words", words_}}, 3,
         words + quoted(words_) + ": the file has no tones or names (version 1)"},
        {{{"--table", table_, "--words", words_, "--phrases", absent}}, 3,
         "cannot load the phrases " + quoted(absent) + ": the file does not exist"},
        {{{"--table", table_, "--words", words_, "--phrases", write("p.txt", "# 我的词\n重庆 chong qing\n银行 yin\n")}}, 3,
         "cannot load the phrases " + quoted(folder_.path() / "p.txt") +
             ": line 3: the word \"银行\" has 2 characters but 1 syllable"},
        {{{"--table", table_, "--words", words_, "--phrases", write("q.txt", "重庆 chong qeng\n")}}, 3,
         "cannot load the phrases " + quoted(folder_.path() / "q.txt") + ": line 1: \"qeng\" is not a pinyin syllable"},
        {{{"--sandhi"}}, 2, "--sandhi goes with --tone=marks or --tone=numbers\nUsage: lorvane-cli"},
        {{{"--tone", "high"}}, 2, "--tone takes none, marks or numbers, not \"high\"\nUsage: lorvane-cli"},
        {{{"--first-letters", "--tone=numbers"}}, 2, "--first-letters has no tones: it goes without --tone\nUsage:"},
        {{{"--table", table_, good, absent}}, 4, "cannot open " + quoted(absent) + ": No such file or directory"},
        {{{"--table", table_, folder_.path()}}, 4, "cannot read " + quoted(folder_.path()) + ": Is a directory"},
        {{{"--table", table_, ""}}, 4, "cannot open \"\" (an empty file name): No such file or directory"},
        // A closed standard input is not taken for the file opened before it.
        {{{"--table", table_, good, "-"}, {}, {}, {}, [] { close(STDIN_FILENO); }}, 4,
         "cannot read standard input: Bad file descriptor", Utf16ToUtf8(first.output)},
        // Output appended to its own input would grow without end.
        {{{"--table", table_, both}, {}, {}, both}, 4, "cannot read " + quoted(both) + ": input file is output file"},
        {{{"--table", table_}, {}, both, both}, 4, "cannot read standard input: input file is output file"},
        {{{"--table", table_}, "重", {}, "/dev/full"}, 5, "cannot write to standard output: No space left on device"},
        {{{"--help"}, {}, {}, "/dev/full"}, 5, "cannot write to standard output: No space left on device"},
    };
#if !defined(__SANITIZE_ADDRESS__) && !defined(LORVANE_SANITIZED)
    // Too little memory for a 32 MB table.
    const auto large = write("large.dat", "\xD6\xD8" + std::string(32 << 20, 'a'));
    failures.push_back({{{"--table", large}, {}, {}, {}, [] {
                             const rlimit little{64 << 20, 64 << 20};
                             setrlimit(RLIMIT_AS, &little);
                         }},
                        3, table + quoted(large) + ": there is not enough memory"});
#endif
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.message);
        const Outcome outcome = run(failure.launch);
        expectFailure(outcome, failure.exitCode, failure.message);
        EXPECT_EQ(failure.output, outcome.output);
    }
    EXPECT_EQ("重", readFile(both));
}

// Tones, the spoken tones, names and first letters with the data shipped
// beside the program; one output line for every name line, whatever it holds.
TEST_F(LorvaneCli, TonesAndNamesWithTheShippedData)
{
    EXPECT_EQ("chóng qìng yí gè bú shì kàn yi kàn\n",
              run({"--context", "--tone=marks", "--sandhi", "--single"}, "重庆一个不是看一看").output);
    EXPECT_EQ("ZHONG4 (CHONG2) QING4\n", run({"--tone", "numbers", "--case", "upper"}, "重庆").output);
    EXPECT_EQ("cq\n", run({"--context", "--single", "--first-letters", "--separator="}, "重庆").output);
    const std::string longLine(1 << 20, 'x');
    const Outcome names = run({"--names", "--case", "first"},
                              "曾国藩\n\n \t \n欧阳修\r\n单田芳\n" + longLine + "\n\xF0\xA0\x80\x80李\n诸葛亮");
    EXPECT_EQ(0, names.exitCode) << names.errors;
    EXPECT_EQ("Zeng Guofan\n\n\nOuyang Xiu\nShan Tianfang\n\nLi\nZhuge Liang\n", names.output);
    EXPECT_EQ("ZĒNG GUÓFĀN\n", run({"--names", "--tone=marks", "--case=upper"}, "曾国藩").output);
    // The user's own words, the later file winning.
    const auto mine = write("mine.txt", "重庆 zhòng qìng\n长 cháng\n");
    const auto theirs = write("theirs.txt", "\xEF\xBB\xBF重庆 chong2 qing4 # a city\r\n");
    EXPECT_EQ("zhòng qìng cháng dà\n", run({"--phrases", mine, "--tone=marks", "--single"}, "重庆长大").output);
    EXPECT_EQ("chong qing chang da\n", run({"--phrases", mine, "--phrases", theirs, "--single"}, "重庆长大").output);
}

TEST_F(LorvaneCli, StopsAtTheFirstFailedWrite)
{
    // A reader that has gone, with SIGPIPE ignored: 64 MiB are offered, and
    // the program stops long before it has read them all.
    int outputEnds[2];
    ASSERT_EQ(0, pipe(outputEnds));
    close(outputEnds[0]);
    PipeWriter input("重庆长 abc\n", 64u << 20 >> 4);
    const Outcome outcome = run(Launch{{"--table", table_}, {}, pathOf(input.readEnd), pathOf(outputEnds[1]), [] {
        signal(SIGPIPE, SIG_IGN);
    }});
    close(outputEnds[1]);
    expectFailure(outcome, 5, "cannot write to standard output: Broken pipe");
    EXPECT_FALSE(input.wroteAll());
}

TEST_F(LorvaneCli, UsesThePinyinTableBesideItself)
{
    const Outcome outcome = run({}, "中国");
    EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
    EXPECT_EQ("zhong", outcome.output.substr(0, 5));
}

TEST_F(LorvaneCli, StreamsALargeInputInConstantMemory)
{
    const std::size_t repeats = 64u << 20 >> 4;
    PipeWriter input("重庆长 abc\n", repeats);  // 16 bytes
    const Outcome outcome = run(Launch{{"--table", table_, "--lines", "--single"}, {}, pathOf(input.readEnd)});
    EXPECT_TRUE(input.wroteAll());
    EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
    EXPECT_EQ(repeats * std::string("zhong qing chang\n").size(), outcome.output.size());
#if !defined(__SANITIZE_ADDRESS__) && !defined(LORVANE_SANITIZED)
    EXPECT_LT(outcome.peakMemoryKb, 10 * 1024) << "peak memory in KiB";
#endif
}

// By context too, each line on its own.
TEST_F(LorvaneCli, ContextModeConvertsEachLineOnItsOwn)
{
    std::string lines, expected;
    for (const ConversionCase& test : ConversionCases()) {
        if (!test.options.empty() || test.input.find(u'\n') != std::u16string::npos) continue;
        lines += Utf16ToUtf8(test.input) + "\n";
        expected += Utf16ToUtf8(test.outputByContext) + "\n";
    }
    EXPECT_EQ(expected, run({"--table", table_, "--context", "--lines", "--words=" + words_.string()}, lines).output);
}

TEST_F(LorvaneCli, ContextModeStreamsALineWithoutEndInConstantMemory)
{
    // One line of 64 MiB of 重庆 through a pipe; runs are cut every 4,096
    // units, an even number, so every 重 still starts a word.
    const std::size_t wordCount = (64u << 20) / 6 / 4096 * 4096;
    PipeWriter input("重庆", wordCount);
    const Outcome outcome = run(Launch{{"--table", table_, "--context", "--words", words_}, {}, pathOf(input.readEnd)});
    EXPECT_TRUE(input.wroteAll());
    EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
    const std::string word = "chong (zhong) qing ";
    ASSERT_EQ(wordCount * word.size(), outcome.output.size());
    EXPECT_EQ(std::string::npos, outcome.output.find("zhong qing"));
    EXPECT_EQ("chong (zhong) qing\n", outcome.output.substr(outcome.output.size() - word.size()));
#if !defined(__SANITIZE_ADDRESS__) && !defined(LORVANE_SANITIZED)
    EXPECT_LT(outcome.peakMemoryKb, 10 * 1024) << "peak memory in KiB";
#endif
}

// Tables whose readings are long, or many for one character: the output is
// written in bounded pieces, so memory does not grow with it. By context the
// characters stand in one run, which is segmented whole.
TEST_F(LorvaneCli, MemoryStaysBoundedWhateverTheTable)
{
    const auto longReading = write("long.dat", "\xD6\xD8" + std::string(10000, 'a'));
    const auto manyReadings = write("many.dat", repeated("\xD6\xD8zhong\r\n", 27951));
    for (const auto& [table, input] : {std::pair{longReading, repeated("重", 4000)}, std::pair{manyReadings, repeated("重", 200)}}) {
        for (const std::vector<std::string>& mode : {std::vector<std::string>{}, {"--context", "--words", words_}}) {
            Launch launch{{"--table", table}, input, {}, "/dev/null"};
            launch.arguments.insert(launch.arguments.end(), mode.begin(), mode.end());
            const Outcome outcome = run(launch);
            EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
#if !defined(__SANITIZE_ADDRESS__) && !defined(LORVANE_SANITIZED)
            EXPECT_LT(outcome.peakMemoryKb, 16 * 1024) << table << (mode.empty() ? "" : " --context");
#endif
        }
    }
}

// Each line typed, or written into a pipe, is answered before the next
// arrives; at a terminal one Ctrl-D at the start of a line ends the input.
TEST_F(LorvaneCli, AnswersEachLineAsItArrives)
{
    const auto readLine = [](int descriptor) {
        std::string line;
        char byte = 0;
        while (line.empty() || line.back() != '\n') {
            pollfd ready{descriptor, POLLIN, 0};
            if (poll(&ready, 1, 20000) != 1) return line + "<nothing yet>";
            if (::read(descriptor, &byte, 1) != 1) return line + "<end>";
            line += byte;
        }
        return line;
    };
    for (const bool terminal : {true, false}) {
        int inputEnds[2];
        std::filesystem::path inputPath;
        if (terminal) {
            inputEnds[1] = posix_openpt(O_RDWR | O_NOCTTY);
            ASSERT_GE(inputEnds[1], 0);
            ASSERT_EQ(0, grantpt(inputEnds[1]));
            ASSERT_EQ(0, unlockpt(inputEnds[1]));
            inputPath = ptsname(inputEnds[1]);
        } else {
            ASSERT_EQ(0, pipe(inputEnds));
            inputPath = pathOf(inputEnds[0]);
        }
        int outputEnds[2];
        ASSERT_EQ(0, pipe(outputEnds));
        Launch launch{{"--table", table_, "--lines"}, {}, inputPath, pathOf(outputEnds[1])};
        const pid_t child = start(launch);
        if (!terminal) close(inputEnds[0]);
        close(outputEnds[1]);
        EXPECT_EQ(7, ::write(inputEnds[1], "重庆\n", 7));
        EXPECT_EQ("zhong (chong) qing\n", readLine(outputEnds[0])) << (terminal ? "terminal" : "pipe");
        EXPECT_EQ(4, ::write(inputEnds[1], "长\n", 4));
        EXPECT_EQ("chang (zhang)\n", readLine(outputEnds[0])) << (terminal ? "terminal" : "pipe");
        if (terminal)
            EXPECT_EQ(1, ::write(inputEnds[1], "\x04", 1));
        else
            close(inputEnds[1]);
        EXPECT_EQ("<end>", readLine(outputEnds[0]));
        if (HasFailure()) kill(child, SIGKILL);  // it may still wait for input
        EXPECT_EQ(0, finish(child, launch).exitCode);
        if (terminal) close(inputEnds[1]);
        close(outputEnds[0]);
    }
}

}  // namespace
