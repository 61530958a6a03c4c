#!/usr/bin/env python3
"""Generate data/pymb.dat, the Hanzi-to-pinyin table, from Unicode's Unihan data.

The format is described in pymb_file.py; characters are ordered by their GBK
code.

The readings of a character are ordered by how often each occurs in
running text, estimated from jieba's word frequencies with CC-CEDICT's
readings of the words and from single-character use (lexicon.py); Unihan's
order (kHanyuPinlu counts, then kMandarin and the dictionaries) decides
between readings with no estimated use.

Usage: make_pymb.py [--unihan-dir DIR] [--jieba-dict PATH] [--cedict-dir DIR]
                    [--output PATH]
"""

import argparse
import os
import sys

import lexicon
import pymb_file
import word_sources
from word_sources import (IDEOGRAPHIC_ZERO, SYLLABLE_RE, is_ideograph,
                          pinlu_counts, read_unihan, toneless)

# The dictionary fields list every reading, including rare literary ones, so
# they only extend what the frequency counts and kMandarin already say.
DICTIONARY_FIELDS = ("kXHC1983", "kTGHZ2013")
# The fields of Unihan_Readings that own_readings takes readings from.
READING_FIELDS = {"kHanyuPinlu", "kMandarin", *DICTIONARY_FIELDS, "kHanyuPinyin"}

# Characters whose first reading by estimated use is not the one in common
# use today. The reading named here is moved to the front; it must already
# be one of the character's readings. Causes: kHanyuPinlu counts the erhua
# suffix r and characters written for others (呵 for 啊), corpora disagree
# (长), and the few words that hold a rare character can be one name.
FIRST_READING = {
    "兒": "er",      # r is the erhua suffix, which the word data writes er
    "长": "chang",   # zhang leads the counts only through news words (增长,
    "長": "chang",   # 部长, 市长) that the word data reads anyway; alone and
                     # in general text 长 is mostly chang (long)
    "呵": "he",      # kHanyuPinlu counts 呵 written for the particle 啊 (a)
    "茄": "qie",     # 茄子, 番茄; kHanyuPinlu has only jia (雪茄)
    "幢": "zhuang",  # 一幢楼; chuang is the Buddhist banner
    "摻": "chan",    # as 掺 (掺杂); no simplified word holds the old form
    "谁": "shei",    # shei in current dictionaries and CC-CEDICT's words;
                     # kHanyuPinlu has only the older shui
    "镐": "gao",     # a pick (十字镐); the words' hao is one name, 李昌镐
    "喏": "nuo",     # the interjection; re is only the old 唱喏
}

# Characters that stand for a metric unit and are read as the two syllables
# of the unit's name (瓩 = 千瓦 qianwa). Unihan gives at most one of the two
# syllables, or nothing, so these readings replace Unihan's entirely. The
# 瓦-family stand for watts, as in Chinese usage (Japanese uses them for
# grams). 毛 in 兞, 瓱 and 竓 abbreviates 毫 (milli-), hence hao, which is also
# what Unihan gives for 竓.
UNIT_READINGS = {
    "兙": ["shike"],      # decagram, no Unihan reading
    "兛": ["qianke"],     # kilogram, Unihan qian
    "兝": ["fenke"],      # decigram, Unihan fen
    "兞": ["haoke"],      # milligram, Unihan mao
    "兡": ["baike"],      # hectogram, no Unihan reading
    "兣": ["like"],       # centigram, Unihan li
    "瓩": ["qianwa"],     # kilowatt, Unihan qian / qian,wa
    "瓧": ["shiwa"],      # decawatt, no Unihan reading
    "瓰": ["fenwa"],      # deciwatt, no Unihan reading
    "瓱": ["haowa"],      # milliwatt, no Unihan reading
    "瓲": ["dunwa"],      # 屯 (dun) + 瓦, Unihan only wa
    "瓸": ["baiwa"],      # hectowatt, Unihan bai
    "瓼": ["liwa"],       # 里 (li) + 瓦, no Unihan data at all
    "甅": ["liwa"],       # 厘 (li) + 瓦, centi-, no Unihan reading
    "竍": ["shisheng"],   # decalitre, Unihan shi
    "竏": ["qiansheng"],  # kilolitre, Unihan qian
    "竕": ["fensheng"],   # decilitre, Unihan fen
    "竡": ["baisheng"],   # hectolitre, Unihan bai
    "竓": ["haosheng"],   # millilitre, Unihan hao
    "竰": ["lisheng"],    # centilitre, Unihan li
    "籵": ["shimi"],      # 十米, decametre, Unihan fan
    "粁": ["qianmi"],     # kilometre, Unihan qian
    "粍": ["haomi", "zhe"],  # millimetre; zhe is a separate dictionary reading
    "粨": ["baimi"],      # hectometre, Unihan bai
    "糎": ["limi"],       # centimetre, Unihan li
    "嗧": ["jialun"],     # gallon (加仑), no Unihan reading
}
# 竔 (litre, sheng) and 粎 (metre, mi) are single syllables; Unihan has them.

