#!/usr/bin/env python3
"""Tests for tools/data/make_words.py, the words.dat it produces, and the
plain reference of the context conversion in tools/data/context_reference.py.
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TOOLS_DIR = os.path.join(REPO_ROOT, "tools", "data")
WORDS = os.path.join(REPO_ROOT, "data", "words.dat")
PYMB = os.path.join(REPO_ROOT, "data", "pymb.dat")
MAX_SIZE = 4 << 20
FORTUNES = "/usr/share/games/fortunes/chinese"
REFERENCE = os.path.join(REPO_ROOT, "tools", "data", "context_reference.py")
NAMES_DEV = os.path.join(REPO_ROOT, "bench", "accuracy", "names-dev.tsv")

if TOOLS_DIR not in sys.path:
    sys.path.insert(0, TOOLS_DIR)

import context_reference  # noqa: E402
import lexicon  # noqa: E402
import names  # noqa: E402
import pinyin_marks  # noqa: E402
import pymb_file  # noqa: E402
import tone_data  # noqa: E402
import word_sources  # noqa: E402
from regeneration import needs_inputs, regenerate  # noqa: E402
import words_file  # noqa: E402
from word_sources import CedictEntry  # noqa: E402


def committed_words():
    with open(WORDS, "rb") as f:
        return f.read()


class RegenerationTest(unittest.TestCase):

    @needs_inputs(word_sources.inputs_present())
    def test_regenerating_reproduces_committed_file(self):
        import make_words
        fresh = regenerate(make_words.main, "words.dat", ["--table", PYMB])
        committed = committed_words()
        self.assertEqual(len(fresh), len(committed))
        self.assertTrue(fresh == committed, "data/words.dat is out of date")

    def test_a_changed_input_is_refused(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "dict.txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write("的 318825 uj\n")
            with self.assertRaisesRegex(word_sources.InputError,
                                        "dict.txt: SHA-256 .* python3-jieba"):
                word_sources.read_jieba(path)
            with self.assertRaisesRegex(word_sources.InputError,
                                        "cannot read it.*install-deps"):
                word_sources.read_jieba(os.path.join(tmp, "missing", "dict.txt"))
            with open(os.path.join(tmp, word_sources.UNIHAN_VARIANTS), "wb") as f:
                f.write(b"")
            with self.assertRaisesRegex(word_sources.InputError,
                                        "Variants.txt.bz2: SHA-256 .* unicode-data"):
                word_sources.read_unihan(tmp, word_sources.UNIHAN_VARIANTS,
                                         {"kZVariant"})


class CommittedFileTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.raw = committed_words()
        cls.data = words_file.decode(cls.raw, WORDS)
        cls.table = pymb_file.load_table(PYMB)
        cls.converter = context_reference.ContextConverter(cls.table, cls.data)

    def test_size_and_round_trip(self):
        self.assertLessEqual(len(self.raw), MAX_SIZE)
        self.assertEqual(words_file.encode(self.data), self.raw)

    def test_explicit_readings_are_only_where_they_change_something(self):
        ruled = {rule.target for rule in self.data.rules}
        for word, (_, readings) in self.data.words.items():
            for ch, s in zip(word, readings):
                if s is None or ch in ruled:
                    continue
                default = self.data.chars[ch].alone or (
                    self.table[ch][0] if ch in self.table else None)
                self.assertNotEqual(s, default, word)
        for ch, record in self.data.chars.items():
            if record.alone:
                self.assertIn(ch, self.table)
                self.assertNotEqual(record.alone, self.table[ch][0], ch)

    def test_worked_examples(self):
        cases = {
            "重庆": "chong qing", "银行": "yin hang", "长大": "zhang da",
            "音乐": "yin yue", "会计": "kuai ji", "目的": "mu di",
            "睡觉": "shui jiao", "快乐": "kuai le", "长城": "chang cheng",
            "我们的目的地": "wo men de mu di di",
            "他慢慢地走了": "ta man man de zou le",
            "银行行长": "yin hang hang zhang",
            # A rule reads 得 alone; a word that holds it keeps its reading.
            "我们得走了": "wo men dei zou le",
            "我们得到了": "wo men de dao le",
            # Colloquial alone, literary in compounds.
            "剥皮剥削": "bao pi bo xue", "削苹果": "xiao ping guo",
            "粘贴粘土": "zhan tie nian tu",
            "安全之地": "an quan zhi di", "血流满地": "xue liu man di",
            "他长得很高": "ta zhang de hen gao",
            # After 姓 a surname; 覃 alone is the surname Qin.
            "他姓单": "ta xing shan", "覃先生": "qin xian sheng",
        }
        for text, expected in cases.items():
            self.assertEqual(self.converter.convert(text, single=True),
                             expected, text)

    def test_toned_worked_examples(self):
        toned = context_reference.ContextConverter(self.table, self.data, True)
        cases = {
            "重庆": "chong2 qing4", "银行行长": "yin2 hang2 hang2 zhang3",
            # Words that differ from their characters only in tone.
            "知识": "zhi1 shi5", "东西": "dong1 xi5", "朋友": "peng2 you5",
            # Particles alone in the neutral tone, and rules with tones.
            "他慢慢地走了": "ta1 man4 man4 de5 zou3 le5",
            "我们得走了": "wo3 men5 dei3 zou3 le5", "安全之地": "an1 quan2 zhi1 di4",
            # Citation tones: the spoken changes are the converter's to make;
            # 个 after a numeral is the measure word ge4, after 这 neutral.
            "一个不是": "yi1 ge4 bu4 shi4", "第一": "di4 yi1", "这个": "zhe4 ge5",
            # Alone tones set by hand, and the surname after 姓.
            "转换为小写": "zhuan3 huan4 wei2 xiao3 xie3", "他姓曾": "ta1 xing4 zeng1",
        }
        for text, expected in cases.items():
            self.assertEqual(toned.convert(text, single=True, tone="numbers"),
                             expected, text)
        self.assertEqual(toned.convert("重庆绿", tone="marks", case="first"),
                         "Chóng (Zhòng) Qìng Lǜ (Lù)")

    def test_toned_explicit_readings_and_tables(self):
        tones = self.data.tones
        toned = tone_data.toned_table(self.table, tones.char_tones)
        ruled = {rule.target for rule in tones.body.rules}
        for word, (_, readings) in tones.body.words.items():
            for ch, s in zip(word, readings):
                if s is not None and ch not in ruled:
                    default = tones.body.chars[ch].alone or toned.get(ch, [None])[0]
                    self.assertNotEqual(s, default, word)
        # Every toned reading is one of the character's toneless readings.
        for ch, readings in tones.char_tones.items():
            self.assertTrue(set(r[:-1] for r in readings) <= set(self.table[ch]), ch)
        self.assertEqual(toned["好"][:2], ["hao3", "hao4"])
        self.assertEqual(toned["一"], ["yi1"])
        self.assertEqual(tones.surnames["欧阳"], ("ou1", "yang2"))
        self.assertEqual({ch: tones.surnames[ch][0] for ch in "曾单区仇解查朴覃缪"},
                         {"曾": "zeng1", "单": "shan4", "区": "ou1", "仇": "qiu2",
                          "解": "xie4", "查": "zha1", "朴": "piao2", "覃": "qin2",
                          "缪": "miao4"})

    @unittest.skipUnless(os.path.exists(FORTUNES), "fortunes-zh missing")
    def test_toned_conversion_chooses_the_toneless_syllables(self):
        with open(FORTUNES, encoding="utf-8", errors="replace") as f:
            text = "".join(f.read().splitlines()[:3000])
        toned = context_reference.ContextConverter(self.table, self.data, True)
        self.assertEqual([s and s.rstrip("12345") for s in toned.choose(text)],
                         self.converter.choose(text))

    def test_output_lists_the_other_table_readings(self):
        self.assertEqual(self.converter.convert("重庆"), "chong (zhong) qing")
        self.assertEqual(self.converter.convert("重要", case="first"),
                         "Zhong (Chong) Yao")
        self.assertEqual(self.converter.convert("A1重，\n庆 b", single=True,
                                                case="upper"), "ZHONG QING")


def context_cli():
    """lorvane-cli from $LORVANE_CLI or the native build, if it has --context."""
    cli = os.environ.get("LORVANE_CLI") or os.path.join(
        REPO_ROOT, "build", "native", "bin", "lorvane-cli")
    if not os.path.exists(cli):
        return None
    probe = subprocess.run([cli, "--context", "--words", WORDS, "--table", PYMB],
                           input=b"", capture_output=True)
    return cli if probe.returncode == 0 else None


@unittest.skipUnless(context_cli() and os.path.exists(FORTUNES),
                     "lorvane-cli without --context, or fortunes-zh missing")
class CliAgreementTest(unittest.TestCase):
    """The core's conversion by context gives what the reference gives."""

    @classmethod
    def setUpClass(cls):
        with open(FORTUNES, encoding="utf-8", errors="replace") as f:
            lines = f.read().splitlines()[:3000]
        hanzi = "".join(ch for line in lines for ch in line
                        if "\u4e00" <= ch <= "\u9fff")
        # One run of 6000 Hanzi crosses the cut at 4096 units.
        cls.text = "\n".join(lines) + "\n" + hanzi[:6000] + "\n"
        with open(WORDS, "rb") as f:
            cls.converter = context_reference.ContextConverter(
                pymb_file.load_table(PYMB), words_file.decode(f.read()))

    def run_cli(self, *options, text=None):
        done = subprocess.run([context_cli(), "--context", "--words", WORDS,
                               "--table", PYMB, *options],
                              input=(text or self.text).encode("utf-8"),
                              capture_output=True, check=True)
        return done.stdout.decode("utf-8")

    def test_lines_with_one_and_with_all_readings(self):
        for single, case in ((True, "lower"), (False, "first")):
            expected = "".join(
                self.converter.convert(line, single, case) + "\n"
                for line in self.text.split("\n")[:-1])
            options = ["--lines", "--case", case] + (["--single"] if single else [])
            self.assertTrue(self.run_cli(*options) == expected, options)

    def test_whole_input(self):
        self.assertTrue(self.run_cli("--single") ==
                        self.converter.convert(self.text, True) + "\n")

    def test_tones_and_names(self):
        lines = "\n".join(self.text.split("\n")[:300]) + "\n"
        with open(NAMES_DEV, encoding="utf-8") as f:
            names = "".join(row.split("\t")[0] + "\n" for row in f
                            if row.strip() and not row.startswith("#"))
        for options, text in ((["--lines", "--tone", "marks", "--case", "first"], lines),
                              (["--lines", "--single", "--tone", "numbers"], lines),
                              (["--names", "--case", "first"], names),
                              (["--names", "--tone", "marks", "--case", "upper"], names)):
            reference = subprocess.run(
                [sys.executable, REFERENCE, "--words", WORDS, "--table", PYMB, *options],
                input=text.encode("utf-8"), capture_output=True, check=True)
            self.assertTrue(self.run_cli(*options, text=text) == reference.stdout.decode("utf-8"), options)


