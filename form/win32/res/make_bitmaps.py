#!/usr/bin/env python3
"""Draws the system menu's 16 x 16 pictures as 24-bit BMP files on pure magenta (the
transparent colour). Run from this folder; the BMP files are kept in the tree."""
import struct

MAGENTA = (255, 0, 255)
INK = (32, 32, 32)
RED = (192, 32, 32)
BLUE = (32, 80, 176)


def canvas():
    return [[MAGENTA] * 16 for _ in range(16)]


def rect(p, x0, y0, x1, y1, c=INK):  # inclusive outline
    for x in range(x0, x1 + 1):
        p[y0][x] = c
        p[y1][x] = c
    for y in range(y0, y1 + 1):
        p[y][x0] = c
        p[y][x1] = c


def fill(p, x0, y0, x1, y1, c=INK):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            p[y][x] = c


def close():
    p = canvas()
    for i in range(9):
        for d in (0, 1):
            p[3 + i][3 + i + d] = RED
            p[3 + i][12 - i - d] = RED
    return p


def minimize():
    p = canvas()
    fill(p, 4, 11, 11, 12)
    return p


def maximize():
    p = canvas()
    rect(p, 3, 3, 12, 12)
    fill(p, 3, 3, 12, 4)
    return p


def restore():
    p = canvas()
    rect(p, 5, 2, 13, 9)
    fill(p, 5, 2, 13, 3)
    fill(p, 2, 6, 10, 13, MAGENTA)
    rect(p, 2, 6, 10, 13)
    fill(p, 2, 6, 10, 7)
    return p


def rollup():
    p = canvas()
    fill(p, 3, 3, 12, 4)  # the caption that stays
    for i in range(5):  # an arrow pointing up to it
        fill(p, 7 - i, 7 + i, 8 + i, 7 + i, BLUE)
    fill(p, 7, 11, 8, 13, BLUE)
    return p


def tray():
    p = canvas()
    rect(p, 1, 1, 9, 7)
    fill(p, 1, 1, 9, 2)
    fill(p, 3, 13, 14, 14)  # the notification area
    fill(p, 11, 9, 12, 11, BLUE)  # and an arrow down into it
    fill(p, 10, 11, 13, 11, BLUE)
    fill(p, 11, 12, 12, 12, BLUE)
    return p


def write(name, p):
    row = 16 * 3
    data = b"".join(bytes(b for (r, g, bl) in p[y] for b in (bl, g, r)) for y in range(15, -1, -1))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    assert row % 4 == 0
    with open(name, "wb") as f:
        f.write(header + info + data)


for name, draw in [("close", close), ("minimize", minimize), ("maximize", maximize),
                   ("restore", restore), ("rollup", rollup), ("tray", tray)]:
    write(f"sk_form_{name}.bmp", draw())
