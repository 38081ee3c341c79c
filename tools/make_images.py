#!/usr/bin/env python3
"""Draws Quillet's own images and writes them as 16-colour Windows files.

    python3 tools/make_images.py [output-dir]      (default: resources/)

Writes quillet.ico (16x16 and 32x32), game.ico (the list's icon for a
game without one, 16x16 and 32x32), toolbar.bmp (six 16x16 buttons in a
96x16 strip), finding.bmp (the favourites-only button, 16x16) and
sort_down.bmp / sort_up.bmp (11x11 header arrows), and their larger versions
for 144 and 192 DPI: toolbar24.bmp and toolbar32.bmp (24 and 32 pixel
buttons), finding24.bmp and finding32.bmp, sort_down16/22.bmp and sort_up16/22.bmp. Only the
standard library is used and the output is byte-for-byte reproducible, so the
generated files are committed next to this script.

Colour rules the program relies on:
- toolbar.bmp is loaded by the toolbar, which maps black, dark grey (128),
  light grey (192) and white to the button text, shadow, face and highlight
  colours; its background is therefore light grey 192,192,192.
- the sort arrows are loaded with LR_LOADMAP3DCOLORS, which maps dark grey
  128 to the 3D shadow colour and light grey 192 to the 3D face colour, so
  the arrows follow the header's colours on every colour scheme.
"""

import math
import os
import struct
import sys

# The standard 16-colour VGA palette (RGB); indices are used when drawing.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

TRANSPARENT = -1  # icon pixels outside the shape (AND mask set)


