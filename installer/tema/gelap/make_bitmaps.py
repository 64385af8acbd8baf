#!/usr/bin/env python3
"""Draws the bitmaps of the dark skin "Gelap" shipped in the Tema folder (bitmaps/*.png).

The pictures have the demo skin's shapes (skins/demo/make_bitmaps.py draws them); this script
gives them a palette of night blues and draws the pictures whose colours are not the palette's,
plus the group box and amount field frames the demo skin does not have. The skin's objects live
in objects.txt and skin.txt beside this script. Run it only to redraw the bitmaps.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "skins", "demo"))
import make_bitmaps as base  # noqa: E402

from make_bitmaps import KEY, glyph, mix, rounded  # noqa: E402

# The demo skin's colour names; here they are shades of night blue.
TEAL_DARK = base.TEAL_DARK = (18, 20, 25)
TEAL = base.TEAL = (38, 43, 52)
TEAL_LIGHT = base.TEAL_LIGHT = (62, 70, 84)
SAND = base.SAND = (52, 57, 66)
INK = base.INK = (220, 224, 230)
ACCENT = (86, 156, 214)


def caption_inactive(x, y):
    if y < 4 and rounded(x, y, 64, 40, 5):
        return KEY
    return mix((64, 68, 76), (50, 54, 62), y / 25)


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


base.caption_inactive = caption_inactive
base.buttons = buttons
base.button = button
base.check = check
base.popup = popup
base.main(HERE, [("frame.png", 8, 8, frame), ("edit-frame.png", 8, 8, edit_frame)])
