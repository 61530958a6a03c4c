"""The name mode of the reference: each line one person's name, written as
the national rules write Chinese names in pinyin (surname and given name as
two words, each one's syllables together, an apostrophe before a syllable
that begins with a, o or e inside a word): 欧阳修 -> ouyang xiu, 王海鸥 ->
wang hai'ou.

A line is a name when it holds two or more units, every one a Hanzi that the
table holds (so no middle dot, which a transliterated foreign name holds);
any other line is converted as ordinary text. The surname is the longest
surname of the word data's list at the line's start, the two-unit ones
before the one-unit ones, that leaves a given name after it; without one,
the first unit is the surname.

If the whole line is a word of the word data (toned, with tones), every
position takes that word's reading: its explicit reading, else the
character's alone reading, else its first reading. Otherwise the surname
from the list takes the list's readings, and every other position takes its
name reading if it has one, else the reading the conversion by context
gives it in the whole line. Without tones, the toneless forms of the list's
and the name readings are written.
"""

import word_sources
from pinyin_marks import apply_case, written


def is_hanzi(ch):
    return word_sources.is_ideograph(ch, extra=word_sources.IDEOGRAPHIC_ZERO)


def toneless(syllable):
    return syllable.rstrip("12345")


class NameReader:

    def __init__(self, converter, data, toned):
        """converter: the ContextConverter of the same word data and tones."""
        self.converter = converter
        self.toned = toned
        self.surnames = data.tones.surnames if data.tones else {}
        self.name_readings = data.tones.name_readings if data.tones else {}

    def is_name(self, line):
        return len(line) >= 2 and all(is_hanzi(ch) and ch in self.converter.table
                                      for ch in line)

    def surname_length(self, line):
        """(length of the surname, whether it is from the list)."""
        for length in (2, 1):
            if length < len(line) and line[:length] in self.surnames:
                return length, True
        return 1, False

    def readings(self, line):
        """The syllable of each unit of a name, and the surname's length."""
        body = self.converter.data
        length, listed = self.surname_length(line)
        if line in body.words:
            explicit = body.words[line][1]
            return [s or body.chars[ch].alone or self.converter.first_reading(ch)
                    for ch, s in zip(line, explicit)], length
        out = self.converter.choose(line)
        for i, ch in enumerate(line):
            if i < length and listed:
                out[i] = self.surnames[line[:length]][i]
            elif i >= length and ch in self.name_readings:
                out[i] = self.name_readings[ch]
            if not self.toned:
                out[i] = toneless(out[i])
        return out, length

    def convert(self, line, case="lower", tone="none"):
        syllables, length = self.readings(line)
        words = [joined([written(s, "lower", tone) for s in part])
                 for part in (syllables[:length], syllables[length:])]
        return " ".join(apply_case(w, case) for w in words)


# Inside a word, a syllable that begins with one of these takes an
# apostrophe before it (Xi'an).
APOSTROPHE_BEFORE = set("aoeāáǎàōóǒòēéěè")


def joined(syllables):
    return "".join(("'" if i and s[:1] in APOSTROPHE_BEFORE else "") + s
                   for i, s in enumerate(syllables))
