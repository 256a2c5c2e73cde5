#!/usr/bin/env python3
"""Draws the program's own pictures and writes them into shell/res/.

    tools/make_pictures.py [output-dir] [--preview dir]

The pictures are 16-colour (the standard Windows palette), the way the platform's own
toolbars, icons and cursors are drawn; small ones are pixel maps in this file, larger ones are
drawn with a few primitives. The lettering of the splash picture is set with ImageMagick
(`convert`) in DejaVu Serif. The written files are kept in the repository, so a build never
runs this script; run it after changing a picture. `--preview` also writes enlarged PNG copies
(ImageMagick) to look at.

Pixel maps: one character per pixel, '.' is the background (transparent in icons, cursors and
glyphs; the button face in the toolbar strip); the other letters name palette colours.
"""

import os
import struct
import subprocess
import sys

# The standard 16-colour palette, in the order the system uses for 4-bit pictures.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0x80, 0x80, 0x80),
    (0xC0, 0xC0, 0xC0), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, GREY = range(8)
SILVER, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

COLOUR_LETTERS = {
    'K': BLACK, 'r': MAROON, 'g': GREEN, 'o': OLIVE, 'n': NAVY, 'p': PURPLE, 't': TEAL,
    'd': GREY, 's': SILVER, 'R': RED, 'G': LIME, 'Y': YELLOW, 'B': BLUE, 'M': FUCHSIA,
    'C': AQUA, 'W': WHITE,
}
CLEAR = None  # a pixel that is not drawn


