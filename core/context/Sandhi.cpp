#include "context/Sandhi.h"

namespace lorvane {
namespace {

constexpr std::u16string_view Numerals = u"〇零一二三四五六七八九十";
// After these 一 keeps its own tone: numerals (十一, 三百一), 第 and 初
// (第一, 初一), and the characters before it in words that keep it.
constexpr std::u16string_view KeepYiAfter = u"〇零一二三四五六七八九十百千万亿两第初统唯之单同划专逐均归合如期拜";

constexpr std::size_t Yi2 = 0, Yi4 = 1, Yi5 = 2, Bu2 = 3, Bu5 = 4;

bool among(char16_t unit, std::u16string_view units) { return units.find(unit) != std::u16string_view::npos; }

}  // namespace

std::vector<ContextIndex::Spelled> Sandhi::Readings(ToneStyle style)
{
    std::vector<ContextIndex::Spelled> readings(5);
    readings[Yi2] = {u'一', WriteToned(u"yi2", style)};
    readings[Yi4] = {u'一', WriteToned(u"yi4", style)};
    readings[Yi5] = {u'一', WriteToned(u"yi5", style)};
    readings[Bu2] = {u'不', WriteToned(u"bu2", style)};
    readings[Bu5] = {u'不', WriteToned(u"bu5", style)};
    return readings;
}

Sandhi::Sandhi(const ContextIndex& index, ToneStyle style)
    : index_(index), text_(index.text(LetterCase::AsStored)), yi1_(WriteToned(u"yi1", style) + u' '),
      bu4_(WriteToned(u"bu4", style) + u' '), yi2_(index.spelledChoice(Yi2)), yi4_(index.spelledChoice(Yi4)),
      yi5_(index.spelledChoice(Yi5)), bu2_(index.spelledChoice(Bu2)), bu5_(index.spelledChoice(Bu5))
{
}

bool Sandhi::isReading(std::uint32_t choice, std::u16string_view written) const
{
    const Fragment reading = index_.firstReading(choice);
    return std::u16string_view(text_ + reading.start, reading.length) == written;
}

int Sandhi::toneOf(std::uint32_t choice) const
{
    const Fragment reading = index_.firstReading(choice);
    return ToneOfWritten(std::u16string_view(text_ + reading.start, reading.length));
}

void Sandhi::apply(std::u16string_view text, std::size_t first, std::span<Position> positions) const
{
    for (std::size_t at = 0; at < positions.size(); ++at) {
        const char16_t unit = text[first + at];
        if (!Changes(unit)) continue;
        const bool yi = unit == u'一';
        std::uint32_t& choice = positions[at].choice;
        if (!isReading(choice, yi ? yi1_ : bu4_)) continue;
        const bool hasNext = at + 1 < positions.size() && !positions[at + 1].startsPiece &&
                             index_.firstReading(positions[at + 1].choice).length != 0;
        if (!hasNext) continue;
        const char16_t next = text[first + at + 1];
        const bool hasPrevious = !positions[at].startsPiece;
        const char16_t previous = hasPrevious ? text[first + at - 1] : u'\0';
        if (yi && (among(next, Numerals) || (hasPrevious && among(previous, KeepYiAfter)))) continue;
        if (hasPrevious && previous == next) {
            choice = yi ? yi5_ : bu5_;
            continue;
        }
        const int nextTone = toneOf(positions[at + 1].choice);
        if (nextTone == 4 || nextTone == 0)
            choice = yi ? yi2_ : bu2_;
        else if (yi)
            choice = yi4_;
    }
}

}  // namespace lorvane
