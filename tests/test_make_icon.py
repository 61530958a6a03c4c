#!/usr/bin/env python3
"""Tests for tools/data/make_icon.py and the res/Lorvane.ico and res/Hand.cur
it produces."""

import os
import struct
import sys
import tempfile
import unittest

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TOOLS_DIR = os.path.join(REPO_ROOT, "tools", "data")
ICON = os.path.join(REPO_ROOT, "res", "Lorvane.ico")
CURSOR = os.path.join(REPO_ROOT, "res", "Hand.cur")

ICON_IMAGES = [(16, 32), (24, 32), (32, 32), (48, 32),
               (16, 8), (24, 8), (32, 8), (48, 8),
               (32, 4), (48, 4)]


def load_tool():
    if TOOLS_DIR not in sys.path:
        sys.path.insert(0, TOOLS_DIR)
    import make_icon
    return make_icon


def read(path):
    with open(path, "rb") as f:
        return f.read()


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


class Directory:
    """An .ico or .cur file split into its directory entries."""

    def __init__(self, data):
        self.data = data
        self.reserved, self.kind, count = struct.unpack_from("<HHH", data, 0)
        self.entries = []
        for i in range(count):
            fields = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            self.entries.append(dict(zip(
                ("width", "height", "colours", "reserved", "field_a",
                 "field_b", "size", "offset"), fields)))

    def image(self, index):
        entry = self.entries[index]
        return Image(self.data[entry["offset"]:entry["offset"] + entry["size"]])


