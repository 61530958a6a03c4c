#!/usr/bin/env python3
"""Generate data/words.dat, the word data of the context conversion.

Words and their frequencies come from jieba's dictionary, their readings from
CC-CEDICT (a word it lacks is read through the CC-CEDICT words it is made
of), single-character use from jieba's counts and Unihan's kHanyuPinlu. The
table data/pymb.dat must be generated first: a word's reading is only
written where it differs from what the conversion would take without it.
The tone part is built the same way from the toned readings of the same
sources (tone_data.py), against the toned table.

Usage: make_words.py [--table PATH] [--output PATH] [--unihan-dir DIR]
                     [--jieba-dict PATH] [--cedict-dir DIR]
"""

import argparse
import math
import os
import sys

import lexicon
import make_pymb
import pymb_file
import tone_data
import word_sources
import words_file
from words_file import NEXT_IS, PREVIOUS_IS, Rule

# Costs are negative natural logarithms of a word's share of all of jieba's
# counts, in thousandths: exact enough to order any two paths that differ by
# one count in a thousand, and a word of count 1 still fits in 16 bits.
COST_SCALE = 1000

# Added to the cost of every character taken on its own: a word that the
# dictionaries know, even a rare one, says more about the characters' readings
# than their single counts do.
SINGLE_PENALTY = 1000

# A CC-CEDICT word that jieba does not list gets this count: as rare as the
# rarest jieba words, so that it wins only over characters that are rarer
# still on their own.
CEDICT_ONLY_COUNT = 1

# A word that only decides where words begin and end, with no reading of its
# own to give, is kept when it occurs at least this often.
MIN_PLAIN_COUNT = 10

# Words whose reading by lexicon.choose_reading is not today's usual one:
# CC-CEDICT reads them two ways and the rarer sense won, or its only entry
# is a rare sense of a common character sequence.
WORD_READINGS = {
    "明朝": "ming2 chao2",    # the Ming dynasty, far more than "tomorrow morning"
    "大都": "da4 dou1",       # mostly (大都是); Dadu is the Yuan capital
    "下调": "xia4 tiao2",     # to adjust downwards (prices, rates)
    "口角": "kou3 jue2",      # a quarrel; kou jiao is the corner of the mouth
    "憎恶": "zeng1 wu4",      # to loathe; zeng e (to hate evil) is literary
    "落空": "luo4 kong1",     # to come to nothing
    "保长": "bao3 zhang3",    # head of a bao; bao chang is a term of geometry
    "省事": "sheng3 shi4",    # to save trouble
    "摩挲": "mo2 suo1",       # to stroke; ma sa is colloquial
    "重名": "chong2 ming2",   # to share a name
    "断行": "duan4 hang2",    # line break
    "前传": "qian2 zhuan4",   # prequel
    "穿着": "chuan1 zhe5",    # wearing (穿着衣服), far more than "attire" (zhuo)
    "总长": "zong3 chang2",   # total length (全线总长); zhang, a minister of 1912-27
    "重重": "chong2 chong2",  # layer upon layer (困难重重, 重重包围), more than
                              # heavily (重重地)
    "真是": "zhen1 shi4",     # really is (这真是太糟了); CC-CEDICT's zhen1 shi5
                              # is the interjection of annoyance
    "看来": "kan4 lai2",      # it seems; the dictionaries write lai2, CC-CEDICT lai5
    "柏柏尔": "bo2 bo2 er3",  # Berber, 柏 as in 柏林 (bo2); CC-CEDICT has bo4
}

# Words left out: CC-CEDICT and jieba know them, but in text the same
# characters are far more often something else, which the word would misread.
LEFT_OUT_WORDS = {
    "端的", "美的",   # a word and the particle 的 (客户端的, 很美的), not di
    "中行", "人行",   # banks' short names; mostly 中 + 行 (梦中行遍), 人 + 行
    "一行",           # a party on a visit (代表团一行); a line (添加一行, 一行字)
                      # is commoner, and the rules read 行 after 一 hang
}

