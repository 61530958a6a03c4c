"""Reading and writing data/words.dat, the word data of the context conversion.

Little-endian binary: a 40-byte header (magic, version, file size, CRC-32 of
what follows the header, the four counts, a reserved zero), then syllables
(u8 length, letters), chars (u16 unit, u16 singleCost, u16 aloneSyllable),
rules (u16 target, u16 neighbour, u16 syllable, u8 kind, u8 0) and words
(u8 head = length | 0x80 when it has explicit readings, u16 cost, u16
units[length], u16 syllables[length] when explicit).
"""

import struct
import zlib
from dataclasses import dataclass
from pathlib import Path

DEFAULT_PATH = str(Path(__file__).resolve().parents[2] / "data" / "words.dat")
MAGIC = b"LVWORDS\0"
VERSION = 1
HEADER = struct.Struct("<8sIIIIIIII")
NONE = 0xFFFF
MAX_FILE_SIZE = 64 << 20
MAX_RULES_PER_CHAR = 1024  # far more than a character needs

PREVIOUS_IS, NEXT_IS, AFTER_REDUPLICATION = 0, 1, 2
RULE_KINDS = (PREVIOUS_IS, NEXT_IS, AFTER_REDUPLICATION)


class WordsFileError(Exception):
    pass


@dataclass(frozen=True, slots=True)
class CharRecord:
    single_cost: int
    alone: str | None  # a syllable, or None for the table's first reading


@dataclass(frozen=True, slots=True)
class Rule:
    target: str
    neighbour: str | None  # a character, or None for reduplication
    syllable: str
    kind: int


@dataclass(frozen=True, slots=True)
class WordsData:
    """The file's content: chars {char: CharRecord}, rules [Rule] in file
    order, words {word: (cost, readings tuple, None where not explicit)}."""
    chars: dict
    rules: list
    words: dict


def _units(word):
    """Sort key: the word's UTF-16 units (every word is in the BMP)."""
    return [ord(c) for c in word]


def encode(data):
    syllables = set(r.alone for r in data.chars.values() if r.alone)
    syllables.update(rule.syllable for rule in data.rules)
    for _, readings in data.words.values():
        syllables.update(s for s in readings if s)
    syllables = sorted(syllables)
    if not 1 <= len(syllables) <= 0xFFFE:
        raise WordsFileError("%d syllables" % len(syllables))
    index = {s: i for i, s in enumerate(syllables)}

    body = bytearray()
    for s in syllables:
        raw = s.encode("ascii")
        if not 1 <= len(raw) <= 15 or not raw.isalpha() or not raw.islower():
            raise WordsFileError("bad syllable %r" % s)
        body += bytes((len(raw),)) + raw
    for ch in sorted(data.chars):
        if not 0 < ord(ch) < 0x10000 or 0xD800 <= ord(ch) <= 0xDFFF:
            raise WordsFileError("char U+%04X is not one UTF-16 unit" % ord(ch))
        record = data.chars[ch]
        alone = index[record.alone] if record.alone else NONE
        body += struct.pack("<HHH", ord(ch), record.single_cost, alone)
    for rule in data.rules:
        if rule.target not in data.chars or rule.kind not in RULE_KINDS:
            raise WordsFileError("bad rule %r" % (rule,))
        neighbour = ord(rule.neighbour) if rule.neighbour else 0
        if (rule.kind == AFTER_REDUPLICATION) != (neighbour == 0):
            raise WordsFileError("bad rule %r" % (rule,))
        body += struct.pack("<HHHBB", ord(rule.target), neighbour,
                            index[rule.syllable], rule.kind, 0)
    for word in sorted(data.words, key=_units):
        cost, readings = data.words[word]
        if not 2 <= len(word) <= 15 or len(readings) != len(word):
            raise WordsFileError("bad word %r" % word)
        if any(ch not in data.chars for ch in word):
            raise WordsFileError("word %r has a character without a record" % word)
        explicit = any(readings)
        body += struct.pack("<BH", len(word) | (0x80 if explicit else 0), cost)
        body += struct.pack("<%dH" % len(word), *(ord(c) for c in word))
        if explicit:
            body += struct.pack("<%dH" % len(word),
                                *(index[s] if s else NONE for s in readings))
    size = HEADER.size + len(body)
    header = HEADER.pack(MAGIC, VERSION, size, zlib.crc32(body), len(syllables),
                         len(data.chars), len(data.rules), len(data.words), 0)
    return header + bytes(body)


