#!/usr/bin/env python3
"""Tests of measure.py: reading sets and tables, and matching the program's
syllables to the labelled Hanzi. With the path of lorvane-cli as argument (or
in LORVANE_CLI) the figures are also checked against the real program."""

import contextlib
import io
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402

CLI = os.environ.get("LORVANE_CLI")
if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
    CLI = sys.argv.pop(1)

# 重 zhong/chong, 行 xing/hang; 银 and 庆 have one reading; 〇 is in tables
# too; 龘 is missing from this table.
TABLE = "\ufeff重zhong,重chong\r\n行xing\r\n行hang\r\n \"银yin\" , 庆qing\r\n〇ling\r\n"

SET = (
    "# comment\n"
    "重庆银行\tchong qing yin hang\t0,3\tt1\n"
    "\n"
    "A行龘〇!\txing long ling\t0\tt2\n"
)


def write(folder, name, text, encoding="utf-8"):
    path = os.path.join(folder, name)
    with open(path, "w", encoding=encoding, newline="") as stream:
        stream.write(text)
    return path


class SetAndTableTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def test_set_fields_and_comments(self):
        sentences = measure.parse_set(write(self.folder.name, "s.tsv", SET))
        self.assertEqual([s.text for s in sentences], ["重庆银行", "A行龘〇!"])
        self.assertEqual(sentences[0].hard, [0, 3])
        self.assertEqual(sentences[1].readings, ["xing", "long", "ling"])
        self.assertEqual((sentences[1].source, sentences[1].line), ("t2", 4))

    def test_malformed_lines_name_file_and_line(self):
        cases = {
            "行\txing hang\t0\tt\n": "1 ideographs but 2 readings",
            "行\txíng\t0\tt\n": "a-z syllables",
            "行\txing\t1\tt\n": "out of range",
            "行\txing\t0\n": "4 or 5 tab-separated fields",
            "行\txing\t0\tt\txing\n": "a tone 1 to 5",
            "行\txing\t0\tt\thang2\n": "a tone 1 to 5",
            "# only a comment\n": "no sentences",
        }
        for text, message in cases.items():
            path = write(self.folder.name, "bad.tsv", text)
            with self.assertRaises(measure.MeasureError) as caught:
                measure.parse_set(path)
            self.assertIn(message, str(caught.exception))
            if "no sentences" not in message:
                self.assertIn("bad.tsv:1", str(caught.exception))

    def test_table_read_as_the_loader_reads_it(self):
        utf8 = measure.load_table(write(self.folder.name, "u.dat", TABLE))
        self.assertEqual(utf8["重"], ["zhong", "chong"])
        self.assertEqual(utf8["银"], ["yin"])
        self.assertEqual(utf8["庆"], ["qing"])
        gbk = measure.load_table(write(self.folder.name, "g.dat", "行xing\r\n行hang\r\n", "gbk"))
        self.assertEqual(gbk, {"行": ["xing", "hang"]})
        self.assertTrue(measure.polyphonic(utf8, "行"))
        self.assertFalse(measure.polyphonic(utf8, "银"))


class AlignTest(unittest.TestCase):
    table = {"行": ["xing", "hang"], "〇": ["ling"], "重": ["zhong", "chong"]}
    sentence = measure.Sentence("A行龘〇!", ["xing", "long", "ling"], [0], "t", 1)

    def test_nothing_for_characters_the_table_lacks(self):
        self.assertEqual(measure.align(self.sentence, "hang ling", self.table), ["hang", None, "ling"])

    def test_a_reading_for_every_ideograph(self):
        self.assertEqual(measure.align(self.sentence, "hang long ling", self.table),
                         ["hang", "long", "ling"])

    def test_other_counts_are_not_aligned(self):
        for output in ("", "hang", "a b c d"):
            self.assertIsNone(measure.align(self.sentence, output, self.table))

    def test_score_counts_missing_and_unaligned(self):
        other = measure.Sentence("重行", ["chong", "hang"], [0], "t", 2)
        result = measure.score([self.sentence, other], ["hang ling", "zhong"], self.table)
        self.assertEqual((result.hard.right, result.hard.total), (0, 1))
        self.assertEqual((result.hanzi.right, result.hanzi.total), (1, 3))
        self.assertEqual((result.polyphonic.right, result.polyphonic.total), (0, 1))
        self.assertEqual(len(result.unaligned), 1)
        self.assertEqual([(e[1], e[3], e[4]) for e in result.errors], [(0, "hang", "hard"), (1, "-", "other")])