# Ideographs outside the CJK ideograph blocks, which Unihan has no reading for.
EXTRA_IDEOGRAPHS = {IDEOGRAPHIC_ZERO: ["ling"]}


def gbk_characters():
    """Yield (code, char) for every two-byte GBK code, in code order."""
    trails = list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))
    for lead in range(0x81, 0xFF):
        for trail in trails:
            raw = bytes((lead, trail))
            try:
                ch = raw.decode("gbk")
            except UnicodeDecodeError:
                continue
            if len(ch) == 1:
                yield (lead << 8) | trail, ch


def append_unique(out, readings):
    for r in readings:
        if r not in out:
            out.append(r)


def pinlu_readings(value, reduce=toneless):
    counts = pinlu_counts(value, reduce)
    # sorted() is stable, so equal counts keep the listed order.
    return sorted(counts, key=lambda r: -counts[r])


def located_readings(value, reduce=toneless):
    # "0149.100:chóng 1502.040:zhòng", or "196.060,196.070:kè"
    return [reduce(item.rsplit(":", 1)[1]) for item in value.split()]


def hanyu_pinyin_readings(value, reduce=toneless):
    # "10093.130:xī,lǔ 10094.010:xī"
    out = []
    for item in value.split():
        out.extend(reduce(r) for r in item.rsplit(":", 1)[1].split(","))
    return out


def own_readings(fields, reduce=toneless):
    """A character's readings from its own Unihan entries, preferred first;
    with reduce=word_sources.toned, its toned readings."""
    out = []
    if "kHanyuPinlu" in fields:
        append_unique(out, pinlu_readings(fields["kHanyuPinlu"], reduce))
    if "kMandarin" in fields:
        append_unique(out, [reduce(r) for r in fields["kMandarin"].split()])
    for field in DICTIONARY_FIELDS:
        if field in fields:
            append_unique(out, located_readings(fields[field], reduce))
    if not out and "kHanyuPinyin" in fields:
        append_unique(out, hanyu_pinyin_readings(fields["kHanyuPinyin"], reduce))
    return out


def unihan_readings_of(ch, unihan_readings, variants, reduce=toneless):
    """A character's own readings, else those of its unified equivalent
    (a compatibility ideograph), else those of its first Z or semantic
    variant that has any."""
    def readings_of(other):
        return own_readings(unihan_readings.get(other, {}), reduce)

    readings = readings_of(ch)
    if not readings and "kCompatibilityVariant" in variants.get(ch, {}):
        unified = variant_chars(variants[ch]["kCompatibilityVariant"])[0]
        readings = readings_of(unified)
    for field in ("kZVariant", "kSemanticVariant"):
        if readings:
            break
        for var in variant_chars(variants.get(ch, {}).get(field, "")):
            readings = readings_of(var)
            if readings:
                break
    return readings


