#!/usr/bin/env python3
"""Draws the diagram's pictogram strip, bitmapicons.png (only the Python standard library).

The strip is 480 x 32 pixels, 8 bits per pixel (palette): 30 cells of 16 x 16 side by side, the
colour pictures on black in the upper row and their masks in the lower row (black where the
pictogram is opaque, white around it). Cell order:

  0-2   yellow triangles with the letters A, B, C (photometric type)
  3     angle sign            4  lamp bulb          5  two bulbs        6  bulb with "max"
  7     bulb with rays        8  sun                9  question mark    10, 11  red lightning
  12    rotation about the vertical axis (type C)  13  about the horizontal axis (type B)
  14    ring (mask only)      15-25 opening shapes: disc, horizontal ellipse, vertical ellipse,
        rectangle, sphere, horizontal ellipsoid, vertical ellipsoid, box, vertical cylinder,
        cylinder along the width, cylinder along the length
  26-29 empty

Run: python3 make_strip.py [output.png]   (default: bitmapicons.png beside this script)
"""
import os
import struct
import sys
import zlib

sys.dont_write_bytecode = True  # keep the resource folder free of caches
from strip_art import CELLS, COUNT, SIZE  # noqa: E402


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_indexed_png(path, width, height, rows, palette):
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)
    plte = b"".join(bytes(colour) for colour in palette)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        out.write(png_chunk(b"PLTE", plte))
        out.write(png_chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(png_chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "bitmapicons.png")
    black, white = (0, 0, 0), (255, 255, 255)
    palette = [black, white]
    index = {black: 0, white: 1}
    width, height = COUNT * SIZE, 2 * SIZE
    rows = [[0] * width for _ in range(height)]
    for number in range(COUNT):
        pixels = CELLS[number]() if number in CELLS else {}
        for (x, y), colour in pixels.items():
            if not (0 <= x < SIZE and 0 <= y < SIZE):
                continue
            if colour not in index:
                index[colour] = len(palette)
                palette.append(colour)
            rows[y][number * SIZE + x] = index[colour]
        for y in range(SIZE):
            for x in range(SIZE):
                rows[SIZE + y][number * SIZE + x] = 0 if (x, y) in pixels else 1
    if len(palette) > 256:
        sys.exit("too many colours: %d" % len(palette))
    write_indexed_png(target, width, height, rows, palette)
    print("wrote %s (%d colours)" % (target, len(palette)))


if __name__ == "__main__":
    main()