def tiny_data():
    chars = {
        "长": words_file.CharRecord(3000, None),
        "大": words_file.CharRecord(3000, None),
        "了": words_file.CharRecord(2000, "liao"),
        "好": words_file.CharRecord(3000, None),
    }
    rules = [
        words_file.Rule("了", "好", "le", words_file.PREVIOUS_IS),
        words_file.Rule("了", "长", "le", words_file.NEXT_IS),
        words_file.Rule("大", None, "dai", words_file.AFTER_REDUPLICATION),
    ]
    words = {"长大": (5000, ("zhang", None)), "大长": (5000, (None, None)),
             "长大长": (10001, ("zhang", None, "zhang"))}
    return words_file.WordsData(chars, rules, words)


class SemanticsTest(unittest.TestCase):
    """The reference on a hand-made file, against the rules of the format."""

    def setUp(self):
        self.table = {"长": ["chang", "zhang"], "大": ["da", "dai"],
                      "了": ["le", "liao"], "好": ["hao"], "中": ["zhong"]}
        self.converter = context_reference.ContextConverter(self.table,
                                                            tiny_data())

    def choose(self, text):
        return self.converter.choose(text)

    def test_cheapest_path_and_ties_to_the_longer_word(self):
        # 长大长: the three-unit word (10001) loses to 长大 + 长 (8000),
        # which ties with 长 + 大长 and wins by being the longer first step.
        self.assertEqual(self.choose("长大长"), ["zhang", "da", "chang"])
        self.assertEqual(self.choose("长大"), ["zhang", "da"])
        # 大长, with no reading of its own, takes 长 away from 长大.
        self.assertEqual(self.choose("大长大"), ["da", "chang", "da"])

    def test_rules_alone_readings_and_runs(self):
        self.assertEqual(self.choose("了"), ["liao"])
        self.assertEqual(self.choose("好了"), ["hao", "le"])
        self.assertEqual(self.choose("了长"), ["le", "chang"])
        self.assertEqual(self.choose("好好大"), ["hao", "hao", "dai"])
        # A unit without a char record ends the run: no rule sees across it.
        self.assertEqual(self.choose("好中了"), ["hao", "zhong", "liao"])
        self.assertEqual(self.choose("长x大"), ["chang", None, "da"])

    def test_a_reading_listed_twice_stays_twice_but_the_chosen_once(self):
        self.table["长"] = ["chang", "zhang", "chang"]
        self.assertEqual(self.converter.convert("长大"), "zhang (chang) (chang) da (dai)")
        self.assertEqual(self.converter.convert("长"), "chang (zhang) (chang)")

    def test_long_runs_are_cut_every_4096_units(self):
        text = "了" * 4095 + "长大"
        chosen = self.choose(text)
        self.assertEqual(chosen[4095:], ["chang", "da"])
        self.assertEqual(self.choose("了" * 4094 + "长大")[4094:],
                         ["zhang", "da"])


