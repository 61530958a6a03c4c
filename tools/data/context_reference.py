#!/usr/bin/env python3
"""A plain reference of the context conversion, from words.dat and pymb.dat.

It follows the file's semantics step by step (runs, cheapest segmentation
with ties to the longer candidate, explicit word readings, rules, alone
readings, then the table), slowly and obviously, so that the word data can
be tuned without the C++ build and the core's conversion can be checked
against it. Output is what `lorvane-cli --context` writes for the same input.

With --tone marks or numbers the same conversion runs on the word data's
tone part and the toned table (tone_data.toned_table); --names reads each
line as a person's name (names.py).

Usage: context_reference.py [--words PATH] [--table PATH] [--single]
                            [--lines] [--case lower|first|upper]
                            [--tone none|marks|numbers] [--names] [FILE...]
       context_reference.py --score SET.tsv [--table-only] [--tone numbers]
                            [--words ...]
"""

import argparse
import sys

import names
import pymb_file
import tone_data
import word_sources
import words_file
from pinyin_marks import written

RUN_LIMIT = 4096


class ContextConverter:
    """The conversion by context on the toneless body and table, or, toned,
    on the tone part's body and the toned table."""

    def __init__(self, table, data, toned=False):
        if toned:
            if data.tones is None:
                raise words_file.WordsFileError("the word data has no tones")
            table = tone_data.toned_table(table, data.tones.char_tones)
            data = data.tones.body
        self.table = table
        self.data = data
        self.longest = max((len(w) for w in data.words), default=1)
        self.rules_for = {}
        for rule in data.rules:
            self.rules_for.setdefault(rule.target, []).append(rule)

    def first_reading(self, ch):
        readings = self.table.get(ch)
        return readings[0] if readings else None

    def segment(self, run):
        """[(start, word or None)] of the cheapest path through a run."""
        n = len(run)
        best = [0] * (n + 1)
        choice = [1] * (n + 1)
        for i in range(n - 1, -1, -1):
            best[i] = self.data.chars[run[i]].single_cost + best[i + 1]
            for length in range(2, min(self.longest, n - i) + 1):
                entry = self.data.words.get(run[i:i + length])
                if entry is not None and entry[0] + best[i + length] <= best[i]:
                    best[i], choice[i] = entry[0] + best[i + length], length
        path = []
        i = 0
        while i < n:
            path.append((i, run[i:i + choice[i]] if choice[i] > 1 else None))
            i += choice[i]
        return path

    def _rule_reading(self, run, i):
        for rule in self.rules_for.get(run[i], ()):
            if rule.kind == words_file.PREVIOUS_IS:
                holds = i > 0 and run[i - 1] == rule.neighbour
            elif rule.kind == words_file.NEXT_IS:
                holds = i + 1 < len(run) and run[i + 1] == rule.neighbour
            else:
                holds = i >= 2 and run[i - 1] == run[i - 2]
            if holds:
                return rule.syllable
        return None

    def run_readings(self, run):
        explicit = [None] * len(run)
        for start, word in self.segment(run):
            if word:
                for k, s in enumerate(self.data.words[word][1]):
                    explicit[start + k] = s
        out = []
        for i, ch in enumerate(run):
            s = explicit[i] or self._rule_reading(run, i)
            out.append(s or self.data.chars[ch].alone or self.first_reading(ch))
        return out

    def choose(self, text):
        """The chosen syllable of every character of text (None: no reading)."""
        out = []
        i = 0
        while i < len(text):
            if text[i] not in self.data.chars:
                out.append(self.first_reading(text[i]))
                i += 1
                continue
            j = i
            while (j < len(text) and j - i < RUN_LIMIT
                   and text[j] in self.data.chars):
                j += 1
            out.extend(self.run_readings(text[i:j]))
            i = j
        return out

    def convert(self, text, single=False, case="lower", tone="none"):
        pieces = []
        for ch, chosen in zip(text, self.choose(text)):
            if chosen is None:
                continue
            pieces.append(written(chosen, case, tone))
            if not single:
                others = list(self.table.get(ch, ()))
                if chosen in others:
                    others.remove(chosen)  # the first that equals it only
                pieces.extend("(%s)" % written(r, case, tone) for r in others)
        return " ".join(pieces)




