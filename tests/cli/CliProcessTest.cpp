// Runs lorvane-cli as a separate process, as a user or a script would.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "AppInfo.h"
#include "TemporaryFolder.h"
#include "TestText.h"
#include "WordDataWriter.h"

namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;
    std::string errors;
    long peakMemoryKb = 0;
};

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

class LorvaneCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::ofstream(table_, std::ios::binary)
            << lorvane::testing::Gbk(u"重zhong\r\n庆qing\r\n重chong\r\n长chang\r\n长zhang\r\n");
    }

    // Runs the tool with `arguments`, its standard input taken from
    // `inputFile` (or a file holding `input`).
    Outcome run(std::vector<std::string> arguments, const std::string& input = {},
                std::filesystem::path inputFile = {})
    {
        if (inputFile.empty()) {
            inputFile = folder_.path() / "stdin.txt";
            std::ofstream(inputFile, std::ios::binary) << input;
        }
        const std::filesystem::path outputFile = folder_.path() / "stdout.txt";
        const std::filesystem::path errorFile = folder_.path() / "stderr.txt";
        arguments.insert(arguments.begin(), LORVANE_CLI_PATH);
        const pid_t child = fork();
        if (child == 0) {
            redirect(inputFile, O_RDONLY, STDIN_FILENO);
            redirect(outputFile, O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
            redirect(errorFile, O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
            std::vector<char*> argv;
            for (std::string& argument : arguments) argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        Outcome outcome;
        int status = 0;
        // The kernel's peak for the child would include the test process it
        // was forked from; the peak of the program itself is read while it runs.
        while (waitpid(child, &status, WNOHANG) == 0) {
            outcome.peakMemoryKb = std::max(outcome.peakMemoryKb, peakMemoryKbOf(child));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.output = readFile(outputFile);
        outcome.errors = readFile(errorFile);
        return outcome;
    }

    static long peakMemoryKbOf(pid_t process)
    {
        std::ifstream status("/proc/" + std::to_string(process) + "/status");
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

    lorvane::testing::TemporaryFolder folder_;
    std::filesystem::path table_ = folder_.path() / "table.dat";
};

TEST_F(LorvaneCli, ConvertsStandardInputAsTheWindowDoes)
{
    const Outcome plain = run({"--table", table_}, "\xEF\xBB\xBF重庆A1\r\n长");
    EXPECT_EQ(0, plain.exitCode) << plain.errors;
    EXPECT_EQ("zhong (chong) qing chang (zhang)\n", plain.output);
    EXPECT_EQ("", plain.errors);

    EXPECT_EQ("Zhong (Chong) Qing\n", run({"--table", table_, "--case", "first"}, "重庆").output);
    EXPECT_EQ("Zhong (Chong) Qing\n", run({"--table=" + table_.string(), "--case=first"}, "重庆").output);
    EXPECT_EQ("ZHONG QING\n", run({"--table", table_, "--case", "upper", "--single"}, "重庆").output);
    EXPECT_EQ("\n", run({"--table", table_, "--case", "lower"}, "abc").output);
    EXPECT_EQ("\n", run({"--table", table_}, "").output);
}

TEST_F(LorvaneCli, ReadsFilesInOrderAndConvertsLinesOnTheirOwn)
{
    const auto first = write("first.txt", "重庆\n\n长");
    const auto second = write("second.txt", "\xEF\xBB\xBF庆\r\n");
    EXPECT_EQ("zhong qing chang qing\n", run({"--table", table_, "--single", first, second}).output);
    EXPECT_EQ("zhong qing\n\nchang\nqing\n",
              run({"--table", table_, "--single", "--lines", first, second}).output);
    EXPECT_EQ("zhong (chong) qing\n\nchang (zhang)\n", run({"--table", table_, "--lines", "--", first}).output);
    EXPECT_EQ("zhong (chong) qing chang (zhang) qing\n", run({"--table", table_, first, "-"}, "庆").output);
}

TEST_F(LorvaneCli, ExitCodesAndMessages)
{
    const Outcome unknown = run({"--table", table_, "--colour"});
    EXPECT_EQ(2, unknown.exitCode);
    EXPECT_NE(unknown.errors.find("unknown option --colour"), std::string::npos);
    EXPECT_NE(unknown.errors.find("usage:"), std::string::npos);
    EXPECT_EQ("", unknown.output);
    EXPECT_EQ(2, run({"--case", "title"}).exitCode);
    EXPECT_EQ(2, run({"--table"}).exitCode);
    const Outcome valueForAFlag = run({"--single=yes"});
    EXPECT_EQ(2, valueForAFlag.exitCode);
    EXPECT_NE(valueForAFlag.errors.find("lorvane-cli: --single takes no value"), std::string::npos);

    const auto missingTable = folder_.path() / "none" / "pymb.dat";
    const Outcome noTable = run({"--table", missingTable});
    EXPECT_EQ(3, noTable.exitCode);
    EXPECT_NE(noTable.errors.find('"' + missingTable.string() + "\": the file does not exist (No such file or directory)"),
              std::string::npos);
    EXPECT_EQ("", noTable.output);
    const Outcome emptyTable = run({"--table", write("empty.dat", "")});
    EXPECT_EQ(3, emptyTable.exitCode);
    EXPECT_NE(emptyTable.errors.find("holds no entry"), std::string::npos);

    const auto good = write("good.txt", "重");
    const Outcome noInput = run({"--table", table_, good, folder_.path() / "absent.txt"});
    EXPECT_EQ(4, noInput.exitCode);
    EXPECT_NE(noInput.errors.find("absent.txt"), std::string::npos);
    EXPECT_EQ("", noInput.output);
    EXPECT_EQ(4, run({"--table", table_, folder_.path()}).exitCode);

    const Outcome help = run({"--help"});
    EXPECT_EQ(0, help.exitCode);
    EXPECT_EQ(0u, help.output.rfind("usage: lorvane-cli", 0));
    EXPECT_NE(help.output.find("Exit status: 0 done, 2 wrong usage, 3 the pinyin table or the word data cannot\n"
                               "be loaded, 4 an input cannot be read, 5 the output cannot be written."),
              std::string::npos);
    const Outcome version = run({"--version"});
    EXPECT_EQ(0, version.exitCode);
    EXPECT_EQ(std::string("lorvane-cli (Lorvane) ") + lorvane::app::VersionText + "\n", version.output);
}

TEST_F(LorvaneCli, UsesThePinyinTableBesideItself)
{
    const Outcome outcome = run({}, "中国");
    EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
    EXPECT_EQ("zhong", outcome.output.substr(0, 5));
}

TEST_F(LorvaneCli, StreamsALargeInputInConstantMemory)
{
    // 64 MiB of text, written by a second process into a pipe, so that the
    // input never exists whole anywhere.
    const std::size_t repeats = 64u << 20 >> 4;
    const std::string block = "重庆长 abc\n";  // 16 bytes
    int pipeEnds[2];
    ASSERT_EQ(0, pipe(pipeEnds));
    const pid_t writer = fork();
    if (writer == 0) {
        close(pipeEnds[0]);
        std::string chunk;
        for (int copy = 0; copy < 4096; ++copy) chunk += block;
        for (std::size_t written = 0; written < repeats; written += 4096)
            if (::write(pipeEnds[1], chunk.data(), chunk.size()) < 0) _exit(1);
        _exit(0);
    }
    close(pipeEnds[1]);
    const Outcome outcome = run({"--table", table_, "--lines", "--single"}, {},
                                "/proc/self/fd/" + std::to_string(pipeEnds[0]));
    close(pipeEnds[0]);
    waitpid(writer, nullptr, 0);
    EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
    EXPECT_EQ(repeats * std::string("zhong qing chang\n").size(), outcome.output.size());
#if !defined(__SANITIZE_ADDRESS__) && !defined(LORVANE_SANITIZED)
    EXPECT_LT(outcome.peakMemoryKb, 10 * 1024) << "peak memory in KiB";
#endif
}

// Word data for the table of these tests: 重庆 reads 重 chong.
std::string contextWords()
{
    lorvane::testing::WordDataSpec spec;
    spec.syllables = {"chong"};
    spec.chars = {{u'庆', 100, lorvane::NoSyllable}, {u'重', 100, lorvane::NoSyllable}};
    spec.words = {{u"重庆", 100, {0, lorvane::NoSyllable}}};
    return lorvane::testing::WordDataBytes(spec);
}

TEST_F(LorvaneCli, ContextModeReadsWordsFromTheWordData)
{
    const auto words = write("words.dat", contextWords());
    const auto file = write("in.txt", "重庆\n重 庆");
    const Outcome outcome = run({"--table", table_, "--context", "--words", words}, "\xEF\xBB\xBF重庆长");
    EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
    EXPECT_EQ("chong (zhong) qing chang (zhang)\n", outcome.output);
    const Outcome firstUpper =
        run({"--table", table_, "--context", "--single", "--case", "first", "--words=" + words.string()}, "重庆");
    EXPECT_EQ("Chong Qing\n", firstUpper.output);
    EXPECT_EQ("chong qing\nzhong qing\n",
              run({"--table", table_, "--context", "--lines", "--single", "--words", words, file}).output);
    EXPECT_EQ("zhong qing zhong qing\n", run({"--table", table_, "--single", file}).output);
}

TEST_F(LorvaneCli, ContextModeFailsOnWordDataItCannotUse)
{
    const auto expectFailure = [&](const std::string& words, const std::string& problem) {
        const Outcome outcome = run({"--table", table_, "--context", "--words", words}, "重庆");
        EXPECT_EQ(3, outcome.exitCode) << words;
        EXPECT_EQ("", outcome.output);
        EXPECT_NE(outcome.errors.find(problem), std::string::npos) << outcome.errors;
    };
    const std::filesystem::path missing = folder_.path() / "none.dat";
    std::string quoted = "\"";
    quoted += missing.string();
    expectFailure(missing, quoted + "\": the file does not exist");
    expectFailure(write("empty.dat", ""), "empty.dat\": the file is empty");
    std::string damaged = contextWords();
    damaged.back() ^= 1;
    expectFailure(write("damaged.dat", damaged), "damaged.dat\": the file is damaged");
    expectFailure(write("cut.dat", contextWords().substr(0, 50)), "cut.dat\": the file is cut short");
    expectFailure(table_, "table.dat\": the file is not word data");
    EXPECT_EQ(2, run({"--table", table_, "--words", table_}).exitCode);
}

TEST_F(LorvaneCli, ContextModeStreamsALineWithoutEndInConstantMemory)
{
    // One line of 64 MiB of 重庆 through a pipe; runs are cut every 4,096
    // units, an even number, so every 重 still starts a word.
    const auto words = write("words.dat", contextWords());
    const std::size_t repeats = 64u << 20 >> 6;
    int pipeEnds[2];
    ASSERT_EQ(0, pipe(pipeEnds));
    const pid_t writer = fork();
    if (writer == 0) {
        close(pipeEnds[0]);
        std::string chunk;
        for (int copy = 0; copy < 4096 * 64 / 6; ++copy) chunk += "重庆";
        for (std::size_t written = 0; written < repeats; written += 4096)
            if (::write(pipeEnds[1], chunk.data(), chunk.size()) < 0) _exit(1);
        _exit(0);
    }
    close(pipeEnds[1]);
    const Outcome outcome = run({"--table", table_, "--context", "--words", words}, {},
                                "/proc/self/fd/" + std::to_string(pipeEnds[0]));
    close(pipeEnds[0]);
    waitpid(writer, nullptr, 0);
    EXPECT_EQ(0, outcome.exitCode) << outcome.errors;
    const std::string word = "chong (zhong) qing ";
    const std::size_t wordCount = repeats / 4096 * (4096 * 64 / 6);
    ASSERT_EQ(wordCount * word.size(), outcome.output.size());
    EXPECT_EQ(std::string::npos, outcome.output.find("zhong qing"));
    EXPECT_EQ("chong (zhong) qing\n", outcome.output.substr(outcome.output.size() - word.size()));
#if !defined(__SANITIZE_ADDRESS__) && !defined(LORVANE_SANITIZED)
    EXPECT_LT(outcome.peakMemoryKb, 10 * 1024) << "peak memory in KiB";
#endif
}

}  // namespace
