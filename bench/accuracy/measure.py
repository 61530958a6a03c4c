#!/usr/bin/env python3
"""Measure how often lorvane-cli gives the right reading on a labelled set.

Runs `lorvane-cli --lines --single [extra arguments]` once over every sentence
of a set and compares its syllables with the labels. Prints three figures:
hard occurrences (the ones each sentence was chosen for), all occurrences of
polyphonic characters (two or more toneless readings in the table in use),
and all Hanzi. A labelled Hanzi for which the program writes nothing counts
as wrong.

With --tone, the program runs with --tone=numbers and its syllables are
compared with the toned labels ("zhong4", "de5"). The figures are given
twice: exactly, and allowing a neutral tone for a full one, that is counting
a syllable right where the program writes the neutral tone (5) and the label
the same syllable with a full tone (a lexical neutral tone may be written
with its full tone). A full tone where the label writes the neutral tone is
always wrong.

With --names the set is a names set (names-dev, names-eval): the program
runs with --names --case first (and --tone=numbers with --tone), and each
whole name is right when its output line equals the label, letter case and
apostrophes aside (the labels write the apostrophe of the national rules,
Jia'an, which the program does not). It prints whole names right, and the
surnames right among the names that begin with a polyphonic or compound
surname.

A --cli ending in .py (tools/data/context_reference.py, the plain reference
of the conversion by context) is run with this Python; the table then
defaults to data/pymb.dat.

Usage: measure.py [--cli PATH] [--set dev|eval|FILE] [--table PATH] [--errors]
                  [--tone] [extra lorvane-cli arguments, e.g. --context]
       measure.py --names [--set names-dev|names-eval|FILE] [--tone] ...

Set files: UTF-8, '#' lines are comments, one sentence a line with the tab
separated fields sentence, readings, hard, source and toned readings (see
dev.tsv's header); names sets: name, reading, toned reading, kind, source
(see names-dev.tsv's header).
"""

import argparse
import codecs
import os
import subprocess
import sys
from dataclasses import dataclass

HERE = os.path.dirname(os.path.abspath(__file__))
REPO_ROOT = os.path.dirname(os.path.dirname(HERE))
DEFAULT_CLI = os.path.join(REPO_ROOT, "build", "native", "bin", "lorvane-cli")
NAMED_SETS = {name: os.path.join(HERE, name + ".tsv")
              for name in ("dev", "eval", "names-dev", "names-eval")}


class MeasureError(Exception):
    """A set, a table or the program under test that cannot be used."""


def is_ideograph(ch):
    code = ord(ch)
    return (code == 0x3007 or 0x3400 <= code <= 0x4DBF or 0x4E00 <= code <= 0x9FFF
            or 0xF900 <= code <= 0xFAFF or 0x20000 <= code <= 0x3134F)


@dataclass
class Sentence:
    text: str
    readings: list      # one syllable per ideograph of text, in order
    hard: list          # indices into readings
    source: str
    line: int
    toned: list = None  # the readings with their tone digits, where the set has them


def is_toned(syllable):
    return (len(syllable) >= 2 and syllable[-1] in "12345" and syllable[:-1].isascii()
            and syllable[:-1].isalpha() and syllable[:-1].islower())


def data_lines(path):
    """(number, line) for each line of a set file that is not blank or a comment."""
    with open(path, encoding="utf-8") as stream:
        for number, raw in enumerate(stream, 1):
            line = raw.rstrip("\r\n")
            if line.strip() and not line.startswith("#"):
                yield number, line


def parse_set(path):
    """Reads a set file; a malformed line is an error naming file and line."""
    sentences = []
    for number, line in data_lines(path):
        where = f"{path}:{number}"
        fields = line.split("\t")
        if len(fields) not in (4, 5):
            raise MeasureError(f"{where}: expected 4 or 5 tab-separated fields, found {len(fields)}")
        text, readings, hard, source = fields[:4]
        readings = readings.split()
        toned = fields[4].split() if len(fields) == 5 else None
        if toned is not None and (
                [t[:-1] for t in toned] != readings or not all(map(is_toned, toned))):
            raise MeasureError(f"{where}: toned readings must be the readings with a tone 1 to 5")
        ideographs = sum(1 for ch in text if is_ideograph(ch))
        if len(readings) != ideographs:
            raise MeasureError(f"{where}: {ideographs} ideographs but {len(readings)} readings")
        bad = [r for r in readings if not (r.isascii() and r.isalpha() and r.islower())]
        if bad:
            raise MeasureError(f"{where}: readings must be lower-case a-z syllables, not {bad[0]!r}")
        try:
            hard = [int(h) for h in hard.split(",") if h.strip()]
        except ValueError:
            raise MeasureError(f"{where}: hard must be comma-separated indices") from None
        if any(not 0 <= h < ideographs for h in hard):
            raise MeasureError(f"{where}: hard index out of range 0..{ideographs - 1}")
        sentences.append(Sentence(text, readings, hard, source, number, toned))
    if not sentences:
        raise MeasureError(f"{path}: no sentences")
    return sentences


