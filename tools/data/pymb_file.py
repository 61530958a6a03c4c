"""Reading and writing data/pymb.dat, the Hanzi-to-pinyin table.

The committed file is GBK text with CR LF line ends. Each line holds one
Hanzi followed directly by one toneless pinyin syllable; a character with
several readings has one line per reading, most common reading first.
"""

from pathlib import Path

DEFAULT_PATH = str(Path(__file__).resolve().parents[2] / "data" / "pymb.dat")


def load_table(path):
    """{char: [readings in table order]} from a pymb.dat (GBK or UTF-8 BOM).

    A reading the table lists twice is kept twice, as the conversion keeps it.
    """
    with open(path, "rb") as f:
        raw = f.read()
    text = (raw[3:].decode("utf-8") if raw.startswith(b"\xef\xbb\xbf")
            else raw.decode("gbk"))
    table = {}
    for line in text.replace("\r\n", "\n").split("\n"):
        for field in line.split(","):
            if len(field) >= 2:
                table.setdefault(field[0], []).append(field[1:])
    return table


def encode_table(entries):
    """The file's bytes for [(gbk_code, char, [readings])] in file order."""
    lines = []
    for _, ch, readings in entries:
        for r in readings:
            lines.append((ch + r).encode("gbk") + b"\r\n")
    return b"".join(lines)
