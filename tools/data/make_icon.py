#!/usr/bin/env python3
"""Draw the Lorvane application icon and hand cursor; write res/Lorvane.ico
and res/Hand.cur.

The icon is a red rounded tile, like a name seal, carrying a white "P" with a
level tone mark above it (the first letter of "pinyin" written the way pinyin
marks a first tone). Every size is drawn at its own resolution from metrics
snapped to its pixel grid, so stems land on whole pixels and stay sharp.

Lorvane.ico holds, in order: 16, 24, 32 and 48 px at 32 bits per pixel with
alpha; the same sizes with a 256-colour palette; 32 and 48 px with the
Windows 16-colour palette. All are BMP images (XOR bitmap plus AND mask), not
PNG, so every Windows version reads them.

Hand.cur is the 32x32 monochrome "link select" hand with its hot spot on the
tip of the raised index finger.

The output is byte-for-byte reproducible.

Usage: make_icon.py [--output-dir DIR]
"""

import argparse
import math
import os
import struct
import sys
from dataclasses import dataclass

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_OUTPUT_DIR = os.path.join(REPO_ROOT, "res")
ICON_NAME = "Lorvane.ico"
CURSOR_NAME = "Hand.cur"

ICON_SIZES = (16, 24, 32, 48)
VGA_SIZES = (32, 48)

# Windows' 16-colour palette, in the order the system uses, as (R, G, B).
VGA_PALETTE = (
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00),
    (0x80, 0x80, 0x00), (0x00, 0x00, 0x80), (0x80, 0x00, 0x80),
    (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80),
    (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF),
    (0xFF, 0xFF, 0xFF),
)
VGA_BLACK, VGA_MAROON, VGA_RED, VGA_WHITE = 0, 1, 9, 15

TILE_TOP = (0xD8, 0x33, 0x2E)
TILE_BOTTOM = (0xA9, 0x16, 0x1B)
TILE_EDGE = (0x82, 0x0E, 0x12)
GLYPH = (0xFF, 0xFF, 0xFF)
SHADOW_ALPHA = 0.28

# Pixels an edge passes through are sampled on a 16x16 grid. A pixel whose
# centre is farther than half its diagonal from every edge is wholly inside
# or outside.
SUPERSAMPLES = 16
HALF_DIAGONAL = 0.7072

CURSOR_SIZE = 32
CURSOR_HOT_SPOT = (12, 1)