def decode(raw, name="words.dat"):
    """Parse and validate a words file; raise WordsFileError naming it."""

    def fail(problem):
        raise WordsFileError("%s: %s" % (name, problem))

    if len(raw) > MAX_FILE_SIZE:
        fail("larger than 64 MiB")
    if len(raw) < HEADER.size:
        fail("truncated header")
    (magic, version, size, crc, n_syllables, n_chars, n_rules, n_words,
     reserved) = HEADER.unpack_from(raw)
    if magic != MAGIC:
        fail("not a word data file (wrong magic)")
    if version != VERSION:
        fail("format version %d, expected %d" % (version, VERSION))
    if size != len(raw):
        fail("header says %d bytes, file has %d" % (size, len(raw)))
    if zlib.crc32(raw[HEADER.size:]) != crc:
        fail("checksum mismatch")
    if reserved:
        fail("nonzero reserved header field")
    if not 1 <= n_syllables <= 0xFFFF:
        fail("syllable count %d" % n_syllables)
    pos = HEADER.size

    def take(count):
        nonlocal pos
        if count > len(raw) - pos:
            fail("truncated at byte %d" % pos)
        pos += count
        return raw[pos - count:pos]

    syllables = []
    for _ in range(n_syllables):
        length = take(1)[0]
        if not 1 <= length <= 15:
            fail("syllable %d has length %d" % (len(syllables), length))
        letters = take(length)
        if not all(0x61 <= b <= 0x7A for b in letters):
            fail("syllable %d is not a to z" % len(syllables))
        syllables.append(letters.decode("ascii"))

    def syllable(i, where):
        if i == NONE:
            return None
        if i >= n_syllables:
            fail("%s: syllable index %d out of range" % (where, i))
        return syllables[i]

    chars = {}
    previous = -1
    for _ in range(n_chars):
        unit, cost, alone = struct.unpack("<HHH", take(6))
        if unit <= previous or unit == 0 or 0xD800 <= unit <= 0xDFFF:
            fail("char U+%04X out of order, NUL or a surrogate" % unit)
        previous = unit
        chars[chr(unit)] = CharRecord(cost, syllable(alone, "char U+%04X" % unit))
    rules = []
    rules_of = {}
    for number in range(n_rules):
        target, neighbour, index, kind, zero = struct.unpack("<HHHBB", take(8))
        where = "rule %d" % number
        if zero or kind not in RULE_KINDS:
            fail("%s: unknown kind or nonzero reserved byte" % where)
        if chr(target) not in chars:
            fail("%s: target U+%04X has no char record" % (where, target))
        if (kind == AFTER_REDUPLICATION) != (neighbour == 0):
            fail("%s: a reduplication rule with a neighbour, or another without" % where)
        if index == NONE:
            fail("%s: no syllable" % where)
        rules_of[target] = rules_of.get(target, 0) + 1
        if rules_of[target] > MAX_RULES_PER_CHAR:
            fail("%s: U+%04X has more than %d rules" % (where, target, MAX_RULES_PER_CHAR))
        rules.append(Rule(chr(target), chr(neighbour) if neighbour else None,
                          syllable(index, where), kind))
    words = {}
    previous = None
    for number in range(n_words):
        head, cost = struct.unpack("<BH", take(3))
        length = head & 0x0F
        if head & 0x70 or length < 2:
            fail("word %d: bad head byte 0x%02X" % (number, head))
        units = struct.unpack("<%dH" % length, take(2 * length))
        if previous is not None and list(units) <= previous:
            fail("word %d out of order" % number)
        previous = list(units)
        word = "".join(map(chr, units))
        if any(ch not in chars for ch in word):
            fail("word %d has a unit without a char record" % number)
        readings = (None,) * length
        if head & 0x80:
            indexes = struct.unpack("<%dH" % length, take(2 * length))
            readings = tuple(syllable(i, "word %d" % number) for i in indexes)
            if not any(readings):
                fail("word %d marked explicit without an explicit reading" % number)
        words[word] = (cost, readings)
    if pos != len(raw):
        fail("%d bytes after the last word" % (len(raw) - pos))
    return WordsData(chars, rules, words)
