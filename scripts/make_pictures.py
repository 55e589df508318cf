#!/usr/bin/env python3
"""Draws Plimsar's own pictures and writes them as BMP and ICO files.

Usage: python3 scripts/make_pictures.py <outdir>

Everything is drawn by code so the pictures need no binary files in the
repository and no image library: standard library only. Output is
deterministic (no time stamps, palettes in sorted order), so a rebuild
gives the same bytes.
"""
import os
import struct
import sys

# ---------------------------------------------------------------------------
# Colours (RGB). A few pixel-art ramps shared by all pictures.

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
SILVER = (192, 192, 192)      # toolbar background only: the toolbar maps it to the button face
GREY_D = (72, 72, 80)
GREY_M = (136, 140, 148)
GREY_L = (200, 204, 210)
GREY_XL = (228, 230, 234)
OUTLINE = (40, 40, 48)

FOLDER_O = (136, 96, 8)
FOLDER_B = (232, 176, 40)     # back panel
FOLDER_F = (255, 212, 80)     # front panel
FOLDER_H = (255, 240, 168)    # highlight

RED = (220, 36, 36)
RED_D = (140, 0, 0)
RED_L = (255, 120, 110)
GREEN = (40, 176, 56)
GREEN_D = (0, 100, 16)
GREEN_L = (136, 224, 128)
BLUE = (40, 88, 208)
BLUE_D = (0, 40, 136)
BLUE_L = (150, 190, 255)
PAPER = (255, 255, 255)
PAPER_S = (208, 216, 232)     # paper shade
INK = (24, 72, 184)           # drawing lines
CENTRE = (208, 48, 48)        # centre lines of a drawing
BROWN = (160, 96, 40)
BROWN_D = (96, 56, 16)
BROWN_L = (200, 140, 80)
GOLD = (232, 192, 48)
PCB = (24, 128, 64)
PCB_D = (8, 80, 40)
LED = (64, 232, 64)
SKY = (232, 240, 250)

# The standard 16-colour palette: a 4 bpp icon may use only these.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


# ---------------------------------------------------------------------------
# A tiny canvas. Pixels are RGB tuples, or None for transparent.