def rounded_box(x0, y0, x1, y1, top_left=0.0, top_right=0.0,
                bottom_right=0.0, bottom_left=0.0):
    """Signed distance (negative inside) to a box with per-corner radii;
    y grows downwards."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2, (y1 - y0) / 2

    def distance(x, y):
        px, py = x - cx, y - cy
        if py < 0:
            r = top_right if px > 0 else top_left
        else:
            r = bottom_right if px > 0 else bottom_left
        qx = abs(px) - hx + r
        qy = abs(py) - hy + r
        outside = math.sqrt(max(qx, 0.0) ** 2 + max(qy, 0.0) ** 2)
        return min(max(qx, qy), 0.0) + outside - r
    return distance


def union(*shapes):
    return lambda x, y: min(shape(x, y) for shape in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def coverage(shape, px, py):
    """Fraction of pixel (px, py) inside shape, by supersampling only the
    pixels an edge crosses."""
    centre = shape(px + 0.5, py + 0.5)
    if centre <= -HALF_DIAGONAL:
        return 1.0
    if centre >= HALF_DIAGONAL:
        return 0.0
    n = SUPERSAMPLES
    inside = 0
    for j in range(n):
        y = py + (2 * j + 1) / (2 * n)
        for i in range(n):
            if shape(px + (2 * i + 1) / (2 * n), y) < 0:
                inside += 1
    return inside / (n * n)


def coverage_map(shape, size):
    return [[coverage(shape, x, y) for x in range(size)] for y in range(size)]


@dataclass(frozen=True, slots=True)
class IconMetrics:
    """Pixel-snapped layout of the icon at one size. A bowl_radius of 0
    draws the bowl with one-pixel notched corners instead of curves, which
    stays crisp at the smallest size."""
    tile_inset: int
    tile_radius: float
    edge_strength: float
    stem: int
    bar: int
    letter_left: int
    letter_top: int
    letter_width: int
    letter_height: int
    bowl_height: int
    bowl_radius: float
    mark_top: int
    mark_height: int
    shadow: float


# Each size's metrics, in the order of IconMetrics' fields.
METRICS = {size: IconMetrics(*values) for size, values in {
    #   inset radius edge stem bar left top width height bowl_h bowl_r mark_top mark_h shadow
    16: (1, 2.5, 0.6, 2, 1, 5, 5, 7, 8, 4, 0, 3, 1, 0),
    24: (1, 4, 0.7, 3, 2, 8, 8, 9, 12, 7, 3.5, 4, 2, 0),
    32: (2, 6, 0.8, 4, 3, 10, 10, 13, 16, 10, 5, 6, 2, 1),
    48: (3, 9, 0.8, 5, 4, 15, 15, 18, 24, 14, 7.5, 9, 3, 1.5),
}.items()}


def tile_shape(size, m, grow=0.0, dy=0.0):
    lo, hi = m.tile_inset - grow, size - m.tile_inset + grow
    r = m.tile_radius + grow
    return rounded_box(lo, lo + dy, hi, hi + dy, r, r, r, r)


def letter_shape(m):
    """The tone-marked "P": a stem, a bowl on its upper part and a level bar
    above."""
    left, top = m.letter_left, m.letter_top
    right = left + m.letter_width
    bowl_bottom = top + m.bowl_height
    stem = rounded_box(left, top, left + m.stem, top + m.letter_height)
    mark = rounded_box(left, m.mark_top, right, m.mark_top + m.mark_height)
    if m.bowl_radius:
        r = m.bowl_radius
        inner = max(r - m.stem, 0.5)
        bowl = subtract(
            rounded_box(left, top, right, bowl_bottom, 0, r, r, 0),
            rounded_box(left + m.stem, top + m.bar, right - m.stem,
                        bowl_bottom - m.bar, 0, inner, inner, 0))
    else:
        bowl = union(
            rounded_box(left, top, right - 1, top + m.bar),
            rounded_box(left, bowl_bottom - m.bar, right - 1, bowl_bottom),
            rounded_box(right - m.stem, top + 1, right, bowl_bottom - 1))
    return union(stem, bowl, mark)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def tile_colour(size, m, y):
    lo, hi = m.tile_inset, size - m.tile_inset
    t = min(max((y + 0.5 - lo) / (hi - lo), 0.0), 1.0)
    return mix(TILE_TOP, TILE_BOTTOM, t)


def render_layers(size):
    """Per pixel: tile coverage, tile colour with edge and letter painted on
    (opaque), and shadow coverage."""
    m = METRICS[size]
    tile = coverage_map(tile_shape(size, m), size)
    inner = coverage_map(tile_shape(size, m, grow=-1), size)
    letter = coverage_map(letter_shape(m), size)
    if m.shadow:
        shadow = coverage_map(tile_shape(size, m, dy=m.shadow), size)
    else:
        shadow = [[0.0] * size for _ in range(size)]
    colour = []
    for y in range(size):
        row = []
        for x in range(size):
            face = tile_colour(size, m, y)
            edge = mix(face, TILE_EDGE, m.edge_strength)
            c = mix(edge, face, inner[y][x])
            row.append(mix(c, GLYPH, letter[y][x]))
        colour.append(row)
    return tile, colour, shadow


def render_true_colour(size):
    """Rows of (r, g, b, a) bytes, top row first."""
    tile, colour, shadow = render_layers(size)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            a_tile = tile[y][x]
            a_shadow = shadow[y][x] * SHADOW_ALPHA
            alpha = a_tile + a_shadow * (1 - a_tile)
            if alpha <= 0:
                row.append((0, 0, 0, 0))
                continue
            # Shadow is black, so only the tile contributes colour.
            rgb = tuple(round(c * a_tile / alpha) for c in colour[y][x])
            row.append(rgb + (round(alpha * 255),))
        rows.append(row)
    return rows


def render_opaque(size):
    """Hard-edged tile: rows of (r, g, b) or None where transparent."""
    tile, colour, _ = render_layers(size)
    return [[tuple(round(c) for c in colour[y][x]) if tile[y][x] >= 0.5
             else None for x in range(size)] for y in range(size)]


def render_vga(size):
    """Rows of VGA palette indices or None where transparent. The letter is
    white where it covers at least half a pixel; the tile's outer ring is
    maroon around a red face."""
    m = METRICS[size]
    tile = coverage_map(tile_shape(size, m), size)
    inner = coverage_map(tile_shape(size, m, grow=-1), size)
    letter = coverage_map(letter_shape(m), size)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if tile[y][x] < 0.5:
                row.append(None)
            elif letter[y][x] >= 0.5:
                row.append(VGA_WHITE)
            elif inner[y][x] >= 0.5:
                row.append(VGA_RED)
            else:
                row.append(VGA_MAROON)
        rows.append(row)
    return rows


def to_indexed(rows, size):
    """Palette and index rows for an opaque-or-transparent image; entry 0 is
    black, which transparent pixels use so the AND mask leaves the screen
    unchanged under them."""
    colours = sorted({c for row in rows for c in row if c is not None})
    if len(colours) > 255:
        raise ValueError(f"the {size} px palette image needs {len(colours)} "
                         f"colours; a 256-colour palette holds 255 plus black")
    palette = [(0, 0, 0)] + colours
    lookup = {c: i + 1 for i, c in enumerate(colours)}
    indices = [[0 if c is None else lookup[c] for c in row] for row in rows]
    return palette, indices


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_rows(rows, bits):
    """Pack rows of small integers bottom-up into DWORD-aligned scan lines."""
    width = len(rows[0])
    stride = row_stride(width, bits)
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, value in enumerate(row):
            bit = x * bits
            line[bit // 8] |= value << (8 - bits - bit % 8)
        out += line
    return bytes(out)


def dib(width, height, bits, palette, xor_bits, and_rows):
    """A BITMAPINFOHEADER image as icons and cursors store it: the height
    field counts the XOR bitmap and the AND mask."""
    and_bits = pack_rows(and_rows, 1)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0,
                         len(xor_bits) + len(and_bits), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + xor_bits + and_bits


def padded_palette(palette, bits):
    return list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))


def true_colour_image(size):
    rows = render_true_colour(size)
    xor_bits = b"".join(
        b"".join(struct.pack("<BBBB", b, g, r, a) for r, g, b, a in row)
        for row in reversed(rows))
    # Programs that ignore alpha draw through the mask instead.
    mask = [[1 if px[3] < 128 else 0 for px in row] for row in rows]
    return dib(size, size, 32, [], xor_bits, mask)


def palette_image(size):
    rows = render_opaque(size)
    palette, indices = to_indexed(rows, size)
    mask = [[1 if c is None else 0 for c in row] for row in rows]
    return dib(size, size, 8, padded_palette(palette, 8),
               pack_rows(indices, 8), mask)


def vga_image(size):
    rows = render_vga(size)
    indices = [[VGA_BLACK if c is None else c for c in row] for row in rows]
    mask = [[1 if c is None else 0 for c in row] for row in rows]
    return dib(size, size, 4, VGA_PALETTE, pack_rows(indices, 4), mask)


def icon_images():
    """(size, bits, dib) in directory order."""
    images = [(s, 32, true_colour_image(s)) for s in ICON_SIZES]
    images += [(s, 8, palette_image(s)) for s in ICON_SIZES]
    images += [(s, 4, vga_image(s)) for s in VGA_SIZES]
    return images


def resource_directory(kind, entries):
    """An icon (kind 1) or cursor (kind 2) file: entries are
    (width, height, colour_count, field_a, field_b, data), where the two
    fields are planes and bit count for icons, hot spot x and y for
    cursors."""
    out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for width, height, colours, a, b, data in entries:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours,
                           0, a, b, len(data), offset)
        offset += len(data)
    for entry in entries:
        out += entry[5]
    return bytes(out)


def icon_file():
    entries = []
    for size, bits, data in icon_images():
        colours = 1 << bits if bits < 8 else 0
        entries.append((size, size, colours, 1, bits, data))
    return resource_directory(1, entries)


def capsule(x0, y0, x1, y1, radius):
    """Signed distance to the segment (x0, y0)-(x1, y1) thickened by
    radius."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def distance(x, y):
        t = min(max(((x - x0) * dx + (y - y0) * dy) / length2, 0.0), 1.0)
        ex, ey = x - x0 - t * dx, y - y0 - t * dy
        return math.sqrt(ex * ex + ey * ey) - radius
    return distance


