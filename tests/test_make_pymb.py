#!/usr/bin/env python3
"""Tests for tools/data/make_pymb.py and the data/pymb.dat it produces."""

import os
import re
import sys
import unittest

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TOOLS_DIR = os.path.join(REPO_ROOT, "tools", "data")
PYMB = os.path.join(REPO_ROOT, "data", "pymb.dat")
LICENSE = os.path.join(REPO_ROOT, "data", "LICENSE-UNICODE.txt")

MAX_ENTRIES = 27951
# GBK unified ideographs for which Unihan has no Mandarin reading at all.
KNOWN_WITHOUT_READING = {"\u685B", "\u70EA"}


if TOOLS_DIR not in sys.path:
    sys.path.insert(0, TOOLS_DIR)

import word_sources  # noqa: E402
from regeneration import needs_inputs, regenerate  # noqa: E402

UNIHAN_READINGS = os.path.join(word_sources.UNIHAN_DIR, word_sources.UNIHAN_READINGS)


def load_tool():
    import make_pymb
    return make_pymb


def read_entries():
    """Return [(gbk_bytes, char, reading)] for each line of data/pymb.dat."""
    with open(PYMB, "rb") as f:
        data = f.read()
    if data.endswith(b"\r\n"):
        data = data[:-2]
    entries = []
    for raw in data.split(b"\r\n"):
        text = raw.decode("gbk")
        entries.append((raw[:2], text[:1], text[1:]))
    return entries


class RegenerationTest(unittest.TestCase):

    @needs_inputs(word_sources.inputs_present())
    def test_regenerating_reproduces_committed_file(self):
        fresh = regenerate(load_tool().main, "pymb.dat", [])
        with open(PYMB, "rb") as f:
            committed = f.read()
        self.assertEqual(len(fresh), len(committed))
        self.assertTrue(fresh == committed, "data/pymb.dat is out of date")

    @needs_inputs(os.path.exists(UNIHAN_READINGS), "Unihan data not installed")
    def test_licence_names_the_unihan_version_used(self):
        _, version = word_sources.read_unihan(
            word_sources.UNIHAN_DIR, word_sources.UNIHAN_READINGS, set())
        with open(LICENSE, encoding="utf-8") as f:
            first_line = f.readline()
        self.assertIn("Unicode version %s" % version, first_line)


class ReadingParsingTest(unittest.TestCase):

    def setUp(self):
        self.tool = load_tool()

    def test_tone_marks_and_umlaut(self):
        cases = {
            "zhōng": "zhong", "lǜ": "lv", "nǚ": "nv", "lüè": "lve",
            "lǖ": "lv", "ê": "e", "ế": "e", "ḿ": "m", "m\u0304": "m",
            "ňg": "ng", "ǹ": "n", "hm": "hm", "Ér": "er",
        }
        for marked, plain in cases.items():
            self.assertEqual(self.tool.toneless(marked), plain, marked)
        with self.assertRaises(ValueError):
            self.tool.toneless("zh?ng")

    def test_pinlu_counts_merge_across_tones(self):
        # wei + wèi = 15 outweighs zhe = 12; equal counts keep listed order.
        self.assertEqual(self.tool.pinlu_readings("wéi(10) zhe(12) wèi(5)"),
                         ["wei", "zhe"])
        self.assertEqual(self.tool.pinlu_readings("hǎo(7) hào(3) mā(10)"),
                         ["hao", "ma"])

    def test_field_order_and_hanyu_pinyin_fallback(self):
        fields = {
            "kHanyuPinlu": "de(7394) dì(4976)",
            "kMandarin": "de dì",
            "kXHC1983": "0224.030:de 1514.040:zhù",
            "kTGHZ2013": "196.060,196.070:kè",
            "kHanyuPinyin": "10420.120:dì,xī",
        }
        self.assertEqual(self.tool.own_readings(fields),
                         ["de", "di", "zhu", "ke"])
        self.assertEqual(
            self.tool.own_readings({"kHanyuPinyin": "10093.130:xī,lǔ 10094.010:xī"}),
            ["xi", "lu"])


class DataFileTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.entries = read_entries()
        cls.readings = {}
        for _, ch, reading in cls.entries:
            cls.readings.setdefault(ch, []).append(reading)

    def test_line_format(self):
        with open(PYMB, "rb") as f:
            data = f.read()
        self.assertTrue(data.endswith(b"\r\n"), "last line lacks CR LF")
        # Every LF is preceded by CR and no CR stands alone.
        self.assertEqual(data.count(b"\n"), data.count(b"\r\n"))
        self.assertEqual(data.count(b"\r"), data.count(b"\r\n"))
        syllable = re.compile(r"^[a-z]+$")
        for raw, ch, reading in self.entries:
            self.assertEqual(len(raw), 2, ch)
            self.assertGreaterEqual(raw[0], 0x81, ch)
            self.assertTrue(syllable.match(reading), (ch, reading))

    def test_entries_are_ideographs(self):
        for _, ch, _ in self.entries:
            cp = ord(ch)
            self.assertTrue(0x4E00 <= cp <= 0x9FFF or 0x3400 <= cp <= 0x4DBF
                            or 0xF900 <= cp <= 0xFAFF or ch == "\u3007",
                            "U+%04X" % cp)

    def test_order_and_uniqueness(self):
        codes = [raw for raw, _, _ in self.entries]
        self.assertEqual(codes, sorted(codes))
        pairs = [(ch, reading) for _, ch, reading in self.entries]
        self.assertEqual(len(pairs), len(set(pairs)))

    def test_size(self):
        self.assertLess(len(self.entries), MAX_ENTRIES)
        self.assertGreater(len(self.entries), 20000)

    def test_every_gbk_unified_ideograph_is_covered(self):
        uncovered = set()
        for lead in range(0x81, 0xFF):
            for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFF)):
                try:
                    ch = bytes((lead, trail)).decode("gbk")
                except UnicodeDecodeError:
                    continue
                if 0x4E00 <= ord(ch) <= 0x9FFF and ch not in self.readings:
                    uncovered.add(ch)
        self.assertEqual(uncovered - KNOWN_WITHOUT_READING, set())

    def test_known_readings(self):
        first = {"中": "zhong", "地": "di", "儿": "er", "\u3007": "ling",
                 "长": "chang", "重": "zhong", "的": "de", "了": "le",
                 "行": "xing", "着": "zhe", "瓩": "qianwa", "女": "nv",
                 "得": "de", "还": "hai", "都": "dou", "谁": "shei",
                 # moved by the words' counts: 曝光, 黄埔
                 "曝": "bao", "埔": "pu"}
        for ch, reading in first.items():
            self.assertEqual(self.readings[ch][0], reading, ch)
        self.assertIn("chong", self.readings["重"])
        self.assertIn("zhang", self.readings["长"])
        self.assertIn("yue", self.readings["乐"])


if __name__ == "__main__":
    unittest.main()
