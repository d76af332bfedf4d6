#!/usr/bin/env python3
"""Draws the toolbar strip and the icons of Linkhive from simple shapes.

Run from anywhere; writes the toolbar strips and the .ico files beside this script.
The outputs are committed, so a build needs no Python.
"""
import os
import struct

# The sixteen-colour palette; toolbar pixels of LG become the button face.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
K, DR, DG, OL, NV, PU, TL, LG, DK, RD, GR, YL, BL, MG, CY, WH = range(16)
CLEAR = None


class Canvas:
    """A square of 16 units, each `scale` pixels wide: the same drawing gives
    16, 24, 32... pixels. Coordinates are whole units; curves, lines and edges
    are laid down in pixels, so a larger canvas is drawn, not enlarged."""

    def __init__(self, scale=1, fill=CLEAR):
        self.scale = scale
        self.size = round(16 * scale)
        self.background = fill
        self.pen = max(1, int(scale))
        self.px = [[fill] * self.size for _ in range(self.size)]

    def at(self, v):
        """The pixel where unit v begins."""
        return round(v * self.scale)

    def pixel(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(self.at(y0), self.at(y1 + 1)):
            for x in range(self.at(x0), self.at(x1 + 1)):
                self.pixel(x, y, c)

    def dot(self, x, y, c):
        self.fill(x, y, x, y, c)

    def box(self, x0, y0, x1, y1, edge, inside=None):
        if inside is not None:
            self.fill(x0, y0, x1, y1, inside)
        left, top, right, bottom = self.at(x0), self.at(y0), self.at(x1 + 1) - 1, self.at(y1 + 1) - 1
        for t in range(self.pen):
            for x in range(left, right + 1):
                self.pixel(x, top + t, edge)
                self.pixel(x, bottom - t, edge)
            for y in range(top, bottom + 1):
                self.pixel(left + t, y, edge)
                self.pixel(right - t, y, edge)

    def line(self, x0, y0, x1, y1, c):
        # From the middle of one unit to the middle of the other, a square
        # pen stamped at every pixel step.
        s, half = self.scale, self.pen / 2
        steps = max(round(abs(x1 - x0) * s), round(abs(y1 - y0) * s), 1)
        for i in range(steps + 1):
            cx = (x0 + 0.5 + (x1 - x0) * i / steps) * s
            cy = (y0 + 0.5 + (y1 - y0) * i / steps) * s
            left, top = round(cx - half), round(cy - half)
            for y in range(top, top + self.pen):
                for x in range(left, left + self.pen):
                    self.pixel(x, y, c)

    def distances(self, cx, cy):
        """Each pixel with its distance in pixels from the middle of unit cx, cy."""
        s = self.scale
        for y in range(self.size):
            for x in range(self.size):
                yield x, y, (((x + 0.5) - (cx + 0.5) * s) ** 2 + ((y + 0.5) - (cy + 0.5) * s) ** 2) ** 0.5

    def disc(self, cx, cy, r, edge, inside):
        radius, half = r * self.scale, self.pen / 2
        for x, y, d in self.distances(cx, cy):
            if d <= radius - half:
                self.pixel(x, y, inside)
            elif d <= radius + half:
                self.pixel(x, y, edge)

    def ring(self, cx, cy, r, c):
        radius, half = r * self.scale, self.pen / 2
        for x, y, d in self.distances(cx, cy):
            if radius - half < d <= radius + half:
                self.pixel(x, y, c)

    def replace(self, old, new, y0, y1):
        """Recolours rows y0..y1 (units)."""
        for y in range(self.at(y0), self.at(y1 + 1)):
            self.px[y] = [new if value == old else value for value in self.px[y]]


# Small marks shared by several pictures.
def page(c, x0=3, y0=1, x1=12, y1=14):
    c.box(x0, y0, x1, y1, K, WH)
    c.fill(x1 - 2, y0, x1, y0 + 2, c.background)
    c.line(x1 - 3, y0, x1, y0 + 3, K)
    c.dot(x1 - 3, y0 + 3, K)
    c.line(x1 - 3, y0 + 1, x1 - 3, y0 + 3, K)


def folder(c, y0=4, inside=YL):
    c.box(1, y0, 14, 13, K, inside)
    c.box(1, y0 - 2, 6, y0, K, inside)


def plus(c, x, y, colour=GR):
    c.fill(x - 2, y - 2, x + 2, y + 2, K)
    c.fill(x - 1, y - 1, x + 1, y + 1, colour)
    c.fill(x - 3, y - 1, x + 3, y + 1, K)
    c.fill(x - 1, y - 3, x + 1, y + 3, K)
    c.fill(x - 2, y, x + 2, y, colour)
    c.fill(x, y - 2, x, y + 2, colour)


def minus(c, x, y):
    c.box(x - 3, y - 1, x + 3, y + 1, K)
    c.fill(x - 2, y, x + 2, y, RD)


def globe(c, cx=7, cy=7, r=6):
    c.disc(cx, cy, r, NV, CY)
    c.fill(cx - 2, cy - 4, cx, cy - 1, GR)
    c.fill(cx + 1, cy + 1, cx + 3, cy + 4, GR)
    c.dot(cx - 3, cy + 2, GR)
    c.line(cx - r + 1, cy, cx + r - 1, cy, TL)
    c.line(cx, cy - r + 1, cx, cy + r - 1, TL)


def envelope(c, y0=4, y1=12):
    c.box(1, y0, 14, y1, K, WH)
    c.line(1, y0, 7, y0 + 5, K)
    c.line(14, y0, 8, y0 + 5, K)


# The seventeen toolbar buttons, left to right.
def b_new(c):
    page(c)


def b_open(c):
    folder(c, 5)
    c.fill(4, 8, 15, 13, OL)
    c.line(4, 8, 15, 8, K)
    c.line(1, 13, 4, 8, K)
    c.line(12, 1, 14, 3, K)
    c.line(14, 3, 14, 5, K)


def b_save(c):
    c.box(1, 1, 14, 14, K, NV)
    c.box(4, 2, 11, 7, K, WH)
    c.box(4, 10, 11, 14, K, LG)
    c.fill(5, 11, 6, 13, NV)


def b_cut(c):
    c.line(4, 1, 9, 9, K)
    c.line(11, 1, 6, 9, K)
    c.ring(4, 12, 2, K)
    c.ring(11, 12, 2, K)


def b_copy(c):
    c.box(1, 1, 9, 11, K, WH)
    c.box(6, 4, 14, 14, K, WH)
    for y in (6, 8, 10, 12):
        c.line(8, y, 12, y, DK)


def b_paste(c):
    c.box(2, 2, 12, 14, K, OL)
    c.box(5, 1, 9, 3, K, LG)
    c.box(7, 6, 14, 15, K, WH)
    for y in (8, 10, 12):
        c.line(9, y, 12, y, DK)


def b_undo(c):
    # The upper half of a circle, its left end an arrowhead pointing down.
    arc = Canvas(c.scale)
    arc.ring(8, 10, 5, NV)
    arc.ring(8, 10, 4, NV)
    for y in range(c.at(11)):
        for x in range(c.size):
            if arc.px[y][x] is not None:
                c.pixel(x, y, NV)
    c.fill(1, 10, 7, 10, NV)
    c.fill(2, 11, 6, 11, NV)
    c.fill(3, 12, 5, 12, NV)
    c.dot(4, 13, NV)


def b_group_add(c):
    folder(c)
    plus(c, 11, 11)


def b_group_delete(c):
    folder(c)
    minus(c, 11, 11)


def b_new_url(c):
    globe(c, 6, 6, 5)
    plus(c, 12, 12)


def b_new_email(c):
    envelope(c, 1, 10)
    plus(c, 12, 12)


def b_item_delete(c):
    for d in (-1, 0, 1):
        c.line(3 + d, 3, 12 + d, 12, RD)
        c.line(12 + d, 3, 3 + d, 12, RD)


def b_properties(c):
    page(c, 2, 1, 11, 14)
    for y in (5, 7, 9):
        c.line(4, y, 9, y, DK)
    c.box(9, 9, 15, 15, K, YL)
    c.line(11, 11, 13, 11, K)
    c.line(11, 13, 13, 13, K)


def b_large_icons(c):
    for x0, y0 in ((1, 1), (9, 1), (1, 9), (9, 9)):
        c.box(x0, y0, x0 + 5, y0 + 5, NV, CY)


def b_small_icons(c):
    for y in (2, 7, 12):
        for x in (1, 9):
            c.box(x, y, x + 2, y + 2, NV, CY)
            c.line(x + 4, y + 1, x + 5, y + 1, K)


def b_list(c):
    for y in (2, 6, 10):
        for x in (1, 9):
            c.box(x, y, x + 2, y + 2, NV, CY)
            c.line(x + 4, y + 1, x + 6, y + 1, K)


def b_details(c):
    c.box(0, 1, 15, 3, K, LG)
    c.line(9, 1, 9, 3, K)
    for y in (6, 9, 12):
        c.box(1, y - 1, 3, y + 1, NV, CY)
        c.line(5, y, 8, y, K)
        c.line(10, y, 14, y, DK)


BUTTONS = [b_new, b_open, b_save, b_cut, b_copy, b_paste, b_undo, b_group_add, b_group_delete,
           b_new_url, b_new_email, b_item_delete, b_properties, b_large_icons, b_small_icons, b_list,
           b_details]


# Icons.
def i_app(c):
    # A honeycomb cell holding two chain links: the hive of links.
    for y in range(1, 15):
        half = 7 if 4 <= y <= 11 else 7 - (4 - y if y < 4 else y - 11) * 2
        c.fill(7 - half, y, 8 + half, y, YL)
        c.dot(7 - half, y, OL)
        c.dot(8 + half, y, OL)
    c.line(4, 1, 11, 1, OL)
    c.line(4, 14, 11, 14, OL)
    link(c, 2, 5, 8, 10, NV)
    link(c, 7, 5, 13, 10, DR)
    c.dot(7, 5, NV)
    c.dot(7, 6, NV)


def link(c, x0, y0, x1, y1, colour):
    # Sides two units thick, filled so that no gap opens between them.
    c.fill(x0 + 1, y0, x1 - 1, y0, colour)
    c.fill(x0 + 1, y1, x1 - 1, y1, colour)
    c.fill(x0, y0 + 1, x0, y1 - 1, colour)
    c.fill(x1, y0 + 1, x1, y1 - 1, colour)
    c.fill(x0 + 2, y0 + 1, x1 - 2, y0 + 1, colour)
    c.fill(x0 + 2, y1 - 1, x1 - 2, y1 - 1, colour)


def i_tray(c):
    i_app(c)
    c.replace(YL, WH, 2, 13)


def i_email(c):
    envelope(c, 3, 12)
    c.fill(2, 5, 13, 11, WH)
    c.box(1, 3, 14, 12, K)
    c.line(1, 3, 7, 8, DK)
    c.line(14, 3, 8, 8, DK)
    c.line(1, 12, 5, 8, DK)
    c.line(14, 12, 10, 8, DK)
    c.box(11, 4, 13, 6, RD, RD)


def i_web(c):
    globe(c, 7, 7, 7)


ICONS = {"linkhive.ico": i_app, "tray.ico": i_tray, "email.ico": i_email, "web.ico": i_web}


# The toolbar strip and the icons at 100 %, 150 % and 200 % (icons also at
# 300 % and 400 %, the large icons of 150 % and 200 %).
TOOLBAR_SCALES = {"toolbar.bmp": 1, "toolbar24.bmp": 1.5, "toolbar32.bmp": 2}
ICON_SIZES = (16, 24, 32, 48, 64)


def write_toolbar(path, scale):
    cell = round(16 * scale)
    width, height = cell * len(BUTTONS), cell
    strip = [[LG] * width for _ in range(height)]
    for index, draw in enumerate(BUTTONS):
        c = Canvas(scale, LG)
        draw(c)
        for y in range(cell):
            for x in range(cell):
                value = c.px[y][x]
                strip[y][index * cell + x] = LG if value is None else value
    row_bytes = (width // 2 + 3) & ~3
    pixels = b""
    for y in reversed(range(height)):
        row = bytes((strip[y][x] << 4) | strip[y][x + 1] for x in range(0, width, 2))
        pixels += row + b"\0" * (row_bytes - len(row))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


def icon_image(canvas):
    size = canvas.size
    colour, mask = b"", b""
    mask_row = (size // 8 + 3) & ~3
    for y in reversed(range(size)):
        bits = [0] * size
        for x in range(size):
            value = canvas.px[y][x]
            if value is None:
                colour += b"\0\0\0\0"
                bits[x] = 1
            else:
                r, g, b = PALETTE[value]
                colour += bytes((b, g, r, 255))
        row = bytes(sum(bits[x + i] << (7 - i) for i in range(8)) for x in range(0, size, 8))
        mask += row + b"\0" * (mask_row - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return info + colour + mask


def write_icon(path, draw):
    images = []
    for size in reversed(ICON_SIZES):
        canvas = Canvas(size / 16)
        draw(canvas)
        images.append((size, icon_image(canvas)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, scale in TOOLBAR_SCALES.items():
        write_toolbar(os.path.join(here, name), scale)
    for name, draw in ICONS.items():
        write_icon(os.path.join(here, name), draw)


if __name__ == "__main__":
    main()