class Canvas:
    def __init__(self, w, h, fill=None):
        self.w = w
        self.h = h
        self.pix = [[fill] * w for _ in range(h)]

    def px(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.pix[y][x] = c

    def get(self, x, y):
        return self.pix[y][x]

    def fill(self, x0, y0, x1, y1, c):
        """Filled rectangle, corners inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.px(x, y, c)

    def rect(self, x0, y0, x1, y1, c):
        """Rectangle outline, corners inclusive."""
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def box(self, x0, y0, x1, y1, inner, edge):
        self.fill(x0, y0, x1, y1, inner)
        self.rect(x0, y0, x1, y1, edge)

    def hline(self, x0, x1, y, c):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.px(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.px(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        """Bresenham line; width > 1 stamps a square pen."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        lo = -((width - 1) // 2)
        hi = width // 2
        while True:
            for oy in range(lo, hi + 1):
                for ox in range(lo, hi + 1):
                    self.px(x0 + ox, y0 + oy, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def dashed(self, x0, y0, x1, y1, c, on=3, off=2):
        """Straight horizontal or vertical dash-dot style line."""
        n = 0
        if y0 == y1:
            for x in range(min(x0, x1), max(x0, x1) + 1):
                if n % (on + off) < on:
                    self.px(x, y0, c)
                n += 1
        else:
            for y in range(min(y0, y1), max(y0, y1) + 1):
                if n % (on + off) < on:
                    self.px(x0, y, c)
                n += 1

    def poly(self, pts, c, edge=None):
        """Filled polygon (pixel centres inside by the even-odd rule)."""
        ys = [p[1] for p in pts]
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            for x in range(self.w):
                if _inside(pts, x, y):
                    self.px(x, y, c)
        if edge is not None:
            for i in range(len(pts)):
                ax, ay = pts[i]
                bx, by = pts[(i + 1) % len(pts)]
                self.line(int(ax), int(ay), int(bx), int(by), edge)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.px(x, y, c)

    def ring(self, cx, cy, r, c, t=1):
        for y in range(self.h):
            for x in range(self.w):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if (r - t) ** 2 < d <= r * r:
                    self.px(x, y, c)

    def pattern(self, x0, y0, rows, colours):
        """Stamp a character pattern; '.' and ' ' leave pixels alone."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in colours:
                    self.px(x0 + i, y0 + j, colours[ch])

    def blit(self, src, x0, y0):
        for y in range(src.h):
            for x in range(src.w):
                c = src.pix[y][x]
                if c is not None:
                    self.px(x0 + x, y0 + y, c)

    def colours(self):
        return {c for row in self.pix for c in row if c is not None}


# ---------------------------------------------------------------------------
# The same drawing at a larger size. Coordinates stay those of the 32-pixel
# grid; each shape is rasterised anew at the larger size (a pixel cell covers
# s x s device pixels, edges are lw pixels thick), so nothing is stretched.

class Scaled:
    def __init__(self, canvas, s):
        self.c = canvas
        self.s = s
        self.lw = max(1, int(s))

    def lo(self, v):
        return int(round(v * self.s))

    def hi(self, v):
        return int(round((v + 1) * self.s)) - 1

    def centre(self, v):
        return (v + 0.5) * self.s - 0.5

    def px(self, x, y, c):
        self.c.fill(self.lo(x), self.lo(y), self.hi(x), self.hi(y), c)

    def fill(self, x0, y0, x1, y1, c):
        self.c.fill(self.lo(x0), self.lo(y0), self.hi(x1), self.hi(y1), c)

    def hline(self, x0, x1, y, c):
        x0, x1 = min(x0, x1), max(x0, x1)
        y0 = int(round(self.centre(y) - (self.lw - 1) / 2))
        self.c.fill(self.lo(x0), y0, self.hi(x1), y0 + self.lw - 1, c)

    def vline(self, x, y0, y1, c):
        y0, y1 = min(y0, y1), max(y0, y1)
        x0 = int(round(self.centre(x) - (self.lw - 1) / 2))
        self.c.fill(x0, self.lo(y0), x0 + self.lw - 1, self.hi(y1), c)

    def rect(self, x0, y0, x1, y1, c):
        X0, Y0, X1, Y1 = self.lo(x0), self.lo(y0), self.hi(x1), self.hi(y1)
        t = self.lw - 1
        self.c.fill(X0, Y0, X1, Y0 + t, c)
        self.c.fill(X0, Y1 - t, X1, Y1, c)
        self.c.fill(X0, Y0, X0 + t, Y1, c)
        self.c.fill(X1 - t, Y0, X1, Y1, c)

    def box(self, x0, y0, x1, y1, inner, edge):
        self.fill(x0, y0, x1, y1, inner)
        self.rect(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c, width=1):
        w = self.lw if width == 1 else max(1, int(round(width * self.s)))
        self.c.line(int(round(self.centre(x0))), int(round(self.centre(y0))),
                    int(round(self.centre(x1))), int(round(self.centre(y1))), c, w)

    def dashed(self, x0, y0, x1, y1, c, on=3, off=2):
        self.c.dashed(self.lo(x0), self.lo(y0), self.lo(x1), self.lo(y1), c,
                      self.lo(on), self.lo(off))

    def poly(self, pts, c, edge=None):
        mapped = [(self.centre(x), self.centre(y)) for x, y in pts]
        self.c.poly(mapped, c)
        if edge is not None:
            for i in range(len(mapped)):
                ax, ay = mapped[i]
                bx, by = mapped[(i + 1) % len(mapped)]
                self.c.line(int(round(ax)), int(round(ay)), int(round(bx)), int(round(by)), edge)
                if self.lw > 1:
                    # the second pixel of a thick edge goes inwards
                    self.c.line(int(round(ax + (1 if ax < sum(p[0] for p in mapped) / len(mapped) else -1))),
                                int(round(ay + (1 if ay < sum(p[1] for p in mapped) / len(mapped) else -1))),
                                int(round(bx + (1 if bx < sum(p[0] for p in mapped) / len(mapped) else -1))),
                                int(round(by + (1 if by < sum(p[1] for p in mapped) / len(mapped) else -1))), edge)

    def disc(self, cx, cy, r, c):
        self.c.disc(self.centre(cx), self.centre(cy), r * self.s, c)

    def ring(self, cx, cy, r, c, t=1):
        self.c.ring(self.centre(cx), self.centre(cy), r * self.s, c, max(self.lw, t * self.s))


def scale_of(c):
    return getattr(c, "s", 1)


def _inside(pts, x, y):
    inside = False
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        if (ay > y) != (by > y):
            xc = ax + (y - ay) * (bx - ax) / (by - ay)
            if x < xc:
                inside = not inside
    return inside


# ---------------------------------------------------------------------------
# File writers.

def make_palette(canvases, size):
    """Black first (the colour under transparent icon pixels), then the
    used colours in sorted order so every run gives the same table."""
    used = set()
    for cv in canvases:
        used |= cv.colours()
    used.discard(BLACK)
    pal = [BLACK] + sorted(used)
    if len(pal) > size:
        raise ValueError("%d colours do not fit a %d-entry palette" % (len(pal), size))
    return pal + [BLACK] * (size - len(pal))


def _palette_bytes(pal):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in pal)


def _info_header(w, h, bpp, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size,
                       2835, 2835, colours_used, 0)


def _pack_rows(cv, bpp, index_of):
    """Bottom-up rows of palette indices, each padded to 4 bytes."""
    out = bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytearray()
        if bpp == 8:
            for x in range(cv.w):
                row.append(index_of(cv.get(x, y)))
        elif bpp == 4:
            for x in range(0, cv.w, 2):
                hi = index_of(cv.get(x, y))
                lo = index_of(cv.get(x + 1, y)) if x + 1 < cv.w else 0
                row.append((hi << 4) | lo)
        else:
            raise ValueError("unsupported depth %d" % bpp)
        while len(row) % 4:
            row.append(0)
        out += row
    return bytes(out)


def _mask_rows(cv):
    """AND mask: 1 = transparent. Bottom-up, rows padded to 4 bytes."""
    out = bytearray()
    stride = ((cv.w + 31) // 32) * 4
    for y in range(cv.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(cv.w):
            if cv.get(x, y) is None:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _indexer(pal):
    lookup = {}
    for i, c in enumerate(pal):
        lookup.setdefault(c, i)

    def index_of(c):
        if c is None:
            return 0
        try:
            return lookup[c]
        except KeyError:
            raise ValueError("colour %r is not in the palette" % (c,))
    return index_of


def bmp8(cv):
    """Palettised 8 bpp bottom-up BMP; transparent pixels are not allowed."""
    for row in cv.pix:
        if None in row:
            raise ValueError("a bitmap has no transparency")
    pal = make_palette([cv], 256)
    bits = _pack_rows(cv, 8, _indexer(pal))
    offset = 14 + 40 + 4 * 256
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + _info_header(cv.w, cv.h, 8, len(bits), 256) + _palette_bytes(pal) + bits


def ico(images):
    """ICO file from (canvas, bpp) pairs: 4 bpp uses the 16-colour palette,
    8 bpp a palette of the colours used. Each image is a BITMAPINFOHEADER
    with doubled height, the XOR bits and the AND mask."""
    blobs = []
    for cv, bpp in images:
        if bpp == 4:
            pal = VGA16
        elif bpp == 8:
            pal = make_palette([cv], 256)
        else:
            raise ValueError("unsupported icon depth %d" % bpp)
        xor = _pack_rows(cv, bpp, _indexer(pal))
        mask = _mask_rows(cv)
        ncol = 1 << bpp
        blob = (_info_header(cv.w, cv.h * 2, bpp, len(xor) + len(mask), ncol)
                + _palette_bytes(pal) + xor + mask)
        blobs.append((cv, bpp, blob))
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for cv, bpp, blob in blobs:
        ncol = 16 if bpp == 4 else 0      # 0 means 256 or more colours
        out += struct.pack("<BBBBHHII", cv.w % 256, cv.h % 256, ncol, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    for _, _, blob in blobs:
        out += blob
    return bytes(out)


# ---------------------------------------------------------------------------
# Shared motifs.

def draw_folder32(c, x, y, w=22, h=17):
    """Folder with tab, back panel and a lighter front flap."""
    tw = w * 2 // 5
    c.poly([(x, y + 1), (x + 1, y), (x + tw - 1, y), (x + tw + 1, y + 2),
            (x + w - 1, y + 2), (x + w, y + 3), (x + w, y + h), (x, y + h)],
           FOLDER_B, FOLDER_O)
    c.hline(x + 1, x + tw - 1, y + 1, FOLDER_H)
    fy = y + 5
    c.poly([(x, y + h), (x + 3, fy), (x + w + 2, fy), (x + w, y + h)], FOLDER_F, FOLDER_O)
    c.hline(x + 4, x + w, fy + 1, FOLDER_H)


def draw_folder16(c, x, y):
    """14 x 11 folder for the 16 x 16 icons."""
    c.pattern(x, y, [
        ".OOOO.........",
        "OHHHHO........",
        "OBBBBBOOOOOOO.",
        "OBBBBBBBBBBBBO",
        "OBOOOOOOOOOOOOO",
        "OBOHHHHHHHHHHFO",
        "OOFFFFFFFFFFFO.",
        "OOFFFFFFFFFFFO.",
        "OFFFFFFFFFFFFO.",
        "OFFFFFFFFFFFFO.",
        "OOOOOOOOOOOOO..",
    ], {"O": FOLDER_O, "H": FOLDER_H, "B": FOLDER_B, "F": FOLDER_F})


def draw_plus(c, x, y, fill=GREEN, edge=GREEN_D):
    """11 x 11 plus sign with an outline."""
    if scale_of(c) != 1:
        # the two bars, outlined, then their crossing cleared of the inner edges
        c.box(x, y + 3, x + 10, y + 6, fill, edge)
        c.box(x + 3, y, x + 7, y + 9, fill, edge)
        c.fill(x + 4, y + 4, x + 6, y + 5, fill)
        c.hline(x + 1, x + 9, y + 4, GREEN_L)
        c.vline(x + 4, y + 1, y + 8, GREEN_L)
        return
    c.pattern(x, y, [
        "...OOOOO...",
        "...OHHHO...",
        "...OHFFO...",
        "OOOOHFFOOOO",
        "OHHHHFFHHHO",
        "OHFFFFFFFFO",
        "OOOOFFFFOOO",
        "...OFFFO...",
        "...OFFFO...",
        "...OOOOO...",
    ], {"O": edge, "F": fill, "H": GREEN_L})


def draw_page32(c, x0, y0, x1, y1, fold=6):
    """A sheet of paper with a folded top-right corner."""
    c.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)],
           PAPER, OUTLINE)
    c.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], PAPER_S, OUTLINE)


def draw_drive_box(c, y, led=LED):
    """Grey drive slab, 14 wide and 7 high, starting at row y."""
    c.pattern(1, y, [
        ".OOOOOOOOOOOOO",
        "OTTTTTTTTTTTTTO",
        "OMMMMMMMMMMMMMO",
        "OLLLLLLLLLLLLLO",
        "OLLLLLLLLLLLLLO",
        "OMMMMMMMMMMMMMO",
        ".OOOOOOOOOOOOO.",
    ], {"O": OUTLINE, "T": GREY_XL, "M": GREY_M, "L": GREY_L})
    c.px(12, y + 3, led)
    c.px(13, y + 3, led)


# ---------------------------------------------------------------------------
# Toolbar strip: nine 32 x 32 images.

def tb_folder_picker(c):
    draw_folder32(c, 2, 6)
    # magnifier over the lower right corner
    c.disc(21, 19, 6, BLUE_L)
    c.ring(21, 19, 6.5, OUTLINE, 2)
    c.px(19, 16, WHITE)
    c.px(18, 17, WHITE)
    c.px(20, 16, WHITE)
    c.line(25, 23, 29, 27, BROWN_D, 3)
    c.line(26, 24, 29, 27, BROWN, 1)


def tb_add_subfolders(c):
    draw_folder32(c, 9, 1, 20, 13)
    draw_folder32(c, 5, 7, 20, 13)
    draw_folder32(c, 1, 13, 20, 14)


def tb_add_folder(c):
    draw_folder32(c, 1, 5, 22, 18)
    draw_plus(c, 19, 19)


def tb_add_files(c):
    draw_page32(c, 5, 2, 22, 28)
    for y in (9, 12, 15, 18):
        c.hline(8, 19, y, INK)
    c.hline(8, 14, 21, INK)
    draw_plus(c, 19, 19)


def tb_remove(c):
    c.box(4, 3, 25, 28, PAPER, OUTLINE)
    c.fill(5, 4, 24, 6, BLUE_L)
    c.hline(5, 24, 7, OUTLINE)
    for y in (10, 14, 18, 22):
        c.fill(6, y, 8, y + 2, FOLDER_F)
        c.hline(10, 22, y + 1, INK)
    # a bold red X on top
    if scale_of(c) != 1:
        for colour, width in ((RED_D, 5), (RED, 3)):
            c.line(12, 11, 28, 27, colour, width)
            c.line(28, 11, 12, 27, colour, width)
        return
    for d in range(-2, 3):
        c.line(12 + d, 11, 28 + d, 27, RED_D if abs(d) == 2 else RED)
        c.line(28 + d, 11, 12 + d, 27, RED_D if abs(d) == 2 else RED)
    c.line(12, 11, 12, 11, RED_D)


def tb_run(c):
    c.poly([(8, 3), (8, 28), (28, 15.5)], GREEN, GREEN_D)
    c.line(9, 5, 9, 25, GREEN_L)
    c.line(10, 5, 24, 13, GREEN_L)


def tb_stop(c):
    c.box(6, 6, 25, 25, RED, RED_D)
    c.rect(7, 7, 24, 24, RED_D)
    c.hline(8, 23, 8, RED_L)
    c.vline(8, 8, 23, RED_L)


def tb_help(c):
    c.disc(15.5, 15.5, 13.5, BLUE_D)
    c.disc(15.5, 15.5, 12.5, BLUE)
    c.disc(13.5, 12.5, 7, (72, 124, 232))
    if scale_of(c) != 1:
        draw_question(c)
        return
    c.pattern(10, 6, [
        "..XXXXX...",
        ".XXXXXXX..",
        "XXX...XXX.",
        "XX.....XX.",
        ".......XX.",
        "......XXX.",
        ".....XXX..",
        "....XXX...",
        "....XX....",
        "....XX....",
        "..........",
        "....XX....",
        "....XX....",
        "..........",
    ], {"X": WHITE})
    c.pattern(10, 6, [
        "..........",
        "..........",
        "..........",
        "..........",
        "........X.",
        "........X.",
        ".......X..",
        "......X...",
        "......X...",
        "......X...",
        "..........",
        "......X...",
        "......X...",
        "....XX....",
    ], {"X": BLUE_D})


def draw_question(c):
    """The question mark of the help button as strokes: a hook open to the
    lower left, a stem and a dot, with a dark shadow below and right."""
    raw = c.c
    for colour, d in ((BLUE_D, 0.7), (WHITE, 0)):
        cx, cy = c.centre(14.5 + d), c.centre(9.5 + d)
        r, t = 4.6 * c.s, 2.3 * c.s
        for y in range(raw.h):
            for x in range(raw.w):
                dx, dy = x - cx, y - cy
                if (r - t) ** 2 < dx * dx + dy * dy <= r * r and not (dx < 0 and dy > 0):
                    raw.px(x, y, colour)
        c.line(17.3 + d, 11.5 + d, 15 + d, 13.2 + d, colour, 2)
        c.fill(14 + d, 13 + d, 15 + d, 15 + d, colour)
        c.fill(14 + d, 17 + d, 15 + d, 18 + d, colour)


def tb_exit(c):
    # door frame with the dark opening
    c.box(3, 2, 18, 29, BROWN_D, OUTLINE)
    c.fill(5, 4, 16, 29, (24, 16, 8))
    # the door leaf swung open towards the viewer
    c.poly([(5, 4), (11, 6), (11, 31), (5, 29)], BROWN, BROWN_D)
    c.line(6, 6, 6, 27, BROWN_L)
    c.px(9, 18, GOLD)
    c.px(9, 19, GOLD)
    c.hline(1, 30, 30, OUTLINE)
    # green arrow leaving through the door
    c.poly([(13, 14), (22, 14), (22, 10), (29, 16.5), (22, 23), (22, 19), (13, 19)],
           GREEN, GREEN_D)
    c.hline(14, 22, 15, GREEN_L)


TOOLBAR = [tb_folder_picker, tb_add_subfolders, tb_add_folder, tb_add_files,
           tb_remove, tb_run, tb_stop, tb_help, tb_exit]


def make_toolbar(percent=100):
    n = 32 * percent // 100
    strip = Canvas(n * len(TOOLBAR), n, SILVER)
    for i, draw in enumerate(TOOLBAR):
        cell = Canvas(n, n)
        draw(cell if percent == 100 else Scaled(cell, percent / 100))
        if SILVER in cell.colours():
            raise ValueError("toolbar image %d uses the background colour" % i)
        strip.blit(cell, n * i, 0)
    return strip


# ---------------------------------------------------------------------------
# Window icon: a printer feeding out a drawing.

def draw_drawing(c, x0, y0, x1, y1):
    """Part outline with a hole and centre lines, on a page."""
    c.rect(x0, y0, x1, y1, INK)
    mx, my = (x0 + x1) // 2, (y0 + y1) // 2
    c.ring(mx + 0.0, my + 0.0, min(x1 - x0, y1 - y0) / 2 - 1, INK)
    c.dashed(x0 - 1, my, x1 + 1, my, CENTRE, 2, 1)
    c.dashed(mx, y0 - 1, mx, y1 + 1, CENTRE, 2, 1)


def make_app32():
    c = Canvas(32, 32)
    # sheet coming out of the top of the printer
    c.box(7, 0, 24, 13, PAPER, OUTLINE)
    draw_drawing(c, 10, 2, 21, 11)
    # printer body
    c.poly([(3, 12), (28, 12), (30, 15), (30, 26), (1, 26), (1, 15)], GREY_L, OUTLINE)
    c.hline(3, 28, 13, GREY_XL)
    c.fill(6, 12, 25, 13, GREY_D)
    c.hline(2, 29, 20, GREY_M)
    c.hline(2, 29, 25, GREY_M)
    c.fill(24, 17, 25, 18, LED)
    c.fill(20, 17, 21, 18, GREY_M)
    # printed sheet in the output tray
    c.poly([(6, 22), (25, 22), (27, 31), (4, 31)], PAPER, OUTLINE)
    c.hline(8, 22, 25, INK)
    c.hline(8, 18, 27, INK)
    c.rect(19, 26, 24, 29, INK)
    return c


def make_app16():
    c = Canvas(16, 16)
    c.pattern(0, 0, [
        "...OOOOOOOOOO...",
        "...OWWWWWWWWO...",
        "...OWIIIIIIWO...",
        "...OWIWRWWIWO...",
        "...OWIRRRRIWO...",
        "...OWIIRIIIWO...",
        ".OOODDDDDDDDOOO.",
        "OXXXXXXXXXXXXXXO",
        "OLLLLLLLLLLLLLLO",
        "OLLLLLLLLLLMMGLO",
        "OMMMMMMMMMMMMMMO",
        "OLLOOOOOOOOOOLLO",
        "OLLOWWWWWWWWOLLO",
        "OOOWIIIIWWWWOOOO",
        "..OWWWWWWIIWO...",
        "..OOOOOOOOOOO...",
    ], {"O": OUTLINE, "W": PAPER, "I": INK, "R": CENTRE, "D": GREY_D,
        "X": GREY_XL, "L": GREY_L, "M": GREY_M, "G": LED})
    return c


# ---------------------------------------------------------------------------
# File-row icon: a drawing sheet, 16 colours.

def make_filerow():
    c = Canvas(16, 16)
    k, w, s, n, r = VGA16[0], VGA16[15], VGA16[7], VGA16[12], VGA16[9]
    c.pattern(0, 0, [
        ".KKKKKKKKKK.....",
        ".KWWWWWWWWKK....",
        ".KWWWWWWWWKSK...",
        ".KWNNNNNWWKSSK..",
        ".KWNWWWNWWKKKKK.",
        ".KWNWRWNWWWWWWK.",
        ".KWNRRRNRRWWWWK.",
        ".KWNWRWNWWWWWWK.",
        ".KWNNNNNWWWWWWK.",
        ".KWWWRWWWWWWWWK.",
        ".KWWWWWWWWWWWWK.",
        ".KWWWWWWKKKKKKK.",
        ".KWWWWWWKWNNNWK.",
        ".KWWWWWWKKKKKKK.",
        ".KWWWWWWKWWNNWK.",
        ".KKKKKKKKKKKKKK.",
    ], {"K": k, "W": w, "S": s, "N": n, "R": r})
    for col in c.colours():
        if col not in VGA16:
            raise ValueError("the file-row icon must use the 16 standard colours")
    return c


def make_filerow_sized(n):
    """The file-row sheet drawn anew at n x n (the 16-pixel one's grid)."""
    cv = Canvas(n, n)
    c = Scaled(cv, n / 16)
    k, w, s, b, r = VGA16[0], VGA16[15], VGA16[7], VGA16[12], VGA16[9]
    c.fill(1, 0, 14, 15, w)
    c.rect(1, 0, 14, 15, k)
    # the folded corner
    c.fill(10, 0, 14, 4, None)
    c.poly([(10, 0), (10, 4), (14, 4)], s, k)
    c.line(10, 0, 14, 4, k)
    # a part on the sheet, its centre lines in red
    c.rect(3, 3, 7, 8, b)
    c.hline(3, 9, 6, r)
    c.vline(5, 2, 9, r)
    # the title block
    c.rect(8, 11, 14, 15, k)
    c.hline(10, 12, 13, b)
    for col in cv.colours():
        if col not in VGA16:
            raise ValueError("the file-row icon must use the 16 standard colours")
    return cv


# ---------------------------------------------------------------------------
# Folder-picker icons, 16 x 16, 256 colours.

def make_folder():
    c = Canvas(16, 16)
    draw_folder16(c, 0, 3)
    return c


def make_folder_up():
    c = Canvas(16, 16)
    draw_folder16(c, 0, 5)
    # red return arrow: up out of the folder, then back to the left
    c.pattern(1, 0, [
        "...O..........",
        "..ORO.........",
        ".ORRROOOOOO...",
        "ORRRRRRRRRRO..",
        "ORRRRRRRRRRRO.",
        ".ORRROOOOORRO.",
        "..ORO....ORRO.",
        "...O.....ORRO.",
        ".........ORRO.",
        ".........OOOO.",
    ], {"O": RED_D, "R": RED})
    return c


def make_drive_fixed():
    c = Canvas(16, 16)
    draw_drive_box(c, 5)
    c.hline(3, 8, 8, GREY_D)
    return c


def make_drive_cdrom():
    c = Canvas(16, 16)
    # the disc, seen at an angle, resting above the drive
    for y in range(9):
        for x in range(16):
            d = ((x - 7.5) / 7.0) ** 2 + ((y - 4.0) / 4.0) ** 2
            if d <= 1.0:
                c.px(x, y, GREY_D if d > 0.7 else GREY_XL)
            if d <= 0.08:
                c.px(x, y, GREY_D)
    # a glint of colour on the recorded side
    for x, y, col in ((4, 3, BLUE_L), (5, 2, BLUE_L), (10, 5, GOLD), (11, 4, GOLD)):
        c.px(x, y, col)
    draw_drive_box(c, 8)
    c.fill(4, 11, 10, 11, GREY_D)
    return c


def make_drive_removable():
    c = Canvas(16, 16)
    # a floppy disk half inserted into the slot
    c.pattern(3, 0, [
        "OOOOOOOOO.",
        "OBSSSSSBBO",
        "OBSSOSSBBO",
        "OBSSOSSBBO",
        "OBSSSSSBBO",
        "OBBBBBBBBO",
        "OBWWWWWWBO",
        "OBWWWWWWBO",
    ], {"O": BLUE_D, "B": BLUE, "S": GREY_L, "W": PAPER})
    draw_drive_box(c, 8)
    c.fill(3, 10, 12, 10, OUTLINE)
    return c


def make_drive_remote():
    c = Canvas(16, 16)
    draw_drive_box(c, 1)
    # network cable down from the drive to a line with two neighbours
    c.fill(7, 8, 8, 12, GREEN_D)
    c.fill(1, 12, 14, 13, GREEN_D)
    c.hline(2, 13, 12, GREEN)
    c.fill(0, 11, 2, 14, OUTLINE)
    c.fill(13, 11, 15, 14, OUTLINE)
    c.px(1, 12, LED)
    c.px(14, 12, LED)
    return c


def make_drive_ramdisk():
    c = Canvas(16, 16)
    c.pattern(0, 3, [
        "OOOOOOOOOOOOOOOO",
        "OPPPPPPPPPPPPPPO",
        "OPKKKPKKKPKKKPPO",
        "OPKKKPKKKPKKKPPO",
        "OPKKKPKKKPKKKPPO",
        "OPPPPPPPPPPPPPPO",
        "OPPPPPPPPPPPPPPO",
        "OGOGOGOGOGOGOGOO",
        "OGOGOGOGOGOGOGO.",
        "OOOOOOOOOOOOOOO.",
    ], {"O": PCB_D, "P": PCB, "K": OUTLINE, "G": GOLD})
    c.px(3, 5, GREY_M)
    c.px(7, 5, GREY_M)
    c.px(11, 5, GREY_M)
    return c


# ---------------------------------------------------------------------------
# About picture: a pen plotter drawing a part, and the tool's name.

FONT = {
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "l": ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "i": [".#.", "...", "##.", ".#.", ".#.", ".#.", "###"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
}


def text_width(s, scale):
    return sum(len(FONT[ch][0]) + 1 for ch in s) * scale - scale


def draw_text(c, x, y, s, colour, scale):
    for ch in s:
        glyph = FONT[ch]
        for j, row in enumerate(glyph):
            for i, bit in enumerate(row):
                if bit == "#":
                    c.fill(x + i * scale, y + j * scale,
                           x + i * scale + scale - 1, y + j * scale + scale - 1, colour)
        x += (len(glyph[0]) + 1) * scale


def make_about():
    c = Canvas(128, 64, SKY)
    c.rect(0, 0, 127, 63, GREY_M)
    # plotter bed and the sheet on it
    c.box(6, 3, 121, 44, GREY_L, GREY_D)
    c.box(10, 6, 117, 41, PAPER, GREY_M)
    # the part already drawn, left of the gantry
    c.rect(16, 11, 58, 36, INK)
    c.rect(16, 11, 24, 36, INK)
    c.ring(41, 23.5, 8, INK)
    c.ring(41, 23.5, 4, INK)
    c.dashed(28, 23, 54, 23, CENTRE, 4, 2)
    c.dashed(41, 13, 41, 34, CENTRE, 4, 2)
    # dimension line under the part
    c.hline(16, 58, 39, INK)
    c.px(17, 38, INK)
    c.px(17, 40, INK)
    c.px(57, 38, INK)
    c.px(57, 40, INK)
    # the part being drawn on the right, unfinished
    c.hline(84, 110, 11, INK)
    c.vline(110, 11, 36, INK)
    c.ring(97, 23.5, 6, INK)
    # rails along the top and bottom of the bed
    c.fill(4, 2, 123, 4, GREY_D)
    c.fill(4, 43, 123, 45, GREY_D)
    c.hline(4, 123, 2, GREY_M)
    c.hline(4, 123, 43, GREY_M)
    # the gantry arm across the sheet and the pen carriage on it
    c.box(69, 1, 75, 46, GREY_M, OUTLINE)
    c.vline(70, 2, 45, GREY_XL)
    c.box(64, 24, 80, 32, BLUE, BLUE_D)
    c.hline(65, 79, 25, BLUE_L)
    # the pen, its tip at the end of the edge it is drawing
    c.box(70, 33, 74, 35, RED, RED_D)
    c.px(72, 36, OUTLINE)
    c.hline(73, 110, 36, INK)
    # the name under the plotter, with a soft shadow
    scale = 2
    name = "Plimsar"
    x = (128 - text_width(name, scale)) // 2
    draw_text(c, x + 1, 49, name, GREY_L, scale)
    draw_text(c, x, 48, name, BLUE_D, scale)
    return c


# ---------------------------------------------------------------------------

def outputs():
    """File name -> bytes, in a fixed order."""
    return [
        ("toolbar.bmp", bmp8(make_toolbar())),
        ("toolbar_150.bmp", bmp8(make_toolbar(150))),
        ("toolbar_200.bmp", bmp8(make_toolbar(200))),
        ("about.bmp", bmp8(make_about())),
        ("app.ico", ico([(make_app32(), 8), (make_app16(), 8)])),
        ("app_small.ico", ico([(make_app16(), 8)])),
        ("filerow.ico", ico([(make_filerow(), 4)])),
        ("filerow_150.ico", ico([(make_filerow_sized(18), 4)])),
        ("filerow_200.ico", ico([(make_filerow_sized(24), 4)])),
        ("folder_up.ico", ico([(make_folder_up(), 8)])),
        ("folder.ico", ico([(make_folder(), 8)])),
        ("drive_fixed.ico", ico([(make_drive_fixed(), 8)])),
        ("drive_cdrom.ico", ico([(make_drive_cdrom(), 8)])),
        ("drive_removable.ico", ico([(make_drive_removable(), 8)])),
        ("drive_remote.ico", ico([(make_drive_remote(), 8)])),
        ("drive_ramdisk.ico", ico([(make_drive_ramdisk(), 8)])),
    ]


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_pictures.py <outdir>\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, data in outputs():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
