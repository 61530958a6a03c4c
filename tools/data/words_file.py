"""Reading and writing data/words.dat, the word data of the context conversion.

Little-endian binary: a 40-byte header (magic, version, file size, CRC-32 of
what follows the header, the four counts, a reserved zero), then syllables
(u8 length, letters), chars (u16 unit, u16 singleCost, u16 aloneSyllable),
rules (u16 target, u16 neighbour, u16 syllable, u8 kind, u8 0) and words
(u8 head = length | 0x80 when it has explicit readings, u16 cost, u16
units[length], u16 syllables[length] when explicit).

Version 2 is version 1 followed by a tone part, which the size and the CRC
cover too:
- eight u32 counts: toned syllables, toned chars, toned rules, toned words,
  char tones, surnames, name readings, a reserved zero;
- toned syllables: u8 length (2 to 16), the letters a-z and one tone digit
  1 to 5 (5 the neutral tone): "zhong4", "lv4", "de5"; no two equal;
- toned chars, rules and words: the layouts of the sections above, their
  syllable indexes referring to the toned syllables;
- char tones, units increasing: u16 unit, u8 count (1 to 255), count u16
  toned syllables, the character's toned readings, the most used first;
- surnames, in the order of their units as the words are: u8 length (1 or
  2), u16 units[length], u16 toned syllables[length];
- name readings, units increasing: u16 unit, u16 toned syllable, the
  character's reading in a given name where it differs from its usual one.
"""

import re
import struct
import zlib
from dataclasses import dataclass
from pathlib import Path

DEFAULT_PATH = str(Path(__file__).resolve().parents[2] / "data" / "words.dat")
MAGIC = b"LVWORDS\0"
VERSION = 2
VERSIONS = (1, 2)
HEADER = struct.Struct("<8sIIIIIIII")
TONE_COUNTS = struct.Struct("<8I")
NONE = 0xFFFF
MAX_FILE_SIZE = 64 << 20
MAX_RULES_PER_CHAR = 1024  # far more than a character needs
MAX_CHAR_TONES = 255

PREVIOUS_IS, NEXT_IS, AFTER_REDUPLICATION = 0, 1, 2
RULE_KINDS = (PREVIOUS_IS, NEXT_IS, AFTER_REDUPLICATION)

TONED_SYLLABLE_RE = re.compile(r"^[a-z]{1,15}[1-5]$")


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
class Body:
    """chars {char: CharRecord}, rules [Rule] in file order, words {word:
    (cost, readings tuple, None where not explicit)}."""
    chars: dict
    rules: list
    words: dict


@dataclass(frozen=True, slots=True)
class Tones:
    """The tone part: body, a Body whose syllables are toned ("zhong4");
    char_tones {char: [toned readings, most used first]}; surnames
    {surname of one or two characters: (toned readings)}; name_readings
    {char: toned reading in a given name}."""
    body: Body
    char_tones: dict
    surnames: dict
    name_readings: dict


@dataclass(frozen=True, slots=True)
class WordsData:
    """The file's content: the toneless body's chars, rules and words (see
    Body), and the tone part (Tones) or None for a version 1 file."""
    chars: dict
    rules: list
    words: dict
    tones: Tones | None = None


def _units(word):
    """Sort key: the word's UTF-16 units (every word is in the BMP)."""
    return [ord(c) for c in word]


def _body_syllables(body):
    syllables = set(r.alone for r in body.chars.values() if r.alone)
    syllables.update(rule.syllable for rule in body.rules)
    for _, readings in body.words.values():
        syllables.update(s for s in readings if s)
    return syllables


def _encode_syllables(syllables, valid):
    if not 1 <= len(syllables) <= 0xFFFE:
        raise WordsFileError("%d syllables" % len(syllables))
    out = bytearray()
    for s in syllables:
        raw = s.encode("ascii")
        if not valid(s):
            raise WordsFileError("bad syllable %r" % s)
        out += bytes((len(raw),)) + raw
    return out