# The reading a character has when it stands alone in text, where that is
# not its first reading in the table. The first reading is the most used one
# over all text, words included; these characters are read otherwise when no
# word holds them (kHanyuPinlu's counts, less the words' share of them).
ALONE_READINGS = {
    "地": "de",   # the adverbial particle (慢慢地); di is in words (土地, 地方)
    "覃": "qin",  # alone mostly the surname Qin; tan (deep) is literary
}

# A colloquial reading used alone beside a literary one that dictionaries
# give "for compounds" (单薄, 剥夺, 削弱, 咀嚼), which CC-CEDICT's words hold.
# A compound that only jieba lists is a free combination (变薄, 超薄, 剥去)
# and reads the character as alone.
COLLOQUIAL_ALONE_READINGS = {
    "薄": "bao",  # 薄薄的, 较薄: thin
    "剥": "bao",  # 剥去, 剥皮: to peel
    "削": "xiao", # 削苹果: to pare
    "嚼": "jiao", # 嚼口香糖: to chew
}

# Surnames whose surname reading is not the character's usual reading.
SURNAME_READINGS = {
    "曾": "zeng", "单": "shan", "区": "ou", "仇": "qiu", "解": "xie",
    "查": "zha", "朴": "piao", "盖": "ge", "乐": "yue", "种": "chong",
    "繁": "po", "召": "shao", "覃": "qin", "员": "yun",
}

# Rules, in the order the conversion tries them. Each pays on text where the
# segmentation leaves the character standing alone.
RULES = [
    # 行 after a numeral or a quantifier is the classifier hang (两行, 每行,
    # 多行, 第一行) and after 的 the noun hang (the line, the row); a word
    # (一行 yixing, 五行 wuxing, 行为 xingwei) still takes precedence.
    *(Rule("行", ch, "hang", PREVIOUS_IS) for ch in "一两三四五六七八九十几多每数的"),
    # 行末, 行首, 行尾, 行号: the end, start, tail, number of a line.
    *(Rule("行", ch, "hang", NEXT_IS) for ch in "末首尾号"),
    # X之地 is a place (安全之地, 立足之地), not the adverbial de.
    Rule("地", "之", "di", PREVIOUS_IS),
    # 长得 (长得像, 长得很高) and 长出 grow: CC-CEDICT's words zhang3 de5 and
    # zhang3 chu1, which jieba does not count and so lose to 长 + 得.
    *(Rule("长", ch, "zhang", NEXT_IS) for ch in "得出"),
    # 得 standing alone after a pronoun or after 就, 还, 也, 都, 又, 是 is the
    # modal dei, must (我们得走, 你得小心, 那就得, 还得先, 还是得): the
    # particle de follows a verb or an adjective, and the verb de2 (to get)
    # is in words (得到, 得知, 获得), which keep their reading.
    *(Rule("得", ch, "dei", PREVIOUS_IS) for ch in "我你他她它们俺咱就还也都又是"),
    # After 姓 (surname), a character that is also a surname takes its
    # surname reading: 姓曾 zeng, 姓单 shan, 姓解 xie.
    *(Rule(ch, "姓", reading, PREVIOUS_IS) for ch, reading in SURNAME_READINGS.items()),
]
RULE_TARGETS = frozenset(rule.target for rule in RULES)


def cost_of(count, total):
    return min(0xFFFF, int(round(COST_SCALE * math.log(total / count))))


def explicit_readings(word, readings, default):
    """The readings to write: those that differ from what the character
    gets without the word, and all known ones of characters with rules."""
    return tuple(r if r is not None and (r != default.get(ch) or ch in RULE_TARGETS)
                 else None for ch, r in zip(word, readings))


