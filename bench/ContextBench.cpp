// Speed of the conversion by context and of loading the word data, on the
// real pymb.dat, the word data (LORVANE_BENCH_WORDS, else data/words.dat) and
// real Chinese text (bench/make_corpus.sh makes it); and of reading a file of
// the user's own phrases, made here.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "context/ContextConversion.h"
#include "context/LoadContext.h"
#include "context/PhrasesFile.h"
#include "readings/Tones.h"
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
    LoadedContext toned;  // in tone marks, with the sandhi of 一 and 不 for its own case; none for word data without tones
    std::unique_ptr<PinyinIndex> ordinary;
    std::u16string corpus;
    std::optional<std::u16string> explicitWords;  // words with explicit readings only
};

void registerConversions(const Fixture& fixture)
{
    const auto inContext = [&fixture](benchmark::State& state, ConversionOptions options) {
        for (auto _ : state) benchmark::DoNotOptimize(ConvertTextInContext(*fixture.index, fixture.corpus, options));
        countUnits(state, fixture.corpus.size());
    };
    // As lorvane-cli converts: pieces of 64 KiB of UTF-8, about 22,000 units,
    // the readings handed on in pieces of bounded size.
    struct InPieces {
        const std::u16string* text;
        const ContextIndex* index;
        const Sandhi* sandhi = nullptr;
    };
    const auto inPieces = [](benchmark::State& state, InPieces what) {
        const std::u16string* text = what.text;
        if (!text || !what.index) {
            state.SkipWithError(!text ? "no text of words with explicit readings; run bench/make_corpus.sh"
                                      : "the word data has no tones");
            return;
        }
        constexpr std::size_t Piece = 22000;
        struct : ReadingSink {
            void write(std::u16string_view readings) override { benchmark::DoNotOptimize(readings.data()); }
        } sink;
        for (auto _ : state) {
            ContextConversion conversion(*what.index, {}, what.sandhi);
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
    const ContextIndex* const index = fixture.index.get();
    benchmark::RegisterBenchmark("Context/AllReadingsInPieces", inPieces, InPieces{&fixture.corpus, index});
    benchmark::RegisterBenchmark("Context/ExplicitWordsInPieces", inPieces,
                                 InPieces{fixture.explicitWords ? &*fixture.explicitWords : nullptr, index});
    benchmark::RegisterBenchmark("Context/ToneMarksInPieces", inPieces, InPieces{&fixture.corpus, fixture.toned.index.get()});
    benchmark::RegisterBenchmark("Context/ToneMarksAndSandhiInPieces", inPieces,
                                 InPieces{&fixture.corpus, fixture.toned.index.get(), fixture.toned.sandhi.get()});
    benchmark::RegisterBenchmark("Ordinary/AllReadings", ordinary, ConversionOptions{});
}

// `entries` words of two to four common characters, each entry in one of
// the ways people write syllables: tone numbers, tone marks, no tones.
std::string phrasesFile(std::size_t entries)
{
    struct Common {
        char16_t hanzi;
        const char16_t* toned;
    };
    static constexpr Common common[] = {
        {u'的', u"de5"},   {u'一', u"yi1"},   {u'是', u"shi4"},  {u'不', u"bu4"},    {u'了', u"le5"},
        {u'人', u"ren2"},  {u'我', u"wo3"},   {u'在', u"zai4"},  {u'有', u"you3"},   {u'他', u"ta1"},
        {u'这', u"zhe4"},  {u'中', u"zhong1"}, {u'大', u"da4"},  {u'来', u"lai2"},   {u'上', u"shang4"},
        {u'国', u"guo2"},  {u'个', u"ge4"},   {u'到', u"dao4"},  {u'说', u"shuo1"},  {u'们', u"men5"},
        {u'为', u"wei4"},  {u'子', u"zi3"},   {u'和', u"he2"},   {u'你', u"ni3"},    {u'地', u"di4"},
        {u'出', u"chu1"},  {u'道', u"dao4"},  {u'也', u"ye3"},   {u'时', u"shi2"},   {u'年', u"nian2"},
        {u'就', u"jiu4"},  {u'那', u"na4"},   {u'要', u"yao4"},  {u'下', u"xia4"},   {u'以', u"yi3"},
        {u'生', u"sheng1"}, {u'会', u"hui4"}, {u'自', u"zi4"},   {u'去', u"qu4"},    {u'之', u"zhi1"},
        {u'过', u"guo4"},  {u'家', u"jia1"},  {u'学', u"xue2"},  {u'对', u"dui4"},   {u'可', u"ke3"},
        {u'里', u"li3"},   {u'后', u"hou4"},  {u'小', u"xiao3"}, {u'心', u"xin1"},   {u'多', u"duo1"},
        {u'天', u"tian1"}, {u'而', u"er2"},   {u'能', u"neng2"}, {u'好', u"hao3"},   {u'都', u"dou1"},
        {u'然', u"ran2"},  {u'没', u"mei2"},  {u'日', u"ri4"},   {u'于', u"yu2"},    {u'起', u"qi3"},
        {u'还', u"hai2"},  {u'发', u"fa1"},   {u'成', u"cheng2"}, {u'事', u"shi4"},  {u'想', u"xiang3"},
        {u'看', u"kan4"},  {u'文', u"wen2"},  {u'开', u"kai1"},  {u'手', u"shou3"},  {u'用', u"yong4"},
        {u'方', u"fang1"}, {u'前', u"qian2"}, {u'经', u"jing1"}, {u'长', u"chang2"}, {u'绿', u"lv4"},
        {u'女', u"nv3"},   {u'旅', u"lv3"},   {u'略', u"lve4"},  {u'双', u"shuang1"}, {u'窗', u"chuang1"},
    };
    constexpr ToneStyle styles[] = {ToneStyle::Numbers, ToneStyle::Marks, ToneStyle::None};
    std::minstd_rand random(2024);
    std::string bytes = "# phrases for the benchmark\n";
    std::u16string line;
    for (std::size_t entry = 0; entry < entries; ++entry) {
        const std::size_t length = 2 + random() % 3;
        std::u16string syllables;
        line.clear();
        for (std::size_t character = 0; character < length; ++character) {
            const Common& chosen = common[random() % std::size(common)];
            line += chosen.hanzi;
            syllables += u' ';
            syllables += WriteToned(chosen.toned, styles[entry % std::size(styles)]);
        }
        line += syllables;
        line += u'\n';
        AppendUtf8(line, bytes);
    }
    return bytes;
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
    // What lorvane-cli --phrases adds to a --context start: the file read
    // (below), then its words put into the word data before it is indexed.
    const auto loadContext = [&fixture](benchmark::State& state, std::size_t phraseCount, ToneStyle tones) {
        std::vector<Phrases> phrases;
        if (phraseCount) phrases.push_back(ParsePhrases(phrasesFile(phraseCount), "phrases.txt"));
        ContextSetup setup;
        setup.tones = tones;
        setup.phrases = phrases;
        for (auto _ : state)
            benchmark::DoNotOptimize(LoadContext(*fixture.table, LORVANE_BENCH_TABLE, fixture.wordsPath, setup).index);
    };
    milliseconds(benchmark::RegisterBenchmark("LoadContext/NoPhrases", loadContext, std::size_t{0}, ToneStyle::None));
    milliseconds(benchmark::RegisterBenchmark("LoadContext/100000Phrases", loadContext, std::size_t{100000},
                                              ToneStyle::None));
    if (fixture.toned.index)
        milliseconds(
            benchmark::RegisterBenchmark("LoadContext/ToneMarks", loadContext, std::size_t{0}, ToneStyle::Marks));
    // What each lorvane-cli --phrases takes, on a file far larger than most.
    milliseconds(benchmark::RegisterBenchmark("LoadPhrases/100000Entries", [](benchmark::State& state) {
        const std::string bytes = phrasesFile(100000);
        for (auto _ : state) benchmark::DoNotOptimize(ParsePhrases(bytes, "phrases.txt").entries.size());
        state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
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
        WordData words = LoadWordData(fixture.wordsPath);
        const bool toned = words.tones != nullptr;
        fixture.index = std::make_unique<ContextIndex>(*fixture.table, std::move(words));
        if (toned) {
            ContextSetup toneMarks;
            toneMarks.tones = ToneStyle::Marks;
            toneMarks.sandhi = true;
            fixture.toned = LoadContext(*fixture.table, LORVANE_BENCH_TABLE, fixture.wordsPath, toneMarks);
        }
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
    fixture.explicitWords =
        readCorpus(fromEnvironment("LORVANE_BENCH_EXPLICIT_WORDS", LORVANE_BENCH_DEFAULT_EXPLICIT_WORDS));
    std::cerr << "context_bench: word data " << fixture.wordsPath << ", corpus " << corpusPath << " ("
              << fixture.corpus.size() << " units)\n";

    registerConversions(fixture);
    registerLoading(fixture);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