def _check_unit(ch, what):
    if not 0 < ord(ch) < 0x10000 or 0xD800 <= ord(ch) <= 0xDFFF:
        raise WordsFileError("%s U+%04X is not one UTF-16 unit" % (what, ord(ch)))


def _encode_body(body, index):
    out = bytearray()
    for ch in sorted(body.chars):
        _check_unit(ch, "char")
        record = body.chars[ch]
        alone = index[record.alone] if record.alone else NONE
        out += struct.pack("<HHH", ord(ch), record.single_cost, alone)
    for rule in body.rules:
        if rule.target not in body.chars or rule.kind not in RULE_KINDS:
            raise WordsFileError("bad rule %r" % (rule,))
        neighbour = ord(rule.neighbour) if rule.neighbour else 0
        if (rule.kind == AFTER_REDUPLICATION) != (neighbour == 0):
            raise WordsFileError("bad rule %r" % (rule,))
        out += struct.pack("<HHHBB", ord(rule.target), neighbour,
                           index[rule.syllable], rule.kind, 0)
    for word in sorted(body.words, key=_units):
        cost, readings = body.words[word]
        if not 2 <= len(word) <= 15 or len(readings) != len(word):
            raise WordsFileError("bad word %r" % word)
        if any(ch not in body.chars for ch in word):
            raise WordsFileError("word %r has a character without a record" % word)
        explicit = any(readings)
        out += struct.pack("<BH", len(word) | (0x80 if explicit else 0), cost)
        out += struct.pack("<%dH" % len(word), *(ord(c) for c in word))
        if explicit:
            out += struct.pack("<%dH" % len(word),
                               *(index[s] if s else NONE for s in readings))
    return out


def _encode_tones(tones):
    syllables = _body_syllables(tones.body)
    for readings in tones.char_tones.values():
        syllables.update(readings)
    for readings in tones.surnames.values():
        syllables.update(readings)
    syllables.update(tones.name_readings.values())
    syllables = sorted(syllables)
    index = {s: i for i, s in enumerate(syllables)}
    out = bytearray(_encode_syllables(syllables, TONED_SYLLABLE_RE.match))
    out += _encode_body(tones.body, index)
    for ch in sorted(tones.char_tones):
        _check_unit(ch, "char tones of")
        readings = tones.char_tones[ch]
        if not 1 <= len(readings) <= MAX_CHAR_TONES or len(set(readings)) != len(readings):
            raise WordsFileError("char tones of %s: %r" % (ch, readings))
        out += struct.pack("<HB%dH" % len(readings), ord(ch), len(readings),
                           *(index[s] for s in readings))
    for surname in sorted(tones.surnames, key=_units):
        readings = tones.surnames[surname]
        if not 1 <= len(surname) <= 2 or len(readings) != len(surname):
            raise WordsFileError("bad surname %r" % surname)
        for ch in surname:
            _check_unit(ch, "surname")
        out += struct.pack("<B%dH%dH" % (len(surname), len(surname)), len(surname),
                           *_units(surname), *(index[s] for s in readings))
    for ch in sorted(tones.name_readings):
        _check_unit(ch, "name reading of")
        out += struct.pack("<HH", ord(ch), index[tones.name_readings[ch]])
    counts = TONE_COUNTS.pack(len(syllables), len(tones.body.chars),
                              len(tones.body.rules), len(tones.body.words),
                              len(tones.char_tones), len(tones.surnames),
                              len(tones.name_readings), 0)
    return counts + bytes(out)


def _plain_syllable(s):
    return 1 <= len(s) <= 15 and s.isascii() and s.isalpha() and s.islower()


def encode(data):
    """The bytes of a WordsData: version 2 with its tones, else version 1."""
    syllables = sorted(_body_syllables(data))
    index = {s: i for i, s in enumerate(syllables)}
    body = _encode_syllables(syllables, _plain_syllable)
    body += _encode_body(data, index)
    version = 1
    if data.tones is not None:
        version = 2
        body += _encode_tones(data.tones)
    size = HEADER.size + len(body)
    header = HEADER.pack(MAGIC, version, size, zlib.crc32(body), len(syllables),
                         len(data.chars), len(data.rules), len(data.words), 0)
    return header + bytes(body)


