#!/usr/bin/env python3
"""Draws the bitmaps of the dark skin "Gelap" shipped in the Tema folder (bitmaps/*.png).

The skin's objects live in objects.txt and skin.txt beside this script; the skin tool packs
the folder into a skin file at build time. Run this script only to redraw the bitmaps.
Magenta (255, 0, 255) marks see-through pixels; the skin reader turns it into the key colour.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
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
    with open(os.path.join(HERE, "bitmaps", path), "wb") as f:
        f.write(data)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3)) + (255,)


# The names of the light skin this one was drawn from; here they are shades of night blue.
TEAL_DARK = (18, 20, 25)
TEAL = (38, 43, 52)
TEAL_LIGHT = (62, 70, 84)
SAND = (52, 57, 66)
INK = (220, 224, 230)
ACCENT = (86, 156, 214)


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
    return mix((64, 68, 76), (50, 54, 62), y / 25)


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
    face = [mix(TEAL_LIGHT, TEAL, 0.3), mix(TEAL_LIGHT, (255, 255, 255), 0.15), mix(TEAL_DARK, (0, 0, 0), 0.2)][state]
    if kind == 0 and state > 0:
        face = [(0, 0, 0, 0), (232, 96, 76, 255), (176, 60, 48, 255)][state]
    ink = [INK + (255,), (255, 255, 255, 255), ACCENT + (255,)][state]
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
        ((80, 87, 100), (58, 63, 73), (112, 120, 134)),  # normal
        ((92, 104, 122), (66, 76, 90), ACCENT),  # hot
        ((40, 44, 52), (58, 64, 74), ACCENT),  # pressed
        ((52, 56, 62), (52, 56, 62), (72, 76, 82)),  # disabled
    ][state]
    edge = bx in (0, 23) or y in (0, 23) or (rounded(bx, y, 24, 24, 4) is False and rounded(bx, y, 24, 24, 5))
    if bx in (0, 23) or y in (0, 23):
        return line + (255,)
    return mix(top, bottom, y / 23)


def check(x, y):
    state, bx = x // 14, x % 14
    if bx in (0, 13) or y in (0, 13):
        return ACCENT + (255,)
    if state == 0 and 3 <= bx <= 10 and 3 <= y <= 10:
        d = y - 3
        if (bx - 3 <= 2 and abs(d - (4 + (bx - 3))) <= 1) or (bx - 3 > 2 and abs(d - (7 - (bx - 3))) <= 1 and bx <= 10):
            return ACCENT + (255,)
    return (40, 44, 52, 255)


def popup(x, y):
    # 24 x 24: a 1-pixel border, a soft shadow on the right and bottom (alpha), a sand face.
    if x >= 21 or y >= 21:
        dx, dy = max(0, x - 20), max(0, y - 20)
        if x < 3 or y < 3:
            return (0, 0, 0, 0)
        return (0, 0, 0, 90 - 25 * max(dx, dy))
    if x in (0, 20) or y in (0, 20):
        return (96, 104, 118, 255)
    return SAND + (255,)


def frame(x, y):
    # 8 x 8: a group box's one-pixel line; the middle shows what lies below.
    if x in (0, 7) or y in (0, 7):
        return (104, 112, 126, 255)
    return KEY


def edit_frame(x, y):
    # 8 x 8: an amount field's border, a light line around a dark one.
    if x in (0, 7) or y in (0, 7):
        return (112, 120, 134, 255)
    if x in (1, 6) or y in (1, 6):
        return (30, 33, 39, 255)
    return KEY


def main():
    os.makedirs(os.path.join(HERE, "bitmaps"), exist_ok=True)
    png("caption.png", 64, 26, caption)
    png("caption-inactive.png", 64, 26, caption_inactive)
    png("border.png", 4, 8, border)
    png("caption-buttons.png", 54, 90, buttons)
    png("button.png", 96, 24, button)
    png("check.png", 28, 14, check)
    png("popup.png", 24, 24, popup)
    png("frame.png", 8, 8, frame)
    png("edit-frame.png", 8, 8, edit_frame)


main()