def hand_shape():
    """The hand as a union of simple shapes on the 32x32 grid."""
    index_finger = rounded_box(9, 1, 15, 19, 3, 3, 0, 0)
    middle = rounded_box(14, 9, 19, 20, 2.5, 2.5, 0, 0)
    ring = rounded_box(18, 10, 23, 21, 2.5, 2.5, 0, 0)
    little = rounded_box(22, 12, 27, 22, 2.5, 2.5, 0, 0)
    thumb = capsule(5.5, 15.5, 10, 21, 2.6)
    palm = rounded_box(8, 17, 27, 26, 0, 0, 3, 3)
    wrist = rounded_box(11, 24, 25, 29)
    return union(index_finger, middle, ring, little, thumb, palm, wrist)


def hand_creases():
    """Interior lines: the sides of the index finger down to the palm and
    the edges of the curled fingers' knuckles."""
    lines = set()
    for y in range(9, 18):
        lines.add((14, y))
    for y in range(13, 18):
        lines.add((9, y))
    for y in range(11, 14):
        lines.add((18, y))
    for y in range(12, 15):
        lines.add((22, y))
    return lines


def render_hand():
    """Rows of 'outline', 'fill' or None."""
    shape = hand_shape()
    inside = [[shape(x + 0.5, y + 0.5) < 0 for x in range(CURSOR_SIZE)]
              for y in range(CURSOR_SIZE)]

    def filled(x, y):
        return 0 <= x < CURSOR_SIZE and 0 <= y < CURSOR_SIZE and inside[y][x]

    lines = hand_creases()
    rows = []
    for y in range(CURSOR_SIZE):
        row = []
        for x in range(CURSOR_SIZE):
            if not inside[y][x]:
                row.append(None)
            elif (x, y) in lines or not all(
                    filled(x + dx, y + dy)
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                row.append("outline")
            else:
                row.append("fill")
        rows.append(row)
    return rows


def cursor_file():
    rows = render_hand()
    xor_rows = [[1 if c == "fill" else 0 for c in row] for row in rows]
    mask = [[1 if c is None else 0 for c in row] for row in rows]
    data = dib(CURSOR_SIZE, CURSOR_SIZE, 1, [(0, 0, 0), (255, 255, 255)],
               pack_rows(xor_rows, 1), mask)
    x, y = CURSOR_HOT_SPOT
    return resource_directory(2, [(CURSOR_SIZE, CURSOR_SIZE, 2, x, y, data)])


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output-dir", default=DEFAULT_OUTPUT_DIR,
                        help="folder for Lorvane.ico and Hand.cur")
    args = parser.parse_args(argv)
    try:
        os.makedirs(args.output_dir, exist_ok=True)
        write(os.path.join(args.output_dir, ICON_NAME), icon_file())
        write(os.path.join(args.output_dir, CURSOR_NAME), cursor_file())
    except OSError as e:
        print(f"make_icon.py: cannot write to {args.output_dir}: {e}",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