class LexiconTest(unittest.TestCase):
    """Readings and counts from small made-up dictionaries."""

    def setUp(self):
        jieba = {"地": 100, "土地": 50, "满地": 10, "地方": 40, "银行": 30,
                 "行": 20, "银": 5, "满": 5, "方": 5, "银行卡": 8, "卡": 5}
        cedict = {
            "土地": [CedictEntry("tu3 di4", ["land"])],
            "地方": [CedictEntry("di4 fang1", ["place"])],
            "银行": [CedictEntry("yin2 hang2", ["bank"])],
            "大夫": [CedictEntry("Da4 fu1", ["Dafu, a place"]),
                     CedictEntry("dai4 fu5", ["doctor"]),
                     CedictEntry("da4 fu1", ["surname Dafu"])],
            "哪儿": [CedictEntry("na3 r5", ["where?"])],
        }
        pinlu = {"地": {"de": 6, "di": 4}}
        self.lex = lexicon.Lexicon(jieba, cedict, pinlu)

    def test_cedict_syllables(self):
        self.assertEqual(lexicon.cedict_syllables("Nu:3 r5 xx5 lu:e4"),
                         ("nv", "er", None, "lve"))
        self.assertIsNone(lexicon.cedict_syllables("Ma3 ke4 · Tu3 wen1"))

    def test_reading_choice_prefers_the_common_sense(self):
        # The place name and the surname lose to the common word.
        self.assertEqual(self.lex.words["大夫"], (None, ("dai", "fu")))
        self.assertEqual(self.lex.words["哪儿"][1], ("na", "er"))

    def test_composed_readings_and_second_places(self):
        self.assertEqual(self.lex.words["银行卡"], (8, ("yin", "hang", None)))
        self.assertEqual(self.lex.words["满地"], (10, (None, None)))
        self.assertEqual(self.lex.second_place_readings(),
                         {"地": "di", "行": "hang", "方": "fang"})

    def test_usage_and_standalone_shares(self):
        in_words, alone = self.lex.usage()
        self.assertEqual(in_words["地"], {"di": 90})
        self.assertEqual(alone["地"], 110)  # 地 itself and 满地
        # Ten counts are too few for an estimate. If they were enough:
        # kHanyuPinlu's 60% de of all 200 地 is 120, all of it standing
        # alone; its 40% di is 80, fewer than the words' 90.
        self.assertEqual(self.lex.alone_shares("地", in_words, alone), None)
        lexicon.MIN_PINLU_TOTAL, saved = 0, lexicon.MIN_PINLU_TOTAL
        try:
            shares = self.lex.alone_shares("地", in_words, alone)
            usage = self.lex.reading_usage("地", ["di", "de"], in_words, alone)
        finally:
            lexicon.MIN_PINLU_TOTAL = saved
        self.assertEqual(shares, {"de": 1.0, "di": 0.0})
        self.assertEqual(usage, {"di": 90, "de": 110})
        # Without an estimate the counts are shared out as kHanyuPinlu has
        # them, and without those as the words read the character.
        self.assertEqual(self.lex.reading_usage("地", ["di", "de"], in_words,
                                                alone), {"di": 90 + 44, "de": 66})
        self.assertEqual(self.lex.reading_usage("行", ["xing", "hang"],
                                                in_words, alone),
                         {"xing": 0, "hang": 30 + 8 + 20})

    def test_words_spelt_with_a_variant(self):
        cedict = {"粘": [CedictEntry("zhan1", ["to glue"]),
                        CedictEntry("nian2", ["variant of 黏[nian2]"])],
                  "黏土": [CedictEntry("nian2 tu3", ["clay"])],
                  "粘贴": [CedictEntry("zhan1 tie1", ["to paste"])]}
        lex = lexicon.Lexicon({"粘土": 10, "粘住": 5}, cedict, {})
        anything = lambda ch, r: True  # noqa: E731
        self.assertEqual(lex.variant_spelling_reading("粘土", anything),
                         ("nian", "tu"))
        self.assertIsNone(lex.variant_spelling_reading("粘住", anything))
        self.assertIsNone(lex.variant_spelling_reading(
            "粘土", lambda ch, r: r != "nian"))

    def test_reading_outside_the_words_that_use_the_first(self):
        cedict = {
            "琢": [CedictEntry("zhuo2", ["to cut (gems)"]),
                   CedictEntry("zuo2", ["used in 琢磨[zuo2 mo5]",
                                        "Taiwan pr. [zhuo2]"])],
            # A reading bound in compounds is not one used in a few words.
            "率": [CedictEntry("lu:4", ["(bound form) ratio; rate"]),
                   CedictEntry("shuai4", ["to lead"])],
            "陆": [CedictEntry("Lu4", ["surname Lu"]),
                   CedictEntry("liu4", ["six (banker's numeral)"]),
                   CedictEntry("lu4", ["see 陆地"])],
        }
        lex = lexicon.Lexicon({}, cedict, {})
        self.assertEqual(lex.reading_outside_words("琢", ["zuo", "zhuo"]),
                         "zhuo")
        self.assertIsNone(lex.reading_outside_words("琢", ["zhuo", "zuo"]))
        self.assertIsNone(lex.reading_outside_words("率", ["lv", "shuai"]))
        self.assertIsNone(lex.reading_outside_words("陆", ["lu", "liu"]))

    def test_standalone_use_of_characters_without_counts(self):
        # 蚌 is read beng only in the city's name, which CC-CEDICT gives as
        # a proper name: alone it is bang whatever the words' counts. 翟 is
        # a surname both ways, so the words decide; 町 has no word at all.
        jieba = {"蚌": 50, "蚌埠": 30, "河蚌": 10, "翟": 20, "翟某": 2,
                 "町": 7}
        cedict = {
            "蚌": [CedictEntry("Beng4", ["abbr. for Bengbu"]),
                   CedictEntry("bang4", ["clam"])],
            "蚌埠": [CedictEntry("Beng4 bu4", ["Bengbu, a city"])],
            "河蚌": [CedictEntry("he2 bang4", ["mussel"])],
            "翟": [CedictEntry("Di2", ["surname Di"]),
                   CedictEntry("Zhai2", ["surname Zhai"])],
            "翟某": [CedictEntry("Zhai2 mou3", ["Mr Zhai"])],
        }
        lex = lexicon.Lexicon(jieba, cedict, {})
        in_words, alone = lex.usage()
        self.assertEqual(lex.reading_usage("蚌", ["beng", "bang"], in_words,
                                           alone), {"beng": 30, "bang": 60})
        self.assertEqual(lex.reading_usage("翟", ["di", "zhai"], in_words,
                                           alone), {"di": 0, "zhai": 22})
        self.assertEqual(lex.reading_usage("町", ["ting", "ding"], in_words,
                                           alone), {"ting": 7, "ding": 0})


