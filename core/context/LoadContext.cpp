#include "context/LoadContext.h"

#include "context/FirstLetters.h"
#include "context/TonedData.h"
#include "datafile/DataFileReader.h"
#include "sys/FilePath.h"

namespace lorvane {

LoadedContext BuildContext(const PinyinTable& table, WordData words, const std::string& wordsPath,
                           const ContextSetup& setup)
{
    LoadedContext loaded;
    if (setup.tones != ToneStyle::None || setup.surnames) {
        RequireTones(words, wordsPath);
        loaded.tones = words.tones;
    }
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
    const std::vector<std::u16string> slots = TonedSlots(table.slots, *loaded.tones, setup.tones);
    loaded.index = std::make_unique<ContextIndex>(slots, WrittenToned(*loaded.tones, setup.tones), options);
    if (setup.sandhi) loaded.sandhi = std::make_unique<Sandhi>(*loaded.index, setup.tones);
    return loaded;
}

LoadedContext LoadContext(const PinyinTable& table, const std::string& tablePath, const std::string& wordsPath,
                          const ContextSetup& setup)
{
    const std::string wordsFullPath = FullPath(wordsPath);
    return WithDataFileErrors(DataFile::Words, wordsFullPath, [&] {
        try {
            return BuildContext(table, LoadWordData(wordsFullPath), wordsFullPath, setup);
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
        const WordData words = LoadWordData(wordsFullPath);
        const std::vector<std::u16string> slots = TonedSlots(table.slots, RequireTones(words, wordsFullPath), style);
        return std::make_unique<PinyinIndex>(slots, style == ToneStyle::Marks ? ToUpperPinyin : ToUpperAscii);
    });
}

}  // namespace lorvane
