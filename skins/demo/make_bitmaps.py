#!/usr/bin/env python3
"""Draws the bitmaps of the demo skin (skins/demo/bitmaps/*.png).

The skin's objects live in objects.txt and skin.txt beside this script; the skin tool packs
the folder into a skin file at build time. Run this script only to redraw the bitmaps.
Other skins drawn in the same shapes import it, set their palette and their own pictures, and
call main() with their folder (installer/tema/gelap/make_bitmaps.py).
Magenta (255, 0, 255) marks see-through pixels; the skin reader turns it into the key colour.
"""
import os
import struct
import zlib

OUT = os.path.dirname(os.path.abspath(__file__))
KEY = (255, 0, 255, 255)


def png(path, w, h, pixel):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            raw.extend(bytes(pixel(x, y)))

    def chunk(kind, data):
        c = kind + data
        return struct.pack(">I", len(data)) + c + struct.pack(">I", zlib.crc32(c) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(os.path.join(OUT, "bitmaps", path), "wb") as f:
        f.write(data)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3)) + (255,)


TEAL_DARK = (16, 78, 84)
TEAL = (33, 128, 128)
TEAL_LIGHT = (72, 170, 160)
SAND = (244, 238, 226)
INK = (30, 40, 44)


def rounded(x, y, w, h, r):
    """True outside a rectangle with corners of radius r."""
    for cx, cy in ((r, r), (w - 1 - r, r), (r, h - 1 - r), (w - 1 - r, h - 1 - r)):
        if (x < r or x > w - 1 - r) and (y < r or y > h - 1 - r):
            if (x - cx) ** 2 + (y - cy) ** 2 > r * r + r:
                return True
    return False


def caption(x, y):
    if y < 4 and rounded(x, y, 64, 40, 5):
        return KEY
    c = mix(TEAL_LIGHT, TEAL, y / 25)
    if y == 0:
        c = mix(c, (255, 255, 255), 0.35)
    return c


def caption_inactive(x, y):
    if y < 4 and rounded(x, y, 64, 40, 5):
        return KEY
    return mix((150, 170, 170), (120, 140, 140), y / 25)


def border(x, y):
    return mix(TEAL, TEAL_DARK, x / 3)


def glyph(kind, x, y):
    """The 10 x 10 glyph of a caption button, drawn in its centre."""
    if kind == 0:  # close: a cross
        return abs(x - y) <= 0 or abs(x + y - 9) <= 0 or abs(x - y) == 1 and 1 <= x <= 8 and abs(x + y - 9) > 6
    if kind == 1:  # maximize: a frame with a thick top
        return (1 <= x <= 8 and (y in (1, 2, 8))) or (x in (1, 8) and 1 <= y <= 8)
    if kind == 2:  # minimize: a bar
        return 2 <= x <= 7 and y in (7, 8)
    if kind == 3:  # restore: two frames
        back = (3 <= x <= 8 and y == 1) or (x == 8 and 1 <= y <= 5)
        front = (1 <= x <= 6 and y in (3, 4, 8)) or (x in (1, 6) and 3 <= y <= 8)
        return back or front
    # roll up: a triangle pointing up
    return 2 <= y <= 6 and abs(x - 4.5) <= (y - 2) + 0.5


def buttons(x, y):
    state, kind = x // 18, y // 18
    bx, by = x % 18, y % 18
    if rounded(bx, by, 18, 18, 4):
        return KEY
    face = [mix((255, 255, 255), TEAL_LIGHT, 0.15), (255, 255, 255, 255), mix(TEAL_DARK, (0, 0, 0), 0.2)][state]
    if kind == 0 and state > 0:
        face = [(0, 0, 0, 0), (232, 96, 76, 255), (176, 60, 48, 255)][state]
    ink = [TEAL_DARK + (255,), TEAL_DARK + (255,), (255, 255, 255, 255)][state]
    if kind == 0 and state > 0:
        ink = (255, 255, 255, 255)
    if 4 <= bx < 14 and 4 <= by < 14 and glyph(kind, bx - 4, by - 4):
        return ink
    edge = bx in (0, 17) or by in (0, 17)
    return mix(face, TEAL_DARK, 0.35) if edge else face


def button(x, y):
    state, bx = x // 24, x % 24
    if rounded(bx, y, 24, 24, 4):
        return KEY
    top, bottom, line = [
        ((252, 250, 246), (226, 220, 206), (150, 140, 120)),  # normal
        ((236, 250, 248), (190, 232, 226), TEAL),  # hot
        ((196, 214, 210), (226, 236, 232), TEAL_DARK),  # pressed
        ((240, 240, 240), (240, 240, 240), (190, 190, 190)),  # disabled
    ][state]
    edge = bx in (0, 23) or y in (0, 23) or (rounded(bx, y, 24, 24, 4) is False and rounded(bx, y, 24, 24, 5))
    if bx in (0, 23) or y in (0, 23):
        return line + (255,)
    return mix(top, bottom, y / 23)


def check(x, y):
    state, bx = x // 14, x % 14
    if bx in (0, 13) or y in (0, 13):
        return TEAL_DARK + (255,)
    if state == 0 and 3 <= bx <= 10 and 3 <= y <= 10:
        d = y - 3
        if (bx - 3 <= 2 and abs(d - (4 + (bx - 3))) <= 1) or (bx - 3 > 2 and abs(d - (7 - (bx - 3))) <= 1 and bx <= 10):
            return TEAL + (255,)
    return (255, 255, 255, 255)


def popup(x, y):
    # 24 x 24: a 1-pixel border, a soft shadow on the right and bottom (alpha), a sand face.
    if x >= 21 or y >= 21:
        dx, dy = max(0, x - 20), max(0, y - 20)
        if x < 3 or y < 3:
            return (0, 0, 0, 0)
        return (0, 0, 0, 90 - 25 * max(dx, dy))
    if x in (0, 20) or y in (0, 20):
        return TEAL_DARK + (255,)
    return SAND + (255,)


def main(folder=None, extra=()):
    """Writes the pictures into folder/bitmaps (the demo skin's own folder by default), then
    each (name, width, height, pixel) of extra."""
    global OUT
    OUT = folder or OUT
    os.makedirs(os.path.join(OUT, "bitmaps"), exist_ok=True)
    png("caption.png", 64, 26, caption)
    png("caption-inactive.png", 64, 26, caption_inactive)
    png("border.png", 4, 8, border)
    png("caption-buttons.png", 54, 90, buttons)
    png("button.png", 96, 24, button)
    png("check.png", 28, 14, check)
    png("popup.png", 24, 24, popup)
    for name, w, h, pixel in extra:
        png(name, w, h, pixel)


if __name__ == "__main__":
    main()