def touching(words, anchors):
    """The words that can overlap an anchor word in some text: a suffix of
    one is a prefix of the other, or one holds the other."""
    prefixes, suffixes, inner = set(), set(), set()
    for a in anchors:
        for k in range(1, len(a)):
            prefixes.add(a[:k])
            suffixes.add(a[k:])
        for i in range(len(a)):
            for j in range(i + 2, len(a) + 1):
                inner.add(a[i:j])
    out = set()
    for w in words:
        if w in inner or any(w[k:] in prefixes or w[:len(w) - k] in suffixes
                             for k in range(1, len(w))):
            out.add(w)
        elif any(w[i:j] in anchors for i in range(len(w))
                 for j in range(i + 2, len(w) + 1)):
            out.add(w)
    return out


def candidate_readings(lex, table, toned=False):
    """{word: (count, readings, cedict_only)} of every word that may be
    written, with the reading it takes (toned: its toned reading); a word
    that only CC-CEDICT lists counts CEDICT_ONLY_COUNT."""
    second = lex.second_place_readings()
    overruled = {rule.target for rule in RULES
                 if rule.syllable != second.get(rule.target)}
    if toned:
        second = lex.second_place_readings(toned)
    candidates = {}
    for word, (count, readings) in lex.words.items():
        if word in LEFT_OUT_WORDS:
            continue
        spelt = None
        if word not in lex.from_cedict:
            spelt = lex.variant_spelling_reading(
                word, lambda ch, r: r in table.get(ch, ()), toned)
        if word in WORD_READINGS:
            readings = tuple(WORD_READINGS[word].split())
            if not toned:
                readings = lexicon.strip_tones(readings)
        elif spelt:
            readings = spelt
        elif (len(word) == 2 and readings[1] is None
              and word[1] not in overruled
              and word[1] not in COLLOQUIAL_ALONE_READINGS):
            # A two-character compound that CC-CEDICT lacks (满地, 两地) is
            # mostly read like those it has (土地, 各地); where rules read
            # the character otherwise (两行 hang), they know better.
            first = lex.toned[word][0] if toned else readings[0]
            readings = (first, second.get(word[1]))
        elif toned:
            readings = lex.toned[word]
        candidates[word] = (count or CEDICT_ONLY_COUNT, readings, count is None)
    return candidates


def alone_readings(lex, table):
    """{char: reading} of the characters that, standing alone, are not read
    as the table's first reading."""
    # A first reading that CC-CEDICT only uses in certain words (琢 zuo of
    # 琢磨) is not the one of the character alone.
    alone = {ch: r for ch, readings in table.items() if len(readings) > 1
             for r in [lex.reading_outside_words(ch, readings)] if r}
    alone.update(ALONE_READINGS)
    alone.update(COLLOQUIAL_ALONE_READINGS)
    return alone


def kept_words(candidates, default):
    """{word: (count, written readings)}: the words with a reading to write,
    and the frequent ones without that can overlap them in text and so
    decide where they begin and end. default is {char: the reading it gets
    without a word}."""
    explicit = {}
    plain = {}
    for word, (count, readings, cedict_only) in candidates.items():
        written = explicit_readings(word, readings, default)
        if any(written):
            explicit[word] = (count, written)
        elif not cedict_only:
            plain[word] = (count, written)
    kept = dict(explicit)
    frequent = {w for w, (count, _) in plain.items() if count >= MIN_PLAIN_COUNT}
    for word in touching(frequent, set(explicit)):
        kept[word] = plain[word]
    return kept


def char_records(lex, words, alone):
    """{char: CharRecord} of every character that the words, the alone
    readings or the rules name."""
    used = set(ch for word in words for ch in word)
    used.update(alone)
    used.update(RULE_TARGETS)
    # A neighbour outside every run would never let its rule hold.
    used.update(rule.neighbour for rule in RULES if rule.neighbour)
    used.discard(None)
    return {ch: words_file.CharRecord(
                cost_of(lex.single.get(ch, 1), lex.total) + SINGLE_PENALTY,
                alone.get(ch))
            for ch in used}


