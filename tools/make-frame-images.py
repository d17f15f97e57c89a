#!/usr/bin/env python3
"""Writes the frame's icon (src/res/Orvane.ico) and toolbar strip (src/res/Toolbar.bmp).

The images are drawn here rather than in an editor so that they can be reviewed and changed as
text. Run it from anywhere; it writes next to the resource script. With --preview DIR it also
writes enlarged PNG copies to DIR for looking at them.
"""
import os
import struct
import sys
import zlib

RES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "res")

# The sixteen colours every 4-bit image uses, in the order Windows' default palette has them.
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def palette_256():
    """The 16 base colours, a 6x6x6 colour cube and a grey ramp: enough for flat artwork."""
    colours = list(VGA)
    steps = [0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF]
    colours += [(r, g, b) for r in steps for g in steps for b in steps]
    while len(colours) < 256:
        level = 8 + (len(colours) - 232) * 10
        colours.append((min(level, 255),) * 3)
    return colours[:256]


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))


# ---------------------------------------------------------------------------------------------
# Toolbar buttons, 16 x 15 each, in the toolbar's button order: New, Open, Save, Cut, Copy,
# Paste, Print, About. Light grey is the button face that the toolbar maps to the system colour.

TOOLBAR_KEYS = {
    ".": 7, "k": 0, "w": 15, "g": 8, "y": 11, "o": 3, "n": 4, "b": 12, "r": 9, "m": 1,
    "t": 6, "c": 14, "G": 2, "l": 10,
}

BUTTONS = [
    [  # New: a blank page with a folded corner
        "................",
        "...kkkkkkk......",
        "...kwwwwwkk.....",
        "...kwwwwwkwk....",
        "...kwwwwwkkkk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kkkkkkkkkk...",
        "................",
    ],
    [  # Open: a yellow folder with its flap open
        "................",
        "................",
        ".kkkk...........",
        "kyyyyk..........",
        "kyyyykkkkkkkk...",
        "kyyyyyyyyyyyk...",
        "kyyyyyyyyyyyk...",
        "kyyykkkkkkkkkkkk",
        "kyykoooooooooook",
        "kyykooooooooook.",
        "kykooooooooook..",
        "kykoooooooooook.",
        "kkooooooooooook.",
        "kkkkkkkkkkkkkk..",
        "................",
    ],
    [  # Save: a floppy disk
        "................",
        ".kkkkkkkkkkkkk..",
        ".kbkwwwwwwwkbk..",
        ".kbkwwwwwwwkbk..",
        ".kbkwwwwwwwkbk..",
        ".kbkwwwwwwwkbk..",
        ".kbbkkkkkkkbbk..",
        ".kbbbbbbbbbbbk..",
        ".kbbkkkkkkkkbk..",
        ".kbbk..kk..kbk..",
        ".kbbk..kk..kbk..",
        ".kbbk..kk..kbk..",
        "..kkkkkkkkkkkk..",
        "................",
        "................",
    ],
    [  # Cut: scissors
        "................",
        "...k.....k......",
        "...k.....k......",
        "...kk...kk......",
        "....k...k.......",
        "....kk.kk.......",
        ".....kkk........",
        "......k.........",
        ".....nkn........",
        "...nnn.nnn......",
        "..n..n.n..n.....",
        "..n..n.n..n.....",
        "..n..n.n..n.....",
        "...nn...nn......",
        "................",
    ],
    [  # Copy: two pages, one over the other
        "................",
        "kkkkkk..........",
        "kwwwwkk.........",
        "kwkkwkwk........",
        "kwwwwkkkkkkk....",
        "kwkkkkwwwwkkk...",
        "kwwwwkwkkwkwk...",
        "kwkkkkwwwwkkkk..",
        "kwwwwkwkkkkwwk..",
        "kkkkkkwwwwwwwk..",
        ".....kwkkkkkwk..",
        ".....kwwwwwwwk..",
        ".....kwkkkkkwk..",
        ".....kwwwwwwwk..",
        ".....kkkkkkkkk..",
    ],
    [  # Paste: a clipboard with a page on it
        "................",
        "....kkkkk.......",
        ".kkkkyyykkkk....",
        "kooky...kyook...",
        "koookkkkkoook...",
        "koooooooooook...",
        "kooooookkkkkkk..",
        "kooooookwwwwwkk.",
        "kooooookwkkkwkwk",
        "kooooookwwwwwkkk",
        "kooooookwkkkkkwk",
        "kooooookwwwwwwwk",
        ".kkkkkkkwkkkkkwk",
        ".......kwwwwwwwk",
        ".......kkkkkkkkk",
    ],
    [  # Print: a printer with a page coming out
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwkkkkwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kwwwwwwwwwwwwk.",
        ".kwwwwwwwwwGlwk.",
        ".kggggggggggggk.",
        ".kggggggggggggk.",
        ".kkkkkkkkkkkkkk.",
        "..kwwwwwwwwwwk..",
        "..kwkkkkkkkkwk..",
        "..kkkkkkkkkkkk..",
        "................",
    ],
    [  # About: a blue circle with a white "i"
        "................",
        ".....nnnnnn.....",
        "...nnbbbbbbnn...",
        "..nbbbbwwbbbbn..",
        "..nbbbbwwbbbbn..",
        ".nbbbbbbbbbbbbn.",
        ".nbbbbwwwbbbbbn.",
        ".nbbbbbwwbbbbbn.",
        ".nbbbbbwwbbbbbn.",
        ".nbbbbbwwbbbbbn.",
        "..nbbbbwwbbbbn..",
        "..nbbbwwwwbbbn..",
        "...nnbbbbbbnn...",
        ".....nnnnnn.....",
        "................",
    ],
]


