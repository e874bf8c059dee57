#!/usr/bin/env python3
"""Writes the section tables prof/IPE.pr, prof/HEA.pr and prof/HEB.pr.

The nominal dimensions h, b, tw, tf and r are those of the European rolled
sections (EN 10365, IPE after EURONORM 19-57, HE after EURONORM 53-62); every
other value is computed from them with the formulas the steel makers' tables
use (root fillets included), so each row is consistent and reproducible.

A table is a row file (docs/core-files.md): tab-separated cells, one row a
line. Row 1 holds the template (1: the built-in I section shape), row 2 the
header "SysName", "I/O", the five language names and the value columns, then
one row per size.

    write_sections.py           rewrite the tables
    write_sections.py --check   exit 1 when a committed table differs
"""
import math
import pathlib
import sys

PROF = pathlib.Path(__file__).resolve().parent.parent / "library" / "prof"

LANGUAGES = ["English", "Dutch", "German", "French", "Korean"]
SHAPE_I = "1"

# size: (h, b, tw, tf, r) in mm
IPE = {
    80: (80, 46, 3.8, 5.2, 5), 100: (100, 55, 4.1, 5.7, 7), 120: (120, 64, 4.4, 6.3, 7),
    140: (140, 73, 4.7, 6.9, 7), 160: (160, 82, 5.0, 7.4, 9), 180: (180, 91, 5.3, 8.0, 9),
    200: (200, 100, 5.6, 8.5, 12), 220: (220, 110, 5.9, 9.2, 12), 240: (240, 120, 6.2, 9.8, 15),
    270: (270, 135, 6.6, 10.2, 15), 300: (300, 150, 7.1, 10.7, 15), 330: (330, 160, 7.5, 11.5, 18),
    360: (360, 170, 8.0, 12.7, 18), 400: (400, 180, 8.6, 13.5, 21), 450: (450, 190, 9.4, 14.6, 21),
    500: (500, 200, 10.2, 16.0, 21), 550: (550, 210, 11.1, 17.2, 24), 600: (600, 220, 12.0, 19.0, 24),
}
HEA = {
    100: (96, 100, 5.0, 8.0, 12), 120: (114, 120, 5.0, 8.0, 12), 140: (133, 140, 5.5, 8.5, 12),
    160: (152, 160, 6.0, 9.0, 15), 180: (171, 180, 6.0, 9.5, 15), 200: (190, 200, 6.5, 10.0, 18),
    220: (210, 220, 7.0, 11.0, 18), 240: (230, 240, 7.5, 12.0, 21), 260: (250, 260, 7.5, 12.5, 24),
    280: (270, 280, 8.0, 13.0, 24), 300: (290, 300, 8.5, 14.0, 27), 320: (310, 300, 9.0, 15.5, 27),
    340: (330, 300, 9.5, 16.5, 27), 360: (350, 300, 10.0, 17.5, 27), 400: (390, 300, 11.0, 19.0, 27),
    450: (440, 300, 11.5, 21.0, 27), 500: (490, 300, 12.0, 23.0, 27), 550: (540, 300, 12.5, 24.0, 27),
    600: (590, 300, 13.0, 25.0, 27),
}
HEB = {
    100: (100, 100, 6.0, 10.0, 12), 120: (120, 120, 6.5, 11.0, 12), 140: (140, 140, 7.0, 12.0, 12),
    160: (160, 160, 8.0, 13.0, 15), 180: (180, 180, 8.5, 14.0, 15), 200: (200, 200, 9.0, 15.0, 18),
    220: (220, 220, 9.5, 16.0, 18), 240: (240, 240, 10.0, 17.0, 21), 260: (260, 260, 10.0, 17.5, 24),
    280: (280, 280, 10.5, 18.0, 24), 300: (300, 300, 11.0, 19.0, 27), 320: (320, 300, 11.5, 20.5, 27),
    340: (340, 300, 12.0, 21.5, 27), 360: (360, 300, 12.5, 22.5, 27), 400: (400, 300, 13.5, 24.0, 27),
    450: (450, 300, 14.0, 26.0, 27), 500: (500, 300, 14.5, 28.0, 27), 550: (550, 300, 15.0, 29.0, 27),
    600: (600, 300, 15.5, 30.0, 27),
}