def costed_words(words, chars, total):
    """{word: (cost, written readings)} of the words that can be on the
    cheapest path: one that costs more than its characters alone never is,
    the characters always do better in its place."""
    return {w: (cost, written) for w, (count, written) in words.items()
            for cost in [cost_of(count, total)]
            if cost <= sum(chars[ch].single_cost for ch in w)}


def body(lex, candidates, default, alone, rules):
    kept = kept_words(candidates, default)
    chars = char_records(lex, kept, alone)
    return words_file.Body(chars, rules, costed_words(kept, chars, lex.total))


def build(lex, table, unihan_toned=None):
    """Return the WordsData for a lexicon and a table {char: [readings]};
    with {char: Unihan's toned readings}, with its tone part."""
    alone = alone_readings(lex, table)
    default = {ch: r[0] for ch, r in table.items()}
    default.update(alone)
    plain = body(lex, candidate_readings(lex, table), default, alone, list(RULES))
    tones = None
    if unihan_toned is not None:
        tones = build_tones(lex, table, alone, unihan_toned)
    return words_file.WordsData(plain.chars, plain.rules, plain.words, tones)


def build_tones(lex, table, alone, unihan_toned):
    usage = lex.usage(toned=True)
    char_tones = tone_data.char_tones(lex, unihan_toned, usage)
    toned = tone_data.toned_table(table, char_tones)
    toned_alone = tone_data.alone_tones(lex, table, alone, char_tones, toned, usage)
    default = {ch: r[0] for ch, r in toned.items()}
    default.update(toned_alone)
    toned_body = body(lex, candidate_readings(lex, table, toned=True), default,
                      toned_alone, tone_data.toned_rules(RULES, char_tones))
    return words_file.Tones(toned_body, char_tones, tone_data.surnames(lex),
                            tone_data.name_readings(lex, toned))


def unihan_tones(args, unihan_readings, table):
    """{char: Unihan's toned readings} of the table's characters, found as
    the table finds their toneless ones; only those of the table's readings
    (a unit character such as 兛 qianke has Unihan's qian1 but not that)."""
    variants = make_pymb.read_variants(args.unihan_dir)
    return {ch: [r for r in make_pymb.unihan_readings_of(
                     ch, unihan_readings, variants, word_sources.toned)
                 if r[:-1] in readings]
            for ch, readings in table.items()}


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--table", default=pymb_file.DEFAULT_PATH)
    parser.add_argument("--output", default=words_file.DEFAULT_PATH)
    word_sources.add_source_arguments(parser)
    args = parser.parse_args(argv)

    unihan_readings, _ = word_sources.read_unihan(
        args.unihan_dir, word_sources.UNIHAN_READINGS, make_pymb.READING_FIELDS)
    table = pymb_file.load_table(args.table)
    data = build(lexicon.load_lexicon(args, unihan_readings), table,
                 unihan_tones(args, unihan_readings, table))
    raw = words_file.encode(data)
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "wb") as f:
        f.write(raw)

    explicit = sum(1 for _, readings in data.words.values() if any(readings))
    print("size:            %d bytes" % len(raw))
    print("words:           %d (%d with explicit readings)"
          % (len(data.words), explicit))
    print("chars:           %d (%d with an alone reading)"
          % (len(data.chars), sum(1 for r in data.chars.values() if r.alone)))
    print("rules:           %d" % len(data.rules))
    tones = data.tones
    print("toned words:     %d (%d with explicit readings)" % (
        len(tones.body.words), sum(1 for _, r in tones.body.words.values() if any(r))))
    print("toned chars:     %d (%d with an alone reading)" % (
        len(tones.body.chars), sum(1 for r in tones.body.chars.values() if r.alone)))
    print("char tones:      %d; surnames: %d; name readings: %d" % (
        len(tones.char_tones), len(tones.surnames), len(tones.name_readings)))
    print("written to %s" % args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
