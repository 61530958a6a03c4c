// Speed of the conversion by context and of loading the word data, on the
// real pymb.dat, the word data (LORVANE_BENCH_WORDS, else data/words.dat) and
// real Chinese text (bench/make_corpus.sh makes it).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "context/ContextConversion.h"
#include "table/TableConversion.h"
#include "table/TableFile.h"
#include "text/Utf8.h"

namespace {

using namespace lorvane;

std::string fromEnvironment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

std::optional<std::u16string> readCorpus(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return Utf8ToUtf16(bytes.str());
}

void countUnits(benchmark::State& state, std::size_t units)
{
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(units));
    state.counters["units/s"] =
        benchmark::Counter(static_cast<double>(units), benchmark::Counter::kIsIterationInvariantRate);
}

struct Fixture {
    std::string wordsPath;
    std::unique_ptr<PinyinTable> table = std::make_unique<PinyinTable>();
    std::unique_ptr<ContextIndex> index;
    std::unique_ptr<PinyinIndex> ordinary;
    std::u16string corpus;
    std::optional<std::u16string> specialWords;  // words with special readings only
};

void registerConversions(const Fixture& fixture)
{
    const auto inContext = [&fixture](benchmark::State& state, ConversionOptions options) {
        for (auto _ : state) benchmark::DoNotOptimize(ConvertTextInContext(*fixture.index, fixture.corpus, options));
        countUnits(state, fixture.corpus.size());
    };
    // As lorvane-cli converts: pieces of 64 KiB of UTF-8, about 22,000 units,
    // the readings handed on in pieces of bounded size.
    const auto inPieces = [&fixture](benchmark::State& state, const std::u16string* text) {
        if (!text) {
            state.SkipWithError("no text of special words; run bench/make_corpus.sh");
            return;
        }
        constexpr std::size_t Piece = 22000;
        struct : ReadingSink {
            void write(std::u16string_view readings) override { benchmark::DoNotOptimize(readings.data()); }
        } sink;
        for (auto _ : state) {
            ContextConversion conversion(*fixture.index, {});
            PieceWriter writer(sink);
            for (std::size_t at = 0; at < text->size(); at += Piece)
                conversion.append(std::u16string_view(*text).substr(at, Piece), writer);
            conversion.finish(writer);
            writer.flush();
        }
        countUnits(state, text->size());
    };
    const auto ordinary = [&fixture](benchmark::State& state, ConversionOptions options) {
        for (auto _ : state) benchmark::DoNotOptimize(ConvertText(*fixture.ordinary, fixture.corpus, options));
        countUnits(state, fixture.corpus.size());
    };
    benchmark::RegisterBenchmark("Context/AllReadings", inContext, ConversionOptions{});
    benchmark::RegisterBenchmark("Context/Single", inContext, ConversionOptions{LetterCase::AsStored, true});
    benchmark::RegisterBenchmark("Context/AllReadingsInPieces", inPieces, &fixture.corpus);
    benchmark::RegisterBenchmark("Context/SpecialWordsInPieces", inPieces,
                                 fixture.specialWords ? &*fixture.specialWords : nullptr);
    benchmark::RegisterBenchmark("Ordinary/AllReadings", ordinary, ConversionOptions{});
}

void registerLoading(const Fixture& fixture)
{
    const auto milliseconds = [](benchmark::internal::Benchmark* benchmark) {
        benchmark->Unit(benchmark::kMillisecond);
    };
    // What lorvane-cli --context does on top of loading the table.
    milliseconds(benchmark::RegisterBenchmark("LoadWords/Whole", [&fixture](benchmark::State& state) {
        for (auto _ : state) {
            const ContextIndex index(*fixture.table, LoadWordData(fixture.wordsPath));
            benchmark::DoNotOptimize(&index);
        }
    }));
    milliseconds(benchmark::RegisterBenchmark("LoadWords/ReadAndCheck", [&fixture](benchmark::State& state) {
        for (auto _ : state) benchmark::DoNotOptimize(LoadWordData(fixture.wordsPath).words.size());
    }));
    milliseconds(benchmark::RegisterBenchmark("LoadWords/BuildIndex", [&fixture](benchmark::State& state) {
        const WordData words = LoadWordData(fixture.wordsPath);
        for (auto _ : state) {
            const ContextIndex index(*fixture.table, words);
            benchmark::DoNotOptimize(&index);
        }
    }));
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    Fixture fixture;
    fixture.wordsPath = fromEnvironment("LORVANE_BENCH_WORDS", LORVANE_BENCH_DEFAULT_WORDS);
    const std::string corpusPath = fromEnvironment("LORVANE_BENCH_CORPUS", LORVANE_BENCH_DEFAULT_CORPUS);
    try {
        TableFile tableFile(LORVANE_BENCH_TABLE);
        LoadPinyinTable(tableFile, *fixture.table);
        fixture.index = std::make_unique<ContextIndex>(*fixture.table, LoadWordData(fixture.wordsPath));
    } catch (const std::exception& error) {
        std::cerr << "context_bench: " << error.what()
                  << "\n(set LORVANE_BENCH_WORDS, or make one with bench/make_synthetic_words.py)\n";
        return 1;
    }
    fixture.ordinary = std::make_unique<PinyinIndex>(*fixture.table);
    const std::optional<std::u16string> corpus = readCorpus(corpusPath);
    if (!corpus) {
        std::cerr << "context_bench: cannot read the corpus " << corpusPath << "; run bench/make_corpus.sh\n";
        return 1;
    }
    fixture.corpus = *corpus;
    fixture.specialWords =
        readCorpus(fromEnvironment("LORVANE_BENCH_SPECIAL_WORDS", LORVANE_BENCH_DEFAULT_SPECIAL_WORDS));
    std::cerr << "context_bench: word data " << fixture.wordsPath << ", corpus " << corpusPath << " ("
              << fixture.corpus.size() << " units)\n";

    registerConversions(fixture);
    registerLoading(fixture);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
