"""Makes the crafted data files that once cost lorvane-cli --context
gigabytes or minutes, for bench/crafted.sh. Each is a valid file that both
loaders accept (but for the one with too many rules for one character, which
is now refused), built to attack one part of the index:

- readings-product: one character with 1,000 readings of 130 letters, and
  word data that chooses 5,000 other syllables for it (a copy of all its
  readings per syllable chosen);
- huge-table: one character with 27,950 readings of 2,100 letters (a
  59 MB table) and 466 bytes of word data;
- large-words: 63 MB of word data for the real table, words that choose
  syllables at random for polyphonic characters;
- wrap, wrap-large: word pairs that the old fixed hash sent past the last
  slot of its table, where each was placed by a scan from slot 0;
- cluster: word pairs that the old hash sent to the first slots, and text
  made of them, each lookup walking the whole cluster;
- many-rules: a million rules for 行, and text of 行 (refused now: a
  character may have 1,024 rules); most-rules: the 1,024 allowed.

usage: make_crafted_data.py FOLDER"""

import random
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tools" / "data"))
import pymb_file  # noqa: E402
import words_file  # noqa: E402
from words_file import CharRecord, Rule, WordsData  # noqa: E402

OLD_MULTIPLIER = 0x9E3779B1


def letters(number, length):
    """A distinct lower-case syllable for `number`: its digits in base 25
    (a to y), padded with z to `length` letters."""
    text = ""
    while number or not text:
        number, digit = divmod(number, 25)
        text += chr(ord("a") + digit)
    return (text + "z" * length)[:length] if length > len(text) else text


def write_table(path, entries):
    """A UTF-8 table (with its byte-order mark) of (character, syllable)."""
    lines = [ch + syllable for ch, syllable in entries]
    path.write_bytes(b"\xef\xbb\xbf" + "\r\n".join(lines).encode("utf-8") + b"\r\n")


def write_words(path, data):
    path.write_bytes(words_file.encode(data))


def readings_product(folder):
    write_table(folder / "readings-product.pymb", [("长", letters(i, 130)) for i in range(1000)])
    seconds = [chr(0x4E00 + i) for i in range(5000)]
    chars = {ch: CharRecord(100, None) for ch in ["长"] + seconds}
    words = {"长" + second: (100, (letters(i, 6), None)) for i, second in enumerate(seconds)}
    write_words(folder / "readings-product.words", WordsData(chars, [], words))


def huge_table(folder):
    write_table(folder / "huge-table.pymb", [("长", letters(i, 2100)) for i in range(27950)])
    chars = {"长": CharRecord(100, "alone"), "大": CharRecord(100, None)}
    rules = [Rule("长", "大", letters(i, 8), words_file.PREVIOUS_IS) for i in range(12)]
    words = {"长大": (100, ("zhang", None))}
    write_words(folder / "huge-table.words", WordsData(chars, rules, words))


def large_words(folder):
    """63 MB of explicit two-character words that begin with one of the real
    table's polyphonic characters, each choosing one of 60,000 made-up
    syllables for both its characters."""
    table = pymb_file.load_table(pymb_file.DEFAULT_PATH)
    units = sorted(ch for ch in table if ord(ch) < 0x10000)
    polyphonic = [ch for ch in units if len(table[ch]) > 1]
    syllables = [letters(i, 7) for i in range(60000)]
    rng = random.Random(1)
    chars = {ch: CharRecord(100, None) for ch in units}
    words = {}
    target = 63 << 20
    size = 40 + sum(len(s) + 1 for s in syllables) + 6 * len(chars)
    for first in polyphonic:
        for second in units:
            if size + 11 > target:
                break
            words[first + second] = (100, (syllables[rng.randrange(len(syllables))],
                                           syllables[rng.randrange(len(syllables))]))
            size += 11
    write_words(folder / "large-words.words", WordsData(chars, [], words))


def valid_unit(unit):
    return unit != 0 and not 0xD800 <= unit <= 0xDFFF


def old_hash_pairs(count, at_end):
    """`count` pairs of units whose home slot under the old hash
    ((first << 16 | second) * 0x9E3779B1 >> shift) is among the last slots of
    its table (at_end) or the first ones."""
    slots, shift = 16, 28
    while 3 * slots < 4 * count:
        slots, shift = slots * 2, shift - 1
    inverse = pow(OLD_MULTIPLIER, -1, 1 << 32)
    pairs = []
    slot = slots - 1 if at_end else 0
    while len(pairs) < count:
        for hashed in range(slot << shift, (slot + 1) << shift):
            pair = hashed * inverse % (1 << 32)
            if valid_unit(pair >> 16) and valid_unit(pair & 0xFFFF):
                pairs.append(pair)
                if len(pairs) == count:
                    break
        slot += -1 if at_end else 1
    return sorted(pairs)


def pair_words(pairs, readings):
    units = sorted({pair >> 16 for pair in pairs} | {pair & 0xFFFF for pair in pairs})
    chars = {chr(unit): CharRecord(100, "zz" if unit == units[0] else None) for unit in units}
    reading = ("zz", None) if readings else (None, None)
    words = {chr(pair >> 16) + chr(pair & 0xFFFF): (100, reading) for pair in pairs}
    return WordsData(chars, [], words)


def wrap(folder):
    write_words(folder / "wrap.words", pair_words(old_hash_pairs(90000, True), False))
    write_words(folder / "wrap-large.words", pair_words(old_hash_pairs(300000, True), False))


def cluster(folder):
    pairs = old_hash_pairs(90000, False)
    write_words(folder / "cluster.words", pair_words(pairs, True))
    text = "".join(chr(pair >> 16) + chr(pair & 0xFFFF) for pair in pairs[:50000])
    (folder / "cluster.txt").write_text(text, encoding="utf-8")


def many_rules(folder):
    def rules_file(name, count):
        neighbours = [chr(0x4E00 + i) for i in range(20000)]
        rules = [Rule("行", neighbours[i % len(neighbours)], letters(i % 50, 4), words_file.PREVIOUS_IS)
                 for i in range(count)]
        write_words(folder / name, WordsData({"行": CharRecord(100, None)}, rules, {}))

    rules_file("many-rules.words", 1000000)
    rules_file("most-rules.words", 1024)
    (folder / "rules.txt").write_text("行" * 100000, encoding="utf-8")


def main(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    for make in (readings_product, huge_table, large_words, wrap, cluster, many_rules):
        make(folder)
        print("made", make.__name__.replace("_", "-"), file=sys.stderr)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