def tiny_tones():
    body = words_file.Body(
        {"长": words_file.CharRecord(3000, None),
         "大": words_file.CharRecord(3000, None),
         "了": words_file.CharRecord(2000, "le5")},
        [words_file.Rule("了", "长", "le5", words_file.NEXT_IS)],
        {"长大": (5000, ("zhang3", None))})
    return words_file.Tones(body, {"长": ["chang2", "zhang3"], "了": ["le5", "liao3"]},
                            {"长孙": ("zhang3", "sun1"), "曾": ("zeng1",)},
                            {"晟": "sheng4"})


class VersionTwoTest(unittest.TestCase):
    """The tone part: written, read back, and refused where it breaks a rule."""

    def setUp(self):
        self.data = tiny_data()
        self.data = words_file.WordsData(self.data.chars, self.data.rules,
                                         self.data.words, tiny_tones())
        self.raw = words_file.encode(self.data)

    def refused(self, tones, message):
        data = words_file.WordsData(self.data.chars, self.data.rules,
                                    self.data.words, tones)
        with self.assertRaisesRegex(words_file.WordsFileError, message):
            words_file.encode(data)

    def corrupted(self, offset, values, message):
        """The file with bytes of its tone part changed, its CRC mended."""
        raw = bytearray(self.raw)
        raw[offset:offset + len(values)] = values
        struct.pack_into("<I", raw, 16, zlib.crc32(bytes(raw[40:])))
        with self.assertRaisesRegex(words_file.WordsFileError, "^w.dat: .*" + message):
            words_file.decode(bytes(raw), "w.dat")

    def test_round_trip_and_version_one_unchanged(self):
        self.assertEqual(struct.unpack_from("<I", self.raw, 8)[0], 2)
        self.assertEqual(words_file.decode(self.raw), self.data)
        version_one = words_file.encode(tiny_data())
        self.assertEqual(struct.unpack_from("<I", version_one, 8)[0], 1)
        self.assertEqual(self.raw[40:len(version_one)], version_one[40:])
        self.assertIsNone(words_file.decode(version_one).tones)

    def test_writer_refuses_what_the_format_cannot_hold(self):
        tones = tiny_tones()
        bad_syllables = [{"长": ["chang"]}, {"长": ["chang6"]}, {"长": ["Chang2"]},
                         {"长": []}, {"长": ["chang2", "chang2"]}]
        for char_tones in bad_syllables:
            self.refused(words_file.Tones(tones.body, char_tones, {}, {}),
                         "syllable|char tones")
        self.refused(words_file.Tones(tones.body, {}, {"欧阳修": ("ou1",) * 3}, {}),
                     "surname")
        body = words_file.Body(tones.body.chars, [], {"长好": (1, (None, None))})
        self.refused(words_file.Tones(body, {}, {}, {}), "without a record")

    def test_reader_refuses_broken_tone_parts(self):
        end = len(self.raw)
        # The last name reading's unit, the surnames' last byte before it.
        name_reading = end - 4
        self.corrupted(name_reading, b"\0\0", "name reading 0: U\\+0000 out of order")
        self.corrupted(name_reading + 2, b"\x7f\0", "name reading 0: toned syllable index 127")
        surname_two = name_reading - 9   # 长孙 after 曾: u8 2, u16 units, syllables
        self.corrupted(surname_two, b"\3", "surname 1 has length 3")
        self.corrupted(surname_two + 2, b"\x66", "surname 1 out of order")
        counts = 40 + sum(1 + len(s) for s in ("dai", "le", "liao", "zhang"))
        counts += 6 * 4 + 8 * 3 + (3 + 4 + 4) + (3 + 4) + (3 + 6 + 6)
        self.corrupted(counts + 28, b"\1", "reserved tone count")
        self.corrupted(counts + 32, b"\1", "toned syllable 0 has length 1")
        self.corrupted(counts + 33 + 5, b"6", "toned syllable 0 is not a to z and a tone")
        raw = self.raw + b"\0"
        raw = raw[:12] + struct.pack("<II", len(raw), zlib.crc32(raw[40:])) + raw[20:]
        with self.assertRaisesRegex(words_file.WordsFileError, "after the last name"):
            words_file.decode(raw)


