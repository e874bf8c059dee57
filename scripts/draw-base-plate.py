#!/usr/bin/env python3
"""Draws the picture of the sample base-plate dialog: a column on its base
plate over the foundation, with anchor bolts and the dimension lines that
the designed dialog's labels name. Writes a 480 x 360 24-bit BMP; white is
the transparent colour of designed dialogs, so the field panel on the right
is a light grey.

    scripts/draw-base-plate.py "examples/library/Dialog Templates/Dialog Design/Connections/Base plate.bmp"
"""
import struct
import sys

W, H = 480, 360
WHITE = (255, 255, 255)
STEEL = (200, 214, 228)
PLATE = (150, 172, 196)
EDGE = (30, 52, 84)
CONCRETE = (222, 222, 214)
HATCH = (170, 170, 160)
DIM = (176, 48, 48)
PANEL = (244, 245, 247)
PANEL_EDGE = (210, 212, 216)

pixels = [[WHITE] * W for _ in range(H)]


def put(x, y, c):
    if 0 <= x < W and 0 <= y < H:
        pixels[y][x] = c


def fill(x0, y0, x1, y1, c):
    for y in range(max(0, y0), min(H, y1)):
        for x in range(max(0, x0), min(W, x1)):
            pixels[y][x] = c


def line(x0, y0, x1, y1, c, width=1):
    """A line; a wider one grows to the right (vertical) or down (otherwise)."""
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    vertical = x0 == x1
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        for d in range(width):
            put(x + d if vertical else x, y if vertical else y + d, c)


def frame(x0, y0, x1, y1, c, width=2):
    for d in range(width):
        line(x0 + d, y0 + d, x1 - 1 - d, y0 + d, c)
        line(x0 + d, y1 - 1 - d, x1 - 1 - d, y1 - 1 - d, c)
        line(x0 + d, y0 + d, x0 + d, y1 - 1 - d, c)
        line(x1 - 1 - d, y0 + d, x1 - 1 - d, y1 - 1 - d, c)


def box(x0, y0, x1, y1, inside, edge=EDGE):
    fill(x0, y0, x1, y1, inside)
    frame(x0, y0, x1, y1, edge)


def disc(cx, cy, r, c):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                put(x, y, c)


def dim_h(x0, x1, y, ticks=6):
    """Horizontal dimension line with end ticks."""
    line(x0, y, x1, y, DIM)
    line(x0, y - ticks, x0, y + ticks, DIM)
    line(x1, y - ticks, x1, y + ticks, DIM)


def dim_v(x, y0, y1, ticks=6):
    line(x, y0, x, y1, DIM)
    line(x - ticks, y0, x + ticks, y0, DIM)
    line(x - ticks, y1, x + ticks, y1, DIM)


# Foundation with a hatched section face.
box(20, 250, 300, 350, CONCRETE, HATCH)
for k in range(20, 400, 14):
    # 45-degree hatching, clipped to the section face.
    for i in range(100):
        x, y = k - i, 250 + i
        if 22 <= x < 298 and y < 348:
            put(x, y, HATCH)
# Grout bed and base plate.
box(60, 236, 260, 250, PLATE)
# Column (H-section, flanges seen from the side) standing on the plate.
box(110, 20, 210, 236, STEEL)
line(122, 20, 122, 236, EDGE, 2)
line(198, 20, 198, 236, EDGE, 2)
# Anchor bolts through plate and foundation, nuts on top.
for x in (80, 240):
    fill(x - 3, 226, x + 4, 330, EDGE)
    box(x - 9, 226, x + 10, 236, PLATE)
# Weld fillets between column and plate.
for i in range(8):
    line(110 - i, 236 - 8 + i, 110, 236 - 8 + i, EDGE)
    line(210, 236 - 8 + i, 210 + i, 236 - 8 + i, EDGE)

# Dimensions that the dialog's labels name: plate length (L), plate
# thickness (t), anchor spacing (s).
dim_h(60, 260, 214)          # L
dim_v(276, 236, 250)         # t
dim_h(80, 240, 340)          # s

# The panel on which the fields lie.
fill(320, 10, 470, 350, PANEL)
frame(320, 10, 470, 350, PANEL_EDGE, 1)


def write(path):
    row_bytes = W * 3
    pad = (4 - row_bytes % 4) % 4
    size = 54 + (row_bytes + pad) * H
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", size, 0, 0, 54))
        f.write(struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, size - 54, 2835, 2835, 0, 0))
        for y in range(H - 1, -1, -1):
            for r, g, b in pixels[y]:
                f.write(bytes((b, g, r)))
            f.write(b"\0" * pad)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write(sys.argv[1])