def variant_chars(value):
    """Characters named by a variant field, in listed order."""
    out = []
    for item in value.split():
        code = item.split("<", 1)[0]  # drop the "<kMatthews" source tag
        out.append(chr(int(code[2:], 16)))
    return out


def order_by_usage(readings, usage):
    """The readings, the most used in running text first; unused ones keep
    their order after the used ones."""
    return sorted(readings, key=lambda r: -usage.get(r, 0.0))


def read_variants(unihan_dir):
    """{char: {field: value}} of the fields that name a character's variants:
    kCompatibilityVariant of Unihan_IRGSources, kZVariant and
    kSemanticVariant of Unihan_Variants."""
    variants, _ = read_unihan(unihan_dir, word_sources.UNIHAN_VARIANTS,
                              {"kZVariant", "kSemanticVariant"})
    compatibility, _ = read_unihan(unihan_dir, word_sources.UNIHAN_IRG_SOURCES,
                                   {"kCompatibilityVariant"})
    for ch, fields in compatibility.items():
        variants.setdefault(ch, {}).update(fields)
    return variants


def build_table(unihan_readings, variants, lex=None):
    """Return (entries, missing).

    unihan_readings holds the READING_FIELDS of Unihan_Readings as
    read_unihan returns them, variants what read_variants returns. entries
    is a list of (gbk_code, char, [readings]) in GBK order; missing lists
    the GBK ideographs for which no reading was found. With a lexicon, each
    character's readings are ordered by their estimated use in running text
    (lexicon.Lexicon.reading_usage).
    """
    if lex is not None:
        in_words, alone = lex.usage()

    entries = []
    missing = []
    for code, ch in gbk_characters():
        if not is_ideograph(ch, extra=EXTRA_IDEOGRAPHS):
            continue
        if ch in UNIT_READINGS:
            readings = list(UNIT_READINGS[ch])
        elif ch in EXTRA_IDEOGRAPHS:
            readings = list(EXTRA_IDEOGRAPHS[ch])
        else:
            readings = unihan_readings_of(ch, unihan_readings, variants)
        if lex is not None and len(readings) > 1:
            readings = order_by_usage(
                readings, lex.reading_usage(ch, readings, in_words, alone))
        if ch in FIRST_READING:
            first = FIRST_READING[ch]
            if first not in readings:
                raise ValueError("%s: %s is not among %s" % (ch, first, readings))
            readings.remove(first)
            readings.insert(0, first)
        for r in readings:
            assert SYLLABLE_RE.match(r), (ch, r)
        if readings:
            entries.append((code, ch, readings))
        else:
            missing.append((code, ch))
    return entries, missing


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    word_sources.add_source_arguments(parser)
    parser.add_argument("--output", default=pymb_file.DEFAULT_PATH,
                        help="file to write (default: data/pymb.dat in the repository)")
    args = parser.parse_args(argv)

    unihan_readings, version = read_unihan(
        args.unihan_dir, word_sources.UNIHAN_READINGS, READING_FIELDS)
    lex = lexicon.load_lexicon(args, unihan_readings)
    entries, missing = build_table(unihan_readings,
                                   read_variants(args.unihan_dir), lex)
    data = pymb_file.encode_table(entries)
    out_dir = os.path.dirname(os.path.abspath(args.output))
    os.makedirs(out_dir, exist_ok=True)
    with open(args.output, "wb") as f:
        f.write(data)

    n_entries = sum(len(r) for _, _, r in entries)
    polyphonic = sum(1 for _, _, r in entries if len(r) > 1)
    print("Unihan version:          %s" % version)
    print("GBK ideographs:          %d" % (len(entries) + len(missing)))
    print("characters:              %d" % len(entries))
    print("entries:                 %d" % n_entries)
    print("polyphonic characters:   %d" % polyphonic)
    print("ideographs without any reading: %d" % len(missing))
    if missing:
        print("  (Unihan has no Mandarin reading for them, nor a compatibility,"
              " Z or semantic variant with one)")
    for code, ch in missing:
        print("  %04X U+%04X %s" % (code, ord(ch), ch))
    print("written to %s" % args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