class ToneMarksTest(unittest.TestCase):

    def test_the_vowel_that_takes_the_mark(self):
        cases = {
            "ma1": "mā", "hao3": "hǎo", "mei2": "méi", "lve4": "lüè",
            "gou4": "gòu", "xiong1": "xiōng", "gui4": "guì", "liu2": "liú",
            "lv3": "lǚ", "nv5": "nü", "de5": "de", "er2": "ér", "zhi1": "zhī",
            # Without a vowel: precomposed where Unicode has the letter so.
            "m2": "ḿ", "m4": "m", "n2": "ń", "n3": "ň", "ng4": "ǹg", "hng2": "hng",
            # A table reading that the toned data does not know.
            "lv": "lü", "shike": "shike",
        }
        for stored, expected in cases.items():
            self.assertEqual(pinyin_marks.marked(stored), expected, stored)

    def test_case_applies_to_marked_letters(self):
        self.assertEqual(pinyin_marks.written("zhong4", "first", "marks"), "Zhòng")
        self.assertEqual(pinyin_marks.written("ai4", "first", "marks"), "Ài")
        self.assertEqual(pinyin_marks.written("lv4", "upper", "marks"), "LǛ")
        self.assertEqual(pinyin_marks.written("lv4", "upper", "numbers"), "LV4")