class Canvas:
    """A grid of palette indices; (0, 0) is the top-left pixel."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the inclusive rectangle x0..x1, y0..y1."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def hline(self, x0, x1, y, colour):
        self.rect(x0, y, x1, y, colour)

    def vline(self, x, y0, y1, colour):
        self.rect(x, y0, x, y1, colour)

    def shade(self, inside, colour, scale=1.0):
        """Paints every pixel whose centre, in units of `scale` pixels,
        satisfies inside(x, y)."""
        for y in range(self.height):
            for x in range(self.width):
                if inside((x + 0.5) * scale, (y + 0.5) * scale):
                    self.set(x, y, colour)

    def blit(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.set(left + x, top + y, other.get(x, y))


def in_triangle(a, b, c):
    def side(p, q, r):
        return (r[0] - p[0]) * (q[1] - p[1]) - (q[0] - p[0]) * (r[1] - p[1])

    def inside(x, y):
        p = (x, y)
        d1, d2, d3 = side(a, b, p), side(b, c, p), side(c, a, p)
        negative = d1 < 0 or d2 < 0 or d3 < 0
        positive = d1 > 0 or d2 > 0 or d3 > 0
        return not (negative and positive)

    return inside


def in_circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def in_box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


# --- toolbar buttons (square, light grey face) ----------------------------------
#
# Every button is drawn on a 16-unit grid and sampled at its size in pixels:
# 16 for 96 DPI, 24 for 144 and 32 for 192. A box names the grid cells it
# fills (inclusive), so at 16 pixels each cell is one pixel.

class Button:
    def __init__(self, size):
        self.canvas = Canvas(size, size, SILVER)
        self.scale = 16.0 / size

    def shade(self, inside, colour):
        self.canvas.shade(inside, colour, self.scale)

    def box(self, x0, y0, x1, y1, colour):
        self.shade(in_box(x0, y0, x1 + 1, y1 + 1), colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.box(x0, y0, x1, y0, colour)
        self.box(x0, y1, x1, y1, colour)
        self.box(x0, y0, x0, y1, colour)
        self.box(x1, y0, x1, y1, colour)


def button_rebuild(size):
    """A clockwise circular arrow: open at the right, head at the top."""
    b = Button(size)
    cx, cy = 7.5, 8.5
    head = math.radians(280)  # angles clockwise from east, y pointing down
    tail = math.radians(20)

    def on_ring(x, y):
        d = math.hypot(x - cx, y - cy)
        if not 3.6 <= d <= 5.8:
            return False
        a = math.atan2(y - cy, x - cx) % (2 * math.pi)
        return tail <= a <= head

    b.shade(on_ring, GREEN)
    # Arrowhead at the ring's top end, pointing along the clockwise tangent.
    r = 4.85
    bx, by = cx + r * math.cos(head), cy + r * math.sin(head)
    tx, ty = -math.sin(head), math.cos(head)
    nx, ny = math.cos(head), math.sin(head)
    tip = (bx + 4.6 * tx, by + 4.6 * ty)
    b.shade(in_triangle((bx + 3.6 * nx, by + 3.6 * ny), (bx - 3.6 * nx, by - 3.6 * ny), tip), GREEN)
    return b.canvas


def tile(b, x0, y0, size, fill, edge):
    b.box(x0, y0, x0 + size - 1, y0 + size - 1, fill)
    b.frame(x0, y0, x0 + size - 1, y0 + size - 1, edge)


def button_large_icons(size):
    """Four big tiles, two by two."""
    b = Button(size)
    for x0 in (1, 9):
        for y0 in (1, 9):
            tile(b, x0, y0, 6, BLUE, NAVY)
            b.box(x0 + 1, y0 + 1, x0 + 4, y0 + 1, AQUA)
    return b.canvas


def button_small_icons(size):
    """Nine small tiles, three by three."""
    b = Button(size)
    for x0 in (1, 6, 11):
        for y0 in (1, 6, 11):
            tile(b, x0, y0, 4, BLUE, NAVY)
    return b.canvas


def button_list(size):
    """Two columns of small tiles, each followed by a text line."""
    b = Button(size)
    for x0 in (0, 8):
        for y0 in (1, 5, 9, 13):
            b.box(x0, y0, x0 + 1, y0 + 1, BLUE)
            b.box(x0 + 3, y0 + 1, x0 + 6, y0 + 1, BLACK)
    return b.canvas


def button_details(size):
    """A header bar over rows of a tile and two text columns."""
    b = Button(size)
    b.box(0, 1, 15, 3, WHITE)
    b.frame(0, 1, 15, 3, GREY)
    b.box(8, 1, 8, 3, GREY)
    for y0 in (5, 8, 11, 14):
        b.box(1, y0 - 1, 2, y0, BLUE)
        b.box(4, y0, 7, y0, BLACK)
        b.box(10, y0, 14, y0, BLACK)
    return b.canvas


def button_about(size):
    """A white "i" on a blue disc."""
    b = Button(size)
    b.shade(in_circle(8.0, 8.0, 7.3), NAVY)
    b.shade(in_circle(8.0, 8.0, 6.3), BLUE)
    b.box(7, 3, 8, 4, WHITE)           # the dot
    b.box(7, 6, 8, 11, WHITE)          # the stem
    b.box(6, 6, 8, 6, WHITE)           # the top serif
    b.box(6, 12, 9, 12, WHITE)         # the foot
    return b.canvas


def toolbar_strip(size=16):
    buttons = [button_rebuild(size), button_large_icons(size), button_small_icons(size),
               button_list(size), button_details(size), button_about(size)]
    strip = Canvas(size * len(buttons), size, SILVER)
    for i, b in enumerate(buttons):
        strip.blit(b, size * i, 0)
    return strip


# --- header sort arrows (3D face background) ------------------------------------

def button_favourites_only(size=16):
    """A yellow five-pointed star with a dark outline: favourites only."""
    c = Canvas(size, size, SILVER)
    k = size / 16
    cx, cy = (size - 1) / 2, size / 2
    points = []
    for i in range(10):
        r = 7.5 * k if i % 2 == 0 else 3.2 * k
        a = -math.pi / 2 + i * math.pi / 5
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    inside = []
    for i in range(10):
        inside.append(in_triangle((cx, cy), points[i], points[(i + 1) % 10]))
    for y in range(size):
        for x in range(size):
            if any(t(x + 0.5, y + 0.5) for t in inside):
                c.set(x, y, YELLOW)
    for y in range(size):
        for x in range(size):
            if c.get(x, y) == YELLOW and any(
                    not (0 <= x + dx < size and 0 <= y + dy < size) or c.get(x + dx, y + dy) == SILVER
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                c.set(x, y, OLIVE)
    return c


def sort_arrow(down):
    """11x11, for 96 DPI."""
    c = Canvas(11, 11, SILVER)
    rows = [(0, 4), (1, 3), (2, 2), (3, 1), (4, 0)]  # (row, half-width)
    for row, half in rows:
        y = 3 + row if down else 7 - row
        c.hline(5 - half, 5 + half, y, GREY)
    return c


def sort_arrow_scaled(down, size):
    """The same arrow on its 11-unit grid, sampled at `size` pixels."""
    c = Canvas(size, size, SILVER)
    if down:
        shape = in_triangle((1, 3), (10, 3), (5.5, 8))
    else:
        shape = in_triangle((1, 8), (10, 8), (5.5, 3))
    c.shade(shape, GREY, 11.0 / size)
    return c


# --- program icon: a joystick --------------------------------------------------

def program_icon(size):
    """Drawn in a 32-unit square and sampled at `size` pixels."""
    c = Canvas(size, size, TRANSPARENT)
    s = 32.0 / size
    # Base: a dark box with a lighter top face.
    c.shade(in_box(3, 21, 29, 29.5), BLACK, s)
    c.shade(in_box(4, 22, 28, 28.5), GREY, s)
    c.shade(in_ellipse(16, 22.5, 11.5, 2.6), SILVER, s)
    # Fire button on the base.
    c.shade(in_ellipse(25, 25.5, 2.6, 1.6), YELLOW, s)
    # Stick and its collar.
    c.shade(in_ellipse(16, 22.5, 4.2, 1.4), BLACK, s)
    c.shade(in_box(14.4, 9, 17.6, 22.5), BLACK, s)
    c.shade(in_box(15.2, 9, 16.6, 21.8), GREY, s)
    # Ball with an edge and a highlight.
    c.shade(in_circle(16, 9, 7.6), MAROON, s)
    c.shade(in_circle(16, 9, 6.6), RED, s)
    c.shade(in_circle(13.2, 6.2, 2.2 if size > 16 else 2.6), WHITE, s)
    return c


# --- default game icon: an arcade cabinet ----------------------------------------

def game_icon(size):
    """The list's icon for a game without one of its own; 32-unit square."""
    c = Canvas(size, size, TRANSPARENT)
    s = 32.0 / size
    c.shade(in_box(7, 2, 25, 30), BLACK, s)       # cabinet
    c.shade(in_box(8, 3, 24, 29), GREY, s)
    c.shade(in_box(8, 3, 24, 7), MAROON, s)        # marquee
    c.shade(in_box(10, 9, 22, 18), BLACK, s)      # screen
    c.shade(in_box(11, 10, 21, 17), NAVY, s)
    c.shade(in_box(8, 20, 24, 23), SILVER, s)     # control panel
    c.shade(in_circle(12, 21.5, 1.3), RED, s)
    c.shade(in_circle(19, 21.5, 1.3), YELLOW, s)
    return c