class _Reader:
    """Takes the sections of a file in order, failing with the file's name."""

    def __init__(self, raw, name, pos):
        self.raw, self.name, self.pos = raw, name, pos

    def fail(self, problem):
        raise WordsFileError("%s: %s" % (self.name, problem))

    def take(self, count):
        if count > len(self.raw) - self.pos:
            self.fail("truncated at byte %d" % self.pos)
        self.pos += count
        return self.raw[self.pos - count:self.pos]

    def unpack(self, layout):
        return struct.unpack(layout, self.take(struct.calcsize(layout)))

    def syllables(self, count, what, lengths, tone):
        out = []
        for _ in range(count):
            length = self.take(1)[0]
            if not lengths[0] <= length <= lengths[1]:
                self.fail("%s %d has length %d" % (what, len(out), length))
            raw = self.take(length)
            letters = raw[:-1] if tone else raw
            if not all(0x61 <= b <= 0x7A for b in letters) or (
                    tone and not 0x31 <= raw[-1] <= 0x35):
                self.fail("%s %d is not a to z%s" % (what, len(out),
                                                    " and a tone 1 to 5" if tone else ""))
            out.append(raw.decode("ascii"))
        if tone and len(set(out)) != len(out):
            self.fail("%s listed twice" % what)
        return out

    def body(self, syllables, counts, what):
        """chars, rules and words, their syllable indexes into syllables."""
        n_chars, n_rules, n_words = counts

        def syllable(i, where):
            if i == NONE:
                return None
            if i >= len(syllables):
                self.fail("%s: syllable index %d out of range" % (where, i))
            return syllables[i]

        chars = {}
        previous = -1
        for _ in range(n_chars):
            unit, cost, alone = self.unpack("<HHH")
            if unit <= previous or unit == 0 or 0xD800 <= unit <= 0xDFFF:
                self.fail("%schar U+%04X out of order, NUL or a surrogate" % (what, unit))
            previous = unit
            chars[chr(unit)] = CharRecord(cost, syllable(alone, "%schar U+%04X" % (what, unit)))
        rules = []
        rules_of = {}
        for number in range(n_rules):
            target, neighbour, index, kind, zero = self.unpack("<HHHBB")
            where = "%srule %d" % (what, number)
            if zero or kind not in RULE_KINDS:
                self.fail("%s: unknown kind or nonzero reserved byte" % where)
            if chr(target) not in chars:
                self.fail("%s: target U+%04X has no char record" % (where, target))
            if (kind == AFTER_REDUPLICATION) != (neighbour == 0):
                self.fail("%s: a reduplication rule with a neighbour, or another without" % where)
            if index == NONE:
                self.fail("%s: no syllable" % where)
            rules_of[target] = rules_of.get(target, 0) + 1
            if rules_of[target] > MAX_RULES_PER_CHAR:
                self.fail("%s: U+%04X has more than %d rules"
                          % (where, target, MAX_RULES_PER_CHAR))
            rules.append(Rule(chr(target), chr(neighbour) if neighbour else None,
                              syllable(index, where), kind))
        words = {}
        previous = None
        for number in range(n_words):
            head, cost = self.unpack("<BH")
            where = "%sword %d" % (what, number)
            length = head & 0x0F
            if head & 0x70 or length < 2:
                self.fail("%s: bad head byte 0x%02X" % (where, head))
            units = self.unpack("<%dH" % length)
            if previous is not None and list(units) <= previous:
                self.fail("%s out of order" % where)
            previous = list(units)
            word = "".join(map(chr, units))
            if any(ch not in chars for ch in word):
                self.fail("%s has a unit without a char record" % where)
            readings = (None,) * length
            if head & 0x80:
                indexes = self.unpack("<%dH" % length)
                readings = tuple(syllable(i, where) for i in indexes)
                if not any(readings):
                    self.fail("%s marked explicit without an explicit reading" % where)
            words[word] = (cost, readings)
        return Body(chars, rules, words)

    def part(self, n_syllables, counts, what, lengths, toned):
        """The syllables, then the body that refers to them: of the file
        (what "") or of its tone part (what "toned ")."""
        if not 1 <= n_syllables <= 0xFFFF:
            self.fail("%ssyllable count %d" % (what, n_syllables))
        syllables = self.syllables(n_syllables, what + "syllable", lengths, toned)
        return syllables, self.body(syllables, counts, what)

    def tones(self):
        (n_syllables, n_chars, n_rules, n_words, n_char_tones, n_surnames,
         n_name_readings, reserved) = TONE_COUNTS.unpack(self.take(TONE_COUNTS.size))
        if reserved:
            self.fail("nonzero reserved tone count")
        syllables, body = self.part(n_syllables, (n_chars, n_rules, n_words), "toned ", (2, 16), True)

        def toned(i, where):
            if i >= len(syllables):
                self.fail("%s: toned syllable index %d out of range" % (where, i))
            return syllables[i]

        def unit_char(unit, where):
            if unit == 0 or 0xD800 <= unit <= 0xDFFF:
                self.fail("%s: U+%04X is NUL or a surrogate" % (where, unit))
            return chr(unit)

        def units_increasing(layout, count, what):
            """The records of `layout`, their first field a unit, units increasing."""
            previous = 0
            for number in range(count):
                record = self.unpack(layout)
                where = "%s %d" % (what, number)
                if record[0] <= previous:
                    self.fail("%s: U+%04X out of order" % (where, record[0]))
                previous = record[0]
                yield where, record

        char_tones = {}
        for where, (unit, count) in units_increasing("<HB", n_char_tones, "char tones"):
            if count == 0:
                self.fail("%s: no reading" % where)
            readings = [toned(i, where) for i in self.unpack("<%dH" % count)]
            char_tones[unit_char(unit, where)] = readings
        surnames = {}
        previous = None
        for number in range(n_surnames):
            length = self.take(1)[0]
            where = "surname %d" % number
            if length not in (1, 2):
                self.fail("%s has length %d" % (where, length))
            units = list(self.unpack("<%dH" % length))
            if previous is not None and units <= previous:
                self.fail("%s out of order" % where)
            previous = units
            surname = "".join(unit_char(u, where) for u in units)
            surnames[surname] = tuple(toned(i, where) for i in self.unpack("<%dH" % length))
        name_readings = {}
        for where, (unit, index) in units_increasing("<HH", n_name_readings, "name reading"):
            name_readings[unit_char(unit, where)] = toned(index, where)
        return Tones(body, char_tones, surnames, name_readings)