class ToneAndNameScoreTest(unittest.TestCase):
    table = {"的": ["de", "di"], "识": ["shi", "zhi"]}

    def test_toned_score_allows_a_neutral_tone_only_for_a_full_one(self):
        sentence = measure.Sentence("知识的的", ["zhi", "shi", "de", "di"], [1], "t", 1,
                                    ["zhi1", "shi2", "de5", "di4"])
        result = measure.score([sentence], ["zhi1 shi5 de4 di4"], self.table, toned=True)
        self.assertEqual((result.hanzi.right, result.hard.right), (2, 0))
        hard, polyphonic, hanzi = result.lenient
        # shi5 for shi2 counts; de4 for de5 does not.
        self.assertEqual((hanzi.right, hard.right, polyphonic.right), (3, 1, 2))

    def test_whole_names_and_their_surnames(self):
        names = [measure.Name("曾国藩", "Zeng Guofan", "Zeng1 Guo2fan1", "polyphonic", 1),
                 measure.Name("欧阳嘉安", "Ouyang Jia'an", "Ou1yang2 Jia1'an1", "compound", 2),
                 measure.Name("王安", "Wang An", "Wang2 An1", "plain", 3)]
        with contextlib.redirect_stdout(io.StringIO()):
            whole, surnames = measure.score_names(
                names, ["Zeng Guofan", "Ouyang Jiaan", "Wang Ang"], False, False)
            toned = measure.score_names(
                names, ["Ceng2 Guo2fan1", "Ou1yang2 Jia1an1", "Wang2 An1"], True, False)
        self.assertEqual((whole.right, surnames.right, surnames.total), (2, 2, 2))
        self.assertEqual((toned[0].right, toned[1].right), (2, 1))


class NamesSetTest(unittest.TestCase):
    def test_names_sets_are_well_formed_and_disjoint(self):
        dev = measure.parse_names(measure.NAMED_SETS["names-dev"])
        held_out = measure.parse_names(measure.NAMED_SETS["names-eval"])
        self.assertFalse({n.text for n in dev} & {n.text for n in held_out})
        for name in dev + held_out:
            self.assertEqual(measure.comparable(name.reading),
                             "".join(c for c in measure.comparable(name.toned) if not c.isdigit()))
        self.assertGreaterEqual(sum(n.kind != "plain" for n in dev + held_out), 100)

    def test_malformed_names_are_refused(self):
        with tempfile.TemporaryDirectory() as folder:
            path = write(folder, "n.tsv", "曾国藩\tZeng Guofan\tZeng1 Guo2fan1\tsurname\tx\n")
            with self.assertRaisesRegex(measure.MeasureError, "n.tsv:1: expected"):
                measure.parse_names(path)


class ReferenceTest(unittest.TestCase):
    """measure.py runs the plain reference of the conversion by context."""

    def test_toned_figures_from_the_reference(self):
        reference = os.path.join(measure.REPO_ROOT, "tools", "data", "context_reference.py")
        with tempfile.TemporaryDirectory() as folder:
            set_path = write(folder, "s.tsv", "重庆银行\tchong qing yin hang\t0,3\tt1\t"
                                              "chong2 qing4 yin2 hang2\n")
            out = io.StringIO()
            with contextlib.redirect_stdout(out):
                code = measure.main(["--cli", reference, "--set", set_path, "--tone", "--context"])
        self.assertEqual(code, 0)
        self.assertRegex(out.getvalue(), r"hard occurrences +2 / 2 ")


@unittest.skipUnless(CLI, "pass the path of lorvane-cli to check against the program")
class ProgramTest(unittest.TestCase):
    def test_figures_and_errors_from_the_program(self):
        with tempfile.TemporaryDirectory() as folder:
            table = write(folder, "t.dat", TABLE)
            set_path = write(folder, "s.tsv", SET)
            out = io.StringIO()
            with contextlib.redirect_stdout(out):
                code = measure.main(["--cli", CLI, "--set", set_path, "--table", table, "--errors"])
        self.assertEqual(code, 0)
        text = out.getvalue()
        # --single gives zhong and xing: 重 and 银行's 行 are wrong, the other
        # 行, 庆, 银 and 〇 right, and 龘 gets nothing.
        self.assertRegex(text, r"hard occurrences +1 / 3 ")
        self.assertRegex(text, r"polyphonic occurrences +1 / 3 ")
        self.assertRegex(text, r"all Hanzi +4 / 7 ")
        self.assertIn("重庆银行\t0\t重\tchong\tzhong\thard", text)
        self.assertIn("A行龘〇!\t1\t龘\tlong\t-\tother", text)
        self.assertNotIn("not aligned", text)

    def test_failures_are_reported_not_measured(self):
        with tempfile.TemporaryDirectory() as folder:
            table = write(folder, "t.dat", TABLE)
            set_path = write(folder, "s.tsv", SET)
            cases = {
                ("--table", os.path.join(folder, "none.dat")): "none.dat: cannot read the table",
                ("--table", table, "--no-such-option"): "exited with 2",
            }
            for arguments, message in cases.items():
                err = io.StringIO()
                with contextlib.redirect_stderr(err), contextlib.redirect_stdout(io.StringIO()):
                    code = measure.main(["--cli", CLI, "--set", set_path, *arguments])
                self.assertEqual(code, 2)
                self.assertIn(message, err.getvalue())

if __name__ == "__main__":
    unittest.main()
