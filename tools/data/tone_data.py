"""What the tone part of the word data holds besides the toned words: each
character's toned readings in order of use, the toned table built from them,
the toned reading of a character standing alone, surnames and name readings.

Toned readings come from Unihan (kHanyuPinlu, kMandarin, kXHC1983,
kTGHZ2013, and kHanyuPinyin only for a character with none of these, as the
table takes its toneless readings) and from CC-CEDICT's words, written as
a-z letters and a tone digit, 5 for the neutral tone ("zhong4", "lv4",
"de5"). They are ordered by their estimated use in running text, as the
table orders its toneless readings (lexicon.Lexicon.reading_usage), but
with the tones kept.
"""

import lexicon

# Characters whose neutral tone is their use on their own: particles and
# the plural suffix. Any other character's neutral tone belongs to words
# (桌子 zhuo1 zi5, 东西 dong1 xi5), which the word data reads; alone it
# takes a full tone, and its neutral reading comes after its full ones.
PARTICLES = frozenset("了的地得着过吗呢吧啦么嘛呀啊哇呗喽哟咯啰罢们")

# Ideographs outside the CJK blocks, which Unihan has no reading for.
EXTRA_TONES = {"\u3007": ["ling2"]}  # 〇, zero

# Alone tones where the estimate from kHanyuPinlu and jieba's counts is not
# the character's use on its own today: the other tone lives in words that
# the word data holds.
ALONE_TONES = {
    "为": "wei2",  # to be, as (设为, 转换为, 以 X 为); wei4 (for) is mostly in
                   # words (为了, 因为, 为什么)
    "结": "jie2",  # to tie, to form (结了婚); jie1 (to bear fruit) is in words
    "累": "lei4",  # tired; lei3 (to accumulate) is in words (积累, 累计)
    "尽": "jin4",  # to exhaust (尽全力); jin3 is in words (尽管, 尽快)
    "脏": "zang1",  # dirty; zang4 (organ) is in words (心脏, 内脏)
    "往": "wang3",  # towards (往北); wang4 is an old reading of the same sense
    "卷": "juan4",  # a volume (第一卷); juan3 (to roll) is mostly in words
    "啥": "sha2",   # what; sha4 is a dialect reading
    "媛": "yuan2",  # in given names (李媛); yuan4 is in 名媛
    "肖": "xiao1",  # alone mostly the surname Xiao (肖战); xiao4 is in words
                    # (肖像, 生肖, 不肖)
}

# Characters that CC-CEDICT gives as surnames with two readings: the one a
# surname has in general use.
SURNAME_CHOICES = {
    "乐": "yue4",   # 乐毅; Le4 is rarer
    "翟": "zhai2",  # Di2 is the old name of the northern peoples
    "覃": "qin2",   # the surname of most of its bearers; Tan2 is rarer
    "那": "na1",    # the surname Na; Nuo2 is the name of a state
    "隗": "wei3",   # Kui2 is the name of a Zhou vassal state
}

# Compound surnames that CC-CEDICT lacks as such.
EXTRA_SURNAMES = {
    "澹台": ("tan2", "tai2"),  # 澹台灭明; CC-CEDICT has 澹 Tan2 only
}

# Readings in given names that CC-CEDICT does not mark as such.
NAME_READINGS = {
    "凹": "wa1",  # 贾平凹 Jia Pingwa; CC-CEDICT: "(used in names)", which also
                  # covers place names, so it is not taken for every such entry
}


def is_neutral(syllable):
    return syllable.endswith("5")


def ordered_tones(lex, ch, readings, in_words, alone):
    """A character's toned readings in order of use; the neutral tone of a
    character that is not a particle comes after its full tones."""
    if ch in lexicon.CITATION_TONES:
        # Unihan lists the changed tones of 一 and 不 (yi2, yi4, bu2) as
        # readings; the data writes citation tones and neutral ones only.
        readings = [r for r in readings
                    if r == lexicon.CITATION_TONES[ch] or is_neutral(r)]
    usage = lex.reading_usage(ch, readings, in_words, alone, toned=True)
    readings = sorted(readings, key=lambda r: -usage.get(r, 0.0))
    if ch not in PARTICLES:
        readings.sort(key=is_neutral)
    return readings


def char_tones(lex, unihan_toned, usage=None):
    """{char: [toned readings, most used first]} for {char: Unihan's toned
    readings}; `usage` is lex.usage(toned=True) where the caller has it."""
    in_words, alone = usage or lex.usage(toned=True)
    out = {}
    for ch, readings in unihan_toned.items():
        readings = EXTRA_TONES.get(ch, readings)
        if readings:
            out[ch] = ordered_tones(lex, ch, list(readings), in_words, alone)
    return out


def toned_table(table, tones):
    """{char: [readings]}: the table's readings, each replaced by the
    character's toned readings of that toneless form in their order of use;
    a reading without any stays toneless."""
    out = {}
    for ch, readings in table.items():
        listed = []
        for r in readings:
            listed.extend([t for t in tones.get(ch, ()) if t[:-1] == r] or [r])
        out[ch] = listed
    return out


def alone_tones(lex, table, alone, tones, toned, usage=None):
    """{char: toned reading alone} where it is not the character's first
    toned reading. The toneless reading alone is alone's, else the table's
    first; among its tones the one that kHanyuPinlu's counts, less the
    words' share of them, give the character on its own (as the toneless
    estimate does), else the most used one; a neutral tone only for a
    particle. `usage` is lex.usage(toned=True) where the caller has it."""
    in_words, counts = usage or lex.usage(toned=True)
    out = {}
    for ch, readings in table.items():
        syllable = alone.get(ch, readings[0])
        options = [t for t in tones.get(ch, ()) if t[:-1] == syllable
                   and (ch in PARTICLES or not is_neutral(t))]
        if not options:
            continue
        chosen = options[0]
        shares = lex.alone_shares(ch, in_words, counts, toned=True)
        if len(options) > 1 and shares:
            chosen = max(options, key=lambda t: shares.get(t, 0.0))
        chosen = ALONE_TONES.get(ch, chosen)
        if chosen != toned[ch][0]:
            out[ch] = chosen
    return out


def toned_rules(rules, tones):
    """The rules with the toned form of their syllable: the character's most
    used toned reading of it."""
    out = []
    for rule in rules:
        syllable = next(t for t in tones[rule.target] if t[:-1] == rule.syllable)
        out.append(type(rule)(rule.target, rule.neighbour, syllable, rule.kind))
    return out


def surnames(lex):
    """{surname: toned readings}: CC-CEDICT's surnames of one character and
    its two-character surnames, with the readings it gives them as
    surnames."""
    out = dict(EXTRA_SURNAMES)
    for surname, readings in lex.surname_readings.items():
        distinct = sorted(set(readings))
        if len(distinct) > 1:
            distinct = [(SURNAME_CHOICES[surname],)]
        out[surname] = distinct[0]
    return out


def name_readings(lex, toned):
    """{char: toned reading}: the reading CC-CEDICT gives a character in
    given names, where it is not the character's first toned reading."""
    out = {}
    for ch, entries in lex.name_entries.items():
        readings = sorted(set(r for r, _ in entries))
        if len(readings) == 1 and ch in toned and readings[0] != toned[ch][0]:
            out[ch] = readings[0]
    out.update(NAME_READINGS)
    return out
