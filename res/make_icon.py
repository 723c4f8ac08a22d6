#!/usr/bin/env python3
"""Writes res/capture.ico: the window icon in 16, 24, 32 and 48 pixels, 24-bit colour with a
1-bit transparency mask. A light screen whose outside of a blue selection frame is dimmed, with
handles on the frame's corners. Shapes are snapped to whole pixels at every size so each size is
crisp. Run from anywhere: python3 res/make_icon.py"""

import pathlib
import struct

SIZES = (16, 24, 32, 48)

BEZEL = (0x34, 0x45, 0x5A)
SCREEN_TOP = (0xC9, 0xD8, 0xEA)  # the dimmed screen outside the selection, top to bottom
SCREEN_BOTTOM = (0xA9, 0xBE, 0xD6)
SELECTED = (0xF7, 0xFB, 0xFF)
FRAME = (0x0A, 0x6F, 0xD8)
HANDLE_EDGE = (0xFF, 0xFF, 0xFF)


def draw(n):
    """Returns rows of (r, g, b) or None for transparent pixels, top row first."""
    s = n / 16

    def px(v):
        return int(v * s + 0.5)

    bezel = max(1, int(n / 20 + 0.5))
    t = max(1, n // 24)  # the selection frame's thickness
    img = [[None] * n for _ in range(n)]

    def fill(l, top, r, b, colour):
        for y in range(max(0, top), min(n, b)):
            for x in range(max(0, l), min(n, r)):
                img[y][x] = colour(y) if callable(colour) else colour

    # The screen, its bezel with the corners left out, and its dimmed face.
    top, bottom = px(1), n - px(1)
    fill(0, top, n, bottom, BEZEL)
    for x, y in ((0, top), (n - 1, top), (0, bottom - 1), (n - 1, bottom - 1)):
        img[y][x] = None

    def gradient(y):
        k = (y - top) / max(1, bottom - top - 1)
        return tuple(round(a + (b - a) * k) for a, b in zip(SCREEN_TOP, SCREEN_BOTTOM))

    fill(bezel, top + bezel, n - bezel, bottom - bezel, gradient)

    # The selection: bright inside, a blue frame, square handles on the corners.
    l, r, st, sb = px(3), n - px(3), px(4), n - px(4)
    fill(l, st, r, sb, FRAME)
    fill(l + t, st + t, r - t, sb - t, SELECTED)
    h = (3 if n < 32 else 5) + (t - 1)  # centred on the frame line
    for cx, cy in ((l, st), (r - t, st), (l, sb - t), (r - t, sb - t)):
        x0, y0 = cx + t // 2 - h // 2, cy + t // 2 - h // 2
        if n >= 32:
            fill(x0 - 1, y0 - 1, x0 + h + 1, y0 + h + 1, HANDLE_EDGE)
        fill(x0, y0, x0 + h, y0 + h, FRAME)
    return img


def bitmap(n, img):
    """BITMAPINFOHEADER, bottom-up 24-bit colour rows, then the bottom-up 1-bit AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 24, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(img):
        line = bytearray()
        bits = bytearray((n + 31) // 32 * 4)
        for x, p in enumerate(row):
            r, g, b = p if p else (0, 0, 0)
            line += bytes((b, g, r))
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        line += bytes(-len(line) % 4)
        colour += line
        mask += bits
    return header + bytes(colour) + bytes(mask)


def main():
    images = [(n, bitmap(n, draw(n))) for n in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    path = pathlib.Path(__file__).resolve().parent / "capture.ico"
    path.write_bytes(bytes(out))


if __name__ == "__main__":
    main()
