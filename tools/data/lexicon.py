"""Words with their frequencies and readings, and how often each reading is used.

The lexicon joins jieba's dictionary (which words Chinese text is made of, and
how often each occurs) with CC-CEDICT (how each word is read). A jieba word
that CC-CEDICT lacks is read through the CC-CEDICT words it is made of; a
position that no such word covers has no known reading (None).

From these it estimates, per character, how often each of its readings occurs
in running text: inside words from the words' frequencies and readings, and
standing alone from jieba's count of the character as a word of its own,
shared out over its readings by the kHanyuPinlu counts, or as the words read
the character where kHanyuPinlu lacks it.
"""

import math
import re

import word_sources

MAX_WORD_LENGTH = 15

# The share of two-character words in which a character must have one
# reading at one place for a compound that CC-CEDICT lacks to take it.
PAIR_SHARE = 0.9

# kHanyuPinlu counts below this many occurrences of a character are too few
# to share out its standalone use over its readings.
MIN_PINLU_TOTAL = 1000

# A definition that only points elsewhere: the entry is a variant spelling,
# a reading used in one other word, or a surname, not the word's usual sense.
MINOR_DEFINITION_RE = re.compile(
    r"^(\(.*?\) )?(old |archaic |erhua |unofficial |euphemistic |Japanese |"
    r"ancient |\S+ )?(variant of|see |used in|surname|also pr\.|"
    r"Taiwan pr\.|\(Tw\)|\(Cant\.\)|\(dialect\)|\(archaic\)|\(old\))",
    re.IGNORECASE)

# A sense that makes a character, or a two-character word, a Chinese surname
# (not "Japanese surname Sato", nor 姓名 "surname and given name").
SURNAME_RE = re.compile(r"^(two-character |Korean |old )?surname [A-Z]")

# A character's sense used in people's given names (not "used in names" of
# places and compounds).
GIVEN_NAME_RE = re.compile(r"\b(given|personal) names?\b")

# A single character's sense that only points to words using the reading.
WORD_POINTER_RE = re.compile(r"^(\(.*?\) )?(used in|see |Taiwan pr\.|also pr\.)")

# A single character's sense "variant of 黏[nian2]": the character is also
# written for another one, with that reading.
VARIANT_OF_RE = re.compile(r"^variant of (\S)(?:\|(\S))?\[")


def is_hanzi_word(word):
    return all(word_sources.is_ideograph(ch, extra=word_sources.IDEOGRAPHIC_ZERO)
               for ch in word)


def cedict_syllables(pinyin, toned=False):
    """Syllables of a CC-CEDICT pinyin field, None where unknown.

    "Chong2 qing4" -> ("chong", "qing"); "nu:3" -> "nv"; the erhua "r5" is
    written er, as 儿 is read when the syllable is spelt out; "xx5" (reading
    unknown) gives None. Toned, the syllables keep their tone digit
    ("chong2", "nv3", "er5"); one without a digit is unknown.
    """
    out = []
    for raw in pinyin.split():
        s = raw.lower().rstrip("12345").replace("u:", "v")
        tone = raw[-1] if raw[-1:] in ("1", "2", "3", "4", "5") else None
        if s == "r":
            s = "er"
        if s == "xx":
            out.append(None)
        elif word_sources.SYLLABLE_RE.match(s) and len(s) <= 15:
            out.append((s + tone if tone else None) if toned else s)
        else:
            return None
    return tuple(out)


def strip_tones(syllables):
    """The toneless form of toned syllables ("zhong4" -> "zhong"), None kept."""
    return tuple(s.rstrip("12345") if s else s for s in syllables)


# 一 and 不 are written with their citation tones, as dictionaries write
# words; their spoken tone changes are the converter's to make.
CITATION_TONES = {"一": "yi1", "不": "bu4"}

# 个 after a numeral or a quantifier is the measure word ge4, as the
# dictionaries write it; CC-CEDICT writes it neutral in some words (一个
# yi1 ge5, 两个) and not in others (三个, 每个). After 这, 那, 哪 it stays
# neutral (这个 zhe4 ge5).
MEASURE_WORD_AFTER = frozenset("一二三四五六七八九十两几每多半整某单各百千万")


def citation_tones(word, syllables):
    """The syllables with 一 and 不 in their citation tones, where a word
    writes them with a changed full tone (不 bu2); a neutral tone stays.
    个 after a numeral is ge4."""
    out = []
    for i, (ch, s) in enumerate(zip(word, syllables)):
        if (ch in CITATION_TONES and s and s[-1] != "5"
                and s[:-1] == CITATION_TONES[ch][:-1]):
            s = CITATION_TONES[ch]
        elif ch == "个" and s == "ge5" and i and word[i - 1] in MEASURE_WORD_AFTER:
            s = "ge4"
        out.append(s)
    return tuple(out)


