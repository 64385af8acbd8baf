#!/usr/bin/env python3
"""Writes the resources of the test visual style into a folder: the name lists, the
description as UTF-16 text, the bitmaps it names, and the resource script that binds them."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
KEY = (255, 0, 255)


def bmp(path, w, h, pixel):
    """A bottom-up 24-bit BMP file; pixel(x, y) answers (r, g, b)."""
    row = (w * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(header) + len(data), 0, 0, 14 + len(header)))
        f.write(header + data)


def caption(x, y):
    frame, fy = divmod(y, 28)
    # Rounded top corners: key-coloured pixels outside a radius of 5.
    for cx in (5, 34):
        if fy < 5 and ((x < 5 and cx == 5) or (x > 34 and cx == 34)):
            if (x - cx) ** 2 + (fy - 5) ** 2 > 25:
                return KEY
    top = (0, 88, 238) if frame == 0 else (122, 150, 223)
    bottom = (0, 60, 200) if frame == 0 else (100, 125, 200)
    t = fy / 27
    return tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))


def button(glyph):
    faces = [(210, 60, 40), (235, 95, 70), (150, 35, 20), (170, 170, 170)]
    if glyph != 'close':
        faces = [(30, 100, 230), (70, 140, 250), (10, 60, 170), (170, 170, 170)]

    def pixel(x, y):
        state, fy = divmod(y, 21)
        if x in (0, 20) or fy in (0, 20):
            return (255, 255, 255)
        on = False
        if glyph == 'close':
            on = 6 <= x <= 14 and 6 <= fy <= 14 and abs(x - fy) <= 1 or 6 <= x <= 14 and abs(x + fy - 20) <= 1 and 6 <= fy <= 14
        elif glyph == 'min':
            on = 6 <= x <= 12 and 13 <= fy <= 14
        elif glyph == 'max':
            on = 5 <= x <= 15 and 5 <= fy <= 15 and (x in (5, 15) or fy in (5, 6, 15))
        else:
            on = (8 <= x <= 15 and 5 <= fy <= 12 and (x in (8, 15) or fy in (5, 12))) or \
                 (5 <= x <= 12 and 8 <= fy <= 15 and (x in (5, 12) or fy in (8, 15)))
        return (255, 255, 255) if on else faces[state]
    return pixel


def utf16(text):
    return text.encode('utf-16-le')


def main(out):
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(HERE, 'tabira_test.ini'), encoding='ascii') as f:
        ini = f.read().replace('\n', '\r\n')
    # A second colour scheme, "Olive": the same description with olive frames.
    olive = ini.replace('BorderColor = 0 45 150', 'BorderColor = 85 98 46') \
               .replace('FillColor = 0 84 227', 'FillColor = 143 158 93')
    files = {
        'colornames.bin': utf16('Blue\0Olive\0\0'),
        'sizenames.bin': utf16('NormalSize\0\0'),
        'fileresnames.bin': utf16('TABIRA_INI\0OLIVE_INI\0\0'),
        # The reader drops the last four characters of a description.
        'tabira_ini.bin': utf16(ini + '\r\n\0\0'),
        'olive_ini.bin': utf16(olive + '\r\n\0\0'),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
    bmp(os.path.join(out, 'caption.bmp'), 40, 56, caption)
    for glyph in ('close', 'min', 'max', 'restore'):
        bmp(os.path.join(out, glyph + '.bmp'), 21, 84, button(glyph))
    with open(os.path.join(out, 'tabira_test_style.rc'), 'w') as f:
        f.write('1 COLORNAMES "colornames.bin"\n1 SIZENAMES "sizenames.bin"\n'
                '1 FILERESNAMES "fileresnames.bin"\nTABIRA_INI TEXTFILE "tabira_ini.bin"\n'
                'OLIVE_INI TEXTFILE "olive_ini.bin"\n'
                'TABIRA_CAPTION_BMP BITMAP "caption.bmp"\nTABIRA_CLOSE_BMP BITMAP "close.bmp"\n'
                'TABIRA_MIN_BMP BITMAP "min.bmp"\nTABIRA_MAX_BMP BITMAP "max.bmp"\n'
                'TABIRA_RESTORE_BMP BITMAP "restore.bmp"\n')


if __name__ == '__main__':
    main(sys.argv[1])