def is_ideograph(ch):
    """The characters that an accuracy set gives a reading for."""
    return word_sources.is_ideograph(ch, extra=word_sources.IDEOGRAPHIC_ZERO,
                                     planes=(2, 3))


def read_set(path, toned=False):
    """[(sentence, [readings], {hard indexes})] of an accuracy set; toned,
    the readings are those of its toned column (the fifth)."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            sentence, readings = fields[0], fields[4 if toned else 1].split()
            hard = {int(x) for x in fields[2].split(",") if x} if len(fields) > 2 else set()
            if len(readings) != sum(map(is_ideograph, sentence)):
                raise ValueError("%s line %d: %d readings for %d ideographs"
                                 % (path, number, len(readings),
                                    sum(map(is_ideograph, sentence))))
            rows.append((sentence, readings, hard))
    return rows


def neutral_for_full(got, label):
    """An output neutral tone where the label writes the same syllable with a
    full tone, which a lexical neutral tone may be written as."""
    return (got is not None and got.endswith("5") and label[-1:] in "1234"
            and got[:-1] == label[:-1])


def score(rows, choose, table, lenient=False):
    """(hard, polyphonic, all) as [right, total] over a set's ideographs;
    polyphonic as the toneless table says. lenient: see neutral_for_full."""
    hard, poly, every = [0, 0], [0, 0], [0, 0]
    for sentence, readings, hard_indexes in rows:
        chosen = choose(sentence)
        k = 0
        for ch, got in zip(sentence, chosen):
            if not is_ideograph(ch):
                continue
            right = int(got == readings[k] or (
                lenient and neutral_for_full(got, readings[k])))
            counters = [every]
            if len(table.get(ch, ())) > 1:
                counters.append(poly)
            if k in hard_indexes:
                counters.append(hard)
            for c in counters:
                c[0] += right
                c[1] += 1
            k += 1
    return hard, poly, every


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--words", default=words_file.DEFAULT_PATH)
    parser.add_argument("--table", default=pymb_file.DEFAULT_PATH)
    parser.add_argument("--single", action="store_true")
    parser.add_argument("--lines", action="store_true")
    parser.add_argument("--case", choices=("lower", "first", "upper"),
                        default="lower")
    parser.add_argument("--tone", choices=("none", "marks", "numbers"),
                        default="none")
    parser.add_argument("--names", action="store_true",
                        help="each line is a person's name")
    parser.add_argument("--context", action="store_true",
                        help="accepted as lorvane-cli takes it; the reference "
                             "always converts by context")
    parser.add_argument("--score", metavar="SET",
                        help="print the accuracy on an accuracy set")
    parser.add_argument("--table-only", action="store_true",
                        help="with --score: the table's first readings alone")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args(argv)

    table = pymb_file.load_table(args.table)
    with open(args.words, "rb") as f:
        data = words_file.decode(f.read(), args.words)
    toned = args.tone != "none"
    converter = ContextConverter(table, data, toned)
    if args.score:
        if args.table_only:
            def choose(text):
                return [converter.first_reading(ch) for ch in text]
        else:
            choose = converter.choose
        rows = read_set(args.score, toned)
        for name, (right, total) in zip(
                ("hard", "polyphonic", "all Hanzi"),
                score(rows, choose, table)):
            print("%-11s %6.2f%%  (%d of %d)"
                  % (name, 100.0 * right / max(total, 1), right, total))
        if toned:
            print("allowing a neutral tone for a full one:")
            for name, (right, total) in zip(
                    ("hard", "polyphonic", "all Hanzi"),
                    score(rows, choose, table, lenient=True)):
                print("%-11s %6.2f%%  (%d of %d)"
                      % (name, 100.0 * right / max(total, 1), right, total))
        return 0

    text = "".join(open(p, encoding="utf-8-sig", errors="replace").read()
                   for p in args.files) if args.files else sys.stdin.read()
    lines = text.split("\n") if args.lines or args.names else [text]
    if (args.lines or args.names) and lines and lines[-1] == "":
        lines.pop()
    reader = names.NameReader(converter, data, toned) if args.names else None
    for line in lines:
        if reader and reader.is_name(line):
            print(reader.convert(line, args.case, args.tone))
        else:
            print(converter.convert(line, args.single, args.case, args.tone))
    return 0


if __name__ == "__main__":
    sys.exit(main())