class Image:
    """One BMP-format icon or cursor image."""

    def __init__(self, data):
        (self.header_size, self.width, self.double_height, self.planes,
         self.bits, self.compression, self.image_size, _, _, self.used,
         _) = struct.unpack_from("<IiiHHIIiiII", data, 0)
        self.height = self.double_height // 2
        palette_entries = (self.used or 1 << self.bits) if self.bits <= 8 else 0
        self.palette = [struct.unpack_from("<BBBB", data, 40 + 4 * i)
                        for i in range(palette_entries)]
        self.xor_offset = 40 + 4 * palette_entries
        self.and_offset = self.xor_offset + stride(self.width, self.bits) * self.height
        self.expected_size = self.and_offset + stride(self.width, 1) * self.height
        self.data = data

    def _bits(self, offset, bits, x, y):
        line = offset + stride(self.width, bits) * (self.height - 1 - y)
        byte = self.data[line + x * bits // 8]
        shift = 8 - bits - (x * bits) % 8
        return (byte >> shift) & ((1 << bits) - 1)

    def transparent(self, x, y):
        return self._bits(self.and_offset, 1, x, y) == 1

    def colour(self, x, y):
        """(r, g, b, a) of a pixel, a is 255 for palette images."""
        if self.bits == 32:
            offset = self.xor_offset + (self.width * (self.height - 1 - y) + x) * 4
            b, g, r, a = self.data[offset:offset + 4]
            return r, g, b, a
        b, g, r, _ = self.palette[self._bits(self.xor_offset, self.bits, x, y)]
        return r, g, b, 255

    def pixels(self):
        return ((x, y) for y in range(self.height) for x in range(self.width))


class RegenerationTest(unittest.TestCase):

    def test_regenerating_reproduces_committed_files(self):
        tool = load_tool()
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(tool.main(["--output-dir", tmp]), 0)
            fresh_icon = read(os.path.join(tmp, "Lorvane.ico"))
            fresh_cursor = read(os.path.join(tmp, "Hand.cur"))
        self.assertTrue(fresh_icon == read(ICON),
                        "res/Lorvane.ico is out of date")
        self.assertTrue(fresh_cursor == read(CURSOR),
                        "res/Hand.cur is out of date")


class IconFileTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.icon = Directory(read(ICON))

    def test_directory_lists_the_ten_images_in_order(self):
        self.assertEqual((self.icon.reserved, self.icon.kind), (0, 1))
        listed = [(e["width"], e["field_b"]) for e in self.icon.entries]
        self.assertEqual(listed, ICON_IMAGES)
        for entry in self.icon.entries:
            self.assertEqual(entry["height"], entry["width"])
            self.assertEqual(entry["field_a"], 1, "planes")
            self.assertEqual(entry["colours"], 16 if entry["field_b"] == 4 else 0)
            self.assertEqual(entry["reserved"], 0)

    def test_images_tile_the_file_after_the_directory(self):
        offset = 6 + 16 * len(self.icon.entries)
        for entry in self.icon.entries:
            self.assertEqual(entry["offset"], offset)
            offset += entry["size"]
        self.assertEqual(offset, len(self.icon.data))

    def test_image_headers_match_their_entries(self):
        for index, (size, bits) in enumerate(ICON_IMAGES):
            with self.subTest(size=size, bits=bits):
                image = self.icon.image(index)
                self.assertEqual(image.header_size, 40)
                self.assertEqual((image.width, image.double_height), (size, 2 * size))
                self.assertEqual((image.planes, image.bits, image.compression),
                                 (1, bits, 0))
                self.assertEqual(image.expected_size,
                                 self.icon.entries[index]["size"])
                self.assertEqual(image.image_size,
                                 image.expected_size - image.xor_offset)

    def test_tile_is_opaque_inside_transparent_in_the_corners(self):
        for index, (size, bits) in enumerate(ICON_IMAGES):
            with self.subTest(size=size, bits=bits):
                image = self.icon.image(index)
                last = size - 1
                for corner in ((0, 0), (last, 0), (0, last), (last, last)):
                    self.assertTrue(image.transparent(*corner), corner)
                # The middle of the tile's left side is red face, not letter.
                left = (size // 8 + 1, size // 2)
                self.assertFalse(image.transparent(*left))
                r, g, b, a = image.colour(*left)
                self.assertEqual(a, 255)
                self.assertGreater(r, 2 * max(g, b), "tile is red")
                centre_top = (size // 2, size // 4)
                self.assertFalse(image.transparent(*centre_top))

    def test_transparent_pixels_leave_the_screen_unchanged(self):
        # Where the AND mask lets the screen through, the XOR colour must be
        # black, or programs that draw through the mask invert the background.
        for index, (size, bits) in enumerate(ICON_IMAGES):
            with self.subTest(size=size, bits=bits):
                image = self.icon.image(index)
                for x, y in image.pixels():
                    r, g, b, a = image.colour(x, y)
                    if image.transparent(x, y) and bits < 32:
                        self.assertEqual((r, g, b), (0, 0, 0), (x, y))
                    if bits == 32:
                        self.assertEqual(image.transparent(x, y), a < 128, (x, y))
                        if a == 0:
                            self.assertEqual((r, g, b), (0, 0, 0), (x, y))

    def test_four_bit_images_use_the_windows_palette(self):
        for index, (size, bits) in enumerate(ICON_IMAGES):
            if bits != 4:
                continue
            image = self.icon.image(index)
            self.assertEqual(list(load_tool().VGA_PALETTE), [(r, g, b) for b, g, r, _ in image.palette])

    def test_letter_is_white_on_every_image(self):
        for index, (size, bits) in enumerate(ICON_IMAGES):
            with self.subTest(size=size, bits=bits):
                image = self.icon.image(index)
                whites = sum(1 for p in image.pixels()
                             if image.colour(*p) == (255, 255, 255, 255))
                self.assertGreater(whites, size * size // 10)


class CursorFileTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.cursor = Directory(read(CURSOR))
        cls.image = cls.cursor.image(0)

    def test_directory_and_hot_spot(self):
        self.assertEqual((self.cursor.reserved, self.cursor.kind), (0, 2))
        self.assertEqual(len(self.cursor.entries), 1)
        entry = self.cursor.entries[0]
        self.assertEqual((entry["width"], entry["height"]), (32, 32))
        self.assertEqual((entry["field_a"], entry["field_b"]), (12, 1), "hot spot")
        self.assertEqual(entry["offset"] + entry["size"], len(self.cursor.data))

    def test_image_is_monochrome_bitmap(self):
        image = self.image
        self.assertEqual((image.header_size, image.width, image.double_height,
                          image.planes, image.bits, image.compression),
                         (40, 32, 64, 1, 1, 0))
        self.assertEqual(image.expected_size, self.cursor.entries[0]["size"])
        self.assertEqual([p[:3] for p in image.palette], [(0, 0, 0), (255, 255, 255)])

    def test_hot_spot_is_the_tip_of_the_finger(self):
        image = self.image
        self.assertFalse(image.transparent(12, 1), "hot spot pixel is opaque")
        self.assertTrue(image.transparent(0, 0))
        self.assertTrue(all(image.transparent(x, 0) for x in range(32)),
                        "nothing above the finger tip")
        self.assertTrue(image.transparent(12, 0))

    def test_hand_is_white_with_black_outline_and_nothing_inverted(self):
        image = self.image
        colours = {}
        for x, y in image.pixels():
            white = image.colour(x, y)[:3] == (255, 255, 255)
            if image.transparent(x, y):
                self.assertFalse(white, f"pixel {(x, y)} inverts the screen")
            else:
                colours[white] = colours.get(white, 0) + 1
                if white:
                    for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                        self.assertFalse(image.transparent(nx, ny),
                                         f"white pixel {(x, y)} lacks an outline")
        self.assertGreater(colours.get(True, 0), 150)
        self.assertGreater(colours.get(False, 0), 60)


if __name__ == "__main__":
    unittest.main()