class Canvas:
    def __init__(self, width, height, fill=CLEAR):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def get(self, x, y):
        return self.pixels[y][x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.set(xx, yy, colour)

    def frame(self, x, y, w, h, colour):
        self.hline(x, x + w - 1, y, colour)
        self.hline(x, x + w - 1, y + h - 1, colour)
        self.vline(x, y, y + h - 1, colour)
        self.vline(x + w - 1, y, y + h - 1, colour)

    def hline(self, x0, x1, y, colour):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.set(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.set(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def stamp(self, x, y, rows):
        """Draws a pixel map; '.' leaves the canvas as it is."""
        for dy, row in enumerate(rows):
            for dx, letter in enumerate(row):
                if letter != '.':
                    self.set(x + dx, y + dy, COLOUR_LETTERS[letter])

    def paste(self, x, y, other):
        for yy in range(other.height):
            for xx in range(other.width):
                if other.get(xx, yy) is not CLEAR:
                    self.set(x + xx, y + yy, other.get(xx, yy))


def from_map(rows, width, height, name):
    if len(rows) != height or any(len(row) != width for row in rows):
        sizes = sorted({len(row) for row in rows})
        raise SystemExit(f"{name}: map must be {width} x {height}, is {sizes} x {len(rows)}")
    canvas = Canvas(width, height)
    canvas.stamp(0, 0, rows)
    return canvas


# --- File formats ----------------------------------------------------------------------------

def row_bytes(width, bits):
    return ((width * bits + 31) // 32) * 4


def pack_rows(width, height, bits, value_at):
    """Bottom-up DIB rows of `bits` per pixel, each padded to 4 bytes."""
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray(row_bytes(width, bits))
        for x in range(width):
            value = value_at(x, y)
            bit = x * bits
            row[bit // 8] |= value << (8 - bits - bit % 8)
        data += row
    return bytes(data)


def info_header(width, height, bits, image_size, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, image_size, 0, 0,
                       colours, 0)


def palette_bytes(colours):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in colours)


def bmp_file(width, height, bits, colours, pixels):
    header = info_header(width, height, bits, len(pixels), len(colours))
    offset = 14 + len(header) + 4 * len(colours)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + header + \
        palette_bytes(colours) + pixels


def colour_bmp(canvas, background):
    """A 16-colour bitmap; undrawn pixels take the background colour."""
    def value_at(x, y):
        c = canvas.get(x, y)
        return background if c is CLEAR else c
    return bmp_file(canvas.width, canvas.height, 4, PALETTE,
                    pack_rows(canvas.width, canvas.height, 4, value_at))


def mask_bmp(canvas):
    """A monochrome mask: black where the picture is drawn, white around it."""
    return bmp_file(canvas.width, canvas.height, 1, [PALETTE[BLACK], PALETTE[WHITE]],
                    pack_rows(canvas.width, canvas.height, 1,
                              lambda x, y: 1 if canvas.get(x, y) is CLEAR else 0))


def glyph_picture_bmp(canvas):
    """The picture half of a glyph: black where the mask lets the background through, so
    that combining it with OR leaves the background unchanged."""
    return colour_bmp(canvas, BLACK)


def icon_image(canvas):
    """One image of an icon file: header (double height), palette, colours, AND mask."""
    w, h = canvas.width, canvas.height
    colours = pack_rows(w, h, 4, lambda x, y: canvas.get(x, y) or 0)
    mask = pack_rows(w, h, 1, lambda x, y: 1 if canvas.get(x, y) is CLEAR else 0)
    return info_header(w, 2 * h, 4, len(colours) + len(mask), 16) + palette_bytes(PALETTE) + \
        colours + mask


def icon_file(canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack('<BBBBHHII', canvas.width, canvas.height, 16, 0, 1, 4, len(image),
                           offset)
        offset += len(image)
    return out + b''.join(images)


def cursor_file(canvas, hot_x, hot_y):
    """A monochrome cursor: black and white pixels, undrawn pixels transparent."""
    w, h = canvas.width, canvas.height
    for y in range(h):
        for x in range(w):
            if canvas.get(x, y) not in (CLEAR, BLACK, WHITE):
                raise SystemExit("cursor pictures use black and white only")
    xor = pack_rows(w, h, 1, lambda x, y: 1 if canvas.get(x, y) == WHITE else 0)
    mask = pack_rows(w, h, 1, lambda x, y: 1 if canvas.get(x, y) is CLEAR else 0)
    image = info_header(w, 2 * h, 1, len(xor) + len(mask), 2) + \
        palette_bytes([PALETTE[BLACK], PALETTE[WHITE]]) + xor + mask
    return struct.pack('<HHH', 0, 2, 1) + \
        struct.pack('<BBBBHHII', w, h, 2, 0, hot_x, hot_y, len(image), 22) + image


# --- Toolbar strip ---------------------------------------------------------------------------

PLUS_BADGE = [
    "..KKK..",
    "..KGK..",
    "KKKGKKK",
    "KGGGGGK",
    "KKKGKKK",
    "..KGK..",
    "..KKK..",
]
MINUS_BADGE = [
    "KKKKKKK",
    "KRRRRRK",
    "KKKKKKK",
]

TOOLBAR_MAPS = {
    'new': [
        "................",
        "...KKKKKKKK.....",
        "...KWWWWWWKK....",
        "...KWWWWWWKWK...",
        "...KWWWWWWKKKK..",
        "...KWWWWWWWWWK..",
        "...KWWWWWWWWWK..",
        "...KWWWWWWWWWK..",
        "...KWWWWWWWWWK..",
        "...KWWWWWWWWWK..",
        "...KWWWWWWWWWK..",
        "...KWWWWWWWWWK..",
        "...KWWWWWWWWWK..",
        "...KWWWWWWWWWK..",
        "...KKKKKKKKKKK..",
        "................",
    ],
    'open': [
        "................",
        "................",
        "..........KKK...",
        ".........K...K.K",
        "..............KK",
        ".KKK.........KKK",
        "KYWYKKKKKKK.....",
        "KWYWYWYWYWK.....",
        "KYWYWYWKKKKKKKKK",
        "KWYWYWKoooooooK.",
        "KYWYWKoooooooK..",
        "KWYWKoooooooK...",
        "KYWKoooooooK....",
        "KWKoooooooK.....",
        "KKKKKKKKKK......",
        "................",
    ],
    'save': [
        "................",
        ".KKKKKKKKKKKKKK.",
        ".KdKWWWWWWWWKdK.",
        ".KdKWWWWWWWWKdK.",
        ".KdKWddddddWKdK.",
        ".KdKWWWWWWWWKdK.",
        ".KdKWddddddWKdK.",
        ".KdKWWWWWWWWKdK.",
        ".KddKKKKKKKKddK.",
        ".KddddddddddddK.",
        ".KdddKKKKKKKddK.",
        ".KdddKssKKssKdK.",
        ".KdddKssKKssKdK.",
        ".KdddKssKKssKdK.",
        "..KKKKKKKKKKKKK.",
        "................",
    ],
    'cut': [
        "................",
        "....K.....K.....",
        "....K.....K.....",
        "....K.....K.....",
        "....KK...KK.....",
        ".....K...K......",
        ".....KK.KK......",
        "......KKK.......",
        ".......K........",
        "......nKn.......",
        "....nnn.nnn.....",
        "...n..n.n..n....",
        "...n..n.n..n....",
        "...n..n.n..n....",
        "....nn...nn.....",
        "................",
    ],
    'copy': [
        "KKKKKKK.........",
        "KWWWWWKK........",
        "KWnnnWKWK.......",
        "KWWWWWKKKK......",
        "KWnnnnnnWK......",
        "KWWWWWKKKKKKK...",
        "KWnnnnKWWWWWKK..",
        "KWWWWWKWnnnWKWK.",
        "KWnnnnKWWWWWKKKK",
        "KWWWWWKWnnnnnnWK",
        "KKKKKKKWWWWWWWWK",
        ".......WnnnnnnWK",
        ".......KWWWWWWWK",
        ".......KWnnnnnWK",
        ".......KWWWWWWWK",
        ".......KKKKKKKKK",
    ],
    'paste': [
        ".....KKKK.......",
        "..KKKKssKKKK....",
        ".KoooKKKKoooK...",
        ".KooKssssKooK...",
        ".KooooooooooK...",
        ".KoooooKKKKKKK..",
        ".KoooooKWWWWWKK.",
        ".KoooooKWnnnWKWK",
        ".KoooooKWWWWWKKK",
        ".KoooooKWnnnnnWK",
        ".KoooooKWWWWWWWK",
        ".KoooooKWnnnnnWK",
        ".KoooooKWWWWWWWK",
        ".KKKKKKKWnnnnnWK",
        ".......KWWWWWWWK",
        ".......KKKKKKKKK",
    ],
    'print': [
        "................",
        "....KKKKKKKK....",
        "....KWWWWWWK....",
        "....KWnnnnWK....",
        "....KWWWWWWK....",
        "..KKKKKKKKKKKK..",
        ".KssssssssssssK.",
        "KWWWWWWWWWWWWWWK",
        "KssssssssssGGssK",
        "KssssssssssssssK",
        "KddddddddddddddK",
        "KKKKKKKKKKKKKKKK",
        ".KsKWWWWWWWWKsK.",
        ".KKKWnnnnnnWKKK.",
        "....KWWWWWWK....",
        "....KKKKKKKK....",
    ],
    'help': [
        "................",
        ".....nnnnnn.....",
        "....nnnnnnnnd...",
        "...nnnd...nnnd..",
        "...nnnd...nnnd..",
        "....dd...nnnnd..",
        ".........nnnd...",
        "........nnnd....",
        ".......nnnd.....",
        ".......nnnd.....",
        "........dd......",
        ".......nnn......",
        ".......nnnd.....",
        ".......nnnd.....",
        "........ddd.....",
        "................",
    ],
    'formatted_bib': [
        "..KKKKKKKKKKK...",
        "..KWWWWWWWWWK...",
        "..KWKKKKKKWWK...",
        "..KWWWWWWWWWK...",
        "..KWnnnnnnnWK...",
        "..KWWWWWWWWWK...",
        "..KWWWnnnnnWK...",
        "..KWWWWWWWWWK...",
        "..KWnnnnnnnWK...",
        "..KWWWWWWWWWK...",
        "..KWWWnnnnWWK...",
        "..KWWWWWWWWWK...",
        "..KWnnnnnnnWK...",
        "..KWWWWWWWWWK...",
        "..KKKKKKKKKKK...",
        "................",
    ],
    'new_reference': [
        "...Y............",
        ".Y.Y.Y..........",
        "..YYY...........",
        "YYYWYYY.........",
        "..YYY.KKKKKKKKKK",
        ".Y.Y.YKWWWWWWWWK",
        "...Y..KWRRRRRRWK",
        "......KWWWWWWWWK",
        "......KWnnnnnnWK",
        "......KWWWWWWWWK",
        "......KWnnnnWWWK",
        "......KWWWWWWWWK",
        "......KWnnnnnnWK",
        "......KWWWWWWWWK",
        "......KKKKKKKKKK",
        "................",
    ],
    'add_to_bib': [
        "KKKKKKKKKKK.....",
        "KWWWWWWWWWK.....",
        "KWKKKKKKWWK.....",
        "KWWWWWWWWWK.....",
        "KWnnnnnnnWK.....",
        "KWWWWWWWWWK.....",
        "KWWWnnnnnWK.....",
        "KWWWWWWWWWK.....",
        "KWnnnnnnnWK.....",
        "KWWWWWWWWWK.....",
        "KWWWnnnnWWK.....",
        "KWWWWWWWWWK.....",
        "KKKKKKKKKKK.....",
        "................",
        "................",
        "................",
    ],
    'search': [
        "................",
        "...KKKKK........",
        "..KWWWWWK.......",
        ".KWCCWWWWK......",
        ".KWCWWWWWK......",
        ".KWWWWWWWK......",
        ".KWWWWWWWK......",
        ".KWWWWWWWK......",
        "..KWWWWWK.......",
        "...KKKKKdd......",
        "........Kdd.....",
        ".........Kdd....",
        "..........KoK...",
        "...........KoK..",
        "............KoK.",
        ".............KK.",
    ],
}


def toolbar_image(name):
    if name in TOOLBAR_MAPS:
        image = from_map(TOOLBAR_MAPS[name], 16, 16, name)
    else:
        # The narrowing and widening searches are the search glass with a badge.
        image = from_map(TOOLBAR_MAPS['search'], 16, 16, name)
    if name == 'add_to_bib':
        image.stamp(9, 9, PLUS_BADGE)
    elif name == 'narrow':
        image.stamp(9, 11, MINUS_BADGE)
    elif name == 'expand':
        image.stamp(9, 9, PLUS_BADGE)
    return image


# In the order of the image numbers the toolbar uses.
TOOLBAR_ORDER = ['new', 'open', 'save', 'cut', 'copy', 'paste', 'print', 'help',
                 'formatted_bib', 'new_reference', 'add_to_bib', 'search', 'narrow', 'expand']


def toolbar_strip():
    strip = Canvas(16 * len(TOOLBAR_ORDER), 16)
    for index, name in enumerate(TOOLBAR_ORDER):
        strip.paste(16 * index, 0, toolbar_image(name))
    return strip


# --- Reference-type glyphs (30 x 15) ----------------------------------------------------------

GLYPH_MAPS = {
    # A journal: an open issue, a title block and two columns of text on each page.
    'article': [
        "..............................",
        "....KKKKKKKKKKKKKKKKKKKKK.....",
        "...KKWWWWWWWWWKWWWWWWWWWKK....",
        "...KKWttttttWWKWnnnWnnnWKK....",
        "...KKWttttttWWKWWWWWWWWWKK....",
        "...KKWWWWWWWWWKWnnnWnnnWKK....",
        "...KKWnnnWnnnWKWWWWWWWWWKK....",
        "...KKWWWWWWWWWKWnnnWnnnWKK....",
        "...KKWnnnWnnnWKWWWWWWWWWKK....",
        "...KKWWWWWWWWWKWnnnWnnnWKK....",
        "...KKWnnnWnnnWKWWWWWWWWWKK....",
        "...KKWWWWWWWWWKWWWWWWWWWKK....",
        "...KKKKKKKKKKKKKKKKKKKKKKK....",
        "....KKKKKKKKKKKKKKKKKKKKK.....",
        "..............................",
    ],
    # A book: a bound volume standing, gilt bands on its cover, the page edges beside it.
    'book': [
        ".........KKKKKKKKKKKK.........",
        ".........KRrrrrrrrrrKK........",
        ".........KRrrrrrrrrrKWK.......",
        ".........KRrYYYYYYrrKWK.......",
        ".........KRrrrrrrrrrKWK.......",
        ".........KRrrYYYYrrrKWK.......",
        ".........KRrrrrrrrrrKWK.......",
        ".........KRrrrrrrrrrKWK.......",
        ".........KRrrrrrrrrrKWK.......",
        ".........KRrrrrrrrrrKWK.......",
        ".........KRrrrrrrrrrKWK.......",
        ".........KRrYYYYYYrrKWK.......",
        ".........KRrrrrrrrrrKWK.......",
        ".........KKKKKKKKKKKKWK.......",
        "..........KKKKKKKKKKKK........",
    ],
    # A report: stapled sheets with a bold title line.
    'rep': [
        "..........KKKKKKKKKKKKK.......",
        "..........KWWWWWWWWWWWK.......",
        "........KKKKKKKKKKKKKWK.......",
        "........KWddWWWWWWWWKWK.......",
        "........KWWKKKKKKKWWKWK.......",
        "........KWWWWWWWWWWWKWK.......",
        "........KWnnnnnnnnnWKWK.......",
        "........KWWWWWWWWWWWKWK.......",
        "........KWnnnnnnnnnWKWK.......",
        "........KWWWWWWWWWWWKWK.......",
        "........KWnnnnnnnnnWKWK.......",
        "........KWWWWWWWWWWWKWK.......",
        "........KWnnnnnWWWWWKKK.......",
        "........KWWWWWWWWWWWK.........",
        "........KKKKKKKKKKKKK.........",
    ],
}


# --- Icons -------------------------------------------------------------------------------------

def program_icon_32():
    """The program: an open register with a ribbon marker, a card index before it."""
    c = Canvas(32, 32)
    # Cover of the open book.
    c.fill(1, 6, 30, 18, NAVY)
    c.frame(1, 6, 30, 18, BLACK)
    # Left and right pages, the gutter between them.
    for x0 in (3, 16):
        c.fill(x0, 4, 13, 18, WHITE)
        c.frame(x0, 4, 13, 18, BLACK)
    c.vline(15, 4, 22, BLACK)
    c.vline(16, 4, 22, GREY)
    for y in range(7, 20, 2):
        c.hline(5, 13, y, GREY if y % 4 == 1 else NAVY)
        c.hline(18, 26 if y < 17 else 22, y, GREY if y % 4 == 1 else NAVY)
    # Ribbon marker hanging from the top of the right page.
    c.vline(23, 2, 9, RED)
    c.vline(24, 2, 8, MAROON)
    c.set(23, 10, RED)
    # An index card in front, lower left.
    c.fill(4, 18, 16, 11, WHITE)
    c.frame(4, 18, 16, 11, BLACK)
    c.hline(6, 17, 20, RED)
    for y in (22, 24, 26):
        c.hline(6, 15 if y != 24 else 12, y, BLUE)
    c.hline(5, 20, 29, GREY)
    c.vline(20, 19, 29, GREY)
    return c


def program_icon_16():
    return from_map([
        "................",
        "..KKKKKKKKKKKK..",
        ".KWWWWWKKWWWWRK.",
        ".KWnnnWKKWnnnRK.",
        ".KWWWWWKKWWWWRK.",
        ".KWnnnWKKWnnnWK.",
        "KnWWWWWKKWWWWWnK",
        "KnWnnnWKKWnnnWnK",
        "KnKKKKKKKKKWWWnK",
        "KnKWWWWWWWKnnWnK",
        "KnKWRRRRRWKWWWnK",
        "KnKWWWWWWWKKKKnK",
        "KnKWBBBBWWKnnnnK",
        "KKKWWWWWWWKKKKKK",
        "..KKKKKKKKKd....",
        "...dddddddd.....",
    ], 16, 16, 'program icon 16')


def database_icon_32():
    """A database window: a card-index tray full of cards with tabs."""
    c = Canvas(32, 32)
    # Cards standing in the tray, the back ones higher, each with a tab.
    for i, (x, y, tab) in enumerate([(5, 3, 18), (6, 6, 8), (7, 9, 14)]):
        c.fill(x, y, 21, 14, WHITE)
        c.frame(x, y, 21, 14, BLACK)
        c.fill(x + tab - 8, y - 2, 7, 3, WHITE)
        c.frame(x + tab - 8, y - 2, 7, 3, BLACK)
        c.hline(x + tab - 7, x + tab - 3, y, WHITE)
    for y in (12, 14, 16):
        c.hline(9, 24 if y != 14 else 20, y, NAVY)
    c.hline(9, 24, 11, RED)
    # The tray: an open wooden box in front.
    c.fill(2, 17, 28, 12, OLIVE)
    c.frame(2, 17, 28, 12, BLACK)
    c.hline(3, 28, 18, YELLOW)
    c.vline(3, 18, 27, YELLOW)
    c.fill(12, 21, 8, 4, SILVER)
    c.frame(12, 21, 8, 4, BLACK)
    c.hline(13, 18, 22, WHITE)
    c.hline(3, 30, 29, GREY)
    c.vline(30, 18, 29, GREY)
    return c


def database_icon_16():
    return from_map([
        "................",
        "....KKKK........",
        "...KWWWWKKKKKK..",
        "...KWWWWWWWWWK..",
        "..KKKKKKKWWWWK..",
        "..KWWWWWKKKKKKK.",
        "..KWRRRRRRRRWWK.",
        "..KWWWWWWWWWWWK.",
        "..KWnnnnnnnnWWK.",
        "KKKKKKKKKKKKKKKK",
        "KYoooooooooooooK",
        "KYooooKKKKoooooK",
        "KYooooKsWKoooooK",
        "KYooooKKKKoooooK",
        "KKKKKKKKKKKKKKKK",
        ".dddddddddddddd.",
    ], 16, 16, 'database icon 16')


# --- Drag cursors --------------------------------------------------------------------------------

ARROW = [
    "K...........",
    "KK..........",
    "KWK.........",
    "KWWK........",
    "KWWWK.......",
    "KWWWWK......",
    "KWWWWWK.....",
    "KWWWWWWK....",
    "KWWWWWWWK...",
    "KWWWWWWWWK..",
    "KWWWWWKKKKK.",
    "KWWKWWK.....",
    "KWK.KWWK....",
    "KK..KWWK....",
    "K....KWWK...",
    ".....KWWK...",
    "......KK....",
]


def drag_page(c, x, y):
    """One reference card under the arrow: white, outlined, with text lines."""
    c.fill(x, y, 11, 13, WHITE)
    c.frame(x, y, 11, 13, BLACK)
    for yy in range(y + 3, y + 11, 2):
        c.hline(x + 2, x + 8, yy, BLACK)


def drag_cursor(pages):
    """The arrow over one card, or over a stack of three; the front card is drawn last."""
    c = Canvas(32, 32)
    for i in range(pages):
        drag_page(c, 12 + 3 * i, 12 + 3 * i)
    c.stamp(0, 0, ARROW)
    return c


# --- Splash picture ------------------------------------------------------------------------------

def font_file(pattern):
    try:
        path = subprocess.run(['fc-match', '-f', '%{file}', pattern], check=True,
                              capture_output=True, text=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        raise SystemExit(f"cannot find a font for {pattern!r} (fontconfig's fc-match)")
    if not path:
        raise SystemExit(f"cannot find a font for {pattern!r}")
    return path


def lettering(text, font, points, width, height, x, baseline):
    """Grey levels 0..255 of `text` set by ImageMagick, one row per list."""
    try:
        raw = subprocess.run(
            ['convert', '-size', f'{width}x{height}', 'xc:black', '-font', font,
             '-pointsize', str(points), '-fill', 'white', '-annotate', f'+{x}+{baseline}', text,
             '-depth', '8', 'gray:-'], check=True, capture_output=True).stdout
    except (OSError, subprocess.CalledProcessError) as error:
        raise SystemExit(f"ImageMagick could not set {text!r}: {error}")
    return [list(raw[y * width:(y + 1) * width]) for y in range(height)]


def letter(c, text, font, points, x, baseline, colour, edge=None):
    """Sets text without smoothing, as on a 16-colour display; `edge` colours half-covered
    pixels."""
    levels = lettering(text, font, points, c.width, c.height, x, baseline)
    for y, row in enumerate(levels):
        for xx, level in enumerate(row):
            if level >= 140:
                c.set(xx, y, colour)
            elif edge is not None and level >= 70:
                c.set(xx, y, edge)


def shelf_of_books(c, x0, width, shelf_y, spines):
    """A shelf board with books standing on it; returns where the next book would stand."""
    x = x0 + 8
    for (w, colour, h) in spines:
        top = shelf_y - h
        c.fill(x, top, w, h, colour)
        c.frame(x, top, w, h, BLACK)
        c.hline(x + 1, x + w - 2, top + 6, YELLOW)
        c.hline(x + 1, x + w - 2, top + h - 8, YELLOW)
        c.vline(x + 1, top + 1, top + h - 2, SILVER if colour in (NAVY, BLUE) else GREY)
        x += w + 1
    c.fill(x0, shelf_y, width, 5, OLIVE)
    c.hline(x0, x0 + width - 1, shelf_y, YELLOW)
    c.hline(x0, x0 + width - 1, shelf_y + 5, BLACK)
    c.fill(x0, shelf_y + 6, width, 2, BLACK)
    return x


def bookshelf(c, x0, y0, width, height):
    """Two shelves of books and a few index cards, on a dark panel."""
    c.fill(x0, y0, width, height, NAVY)
    shelf_y = y0 + 74
    shelf_of_books(c, x0, width, shelf_y,
                   [(7, MAROON, 54), (5, GREEN, 60), (8, OLIVE, 50), (6, TEAL, 58),
                    (4, PURPLE, 47), (7, RED, 62), (5, BLUE, 52), (9, MAROON, 57),
                    (6, GREEN, 49), (5, TEAL, 55), (7, PURPLE, 60)])
    shelf_y = y0 + 150
    x = shelf_of_books(c, x0, width, shelf_y,
                       [(9, GREEN, 58), (6, MAROON, 63), (5, OLIVE, 55), (8, BLUE, 60),
                        (6, RED, 52), (7, TEAL, 64), (5, PURPLE, 56)])
    # A book leaning on the last one.
    for i in range(44):
        c.hline(x + i // 4, x + i // 4 + 7, shelf_y - 1 - i, OLIVE)
        c.set(x + i // 4, shelf_y - 1 - i, BLACK)
        c.set(x + i // 4 + 7, shelf_y - 1 - i, BLACK)
    c.hline(x + 11, x + 18, shelf_y - 45, BLACK)
    # Index cards fanned out below.
    for i in range(3):
        cx, cy = x0 + 14 + 12 * i, shelf_y + 14 + 3 * i
        c.fill(cx, cy, 36, 18, WHITE)
        c.frame(cx, cy, 36, 18, BLACK)
        c.hline(cx + 2, cx + 33, cy + 3, RED)
        for yy in range(cy + 6, cy + 16, 3):
            c.hline(cx + 2, cx + 27, yy, BLUE)


def splash():
    c = Canvas(300, 200, SILVER)
    serif_bold = font_file('DejaVu Serif:bold')
    serif = font_file('DejaVu Serif')
    bookshelf(c, 0, 0, 104, 200)
    # Raised panel edges, the way the platform draws a 3-D frame.
    c.hline(0, 299, 0, WHITE)
    c.vline(0, 0, 199, WHITE)
    c.hline(0, 299, 199, BLACK)
    c.vline(299, 0, 199, BLACK)
    c.hline(1, 298, 198, GREY)
    c.vline(298, 1, 198, GREY)
    c.vline(104, 1, 197, GREY)
    c.vline(105, 1, 197, WHITE)
    # The name with its shadow, a rule, then what the program is.
    letter(c, 'Cartulan', serif_bold, 30, 120, 74, GREY)
    letter(c, 'Cartulan', serif_bold, 30, 118, 72, NAVY)
    c.hline(118, 286, 86, GREY)
    c.hline(118, 286, 87, WHITE)
    letter(c, 'Version 7.8', serif, 13, 120, 108, BLACK)
    letter(c, 'Bibliographic', serif, 12, 120, 140, MAROON)
    letter(c, 'reference manager', serif, 12, 120, 157, MAROON)
    letter(c, 'for Windows', serif, 11, 120, 183, GREY)
    return c


# --- Output ----------------------------------------------------------------------------------------

def glyph_pair(name):
    picture = from_map(GLYPH_MAPS[name], 30, 15, name)
    return glyph_picture_bmp(picture), mask_bmp(picture)


def pictures():
    """Every file of shell/res with its content."""
    files = {
        'splash.bmp': colour_bmp(splash(), SILVER),
        'toolbar.bmp': colour_bmp(toolbar_strip(), SILVER),
        'program.ico': icon_file([program_icon_32(), program_icon_16()]),
        'database.ico': icon_file([database_icon_32(), database_icon_16()]),
        'single.cur': cursor_file(drag_cursor(1), 0, 0),
        'multiple.cur': cursor_file(drag_cursor(3), 0, 0),
    }
    for name, mask_name in (('article', 'artmask'), ('book', 'bookmask'), ('rep', 'repmask')):
        files[name + '.bmp'], files[mask_name + '.bmp'] = glyph_pair(name)
    return files


def glyph_preview(name, background):
    """The glyph as the lists draw it: background, AND mask, OR picture."""
    picture = from_map(GLYPH_MAPS[name], 30, 15, name)
    shown = Canvas(30, 15, background)
    shown.paste(0, 0, picture)
    return colour_bmp(shown, background)


def write_previews(out_dir, preview_dir):
    os.makedirs(preview_dir, exist_ok=True)
    for name in GLYPH_MAPS:
        for suffix, background in (('-window', WHITE), ('-selected', NAVY)):
            with open(os.path.join(preview_dir, name + suffix + '.bmp'), 'wb') as out:
                out.write(glyph_preview(name, background))
    sources = [os.path.join(out_dir, n) for n in sorted(os.listdir(out_dir))] + \
        [os.path.join(preview_dir, n) for n in sorted(os.listdir(preview_dir))]
    for source in sources:
        name = os.path.basename(source)
        if not name.endswith(('.bmp', '.ico', '.cur')):
            continue
        target = os.path.join(preview_dir, os.path.splitext(name)[0] + '.png')
        scale = '200%' if name == 'splash.bmp' else '800%'
        # ImageMagick reads the icon and cursor files as a sequence: the first (largest) image.
        subprocess.run(['convert', source + ('[0]' if name.endswith(('.ico', '.cur')) else ''),
                        '-background', '#008080', '-flatten', '-scale', scale, target],
                       check=True)
        if os.path.dirname(source) == preview_dir:
            os.remove(source)


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    args = list(argv)
    preview = None
    if '--preview' in args:
        i = args.index('--preview')
        preview = args[i + 1]
        del args[i:i + 2]
    out_dir = args[0] if args else os.path.join(root, 'shell', 'res')
    os.makedirs(out_dir, exist_ok=True)
    for name, content in pictures().items():
        with open(os.path.join(out_dir, name), 'wb') as out:
            out.write(content)
    if preview:
        write_previews(out_dir, preview)


if __name__ == '__main__':
    main(sys.argv[1:])