def toolbar_pixels():
    """Rows top to bottom of the 128 x 15 strip, as 4-bit palette indices."""
    rows = []
    for y in range(15):
        row = []
        for art in BUTTONS:
            line = art[y]
            assert len(line) == 16, (line, len(line))
            row += [TOOLBAR_KEYS[ch] for ch in line]
        rows.append(row)
    return rows


def pack_rows(rows, bits):
    """Bottom-up DIB rows of palette indices (4 or 8 bits) or BGRA tuples (32), each padded to
    a multiple of four bytes."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        if bits == 4:
            for i in range(0, len(row), 2):
                hi = row[i]
                lo = row[i + 1] if i + 1 < len(row) else 0
                line.append((hi << 4) | lo)
        elif bits == 8:
            line.extend(row)
        elif bits == 32:
            for r, g, b, a in row:
                line.extend((b, g, r, a))
        elif bits == 1:
            for i in range(0, len(row), 8):
                byte = 0
                for j, bit in enumerate(row[i:i + 8]):
                    byte |= bit << (7 - j)
                line.append(byte)
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def bitmap_info_header(width, height, bits, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 0, 0, colours, 0)


def rgbquads(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def write_toolbar_bitmap(path):
    rows = toolbar_pixels()
    body = bitmap_info_header(128, 15, 4, 16) + rgbquads(VGA) + pack_rows(rows, 4)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 64)
    with open(path, "wb") as f:
        f.write(header + body)
    return [[VGA[i] + (255,) for i in row] for row in rows]


# ---------------------------------------------------------------------------------------------
# The icon: a log page with lines of text and a device plug in front of it. Shapes are given on
# a 32 x 32 grid and rendered at each size with 4 x 4 supersampling.

PAGE = (0xFF, 0xFF, 0xFF)
EDGE = (0x40, 0x40, 0x40)
TEXT = (0x00, 0x33, 0x99)
PLUG = (0x00, 0x80, 0x80)
PLUG_DARK = (0x00, 0x4C, 0x4C)
PRONG = (0xA0, 0xA0, 0xA0)
CABLE = (0x20, 0x20, 0x20)

# Painted in order, later shapes on top: (left, top, right, bottom, colour).
ICON_SHAPES = [
    (3, 1, 22, 30, EDGE),
    (4, 2, 21, 29, PAGE),
    (7, 6, 18, 8, TEXT),
    (7, 10, 16, 12, TEXT),
    (7, 14, 18, 16, TEXT),
    (7, 18, 13, 20, TEXT),
    (7, 22, 12, 24, TEXT),
    (18, 8, 21, 15, PRONG),
    (25, 8, 28, 15, PRONG),
    (15, 14, 31, 26, PLUG_DARK),
    (16, 15, 30, 25, PLUG),
    (21, 25, 25, 32, CABLE),
]


def icon_sample(x, y):
    """Colour at a point of the 32 x 32 grid, or None where the icon is transparent."""
    colour = None
    for left, top, right, bottom, fill in ICON_SHAPES:
        if left <= x < right and top <= y < bottom:
            colour = fill
    return colour


def render_icon(size):
    """Rows of (r, g, b, a) at the given size, and rows of the majority colour (or None)."""
    scale = 32.0 / size
    smooth, flat = [], []
    for py in range(size):
        srow, frow = [], []
        for px in range(size):
            samples = []
            for sy in range(4):
                for sx in range(4):
                    samples.append(icon_sample((px + (sx + 0.5) / 4) * scale,
                                               (py + (sy + 0.5) / 4) * scale))
            hits = [s for s in samples if s is not None]
            if hits:
                r = sum(c[0] for c in hits) // len(hits)
                g = sum(c[1] for c in hits) // len(hits)
                b = sum(c[2] for c in hits) // len(hits)
                srow.append((r, g, b, 255 * len(hits) // len(samples)))
            else:
                srow.append((0, 0, 0, 0))
            if len(hits) * 2 >= len(samples):
                frow.append(max(set(hits), key=hits.count))
            else:
                frow.append(None)
        smooth.append(srow)
        flat.append(frow)
    return smooth, flat


def icon_image(size, bits):
    """One image of the icon file: BITMAPINFOHEADER (double height), palette, colour, mask."""
    smooth, flat = render_icon(size)
    if bits == 32:
        mask = [[0 if a else 1 for (_, _, _, a) in row] for row in smooth]
        body = bitmap_info_header(size, size * 2, 32, 0) + pack_rows(smooth, 32)
    else:
        palette = VGA if bits == 4 else palette_256()
        indices = [[nearest(palette, c) if c else 0 for c in row] for row in flat]
        mask = [[0 if c else 1 for c in row] for row in flat]
        body = (bitmap_info_header(size, size * 2, bits, len(palette)) + rgbquads(palette)
                + pack_rows(indices, bits))
    body += pack_rows(mask, 1)
    preview = smooth if bits == 32 else [
        [(c + (255,)) if c else (0, 0, 0, 0) for c in row] for row in flat]
    return body, preview


def write_icon(path):
    images = []
    for size in (16, 22, 24, 32):
        for bits in (4, 8, 32):
            data, preview = icon_image(size, bits)
            images.append((size, bits, data, preview))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, bits, data, _ in images:
        colours = 16 if bits == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(directory + entries + b"".join(data for _, _, data, _ in images))
    return images


# ---------------------------------------------------------------------------------------------
# Preview: enlarged PNGs on a checkerboard, only for looking at the artwork.

def write_png(path, rows, zoom):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for y in range(height * zoom):
        raw.append(0)
        for x in range(width * zoom):
            r, g, b, a = rows[y // zoom][x // zoom]
            back = 0xE0 if ((x // 4) + (y // 4)) % 2 else 0xB0
            raw.extend(((r * a + back * (255 - a)) // 255, (g * a + back * (255 - a)) // 255,
                        (b * a + back * (255 - a)) // 255))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width * zoom, height * zoom, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def main(argv):
    strip = write_toolbar_bitmap(os.path.join(RES_DIR, "Toolbar.bmp"))
    images = write_icon(os.path.join(RES_DIR, "Orvane.ico"))
    if len(argv) == 3 and argv[1] == "--preview":
        os.makedirs(argv[2], exist_ok=True)
        write_png(os.path.join(argv[2], "toolbar.png"), strip, 8)
        for size, bits, _, preview in images:
            write_png(os.path.join(argv[2], "icon-%d-%d.png" % (size, bits)), preview, 8)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
