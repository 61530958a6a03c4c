#!/usr/bin/env python3
"""Generate data/words.dat, the word data of the context conversion.

Words and their frequencies come from jieba's dictionary, their readings from
CC-CEDICT (a word it lacks is read through the CC-CEDICT words it is made
of), single-character use from jieba's counts and Unihan's kHanyuPinlu. The
table data/pymb.dat must be generated first: a word's reading is only
written where it differs from what the conversion would take without it.

Usage: make_words.py [--table PATH] [--output PATH] [--unihan-dir DIR]
                     [--jieba-dict PATH] [--cedict-dir DIR]
"""

import argparse
import math
import os
import sys

import lexicon
import pymb_file
import word_sources
import words_file
from words_file import AFTER_REDUPLICATION, NEXT_IS, PREVIOUS_IS, Rule

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
    "明朝": "ming chao",    # the Ming dynasty, far more than "tomorrow morning"
    "大都": "da dou",       # mostly (大都是); Dadu is the Yuan capital
    "下调": "xia tiao",     # to adjust downwards (prices, rates)
    "口角": "kou jue",      # a quarrel; kou jiao is the corner of the mouth
    "憎恶": "zeng wu",      # to loathe; zeng e (to hate evil) is literary
    "落空": "luo kong",     # to come to nothing
    "保长": "bao zhang",    # head of a bao; bao chang is a term of geometry
    "省事": "sheng shi",    # to save trouble
    "摩挲": "mo suo",       # to stroke; ma sa is colloquial
    "重名": "chong ming",   # to share a name
    "断行": "duan hang",    # line break
    "前传": "qian zhuan",   # prequel
    "穿着": "chuan zhe",    # wearing (穿着衣服), far more than "attire" (zhuo)
    "总长": "zong chang",   # total length (全线总长); zhang, a minister of 1912-27
    "重重": "chong chong",  # layer upon layer (困难重重, 重重包围), more than
                            # heavily (重重地)
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


def candidate_readings(lex, table):
    """{word: (count, readings, cedict_only)} of every word that may be
    written, with the reading it takes; a word that only CC-CEDICT lists
    counts CEDICT_ONLY_COUNT."""
    second = lex.second_place_readings()
    overruled = {rule.target for rule in RULES
                 if rule.syllable != second.get(rule.target)}
    candidates = {}
    for word, (count, readings) in lex.words.items():
        if word in LEFT_OUT_WORDS:
            continue
        spelt = None
        if word not in lex.from_cedict:
            spelt = lex.variant_spelling_reading(
                word, lambda ch, r: r in table.get(ch, ()))
        if word in WORD_READINGS:
            readings = tuple(WORD_READINGS[word].split())
        elif spelt:
            readings = spelt
        elif (len(word) == 2 and readings[1] is None
              and word[1] not in overruled
              and word[1] not in COLLOQUIAL_ALONE_READINGS):
            # A two-character compound that CC-CEDICT lacks (满地, 两地) is
            # mostly read like those it has (土地, 各地); where rules read
            # the character otherwise (两行 hang), they know better.
            readings = (readings[0], second.get(word[1]))
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


def build(lex, table):
    """Return the WordsData for a lexicon and a table {char: [readings]}."""
    alone = alone_readings(lex, table)
    default = {ch: r[0] for ch, r in table.items()}
    default.update(alone)
    kept = kept_words(candidate_readings(lex, table), default)
    chars = char_records(lex, kept, alone)
    return words_file.WordsData(chars, list(RULES),
                                costed_words(kept, chars, lex.total))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--table", default=pymb_file.DEFAULT_PATH)
    parser.add_argument("--output", default=words_file.DEFAULT_PATH)
    word_sources.add_source_arguments(parser)
    args = parser.parse_args(argv)

    data = build(lexicon.load_lexicon(args), pymb_file.load_table(args.table))
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
    print("written to %s" % args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