def entry_rank(entry):
    """0 for a common word's entry, 1 for a proper name, 2 for a minor entry."""
    if all(MINOR_DEFINITION_RE.match(d) for d in entry.definitions):
        return 2
    return 1 if entry.pinyin[:1].isupper() else 0


def choose_reading(word, entries, pinlu, toned=False, within=None):
    """The reading of a word that has one or more CC-CEDICT entries.

    Preferred: a reading of the best-ranked entries (not a surname, variant
    or proper name when the word has a common sense); among those the one
    with more entries and definitions; then the one whose syllables are the
    more frequent readings of their characters. Toned, pinlu has toned
    readings and only the entries whose toneless reading is within count.
    """
    candidates = {}
    for index, entry in enumerate(entries):
        syllables = cedict_syllables(entry.pinyin, toned)
        if syllables is None or len(syllables) != len(word):
            continue
        if within is not None and strip_tones(syllables) != within:
            continue
        rank = entry_rank(entry)
        best = candidates.get(syllables)
        key = (rank, -1, -len(entry.definitions), index)
        if best is None:
            candidates[syllables] = key
        else:
            candidates[syllables] = (min(best[0], rank), best[1] - 1,
                                     best[2] - len(entry.definitions), best[3])
    if not candidates:
        return None

    def commonness(syllables):
        total = 0.0
        for ch, s in zip(word, syllables):
            counts = pinlu.get(ch, {})
            all_counts = sum(counts.values())
            if all_counts and s is not None:
                total += math.log((counts.get(s, 0) + 1) / (all_counts + 1))
        return total

    return min(candidates, key=lambda s: (candidates[s][0], candidates[s][1],
                                          candidates[s][2], -commonness(s),
                                          candidates[s][3]))