class NamesTest(unittest.TestCase):
    """The name mode on a hand-made file."""

    def setUp(self):
        table = {"欧": ["ou"], "阳": ["yang"], "修": ["xiu"], "曾": ["ceng", "zeng"],
                 "国": ["guo"], "藩": ["fan"], "经": ["jing"], "晟": ["cheng", "sheng"],
                 "长": ["chang", "zhang"], "孙": ["sun"]}
        tones = {"欧": ["ou1"], "阳": ["yang2"], "修": ["xiu1"], "曾": ["ceng2", "zeng1"],
                 "国": ["guo2"], "藩": ["fan1"], "经": ["jing1"], "晟": ["cheng2"],
                 "长": ["chang2", "zhang3"], "孙": ["sun1"]}
        chars = {ch: words_file.CharRecord(3000, None) for ch in "曾经长孙"}
        toned_body = words_file.Body(chars, [], {"曾经": (100, (None, "jing1")),
                                                 "长孙": (100, ("zhang3", None))})
        plain = words_file.Body(chars, [], {"曾经": (100, (None, None))})
        data = words_file.WordsData(
            plain.chars, plain.rules, plain.words,
            words_file.Tones(toned_body, tones,
                             {"欧阳": ("ou1", "yang2"), "曾": ("zeng1",),
                              "长孙": ("zhang3", "sun1")},
                             {"晟": "sheng4"}))
        self.readers = {
            toned: names.NameReader(context_reference.ContextConverter(table, data, toned),
                                    data, toned)
            for toned in (False, True)}

    def convert(self, line, case="lower", tone="none"):
        reader = self.readers[tone != "none"]
        if not reader.is_name(line):
            return None
        return reader.convert(line, case, tone)

    def test_surnames_and_given_names(self):
        self.assertEqual(self.convert("欧阳修"), "ouyang xiu")
        self.assertEqual(self.convert("曾国藩", "first"), "Zeng Guofan")
        self.assertEqual(self.convert("曾国藩", "upper"), "ZENG GUOFAN")
        self.assertEqual(self.convert("曾国藩", "first", "marks"), "Zēng Guófān")
        self.assertEqual(self.convert("长孙晟", "first", "numbers"), "Zhang3sun1 Sheng4")
        # Without a listed surname the first unit is the surname.
        self.assertEqual(self.convert("国曾晟", "first"), "Guo Cengsheng")

    def test_a_whole_word_keeps_its_reading(self):
        self.assertEqual(self.convert("曾经"), "ceng jing")
        self.assertEqual(self.convert("曾经", tone="numbers"), "ceng2 jing1")

    def test_lines_that_are_not_names(self):
        for line in ("", "曾", "曾 国藩", "曾·国", "曾国x", "曾国龘"):
            self.assertIsNone(self.convert(line), line)


