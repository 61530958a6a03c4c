"""Makes word data in the format of data/words.dat for benchmarks, from
jieba's dictionary (Debian package python3-jieba) and data/pymb.dat: every
word of 2 to 15 characters that the table holds, costs from jieba's
frequencies, and made-up readings: about one polyphone position in five
takes its character's second reading. The readings are not meant to be right;
the file has the size and shape of real word data, so that loading and
converting take the time they would.

usage: make_synthetic_words.py OUTPUT"""

import math
import struct
import sys
import zlib
from pathlib import Path

JIEBA = Path("/usr/lib/python3/dist-packages/jieba/dict.txt")
TABLE = Path(__file__).resolve().parent.parent / "data" / "pymb.dat"


def table_readings():
    readings = {}
    for line in TABLE.read_bytes().decode("gbk").splitlines():
        if len(line) >= 2:
            readings.setdefault(line[0], []).append(line[1:])
    return readings


def cost(frequency, total):
    return min(65535, round(-math.log(frequency / total) * 100))


def main(output):
    if not JIEBA.exists():
        sys.exit(f"make_synthetic_words.py: {JIEBA} is missing (apt-get install python3-jieba)")
    readings = table_readings()
    words, singles = {}, {}
    for line in JIEBA.read_text(encoding="utf-8").splitlines():
        word, frequency = line.split(" ")[:2]
        if not all(ord(c) < 0x10000 and c in readings for c in word):
            continue
        if len(word) == 1:
            singles[word] = int(frequency)
        elif len(word) <= 15:
            words[word] = max(words.get(word, 0), int(frequency))
    total = sum(words.values()) + sum(singles.values())

    syllables = sorted({s for rs in readings.values() for s in rs if s.isascii() and s.isalpha() and s.islower()})
    index = {s: i for i, s in enumerate(syllables)}
    chars = sorted(set(readings) - {c for c in readings if 0xD800 <= ord(c) <= 0xDFFF})

    body = bytearray()
    for syllable in syllables:
        body += bytes([len(syllable)]) + syllable.encode()
    for c in chars:
        body += struct.pack("<HHH", ord(c), cost(singles.get(c, 0) + 0.5, total), 0xFFFF)
    rules = [("了", "liao", 2, "\0"), ("着", "zhao", 1, "急"), ("地", "de", 0, "慢"), ("得", "dei", 1, "要")]
    for target, syllable, kind, neighbour in rules:
        body += struct.pack("<HHHBB", ord(target), ord(neighbour), index[syllable], kind, 0)
    for word in sorted(words, key=lambda w: w.encode("utf-16-be")):
        explicit = [0xFFFF] * len(word)
        for position, c in enumerate(word):
            others = [r for r in readings[c][1:] if r in index]
            if others and zlib.crc32(f"{word}{position}".encode()) % 5 == 0:
                explicit[position] = index[others[0]]
        has = any(s != 0xFFFF for s in explicit)
        body += bytes([len(word) | (0x80 if has else 0)]) + struct.pack("<H", cost(words[word], total))
        body += struct.pack(f"<{len(word)}H", *map(ord, word))
        if has:
            body += struct.pack(f"<{len(word)}H", *explicit)

    header = b"LVWORDS\0" + struct.pack("<IIIIIIII", 1, 40 + len(body), zlib.crc32(body), len(syllables),
                                        len(chars), len(rules), len(words), 0)
    Path(output).write_bytes(header + body)
    print(f"synthetic word data: {len(words)} words, {len(chars)} chars, {40 + len(body)} bytes in {output}")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