# --- file writers --------------------------------------------------------------

def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def packed_rows_4bpp(canvas, transparent_as=BLACK):
    """Bottom-up 4-bit rows, each padded to a multiple of four bytes."""
    out = bytearray()
    stride = ((canvas.width * 4 + 31) // 32) * 4
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            v = canvas.get(x, y)
            v = transparent_as if v == TRANSPARENT else v
            row[x // 2] |= v << 4 if x % 2 == 0 else v
        out += row
    return bytes(out)


def mask_rows(canvas):
    """Bottom-up 1-bit AND mask: 1 where the icon is transparent."""
    out = bytearray()
    stride = ((canvas.width + 31) // 32) * 4
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            if canvas.get(x, y) == TRANSPARENT:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def bmp_bytes(canvas):
    bits = packed_rows_4bpp(canvas)
    offset = 14 + 40 + 16 * 4
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info_header(canvas.width, canvas.height, len(bits)) + palette_bytes() + bits


def ico_bytes(canvases):
    images = []
    for c in canvases:
        xor, andm = packed_rows_4bpp(c), mask_rows(c)
        # An icon image's header counts the XOR and AND halves in its height.
        images.append(info_header(c.width, 2 * c.height, len(xor) + len(andm)) + palette_bytes() + xor + andm)
    out = struct.pack("<HHH", 0, 1, len(canvases))
    offset = 6 + 16 * len(canvases)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    files = {
        "quillet.ico": ico_bytes([program_icon(16), program_icon(32)]),
        "game.ico": ico_bytes([game_icon(16), game_icon(32)]),
        "toolbar.bmp": bmp_bytes(toolbar_strip()),
        "finding.bmp": bmp_bytes(button_favourites_only()),
        "sort_down.bmp": bmp_bytes(sort_arrow(down=True)),
        "sort_up.bmp": bmp_bytes(sort_arrow(down=False)),
        # Larger versions for 144 and 192 DPI.
        "toolbar24.bmp": bmp_bytes(toolbar_strip(24)),
        "toolbar32.bmp": bmp_bytes(toolbar_strip(32)),
        "finding24.bmp": bmp_bytes(button_favourites_only(24)),
        "finding32.bmp": bmp_bytes(button_favourites_only(32)),
        "sort_down16.bmp": bmp_bytes(sort_arrow_scaled(True, 16)),
        "sort_up16.bmp": bmp_bytes(sort_arrow_scaled(False, 16)),
        "sort_down22.bmp": bmp_bytes(sort_arrow_scaled(True, 22)),
        "sort_up22.bmp": bmp_bytes(sort_arrow_scaled(False, 22)),
    }
    for name, data in files.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