def parse_table_fields(text):
    """The table's fields as Lorvane's loader reads them: fields end at a
    comma or a line end, blanks around a field and empty fields are dropped,
    and a quoted field may hold commas."""
    fields = []
    at, size = 0, len(text)
    while at < size:
        if text[at] in " \t,\r\n":
            at += 1
            continue
        if text[at] == '"':
            start = at = at + 1
            while at < size and text[at] not in '"\r\n':
                at += 1
            field = text[start:at]
            while at < size and text[at] not in ",\r\n":
                at += 1
        else:
            start = at
            while at < size and text[at] not in ",\r\n":
                at += 1
            field = text[start:at].rstrip(" \t")
        if field:
            fields.append(field)
    return fields


def load_table(path):
    """Each character's readings in table order (GBK, or UTF-8 after a BOM)."""
    try:
        with open(path, "rb") as stream:
            data = stream.read()
    except OSError as error:
        raise MeasureError(f"{path}: cannot read the table: {error.strerror}") from None
    if data.startswith(codecs.BOM_UTF8):
        text = data[len(codecs.BOM_UTF8):].decode("utf-8", errors="replace")
    else:
        text = data.decode("gbk", errors="replace")
    readings = {}
    for field in parse_table_fields(text):
        if len(field) >= 2:
            readings.setdefault(field[0], []).append(field[1:])
    if not readings:
        raise MeasureError(f"{path}: the table holds no entries")
    return readings


def polyphonic(table, ch):
    return len({r.lower() for r in table.get(ch, ())}) >= 2


def align(sentence, output, table):
    """The program's syllable for each labelled ideograph (None where it wrote
    nothing), or None when its output cannot be matched to the sentence."""
    syllables = output.split()
    ideographs = [ch for ch in sentence.text if is_ideograph(ch)]
    producing = [ch for ch in sentence.text if ch in table]
    if len(syllables) == len(producing):
        # One syllable per character the table knows, nothing for the rest.
        got, position = [], 0
        for ch in sentence.text:
            if ch in table:
                if is_ideograph(ch):
                    got.append(syllables[position])
                position += 1
            elif is_ideograph(ch):
                got.append(None)
        return got
    if len(syllables) == len(ideographs) and all(ch in table or is_ideograph(ch) for ch in producing):
        # Readings also for ideographs the table lacks (from word data).
        return syllables
    return None


def program(cli):
    return [sys.executable, cli] if cli.endswith(".py") else [cli]


def run_cli(cli, arguments, sentences, mode=("--lines", "--single")):
    command = [*program(cli), *mode, *arguments]
    text = "".join(s.text + "\n" for s in sentences)
    try:
        result = subprocess.run(command, input=text.encode("utf-8"), capture_output=True, check=False)
    except OSError as error:
        raise MeasureError(f"{cli}: cannot run: {error.strerror}") from None
    if result.returncode != 0:
        message = result.stderr.decode("utf-8", errors="replace").strip()
        raise MeasureError(f"{' '.join(command)} exited with {result.returncode}: {message}")
    lines = result.stdout.decode("utf-8", errors="replace").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if len(lines) != len(sentences):
        raise MeasureError(f"{cli} wrote {len(lines)} lines for {len(sentences)} sentences")
    return lines


@dataclass
class Tally:
    right: int = 0
    total: int = 0

    def add(self, correct):
        self.total += 1
        self.right += correct

    def line(self, name):
        share = 100.0 * self.right / self.total if self.total else 0.0
        return f"{name:<24}{self.right:>7} / {self.total:<7}{share:7.2f}%"


@dataclass
class Result:
    hard: Tally
    polyphonic: Tally
    hanzi: Tally
    unaligned: list     # sentences whose output could not be matched
    errors: list        # (sentence, index, expected, got, kind)
    lenient: tuple = None  # toned: (hard, polyphonic, hanzi) allowing a neutral tone for a full one


def neutral_for_full(actual, expected):
    """The program's neutral tone where the label has the same syllable with
    a full tone."""
    return actual[-1:] == "5" and expected[-1:] in ("1", "2", "3", "4") and actual[:-1] == expected[:-1]


def score(sentences, outputs, table, toned=False):
    result = Result(Tally(), Tally(), Tally(), [], [])
    if toned:
        result.lenient = (Tally(), Tally(), Tally())
    for sentence, output in zip(sentences, outputs):
        got = align(sentence, output, table)
        if got is None:
            result.unaligned.append((sentence, output))
            continue
        ideographs = [ch for ch in sentence.text if is_ideograph(ch)]
        labels = sentence.toned if toned else sentence.readings
        for index, (ch, expected, actual) in enumerate(zip(ideographs, labels, got)):
            correct = actual is not None and actual.lower() == expected
            is_hard = index in sentence.hard
            tallies = [(result.hanzi, correct)]
            if toned:
                near = correct or (actual is not None and neutral_for_full(actual.lower(), expected))
                tallies.append((result.lenient[2], near))
                if is_hard:
                    tallies.append((result.lenient[0], near))
                if polyphonic(table, ch):
                    tallies.append((result.lenient[1], near))
            if is_hard:
                tallies.append((result.hard, correct))
            if polyphonic(table, ch):
                tallies.append((result.polyphonic, correct))
            for tally, right in tallies:
                tally.add(right)
            if not correct:
                kind = "hard" if is_hard else "polyphonic" if polyphonic(table, ch) else "other"
                result.errors.append((sentence, index, expected, actual or "-", kind))
    return result