class Lexicon:
    """Words of two or more Hanzi, their frequencies and readings.

    words: {word: (frequency or None, readings tuple)}, a reading None where
    it is not known; single: {char: jieba count as a word of its own};
    total: the sum of all jieba counts; pinlu: {char: {reading: count}};
    from_cedict: the words whose reading is CC-CEDICT's own; senses (see
    _read_character); name_only: {char: readings that CC-CEDICT gives the
    character only as a proper name other than a surname}; variants:
    {char: [(the character it is also written for, with this reading)]}.

    Toned: toned_pinlu {char: {toned reading: count}}; toned {word: toned
    readings tuple}, each the toned form of the word's reading in words (or
    None where CC-CEDICT has no tone for it); surname_readings {surname of
    one or two characters: [toned readings of each CC-CEDICT entry that
    gives it as a surname]}; name_entries {char: [(toned reading,
    definition)] of CC-CEDICT's senses that use it in given names}.
    """

    def __init__(self, jieba, cedict, pinlu, toned_pinlu=None):
        self.pinlu = pinlu
        self.toned_pinlu = toned_pinlu or {}
        self.senses = {}
        self.variants = {}
        self.surname_readings = {}
        self.name_entries = {}
        for word, entries in cedict.items():
            if len(word) <= 2 and is_hanzi_word(word):
                self._read_surnames(word, entries)
        for ch, entries in cedict.items():
            if len(ch) == 1 and is_hanzi_word(ch):
                self._read_character(ch, entries)
        self.name_only = {ch: {r for r, kinds in senses.items()
                               if kinds == {"name"}}
                          for ch, senses in self.senses.items()}
        self.total = sum(jieba.values())
        self.single = {w: f for w, f in jieba.items()
                       if len(w) == 1 and is_hanzi_word(w)}
        self.words = {}
        self.toned = {}
        self.from_cedict = set()
        for word, entries in cedict.items():
            if 2 <= len(word) <= MAX_WORD_LENGTH and is_hanzi_word(word):
                reading = choose_reading(word, entries, pinlu)
                if reading is not None:
                    self.words[word] = (jieba.get(word), reading)
                    self.from_cedict.add(word)
                    toned = choose_reading(word, entries, self.toned_pinlu,
                                           True, reading)
                    self.toned[word] = (citation_tones(word, toned) if toned
                                        else (None,) * len(word))
        for word, freq in jieba.items():
            if (2 <= len(word) <= MAX_WORD_LENGTH and is_hanzi_word(word)
                    and word not in self.words):
                pieces = self._composed_pieces(word)
                self.words[word] = (freq, self._pieces_reading(word, pieces, False))
                self.toned[word] = self._pieces_reading(word, pieces, True)

    def cost(self, freq):
        return math.log(self.total / freq)

    def _read_surnames(self, word, entries):
        for e in entries:
            if any(SURNAME_RE.match(d) and (len(word) == 1) != d.startswith("two")
                   for d in e.definitions):
                toned = cedict_syllables(e.pinyin, True)
                if toned and len(toned) == len(word) and all(toned):
                    self.surname_readings.setdefault(word, []).append(
                        citation_tones(word, toned))
            if len(word) == 1:
                for d in e.definitions:
                    if GIVEN_NAME_RE.search(d):
                        toned = cedict_syllables(e.pinyin, True)
                        if toned and len(toned) == 1 and toned[0]:
                            self.name_entries.setdefault(word, []).append((toned[0], d))

    def _read_character(self, ch, entries):
        """Sort a character's CC-CEDICT senses by reading: senses[ch][r] is
        the set of kinds of r's entries: "name" (a proper name other than a
        surname), "surname" (or a given name), "word" (only a pointer to the
        words that use the reading: "used in 琢磨", "see 吐蕃"), "free"."""
        senses = self.senses.setdefault(ch, {})
        for e in entries:
            s = cedict_syllables(e.pinyin)
            if not s or len(s) != 1 or s[0] is None:
                continue
            if any(d.startswith("surname") or "given name" in d
                   for d in e.definitions):
                kind = "surname"
            elif e.pinyin[:1].isupper():
                kind = "name"
            elif all(WORD_POINTER_RE.match(d) for d in e.definitions):
                kind = "word"
            else:
                kind = "free"
            senses.setdefault(s[0], set()).add(kind)
            for d in e.definitions:
                m = VARIANT_OF_RE.match(d)
                if m:
                    self.variants.setdefault(ch, []).append(
                        (m.group(2) or m.group(1), s[0]))

    def reading_outside_words(self, ch, readings):
        """The reading a character takes alone when the first of its
        readings is one that CC-CEDICT only uses in certain words (琢 zuo in
        琢磨, 曝 bao in 曝光, 匙 shi in 钥匙) and one other reading has a sense
        of its own (琢 zhuo, to carve); else None. A character that is also
        a name keeps its readings as they are."""
        senses = self.senses.get(ch, {})
        if (senses.get(readings[0]) != {"word"}
                or any("surname" in kinds for kinds in senses.values())):
            return None
        free = [r for r in readings[1:] if "free" in senses.get(r, ())]
        return free[0] if len(free) == 1 else None

    def variant_spelling_reading(self, word, readable, toned=False):
        """The reading of a word that CC-CEDICT lacks but has spelt with
        one character's standard form (粘土 as 黏土: nian tu), or None;
        toned, the toned form of that reading.

        readable(char, reading) says whether the character may take the
        variant's reading (the table lists it among the character's).
        """
        for i, ch in enumerate(word):
            for standard, reading in self.variants.get(ch, ()):
                other = word[:i] + standard + word[i + 1:]
                if (other in self.from_cedict and readable(ch, reading)
                        and self.words[other][1][i] == reading):
                    return self.toned[other] if toned else self.words[other][1]
        return None

    def second_place_readings(self, toned=False):
        """{char: reading} that a character has as the second of two in
        nearly all two-character CC-CEDICT words (weighed by jieba counts);
        toned, the most counted tone of that reading."""
        counts = {}
        tones = {}
        for word in self.from_cedict:
            freq, reading = self.words[word]
            if len(word) == 2 and freq and reading[1] is not None:
                by_reading = counts.setdefault(word[1], {})
                by_reading[reading[1]] = by_reading.get(reading[1], 0) + freq
                tone = self.toned[word][1]
                if tone:
                    by_tone = tones.setdefault(word[1], {})
                    by_tone[tone] = by_tone.get(tone, 0) + freq
        out = {}
        for ch, by_reading in counts.items():
            best = max(sorted(by_reading), key=by_reading.get)
            if by_reading[best] >= PAIR_SHARE * sum(by_reading.values()):
                out[ch] = best
                if toned:
                    by_tone = {t: c for t, c in tones.get(ch, {}).items()
                               if t[:-1] == best}
                    out[ch] = (max(sorted(by_tone), key=by_tone.get)
                               if by_tone else None)
        return out

    def _composed_pieces(self, word):
        """How a word is read through the CC-CEDICT words it is made of:
        [(start, end)] of the pieces that are such words.

        The word is segmented into CC-CEDICT words and single characters by
        the cheapest path (jieba frequencies as costs, as the conversion
        does); a single character's reading is left unknown (None), as it
        is in text.
        """
        n = len(word)
        best = [0.0] * (n + 1)
        step = [1] * (n + 1)
        for i in range(n - 1, -1, -1):
            best[i] = self.cost(self.single.get(word[i], 1)) + best[i + 1]
            for j in range(i + 2, n + 1):
                piece = word[i:j]
                if piece in self.from_cedict:
                    c = self.cost(self.words[piece][0] or 1) + best[j]
                    if c <= best[i]:
                        best[i], step[i] = c, j - i
        pieces = []
        i = 0
        while i < n:
            if step[i] > 1:
                pieces.append((i, i + step[i]))
            i += step[i]
        return pieces

    def _pieces_reading(self, word, pieces, toned):
        reading = [None] * len(word)
        for start, end in pieces:
            piece = word[start:end]
            reading[start:end] = self.toned[piece] if toned else self.words[piece][1]
        return tuple(reading)

    def usage(self, toned=False):
        """Estimated occurrences of each reading of each character in text.

        Returns (in_words, alone): in_words[char][reading] sums the
        frequencies of the words that read the character so; alone[char] is
        jieba's count of the character standing on its own, plus the words
        that hold it at a position of unknown reading. Toned, the readings
        are the toned ones.
        """
        in_words = {}
        alone = dict(self.single)
        for word, (freq, reading) in self.words.items():
            if not freq:
                continue
            if toned:
                reading = self.toned[word]
            for ch, s in zip(word, reading):
                if s is None:
                    alone[ch] = alone.get(ch, 0) + freq
                else:
                    by_reading = in_words.setdefault(ch, {})
                    by_reading[s] = by_reading.get(s, 0) + freq
        return in_words, alone

    def alone_shares(self, ch, in_words, alone, toned=False):
        """{reading: share} of a character's standalone use, or None.

        kHanyuPinlu counts every occurrence of the character, in words or
        not. Scaled to jieba's counts of the character, what the words do
        not explain is its use on its own. That difference of counts from
        two corpora is noise where kHanyuPinlu has few occurrences: then,
        as for characters it lacks, there is no estimate.
        """
        pinlu = (self.toned_pinlu if toned else self.pinlu).get(ch)
        if not pinlu or sum(pinlu.values()) < MIN_PINLU_TOTAL:
            return None
        words = in_words.get(ch, {})
        everything = alone.get(ch, 0) + sum(words.values())
        scale = everything / sum(pinlu.values())
        left = {r: max(0.0, c * scale - words.get(r, 0)) for r, c in pinlu.items()}
        rest = sum(left.values())
        if rest <= 0:
            return {r: c / sum(pinlu.values()) for r, c in pinlu.items()}
        return {r: c / rest for r, c in left.items()}

    def reading_usage(self, ch, readings, in_words, alone, toned=False):
        """{reading: estimated occurrences in text} for a character's readings
        (toned ones, with the toned usage, when toned).

        Standalone use is shared out by alone_shares; where kHanyuPinlu has
        too few counts for that, by its counts as they are, and for a
        character it lacks, by unknown_alone_shares.
        """
        words = in_words.get(ch, {})
        pinlu = self.toned_pinlu if toned else self.pinlu
        shares = self.alone_shares(ch, in_words, alone, toned)
        if shares is None and ch in pinlu:
            total = sum(pinlu[ch].values())
            shares = {r: c / total for r, c in pinlu[ch].items()}
        shares = shares or self.unknown_alone_shares(ch, readings, in_words, toned)
        return {r: words.get(r, 0) + alone.get(ch, 0) * shares.get(r, 0.0)
                for r in readings}

    def unknown_alone_shares(self, ch, readings, in_words, toned=False):
        """{reading: share} of the standalone use of a character that
        kHanyuPinlu lacks.

        These are rare characters, which jieba counts alone mostly as parts
        of names and terms it does not list (翟 of the surname Zhai, 囤 tun in
        囤积), so they are read as the words that hold them read them; a
        reading that CC-CEDICT gives only for a place or other proper name
        takes no share (蚌 beng of 蚌埠: alone 蚌 is a clam, bang). Without
        any word, the first reading in the dictionaries' order takes it all.
        """
        words = in_words.get(ch, {})
        names = self.name_only.get(ch, ())
        candidates = [r for r in readings
                      if (r.rstrip("12345") if toned else r) not in names] or readings
        total = sum(words.get(r, 0) for r in candidates)
        if total:
            return {r: words.get(r, 0) / total for r in candidates}
        return {candidates[0]: 1.0}


def load_lexicon(args, unihan_readings=None):
    """The Lexicon of the inputs named by word_sources.add_source_arguments.

    unihan_readings is Unihan_Readings as word_sources.read_unihan returns
    it, with kHanyuPinlu among the fields, when the caller has read it for
    fields of its own; else it is read here.
    """
    if unihan_readings is None:
        unihan_readings, _ = word_sources.read_unihan(
            args.unihan_dir, word_sources.UNIHAN_READINGS, {"kHanyuPinlu"})
    return Lexicon(word_sources.read_jieba(args.jieba_dict),
                   word_sources.read_cedict(args.cedict_dir),
                   word_sources.hanyu_pinlu(unihan_readings),
                   word_sources.hanyu_pinlu(unihan_readings, word_sources.toned))
