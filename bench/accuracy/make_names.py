#!/usr/bin/env python3
"""Make the names sets names-dev.tsv and names-eval.tsv from CC-CEDICT.

People: CC-CEDICT's entries of two to four Hanzi written as a surname and a
given name (two capitals in the pinyin, "Zeng1 Guo2 fan1") whose definition
begins with that name ("Zeng Guofan", not "Emperor Taizong" nor "Later Yan")
and gives a person's dates ("(1811-1872)", "born 1962"), split at the second
capital into a surname of one or two characters and a given name of one or
two. Each person goes to one part only (by a hash of the name), and so does
each surname that CC-CEDICT gives as a surname ("surname Shan") with a
reading that is not its character's usual one. Within each part, surnames
and given names are recombined at random (fixed seed) into names that no
person has, and that neither CC-CEDICT, jieba nor the word data hold whole,
each read with its surname's and its given name's readings as CC-CEDICT
gives them for the person or the surname.

Usage: make_names.py (writes bench/accuracy/names-dev.tsv and names-eval.tsv)
"""

import hashlib
import os
import random
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPO_ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(REPO_ROOT, "tools", "data"))

import lexicon  # noqa: E402
import pymb_file  # noqa: E402
import tone_data  # noqa: E402
import word_sources  # noqa: E402
import words_file  # noqa: E402

DATES_RE = re.compile(r"\(\d{3,4}-\d{3,4}\)|\(c\. ?\d|born \d{4}|\(\d{4}-\)|\bBC\)|\(\?-\d")
PER_PART = {"compound": 25, "polyphonic": 55, "plain": 120}
SEED = 15


def people(cedict, surnames):
    """[(name, surname length, toned readings)] of CC-CEDICT's dated people."""
    out = []
    for word, entries in cedict.items():
        if not 2 <= len(word) <= 4 or not lexicon.is_hanzi_word(word):
            continue
        for entry in entries:
            syllables = entry.pinyin.split()
            capitals = [i for i, s in enumerate(syllables) if s[:1].isupper()]
            if len(syllables) != len(word) or len(capitals) != 2 or capitals[0] != 0:
                continue
            split = capitals[1]
            toned = lexicon.cedict_syllables(entry.pinyin, True)
            spelt = "".join(s.rstrip("12345") for s in syllables[:split]) + " " + "".join(
                s.rstrip("12345") for s in syllables[split:])
            spelt = spelt.replace("u:", "ü")
            if (split <= 2 and len(word) - split <= 2 and word[:split] in surnames
                    and toned and all(toned)
                    and entry.definitions[0].replace("'", "").startswith(spelt + " ")
                    and DATES_RE.search(" ".join(entry.definitions))):
                out.append((word, split, toned))
    return sorted(set(out))


def part_of(text):
    return "dev" if hashlib.sha256(text.encode()).digest()[0] % 2 == 0 else "eval"


def written(syllables, toned):
    """"zeng1", "guo2 fan1" -> "Zeng1", "Guo2fan1" (toned) or "Zeng", "Guofan",
    with the apostrophe before a syllable that begins with a, o or e."""
    out = ""
    for i, s in enumerate(syllables):
        s = s if toned else s[:-1]
        if i and s[0] in "aoe":
            out += "'"
        out += s
    out = out.replace("v", "ü") if not toned else out
    return out[:1].upper() + out[1:]


def main():
    table = pymb_file.load_table(pymb_file.DEFAULT_PATH)
    with open(words_file.DEFAULT_PATH, "rb") as f:
        data = words_file.decode(f.read())
    toned_table = tone_data.toned_table(table, data.tones.char_tones)
    cedict = word_sources.read_cedict()
    jieba = word_sources.read_jieba()
    known = set(cedict) | set(jieba) | set(data.words) | set(data.tones.body.words)

    def kind(surname, readings):
        if len(surname) == 2:
            return "compound"
        if len(table.get(surname, ())) > 1 or toned_table[surname][0] != readings[0]:
            return "polyphonic"
        return "plain"

    lex = lexicon.Lexicon({}, {w: e for w, e in cedict.items() if len(w) <= 2}, {})
    pools = {"dev": ({}, {}, set()), "eval": ({}, {}, set())}
    for name, split, toned in people(cedict, data.tones.surnames):
        surnames, given, persons = pools[part_of(name)]
        surnames.setdefault((name[:split], toned[:split]), set()).add(name)
        given[(name[split:], toned[split:])] = name
        persons.add(name)
    # Surnames read otherwise than their character, from CC-CEDICT's surname
    # entries, for the surnames that no dated person has.
    for surname, readings in sorted(lex.surname_readings.items()):
        for r in sorted(set(readings)):
            if (len(surname) == 1 and surname in table and kind(surname, r) != "plain"
                    and not any(s == surname for part in pools.values() for s, _ in part[0])):
                pools[part_of(surname)][0].setdefault((surname, r), set())

    rng = random.Random(SEED)
    for part, (surnames, given, persons) in pools.items():
        by_kind = {}
        for (surname, readings) in sorted(surnames):
            by_kind.setdefault(kind(surname, readings), []).append((surname, readings))
        given_names = sorted(given)
        rows = []
        used = set()
        for k, count in PER_PART.items():
            candidates = by_kind[k]
            while sum(1 for r in rows if r[3] == k) < count:
                surname, s_readings = candidates[len(rows) % len(candidates)] if k != "plain" \
                    else rng.choice(candidates)
                given_name, g_readings = rng.choice(given_names)
                name = surname + given_name
                if name in known or name in persons or name in used:
                    continue
                used.add(name)
                rows.append((name, written(s_readings, False) + " " + written(g_readings, False),
                             written(s_readings, True) + " " + written(g_readings, True), k,
                             "surname of %s, given name of %s" % (
                                 "/".join(sorted(surnames[(surname, s_readings)])) or "CC-CEDICT",
                                 given[(given_name, g_readings)])))
        path = os.path.join(HERE, "names-%s.tsv" % part)
        with open(path, "w", encoding="utf-8") as f:
            f.write(HEADER % ("tuning" if part == "dev" else
                              "held out: never tuned on; only final figures are measured on it"))
            for row in rows:
                f.write("\t".join(row) + "\n")
        print(path, len(rows))


HEADER = """# Lorvane names set: %s. Made by make_names.py; see SOURCES.md.
# Columns (tab separated): name (a surname and a given name that no person of
# CC-CEDICT has together, and that no word list holds whole), reading as the
# national rules write names (surname and given name, each one's syllables
# together, the apostrophe before a, o, e), toned reading (tone digits, as
# --tone=numbers --case first writes it), kind of surname (compound, polyphonic:
# several readings or a surname reading that is not its character's usual one,
# plain), where the surname and the given name come from.
"""


if __name__ == "__main__":
    main()
