"""Syllables as the output writes them: tone marks, and case.

Tone marks: a stored toned syllable ("lv4", "zhong4", "de5") as pinyin
writes it ("lǜ", "zhòng", "de").

The mark goes on a or e where the syllable has one; else on the o of ou;
else on the last of i, o, u and ü. v is written ü. The neutral tone (5) has
no mark, and neither has a syllable without a digit (a table reading the
toned data does not know). A syllable without a vowel (m, n, ng, hm, hng)
takes the mark on its first letter where Unicode has that letter with the
mark precomposed (ḿ; ń ň ǹ), else none.
"""

import unicodedata

COMBINING = {"1": "\u0304", "2": "\u0301", "3": "\u030c", "4": "\u0300"}


def mark_position(letters):
    """The index of the letter that takes the mark, or None."""
    for vowel in "ae":
        if vowel in letters:
            return letters.index(vowel)
    if "ou" in letters:
        return letters.index("ou")
    vowels = [i for i, c in enumerate(letters) if c in "iouv"]
    return vowels[-1] if vowels else None


def marked(syllable):
    tone = syllable[-1:]
    if tone not in ("1", "2", "3", "4", "5"):
        return syllable.replace("v", "ü")
    letters = syllable[:-1]
    at = mark_position(letters)
    if tone != "5":
        if at is None:
            first = unicodedata.normalize("NFC", letters[0] + COMBINING[tone])
            if len(first) == 1:
                letters = first + letters[1:]
        else:
            letters = (letters[:at]
                       + unicodedata.normalize("NFC", letters[at].replace("v", "ü")
                                               + COMBINING[tone])
                       + letters[at + 1:])
    return letters.replace("v", "ü")


def apply_case(text, case):
    if case == "first":
        return text[:1].upper() + text[1:]
    if case == "upper":
        return text.upper()
    return text


def written(syllable, case, tone="none"):
    """A syllable as the output writes it: with tone marks, as stored
    ("zhong4"), or as it is when toneless; then in the case asked for."""
    if tone == "marks":
        syllable = marked(syllable)
    return apply_case(syllable, case)
