#include "context/NameConversion.h"

#include <algorithm>
#include <utility>

#include "context/FirstLetters.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

// One or two units as one number, in the order of the units.
std::uint32_t keyOf(std::u16string_view units)
{
    return static_cast<std::uint32_t>(units[0]) << 16 | (units.size() > 1 ? units[1] : 0);
}

std::u16string_view withoutBlank(std::u16string_view reading)
{
    return reading.empty() || reading.back() != u' ' ? reading : reading.substr(0, reading.size() - 1);
}

}  // namespace

NameConversion::NameConversion(const ContextIndex& index, const ToneData& tones, ToneStyle style,
                               ConversionOptions options, const Sandhi* sandhi, NameShape shape)
    : index_(index), tones_(tones), letterCase_(options.letterCase), shape_(std::move(shape)),
      byContext_(index, {LetterCase::AsStored, true}), ordinary_(index, options, sandhi),
      readingsText_(index.text(LetterCase::AsStored))
{
    held_.reserve(LongestName);
    for (const ToneData::Surname& surname : tones_.surnames)
        surnameKeys_.push_back(keyOf(tones_.unitsOf(surname)));
    const auto written = [&](std::uint16_t syllable) {
        const std::u16string whole = WriteToned(tones_.body.syllables[syllable], style);
        return shape_.firstLetters ? std::u16string(FirstLetterOf(whole)) : whole;
    };
    for (const std::uint16_t syllable : tones_.surnameSyllables) surnameReadings_.push_back(written(syllable));
    for (const ToneData::NameReading& reading : tones_.nameReadings) nameReadings_.push_back(written(reading.syllable));
}

void NameConversion::append(std::u16string_view text, PieceWriter& writer)
{
    if (!ordinaryText_ && held_.size() + text.size() <= LongestName) {
        held_.append(text);
        return;
    }
    if (!ordinaryText_) {
        ordinaryText_ = true;
        ordinary_.append(held_, writer);
        held_.clear();
    }
    ordinary_.append(text, writer);
}

void NameConversion::finish(PieceWriter& writer)
{
    if (ordinaryText_ || !writeName(writer)) {
        if (!ordinaryText_) ordinary_.append(held_, writer);
        ordinary_.finish(writer);
    }
    ordinaryText_ = false;
    held_.clear();
}

std::optional<std::size_t> NameConversion::surnameOf(std::u16string_view name) const
{
    for (std::size_t length = std::min<std::size_t>(2, name.size() - 1); length > 0; --length) {
        const std::uint32_t wanted = keyOf(name.substr(0, length));
        const auto found = std::lower_bound(surnameKeys_.begin(), surnameKeys_.end(), wanted);
        if (found != surnameKeys_.end() && *found == wanted)
            return static_cast<std::size_t>(found - surnameKeys_.begin());
    }
    return std::nullopt;
}

const std::u16string* NameConversion::nameReadingOf(char16_t unit) const
{
    const std::vector<ToneData::NameReading>& readings = tones_.nameReadings;
    const auto found = std::lower_bound(readings.begin(), readings.end(), unit,
                                        [](const ToneData::NameReading& reading, char16_t wanted) { return reading.unit < wanted; });
    if (found == readings.end() || found->unit != unit) return nullptr;
    return &nameReadings_[static_cast<std::size_t>(found - readings.begin())];
}

bool NameConversion::writeName(PieceWriter& writer)
{
    name_.clear();
    for (const char16_t unit : held_)
        if (!IsBlankBetweenWords(unit)) name_.push_back(unit);
    if (name_.size() < 2 || std::any_of(name_.begin(), name_.end(), IsSurrogate)) return false;
    const std::span<const Fragment> chosen = byContext_.chooseEach(name_);
    syllables_.clear();
    for (const Fragment reading : chosen) {
        if (reading.length == 0) return false;
        syllables_.push_back(withoutBlank({readingsText_ + reading.start, reading.length}));
    }

    // A name the word data holds whole is read as that word: each position
    // its explicit reading, else its reading alone.
    const std::optional<std::uint32_t> word = index_.graph().find(name_);
    const bool known = word.has_value();
    for (std::size_t at = 0; known && at < name_.size(); ++at) {
        const std::uint32_t explicitChoice =
            *word == WordData::NoReadings ? 0 : index_.wordChoice(*word + static_cast<std::uint32_t>(at));
        const Fragment reading = index_.firstReading(explicitChoice != 0 ? explicitChoice : index_.aloneChoice(name_[at]));
        if (reading.length != 0) syllables_[at] = withoutBlank({readingsText_ + reading.start, reading.length});
    }
    const std::optional<std::size_t> surname = surnameOf(name_);
    const std::size_t surnameLength = surname ? tones_.surnames[*surname].length : 1;
    if (!known) {
        for (std::size_t at = 0; surname && at < surnameLength; ++at)
            if (!hasOwnReading(name_[at])) syllables_[at] = surnameReadings_[tones_.surnames[*surname].start + at];
        for (std::size_t at = surnameLength; at < name_.size(); ++at)
            if (const std::u16string* reading = nameReadingOf(name_[at]); reading && !hasOwnReading(name_[at]))
                syllables_[at] = *reading;
    }

    written_.clear();
    appendWord(std::span(syllables_).first(surnameLength));
    written_.push_back(u' ');
    appendWord(std::span(syllables_).subspan(surnameLength));
    written_.push_back(u' ');
    const std::size_t length = written_.size();
    written_.resize(length + FragmentCopyBlock);
    const Fragment whole{0, static_cast<std::uint32_t>(length)};
    writer.write(written_.data(), std::span(&whole, 1), length);
    return true;
}

void NameConversion::appendWord(std::span<const std::u16string_view> syllables)
{
    const std::size_t start = written_.size();
    for (std::size_t at = 0; at < syllables.size(); ++at) {
        // Letters alone need no apostrophe to part them.
        if (at > 0 && !shape_.firstLetters && BeginsWithAOrOOrE(syllables[at])) written_.push_back(u'\'');
        written_.append(syllables[at]);
    }
    if (letterCase_ == LetterCase::AllUpper)
        std::transform(written_.begin() + static_cast<std::ptrdiff_t>(start), written_.end(),
                       written_.begin() + static_cast<std::ptrdiff_t>(start), ToUpperPinyin);
    else if (letterCase_ == LetterCase::FirstLetterUpper && start < written_.size())
        written_[start] = ToUpperPinyin(written_[start]);
}

}  // namespace lorvane
