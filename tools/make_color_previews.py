#!/usr/bin/env python3
"""Draws the twenty colour-scheme previews "IDB_COLOR1".."IDB_COLOR20".

    python3 tools/make_color_previews.py

Each preview is a small picture of the diary window (170 x 115, 8 bits per
pixel) in the colours that scheme gives it: the calendar bar, the selected row
of the record table, the BMI chart with its bands and title line, and the line
graph with its bands. The colours are not copied by hand: the scheme table and
the fixed entries are read from src/charts/chart_palette.cpp, and the 54 chart
palette entries lead each picture's colour table in palette order (the
program's tests compare them with the palette the program builds).
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_bitmaps import Canvas, write_bmp8  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
PALETTE_SOURCE = os.path.join(HERE, "..", "src", "charts", "chart_palette.cpp")
OUT = os.path.join(HERE, "..", "src", "resources", "bitmaps")

WIDTH, HEIGHT = 170, 115
PALETTE_SIZE = 54

WHITE = (255, 255, 255)
FACE = (212, 208, 200)      # button face of the classic look
SHADOW = (128, 128, 128)
DARK = (64, 64, 64)
WINDOW_GREY = (192, 192, 192)  # the diary window's own background


# ---------------------------------------------------------------- the palette

def read_palette_tables(path=PALETTE_SOURCE):
    """(fixed entries {index: rgb}, schemes [(c1, c2, c3, offset)]) from the C++ tables."""
    source = open(path, encoding="utf-8").read()
    fixed_block = re.search(r"kFixedEntries\[\]\s*=\s*\{(.*?)\};", source, re.S).group(1)
    fixed = {int(i): (int(r), int(g), int(b))
             for i, r, g, b in re.findall(r"\{\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\s*\}", fixed_block)}
    scheme_block = re.search(r"kSchemes\[kColorSchemeCount\]\s*=\s*\{(.*?)\n\};", source, re.S).group(1)
    schemes = []
    for line in scheme_block.strip().splitlines():
        numbers = [int(n) for n in re.findall(r"-?\d+", line)]
        c1, c2, c3 = tuple(numbers[0:3]), tuple(numbers[4:7]), tuple(numbers[8:11])
        schemes.append((c1, c2, c3, numbers[12]))
    if len(schemes) != 20 or len(fixed) != 46:
        raise SystemExit("chart_palette.cpp: scheme or fixed-entry table not understood")
    return fixed, schemes


def chart_palette(fixed, scheme):
    """The 54 entries as the diary window builds them for the scheme."""
    c1, c2, c3, offset = scheme
    entries = [(0, 0, 0)] * PALETTE_SIZE
    for index, colour in fixed.items():
        entries[index] = colour
    r, g, b = (c + offset for c in c2)

    def channel(value, saturate):
        return 255 if saturate or value >= 255 else max(0, value)
    entries[3] = (channel(r + 10, r + 10 >= 255), channel(g + 10, g + 40 >= 255), channel(b + 10, b + 40 >= 255))
    for k in range(4):
        entries[4 + k] = tuple(channel(x + 30 * k, False) for x in (r, g, b))
    entries[45], entries[46], entries[47] = c1, c2, c3
    return entries


# ---------------------------------------------------------------- drawing

def rect(c, x0, y0, x1, y1, colour):
    """Fills x0 <= x < x1, y0 <= y < y1 with one colour (no soft edges)."""
    for y in range(max(0, y0), min(c.h, y1)):
        for x in range(max(0, x0), min(c.w, x1)):
            c.px[y * c.w + x] = list(colour)


def dot(c, x, y, colour):
    if 0 <= x < c.w and 0 <= y < c.h:
        c.px[y * c.w + x] = list(colour)


def hline(c, x0, x1, y, colour, step=1):
    for x in range(x0, x1, step):
        dot(c, x, y, colour)


def vline(c, x, y0, y1, colour, step=1):
    for y in range(y0, y1, step):
        dot(c, x, y, colour)


def segment(c, x0, y0, x1, y1, colour):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        dot(c, round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)


def sunken(c, x0, y0, x1, y1):
    hline(c, x0, x1, y0, SHADOW)
    vline(c, x0, y0, y1, SHADOW)
    hline(c, x0, x1 + 1, y1, WHITE)
    vline(c, x1, y0, y1, WHITE)


# A 3 x 5 pixel font for the figures of the table.
GLYPHS = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111", "3": "111001111001111",
    "4": "101101111001001", "5": "111100111001111", "6": "111100111101111", "7": "111001010010010",
    "8": "111101111101111", "9": "111101111001111", "/": "001001010100100", ".": "000000000000010",
    "-": "000000111000000", " ": "000000000000000",
}


def figures(c, x, y, text, colour):
    for ch in text:
        bits = GLYPHS[ch]
        for i, bit in enumerate(bits):
            if bit == "1":
                dot(c, x + i % 3, y + i // 3, colour)
        x += 2 if ch == "." else 4
    return x


def preview(palette):
    c = Canvas(WIDTH, HEIGHT, WINDOW_GREY)
    p = palette
    table_right = 96

    # Record table: header, rows, the selected row in scheme colour 3.
    rect(c, 2, 2, table_right, 14, WHITE)
    for x in (3, 22, 40, 58, 76):
        hline(c, x + 1, x + 12, 5, p[32])
        hline(c, x + 1, x + 9, 9, p[32])
    sunken(c, 2, 15, table_right, 61)
    rect(c, 3, 16, table_right, 61, WHITE)
    rows = [("05/01", "63.2", "24.4"), ("05/02", "62.9", "24.3"), ("05/03", "62.7", "24.2"),
            ("05/04", "62.8", "24.2"), ("05/05", "62.4", "24.1"), ("05/06", "62.1", "24.0")]
    for i, (day, weight, bmi) in enumerate(rows):
        top = 17 + i * 7
        if i == 4:
            rect(c, 3, top - 1, table_right, top + 6, p[47])
        figures(c, 5, top, day, p[32])
        figures(c, 28, top, weight, p[32])
        figures(c, 48, top, bmi, p[32])
        hline(c, 67, 80, top + 2, p[32])
        for x in (25, 45, 64, 83):
            dot(c, x, top + 2, FACE)

    # Calendar bar at the top right: scheme colour 1, buttons in colour 3.
    cal_left = 100
    rect(c, cal_left, 0, WIDTH, 12, p[45])
    hline(c, cal_left, WIDTH, 11, p[46])
    for x0, x1 in ((cal_left + 2, cal_left + 10), (cal_left + 11, cal_left + 19),
                   (WIDTH - 19, WIDTH - 11), (WIDTH - 10, WIDTH - 2)):
        rect(c, x0, 2, x1, 9, p[47])
        hline(c, x0, x1, 9, p[46])
    rect(c, cal_left + 21, 2, WIDTH - 21, 9, WHITE)
    figures(c, cal_left + 23, 3, "05/05", p[32])

    # BMI chart panel: title line in colour 2, class bands, axis bands in entry 5.
    left, top, right, bottom = table_right + 4, 15, WIDTH - 2, 61
    sunken(c, left, top, right, bottom)
    rect(c, left + 1, top + 1, right, bottom, WHITE)
    hline(c, left + 3, left + 20, top + 3, p[32])
    for y in (top + 6, top + 8):
        hline(c, left + 3, right - 2, y, p[46])
    area = (left + 3, top + 11, right - 2, bottom - 2)
    rect(c, area[0], area[1], area[2], area[3], p[53])
    # Class curves rise to the right; each band below its curve has its own colour.
    width, height = area[2] - area[0], area[3] - area[1]
    limits = [0.30, 0.48, 0.62, 0.76, 0.90]
    for x in range(area[0], area[2]):
        t = (x - area[0]) / width
        for j in range(4, -1, -1):
            curve = area[3] - int(height * limits[j] * (0.35 + 0.9 * t))
            for y in range(max(area[1], curve), area[3]):
                dot(c, x, y, p[48 + j])
            dot(c, x, max(area[1], curve), p[41])
    rect(c, area[0], area[1], area[0] + 4, area[3], p[5])
    rect(c, area[0], area[3] - 4, area[2], area[3], p[5])
    # The marker: cross-hair and ring.
    mx, my = area[0] + width * 11 // 20, area[1] + height * 9 // 20
    vline(c, mx, area[1], area[3] - 4, p[9])
    hline(c, area[0] + 4, area[2], my, p[9])
    rect(c, mx - 1, my - 1, mx + 2, my + 2, WHITE)
    for dx, dy in ((-2, 0), (2, 0), (0, -2), (0, 2)):
        dot(c, mx + dx, my + dy, p[10])

    # Selectors between the table and the graph.
    for x0 in (6, 30, 54, 78):
        rect(c, x0, 64, x0 + 22, 70, WHITE)
        dot(c, x0 + 19, 66, DARK)
        hline(c, x0 + 18, x0 + 21, 66, DARK)

    # Line graph: bands in scheme colour 1, two series with dotted targets.
    g_left, g_top, g_right, g_bottom = 2, 72, WIDTH - 2, HEIGHT - 2
    sunken(c, g_left, g_top, g_right, g_bottom)
    rect(c, g_left + 1, g_top + 1, g_right, g_bottom, WHITE)
    band = 8
    rect(c, g_left + 1, g_top + 1, g_right, g_top + 6, p[45])
    rect(c, g_left + 1, g_top + 1, g_left + 1 + band, g_bottom, p[45])
    rect(c, g_right - band, g_top + 1, g_right, g_bottom, p[45])
    rect(c, g_left + 1, g_bottom - 6, g_right, g_bottom, p[45])
    plot_left, plot_right = g_left + band + 3, g_right - band - 3
    for x in range(plot_left, plot_right, 9):
        vline(c, x, g_bottom - 8, g_bottom - 5, p[45])
        dot(c, x, g_bottom - 3, WHITE)
    vline(c, plot_left + 9 * 12, g_top + 7, g_bottom - 6, p[45], step=2)
    hline(c, plot_left, plot_right, g_top + 16, p[43], step=2)
    hline(c, plot_left, plot_right, g_top + 30, p[44], step=2)
    weights = [10, 12, 11, 14, 13, 15, 17, 16, 18, 19, 18, 21, 22, 21, 23, 24, 24]
    fats = [30, 29, 31, 30, 28, 29, 27, 28, 26, 27, 25, 26, 25, 24, 25, 23, 23]
    for series, colour in ((weights, p[43]), (fats, p[44])):
        points = [(plot_left + 9 * i, g_top + 4 + v) for i, v in enumerate(series)]
        for a, b in zip(points, points[1:]):
            segment(c, a[0], a[1], b[0], b[1], colour)
        for x, y in points:
            rect(c, x - 1, y - 1, x + 2, y + 2, colour)
    return c


def main():
    fixed, schemes = read_palette_tables()
    os.makedirs(OUT, exist_ok=True)
    for number, scheme in enumerate(schemes):
        palette = chart_palette(fixed, scheme)
        extra = [WHITE, FACE, SHADOW, DARK, WINDOW_GREY]
        write_bmp8(os.path.join(OUT, "color%d.bmp" % (number + 1)), preview(palette), fixed=palette + extra)


if __name__ == "__main__":
    main()