class ToneDataTest(unittest.TestCase):
    """Toned readings from small made-up dictionaries."""

    def test_citation_tones(self):
        self.assertEqual(lexicon.citation_tones("一个", ("yi2", "ge5")), ("yi1", "ge4"))
        self.assertEqual(lexicon.citation_tones("这个", ("zhe4", "ge5")), ("zhe4", "ge5"))
        self.assertEqual(lexicon.citation_tones("对不起", ("dui4", "bu5", "qi3")),
                         ("dui4", "bu5", "qi3"))
        self.assertEqual(lexicon.cedict_syllables("Nu:3 r5 xx5 hao", True),
                         ("nv3", "er5", None, None))

    def test_order_of_use_puts_a_neutral_tone_last_but_for_particles(self):
        jieba = {"桌子": 100, "子": 5, "好了": 100, "了": 50}
        cedict = {"桌子": [CedictEntry("zhuo1 zi5", ["table"])],
                  "好了": [CedictEntry("hao3 le5", ["done"])]}
        lex = lexicon.Lexicon(jieba, cedict, {}, {})
        tones = tone_data.char_tones(lex, {"子": ["zi3", "zi5"], "了": ["liao3", "le5"],
                                           "一": ["yi1", "yi2", "yi4"]})
        self.assertEqual(tones, {"子": ["zi3", "zi5"], "了": ["le5", "liao3"], "一": ["yi1"]})

    def test_toned_table_keeps_the_table_order_and_unknown_readings(self):
        table = {"好": ["hao"], "长": ["chang", "zhang"], "兛": ["qianke"]}
        tones = {"好": ["hao3", "hao4"], "长": ["zhang3", "chang2"]}
        self.assertEqual(tone_data.toned_table(table, tones),
                         {"好": ["hao3", "hao4"], "长": ["chang2", "zhang3"],
                          "兛": ["qianke"]})


