#!/usr/bin/env python3
"""Writes the About box picture, about.bmp: a 50 x 50 one-bit bitmap of a
version 1 symbol with a quiet zone of 2 modules, at 2 pixels per module.

Made once and committed; the build does not run this. The symbol comes from
the stand-in's encoder:

    orvelk encode --text Orvelk --level M --version 1 --format text \
        | python3 resources/make_about_bitmap.py resources/about.bmp
"""
import struct
import sys

QUIET = 2
SCALE = 2


def main():
    rows = [line.strip() for line in sys.stdin if line.strip()]
    side = len(rows)
    if side == 0 or any(len(r) != side or set(r) - {"0", "1"} for r in rows):
        sys.exit("expected a square of '0' and '1' lines")
    size = (side + 2 * QUIET) * SCALE
    stride = ((size + 31) // 32) * 4

    def dark(x, y):
        mx, my = x // SCALE - QUIET, y // SCALE - QUIET
        return 0 <= mx < side and 0 <= my < side and rows[my][mx] == "1"

    pixels = bytearray()
    for y in reversed(range(size)):  # bottom-up
        row = bytearray(stride)
        for x in range(size):
            if not dark(x, y):  # palette index 1 is white
                row[x // 8] |= 0x80 >> (x % 8)
        pixels += row
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(sys.argv[1], "wb") as f:
        f.write(head + info + palette + pixels)


if __name__ == "__main__":
    main()