def report(result, set_path, sentences, show_errors, out=None):
    out = out or sys.stdout
    print(f"set {set_path}: {len(sentences)} sentences", file=out)
    print(result.hard.line("hard occurrences"), file=out)
    print(result.polyphonic.line("polyphonic occurrences"), file=out)
    print(result.hanzi.line("all Hanzi"), file=out)
    if result.lenient:
        print("allowing a neutral tone for a full one:", file=out)
        for tally, name in zip(result.lenient, ("hard occurrences", "polyphonic occurrences", "all Hanzi")):
            print(tally.line(name), file=out)
    if result.unaligned:
        print(f"{len(result.unaligned)} sentences not aligned, left out of the figures:", file=out)
        for sentence, output in result.unaligned:
            print(f"  line {sentence.line}: {sentence.text}\t-> {output}", file=out)
    if show_errors:
        print("errors (sentence, index, character, expected, got, kind):", file=out)
        for sentence, index, expected, got, kind in result.errors:
            ch = [c for c in sentence.text if is_ideograph(c)][index]
            print(f"{sentence.text}\t{index}\t{ch}\t{expected}\t{got}\t{kind}", file=out)


@dataclass
class Name:
    text: str
    reading: str        # as the national rules write it: "Zeng Guofan", "Ouyang Xiu"
    toned: str          # the same with tone digits: "Zeng1 Guo2fan1"
    kind: str           # "compound", "polyphonic" or "plain" surname
    line: int


def parse_names(path):
    names = []
    for number, line in data_lines(path):
        fields = line.split("\t")
        if len(fields) != 5 or fields[3] not in ("compound", "polyphonic", "plain"):
            raise MeasureError(f"{path}:{number}: expected name, reading, toned reading, "
                               "kind (compound, polyphonic or plain) and source")
        names.append(Name(fields[0], fields[1], fields[2], fields[3], number))
    if not names:
        raise MeasureError(f"{path}: no names")
    return names


def comparable(text):
    return text.replace("'", "").replace("ü", "v").lower()


def score_names(names, outputs, toned, show_errors, out=None):
    out = out or sys.stdout
    whole, surnames = Tally(), Tally()
    errors = []
    for name, output in zip(names, outputs):
        expected = comparable(name.toned if toned else name.reading)
        got = comparable(output.strip())
        whole.add(got == expected)
        if name.kind != "plain":
            surnames.add(got.split(" ")[0] == expected.split(" ")[0])
        if got != expected:
            errors.append(f"{name.text}\t{name.toned if toned else name.reading}\t{output}")
    print(whole.line("whole names"), file=out)
    print(surnames.line("polyphonic or compound surnames"), file=out)
    if show_errors:
        print("errors (name, expected, got):", file=out)
        for line in errors:
            print(line, file=out)
    return whole, surnames


def main(argv=None):
    parser = argparse.ArgumentParser(
        description="Accuracy of lorvane-cli --lines --single on a labelled set; "
                    "unknown arguments go to lorvane-cli.")
    parser.add_argument("--cli", default=DEFAULT_CLI, help="lorvane-cli to run")
    parser.add_argument("--set", help="dev, eval, names-dev, names-eval or a set file")
    parser.add_argument("--table", help="pinyin table (default: pymb.dat beside the program)")
    parser.add_argument("--errors", action="store_true", help="list every wrong reading")
    parser.add_argument("--tone", action="store_true", help="compare toned readings (--tone=numbers)")
    parser.add_argument("--names", action="store_true", help="a names set, run with --names")
    options, extra = parser.parse_known_args(argv)

    set_path = options.set or ("names-dev" if options.names else "dev")
    set_path = NAMED_SETS.get(set_path, set_path)
    table_path = options.table or (
        os.path.join(REPO_ROOT, "data", "pymb.dat") if options.cli.endswith(".py")
        else os.path.join(os.path.dirname(os.path.abspath(options.cli)), "pymb.dat"))
    cli_arguments = ((["--table", options.table] if options.table else [])
                     + (["--tone=numbers"] if options.tone else []) + extra)
    try:
        if options.names:
            names = parse_names(set_path)
            outputs = run_cli(options.cli, cli_arguments, names, ("--names", "--case", "first"))
            print(f"set {set_path}: {len(names)} names")
            score_names(names, outputs, options.tone, options.errors)
            return 0
        sentences = parse_set(set_path)
        if options.tone and any(s.toned is None for s in sentences):
            raise MeasureError(f"{set_path}: --tone needs the toned readings of every sentence")
        table = load_table(table_path)
        outputs = run_cli(options.cli, cli_arguments, sentences)
    except (MeasureError, OSError) as error:
        print(f"measure.py: {error}", file=sys.stderr)
        return 2
    report(score(sentences, outputs, table, options.tone), set_path, sentences, options.errors)
    return 0


if __name__ == "__main__":
    sys.exit(main())