class DecodeErrorTest(unittest.TestCase):

    def setUp(self):
        self.raw = words_file.encode(tiny_data())

    def refused(self, raw, message):
        with self.assertRaisesRegex(words_file.WordsFileError,
                                    "^w.dat: .*" + message):
            words_file.decode(bytes(raw), "w.dat")

    def with_body(self, body):
        """The file with another body and a header that matches it."""
        raw = bytearray(self.raw[:40] + body)
        struct.pack_into("<II", raw, 12, len(raw), zlib.crc32(body))
        return raw

    def test_header_errors(self):
        self.refused(self.raw[:39], "truncated header")
        raw = bytearray(self.raw)
        raw[0] = ord("X")
        self.refused(raw, "magic")
        raw = bytearray(self.raw)
        raw[8] = 3
        self.refused(raw, "version 3, expected 1 or 2")
        self.refused(self.raw + b"\0", "header says")
        raw = bytearray(self.raw)
        raw[-1] ^= 1
        self.refused(raw, "checksum")

    def test_body_errors(self):
        body = self.raw[40:]
        self.refused(self.with_body(body[:-1]), "truncated")
        self.refused(self.with_body(body + b"\0"), "after the last word")
        raw = self.with_body(body)
        struct.pack_into("<I", raw, 28, 4)  # one rule more than there is
        self.refused(raw, "")
        # The first rule's kind byte set to an unknown kind.
        syllables_end = 40 + sum(1 + len(s) for s in ("dai", "le",
                                                      "liao", "zhang"))
        first_rule = syllables_end + 6 * 4
        raw = bytearray(self.raw)
        raw[first_rule + 6] = 3
        self.refused(self.with_body(bytes(raw[40:])), "unknown kind")

    def test_words_must_be_sorted_and_known(self):
        data = tiny_data()
        data.words["长好"] = (1, (None, None))
        del data.chars["好"]
        data.rules[:] = data.rules[1:2]
        with self.assertRaises(words_file.WordsFileError):
            words_file.encode(data)
        self.assertEqual(sorted(words_file.decode(self.raw).words),
                         ["大长", "长大", "长大长"])


if __name__ == "__main__":
    unittest.main()