def decode(raw, name="words.dat"):
    """Parse and validate a words file of version 1 or 2; raise
    WordsFileError naming it."""
    reader = _Reader(raw, name, HEADER.size)
    if len(raw) > MAX_FILE_SIZE:
        reader.fail("larger than 64 MiB")
    if len(raw) < HEADER.size:
        reader.fail("truncated header")
    (magic, version, size, crc, n_syllables, n_chars, n_rules, n_words,
     reserved) = HEADER.unpack_from(raw)
    if magic != MAGIC:
        reader.fail("not a word data file (wrong magic)")
    if version not in VERSIONS:
        reader.fail("format version %d, expected 1 or 2" % version)
    if size != len(raw):
        reader.fail("header says %d bytes, file has %d" % (size, len(raw)))
    if zlib.crc32(raw[HEADER.size:]) != crc:
        reader.fail("checksum mismatch")
    if reserved:
        reader.fail("nonzero reserved header field")
    _, body = reader.part(n_syllables, (n_chars, n_rules, n_words), "", (1, 15), False)
    tones = reader.tones() if version == 2 else None
    if reader.pos != len(raw):
        reader.fail("%d bytes after the last %s" % (
            len(raw) - reader.pos, "word" if tones is None else "name reading"))
    return WordsData(body.chars, body.rules, body.words, tones)
