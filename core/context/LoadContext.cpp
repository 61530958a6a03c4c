#include "context/LoadContext.h"

#include <algorithm>

#include "context/FirstLetters.h"
#include "context/TonedData.h"
#include "context/UserWords.h"
#include "datafile/DataFileReader.h"
#include "sys/FilePath.h"

namespace lorvane {

LoadedContext BuildContext(const PinyinTable& table, WordData words, const std::string& wordsPath,
                           const ContextSetup& setup)
{
    LoadedContext loaded;
    for (const Phrases& phrases : setup.phrases)
        for (const Phrases::Entry& entry : phrases.entries)
            if (entry.length == 1) loaded.ownReadings.push_back(phrases.units[entry.unitsStart]);
    std::sort(loaded.ownReadings.begin(), loaded.ownReadings.end());
    loaded.ownReadings.erase(std::unique(loaded.ownReadings.begin(), loaded.ownReadings.end()),
                             loaded.ownReadings.end());
    std::shared_ptr<ToneData> tones;
    if (setup.tones != ToneStyle::None || setup.surnames) {
        RequireTones(words, wordsPath);
        tones = std::move(words.tones);
        loaded.tones = tones;
    }
    if (setup.tones == ToneStyle::None)
        for (const Phrases& phrases : setup.phrases) AddUserWords(words, phrases, nullptr);
    if (setup.firstLetters) {
        loaded.index = std::make_unique<ContextIndex>(FirstLetterSlots(table.slots), FirstLetterWords(std::move(words)),
                                                      ContextIndex::Options{});
        return loaded;
    }
    if (setup.tones == ToneStyle::None) {
        loaded.index = std::make_unique<ContextIndex>(table, std::move(words));
        return loaded;
    }
    words = WordData{};  // only its tone part is indexed
    ContextIndex::Options options;
    options.raise = setup.tones == ToneStyle::Marks ? ToUpperPinyin : ToUpperAscii;
    if (setup.sandhi) options.alsoChoosable = Sandhi::Readings(setup.tones);
    const std::vector<std::u16string> slots = TonedSlots(table.slots, *tones, setup.tones);
    // The toned body goes to the index; names read only its syllables. Word
    // data that others hold too keeps its own.
    if (tones.use_count() > 2) {
        tones = std::make_shared<ToneData>(*tones);
        loaded.tones = tones;
    }
    WordData body = std::move(tones->body);
    tones->body = WordData{};
    tones->body.syllables = body.syllables;
    for (const Phrases& phrases : setup.phrases) AddUserWords(body, phrases, tones.get());
    loaded.index = std::make_unique<ContextIndex>(slots, WrittenToned(std::move(body), setup.tones), options);
    if (setup.sandhi) loaded.sandhi = std::make_unique<Sandhi>(*loaded.index, setup.tones);
    return loaded;
}

LoadedContext LoadContext(const PinyinTable& table, const std::string& tablePath, const std::string& wordsPath,
                          const ContextSetup& setup)
{
    const std::string wordsFullPath = FullPath(wordsPath);
    return WithDataFileErrors(DataFile::Words, wordsFullPath, [&] {
        try {
            const WordDataParts parts = setup.tones != ToneStyle::None ? WordDataParts::Tones
                                        : setup.surnames                ? WordDataParts::All
                                                                        : WordDataParts::Toneless;
            return BuildContext(table, LoadWordData(wordsFullPath, parts), wordsFullPath, setup);
        } catch (const IndexTooLarge& error) {
            const std::string& path = error.file() == DataFile::Table ? tablePath : wordsFullPath;
            throw DataFileError(error.file(), DataFileError::Problem::IndexTooLarge, path, error.what());
        }
    });
}

std::unique_ptr<PinyinIndex> LoadTonedIndex(const PinyinTable& table, const std::string& wordsPath, ToneStyle style)
{
    const std::string wordsFullPath = FullPath(wordsPath);
    return WithDataFileErrors(DataFile::Words, wordsFullPath, [&] {
        const WordData words = LoadWordData(wordsFullPath, WordDataParts::CharTones);
        const std::vector<std::u16string> slots = TonedSlots(table.slots, RequireTones(words, wordsFullPath), style);
        return std::make_unique<PinyinIndex>(slots, style == ToneStyle::Marks ? ToUpperPinyin : ToUpperAscii);
    });
}

std::unique_ptr<PinyinIndex> LoadFirstLetterIndex(const PinyinTable& table, const std::string& tablePath)
{
    return WithDataFileErrors(DataFile::Table, tablePath,
                              [&] { return std::make_unique<PinyinIndex>(FirstLetterSlots(table.slots)); });
}

}  // namespace lorvane