# Value columns and their units (docs/sample-library.md lists them):
# h b tw tf r hi d [mm], A [cm2], G [kg/m], Iy [cm4], Wely Wply [cm3], iy [cm],
# Avz [cm2], Iz [cm4], Welz Wplz [cm3], iz [cm], AL [m2/m].
COLUMNS = ["h", "b", "tw", "tf", "r", "A", "G", "hi", "d", "Iy", "Wely", "Wply", "iy", "Avz",
           "Iz", "Welz", "Wplz", "iz", "AL"]
DENSITY = 7850.0  # kg/m3


def properties(h, b, tw, tf, r):
    hi = h - 2 * tf
    area = 2 * b * tf + hi * tw + (4 - math.pi) * r * r  # mm2
    iy = (b * h**3 - (b - tw) * hi**3) / 12 + 0.03 * r**4 + 0.2146 * r * r * (hi - 0.4468 * r) ** 2
    iz = (2 * tf * b**3 + hi * tw**3) / 12 + 0.03 * r**4 + 0.2146 * r * r * (tw + 0.4468 * r) ** 2
    wply = (tw * h * h / 4 + (b - tw) * (h - tf) * tf + (4 - math.pi) / 2 * r * r * hi
            + (3 * math.pi - 10) / 3 * r**3)
    wplz = b * b * tf / 2 + hi / 4 * tw * tw + r**3 * (10 / 3 - math.pi) + (2 - math.pi / 2) * tw * r * r
    avz = max(area - 2 * b * tf + (tw + 2 * r) * tf, hi * tw)
    perimeter = 2 * h + 4 * b - 2 * tw + (2 * math.pi - 8) * r
    return {
        "h": h, "b": b, "tw": tw, "tf": tf, "r": r,
        "A": area / 1e2, "G": area * 1e-6 * DENSITY, "hi": hi, "d": hi - 2 * r,
        "Iy": iy / 1e4, "Wely": 2 * iy / h / 1e3, "Wply": wply / 1e3, "iy": math.sqrt(iy / area) / 10,
        "Avz": avz / 1e2,
        "Iz": iz / 1e4, "Welz": 2 * iz / b / 1e3, "Wplz": wplz / 1e3, "iz": math.sqrt(iz / area) / 10,
        "AL": perimeter / 1e3,
    }


def number(value, column):
    if column in ("h", "b", "tw", "tf", "r", "hi", "d", "G"):
        decimals = 1
    elif column == "AL":
        decimals = 3
    elif abs(value) < 100:
        decimals = 2
    elif abs(value) < 10000:
        decimals = 1
    else:
        decimals = 0
    text = f"{value:.{decimals}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return text


def table_text(family, sizes):
    rows = [[SHAPE_I], ["SysName", "I/O"] + LANGUAGES + COLUMNS]
    for size, dims in sizes.items():
        values = properties(*dims)
        name = f"{family} {size}"
        rows.append([f"{family}{size}", "1"] + [name] * len(LANGUAGES) +
                    [number(values[c], c) for c in COLUMNS])
    return "".join("\t".join(row) + "\n" for row in rows)


def main(argv):
    if "--help" in argv or "-h" in argv:
        print(__doc__.strip())
        return 0
    check = "--check" in argv
    stale = []
    for family, sizes in (("IPE", IPE), ("HEA", HEA), ("HEB", HEB)):
        path = PROF / f"{family}.pr"
        text = table_text(family, sizes)
        if check:
            if not path.exists() or path.read_text() != text:
                stale.append(path)
        else:
            path.write_text(text)
    for path in stale:
        print(f"{path}: differs from write_sections.py", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
