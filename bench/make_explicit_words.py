"""Writes text made only of the words whose readings words.dat gives
explicitly, the hardest text for the conversion by context: every character
stands in a word that reads it otherwise, so every run is segmented. The
words come in a fixed random order, a hundred to a line, until the text has
at least MIN_BYTES bytes.

usage: make_explicit_words.py WORDS_DAT OUTPUT MIN_BYTES"""

import random
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tools" / "data"))
import words_file  # noqa: E402


def main(words_path, output, min_bytes):
    data = words_file.decode(Path(words_path).read_bytes(), words_path)
    explicit = [word for word, (_, readings) in data.words.items() if any(readings)]
    random.Random(1).shuffle(explicit)
    lines = ["".join(explicit[at:at + 100]) + "\n" for at in range(0, len(explicit), 100)]
    block = "".join(lines).encode("utf-8")
    copies = max(1, -(-int(min_bytes) // len(block)))
    Path(output).write_bytes(block * copies)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
