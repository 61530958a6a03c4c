// Speed of the conversion and of loading the table, on the real pymb.dat and
// on real Chinese text (bench/make_corpus.sh makes it).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "LiteralScan.h"
#include "table/TableConversion.h"
#include "table/TableFile.h"
#include "text/Utf8.h"

namespace {

using namespace lorvane;

// The literal scan compares every character with each filled slot, so it
// gets only the start of the text.
constexpr std::size_t LiteralScanLength = 2000;

std::filesystem::path corpusPath()
{
    const char* fromEnvironment = std::getenv("LORVANE_BENCH_CORPUS");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : LORVANE_BENCH_DEFAULT_CORPUS;
}

std::optional<std::u16string> readCorpus(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return Utf8ToUtf16(bytes.str());
}

void loadTable(PinyinTable& table)
{
    TableFile file(LORVANE_BENCH_TABLE);
    LoadPinyinTable(file, table);
}

std::string readTableBytes()
{
    TableFile file(LORVANE_BENCH_TABLE);
    return file.readAll();
}

void countUnits(benchmark::State& state, std::size_t units)
{
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(units));
    state.counters["units/s"] =
        benchmark::Counter(static_cast<double>(units), benchmark::Counter::kIsIterationInvariantRate);
}

struct Fixture {
    std::unique_ptr<PinyinTable> table = std::make_unique<PinyinTable>();
    std::unique_ptr<PinyinIndex> index;
    std::filesystem::path corpusPath;
    std::optional<std::u16string> corpus;
};

// Without the corpus the text benchmarks report why instead of running.
bool haveCorpus(benchmark::State& state, const Fixture& fixture)
{
    if (fixture.corpus) return true;
    state.SkipWithError(("no corpus at " + fixture.corpusPath.string() + "; run bench/make_corpus.sh").c_str());
    return false;
}

void registerConversions(const Fixture& fixture)
{
    const auto indexed = [&fixture](benchmark::State& state, ConversionOptions options) {
        if (!haveCorpus(state, fixture)) return;
        for (auto _ : state) benchmark::DoNotOptimize(ConvertText(*fixture.index, *fixture.corpus, options));
        countUnits(state, fixture.corpus->size());
    };
    const auto literal = [&fixture](benchmark::State& state, ConversionOptions options) {
        if (!haveCorpus(state, fixture)) return;
        const std::u16string_view text = std::u16string_view(*fixture.corpus).substr(0, LiteralScanLength);
        for (auto _ : state)
            benchmark::DoNotOptimize(testing::LiteralScanConversion(*fixture.table, text, options));
        countUnits(state, text.size());
    };
    ConversionOptions ticked;
    ticked.firstReadingOnly = true;

    benchmark::RegisterBenchmark("Indexed/AllReadings", indexed, ConversionOptions{});
    benchmark::RegisterBenchmark("Indexed/Ticked", indexed, ticked);
    benchmark::RegisterBenchmark("LiteralScan/AllReadings", literal, ConversionOptions{});
    benchmark::RegisterBenchmark("LiteralScan/Ticked", literal, ticked);
}

void registerTableLoading()
{
    const auto microseconds = [](benchmark::internal::Benchmark* benchmark) {
        benchmark->Unit(benchmark::kMicrosecond);
    };
    microseconds(benchmark::RegisterBenchmark("Load/Whole", [](benchmark::State& state) {
        for (auto _ : state) {
            TableFile file(LORVANE_BENCH_TABLE);
            auto table = std::make_unique<PinyinTable>();
            LoadPinyinTable(file, *table);
            const PinyinIndex index(*table);
            benchmark::DoNotOptimize(index.keyCount());
        }
    }));
    microseconds(benchmark::RegisterBenchmark("Load/ReadFile", [](benchmark::State& state) {
        for (auto _ : state) benchmark::DoNotOptimize(readTableBytes());
    }));
    microseconds(benchmark::RegisterBenchmark("Load/Decode", [](benchmark::State& state) {
        const std::string bytes = readTableBytes();
        for (auto _ : state) benchmark::DoNotOptimize(DecodeTableBytes(bytes));
    }));
    microseconds(benchmark::RegisterBenchmark("Load/Parse", [](benchmark::State& state) {
        const std::u16string text = DecodeTableBytes(readTableBytes());
        for (auto _ : state) {
            auto table = std::make_unique<PinyinTable>();
            ParsePinyinTable(text, LORVANE_BENCH_TABLE, *table);
            benchmark::DoNotOptimize(table->PinyinEntryCount);
        }
    }));
    microseconds(benchmark::RegisterBenchmark("Load/BuildIndex", [](benchmark::State& state) {
        PinyinTable table;
        loadTable(table);
        for (auto _ : state) {
            const PinyinIndex index(table);
            benchmark::DoNotOptimize(index.keyCount());
        }
    }));
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    Fixture fixture;
    try {
        loadTable(*fixture.table);
    } catch (const std::exception& error) {
        std::cerr << "conversion_bench: " << error.what() << '\n';
        return 1;
    }
    fixture.index = std::make_unique<PinyinIndex>(*fixture.table);
    fixture.corpusPath = corpusPath();
    fixture.corpus = readCorpus(fixture.corpusPath);
    if (!fixture.corpus)
        std::cerr << "conversion_bench: cannot read the corpus " << fixture.corpusPath
                  << "; run bench/make_corpus.sh or set LORVANE_BENCH_CORPUS\n";

    registerConversions(fixture);
    registerTableLoading();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
