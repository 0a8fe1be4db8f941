#!/usr/bin/env python3
"""Draws the program's pictures and writes them into src/resources/bitmaps/.

    python3 tools/make_bitmaps.py

Plain Python 3, no modules beyond the standard library. Shapes are drawn with
signed distances (one pixel of soft edge), so the pictures come out smooth;
the 8-bit pictures get a palette by median cut.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "src", "resources", "bitmaps")


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, w, h, colour=(255, 255, 255)):
        self.w, self.h = w, h
        self.px = [list(colour) for _ in range(w * h)]
        self.alpha = [0.0] * (w * h)  # coverage, for pictures with a mask

    def blend(self, x, y, colour, a):
        if a <= 0.0:
            return
        i = y * self.w + x
        p = self.px[i]
        if a >= 1.0:
            p[0], p[1], p[2] = colour
            self.alpha[i] = 1.0
        else:
            p[0] += (colour[0] - p[0]) * a
            p[1] += (colour[1] - p[1]) * a
            p[2] += (colour[2] - p[2]) * a
            self.alpha[i] = self.alpha[i] + (1.0 - self.alpha[i]) * a

    def fill_sdf(self, box, sdf, colour, shade=None):
        """Fills where sdf(x, y) < 0; shade(x, y) may vary the colour."""
        x0, y0, x1, y1 = box
        x0 = max(0, int(math.floor(x0)) - 1)
        y0 = max(0, int(math.floor(y0)) - 1)
        x1 = min(self.w - 1, int(math.ceil(x1)) + 1)
        y1 = min(self.h - 1, int(math.ceil(y1)) + 1)
        for y in range(y0, y1 + 1):
            cy = y + 0.5
            for x in range(x0, x1 + 1):
                cx = x + 0.5
                d = sdf(cx, cy)
                a = 0.5 - d
                if a <= 0.0:
                    continue
                c = shade(cx, cy) if shade else colour
                self.blend(x, y, c, 1.0 if a >= 1.0 else a)

    # shapes ------------------------------------------------------------
    def ellipse(self, cx, cy, rx, ry, colour, shade=None):
        def sdf(x, y):
            dx, dy = (x - cx) / rx, (y - cy) / ry
            k = math.hypot(dx, dy)
            if k == 0:
                return -min(rx, ry)
            g = math.hypot(dx / rx, dy / ry)
            return (k - 1.0) / g if g else 0.0
        self.fill_sdf((cx - rx, cy - ry, cx + rx, cy + ry), sdf, colour, shade)

    def circle(self, cx, cy, r, colour, shade=None):
        self.ellipse(cx, cy, r, r, colour, shade)

    def ring(self, cx, cy, r, width, colour):
        def sdf(x, y):
            return abs(math.hypot(x - cx, y - cy) - r) - width / 2
        e = r + width
        self.fill_sdf((cx - e, cy - e, cx + e, cy + e), sdf, colour)

    def arc(self, cx, cy, r, a0, a1, width, colour):
        """A stroke along the circle from angle a0 to a1 (degrees, y down)."""
        p0 = (cx + r * math.cos(math.radians(a0)), cy + r * math.sin(math.radians(a0)))
        p1 = (cx + r * math.cos(math.radians(a1)), cy + r * math.sin(math.radians(a1)))
        lo, hi = min(a0, a1), max(a0, a1)

        def sdf(x, y):
            ang = math.degrees(math.atan2(y - cy, x - cx))
            for k in (-360, 0, 360):
                if lo <= ang + k <= hi:
                    return abs(math.hypot(x - cx, y - cy) - r) - width / 2
            return min(math.hypot(x - p0[0], y - p0[1]), math.hypot(x - p1[0], y - p1[1])) - width / 2
        e = r + width
        self.fill_sdf((cx - e, cy - e, cx + e, cy + e), sdf, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        ll = dx * dx + dy * dy or 1e-9

        def sdf(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
            return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - width / 2
        r = width / 2
        self.fill_sdf((min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r), sdf, colour)

    def polyline(self, points, width, colour):
        for a, b in zip(points, points[1:]):
            self.line(a[0], a[1], b[0], b[1], width, colour)

    def rrect(self, x0, y0, x1, y1, r, colour, shade=None):
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

        def sdf(x, y):
            qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
            return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
        self.fill_sdf((x0, y0, x1, y1), sdf, colour, shade)

    def polygon(self, points, colour):
        n = len(points)

        def sdf(x, y):
            d = float("inf")
            inside = False
            for i in range(n):
                ax, ay = points[i]
                bx, by = points[(i + 1) % n]
                ex, ey = bx - ax, by - ay
                ll = ex * ex + ey * ey or 1e-9
                t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / ll))
                d = min(d, math.hypot(x - ax - t * ex, y - ay - t * ey))
                if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey or 1e-9):
                    inside = not inside
            return -d if inside else d
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill_sdf((min(xs), min(ys), max(xs), max(ys)), sdf, colour)

    def vgradient(self, top, bottom):
        for y in range(self.h):
            t = y / max(1, self.h - 1)
            c = [top[k] + (bottom[k] - top[k]) * t for k in range(3)]
            for x in range(self.w):
                self.px[y * self.w + x] = list(c)

    def rgb(self, x, y):
        p = self.px[y * self.w + x]
        return tuple(max(0, min(255, int(round(v)))) for v in p)


# ---------------------------------------------------------------- BMP files

def write_bmp24(path, canvas, mask_colour=None):
    """24-bit bottom-up BMP. With a mask colour, pixels that the drawing barely
    covers get it; the canvas was laid on the button face colour, so the soft
    edges that stay show no fringe."""
    w, h = canvas.w, canvas.h
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = canvas.rgb(x, y)
            if mask_colour is not None:
                a = canvas.alpha[y * w + x]
                if a < 0.35:
                    r, g, b = mask_colour
                elif (r, g, b) == mask_colour:
                    b -= 1
            row += bytes((b, g, r))
        row += b"\0" * (stride - w * 3)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54))
        f.write(header + data)


def median_cut(colours, count):
    """colours: {rgb: occurrences}; returns up to `count` palette entries."""
    boxes = [list(colours.items())]
    while len(boxes) < count:
        best, best_range, best_channel = None, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[0][ch] for c in box]
                rng = max(vals) - min(vals)
                weight = rng * math.log(1 + sum(n for _, n in box))
                if weight > best_range:
                    best, best_range, best_channel = i, weight, ch
        if best is None:
            break
        box = sorted(boxes[best], key=lambda c: c[0][best_channel])
        total = sum(n for _, n in box)
        acc, cut = 0, 1
        for j, (_, n) in enumerate(box):
            acc += n
            if acc >= total / 2:
                cut = max(1, min(len(box) - 1, j))
                break
        boxes[best:best + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(c[k] * n for c, n in box) / total)) for k in range(3)))
    return palette


def write_bmp8(path, canvas, fixed=()):
    w, h = canvas.w, canvas.h
    counts = {}
    pixels = [canvas.rgb(x, y) for y in range(h) for x in range(w)]
    for p in pixels:
        counts[p] = counts.get(p, 0) + 1
    palette = list(fixed) + median_cut(counts, 256 - len(fixed))
    palette = palette[:256]
    nearest = {}
    for c in counts:
        best, bd = 0, 1e18
        for i, q in enumerate(palette):
            d = (c[0] - q[0]) ** 2 * 3 + (c[1] - q[1]) ** 2 * 4 + (c[2] - q[2]) ** 2 * 2
            if d < bd:
                best, bd = i, d
        nearest[c] = best
    stride = (w + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytes(nearest[pixels[y * w + x]] for x in range(w)) + b"\0" * (stride - w)
        rows.append(row)
    data = b"".join(rows)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + b"\0" * 4 * (256 - len(palette))
    offset = 14 + 40 + len(table)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset))
        f.write(header + table + data)


def write_ico(path, canvases):
    """An icon file with 32-bit images (alpha from coverage) and AND masks."""
    images = []
    for c in canvases:
        w, h = c.w, c.h
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b = c.rgb(x, y)
                a = int(round(255 * c.alpha[y * w + x]))
                xor += bytes((b, g, r, a))
        mask_stride = ((w + 31) // 32) * 4
        andmask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(w):
                if c.alpha[y * w + x] < 0.5:
                    row[x // 8] |= 0x80 >> (x % 8)
            andmask += row
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
        images.append((w, h, header + bytes(xor) + bytes(andmask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, data in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(d for _, _, d in images))


# ---------------------------------------------------------------- the mascot

PEACH = (255, 196, 186)
PEACH_DARK = (236, 150, 146)
OUTLINE = (120, 70, 70)
LEAF = (110, 190, 110)
LEAF_DARK = (70, 140, 80)
CHEEK = (255, 140, 150)
EYE = (60, 40, 50)
WHITE = (255, 255, 255)
TAPE = (255, 214, 90)


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def draw_mascot(c, cx, cy, s, pose):
    """Pelmo-chan: a round peach-coloured friend with a sprout, a measuring
    tape for a belt. pose 0: waving with the right hand high, eyes open;
    pose 1: the hand swung over, hopping, eyes closed in a smile."""
    hop = -7 * s if pose == 1 else 0
    tilt = 4 if pose == 1 else -3
    by = cy + hop
    # shadow on the floor
    shadow = mix((230, 225, 220), (200, 190, 190), 0.5)
    c.ellipse(cx, cy + 95 * s, (60 if pose == 0 else 50) * s, 8 * s, shadow)
    # feet
    c.ellipse(cx - 32 * s, by + 84 * s, 22 * s, 12 * s, OUTLINE)
    c.ellipse(cx + 32 * s, by + 84 * s, 22 * s, 12 * s, OUTLINE)
    c.ellipse(cx - 32 * s, by + 83 * s, 19 * s, 9.5 * s, PEACH_DARK)
    c.ellipse(cx + 32 * s, by + 83 * s, 19 * s, 9.5 * s, PEACH_DARK)
    # arms: left one rests, right one waves
    left_hand = (cx - 96 * s, by + 30 * s) if pose == 0 else (cx - 92 * s, by + 8 * s)
    right_hand = (cx + 88 * s, by - 58 * s) if pose == 0 else (cx + 104 * s, by - 30 * s)
    for hand, shoulder in ((left_hand, (cx - 60 * s, by + 10 * s)), (right_hand, (cx + 60 * s, by - 5 * s))):
        c.line(shoulder[0], shoulder[1], hand[0], hand[1], 22 * s, OUTLINE)
        c.line(shoulder[0], shoulder[1], hand[0], hand[1], 17 * s, PEACH_DARK)
        c.circle(hand[0], hand[1], 14 * s, OUTLINE)
        c.circle(hand[0], hand[1], 11.5 * s, PEACH)
    # motion lines beside the waving hand
    hx, hy = right_hand
    for k in range(3):
        ang = (-60 + k * 30) if pose == 0 else (-20 + k * 30)
        r0, r1 = 22 * s, 32 * s
        a = math.radians(ang)
        c.line(hx + r0 * math.cos(a), hy + r0 * math.sin(a), hx + r1 * math.cos(a), hy + r1 * math.sin(a),
               3.5 * s, (250, 150, 120))
    # body
    c.ellipse(cx, by + 10 * s, 84 * s, 80 * s, OUTLINE)

    def body_shade(x, y):
        # light from the upper left
        dx, dy = (x - (cx - 28 * s)) / (120 * s), (y - (by - 30 * s)) / (120 * s)
        t = min(1.0, math.hypot(dx, dy))
        return mix((255, 226, 214), PEACH_DARK, t * t * 0.9)
    c.ellipse(cx, by + 10 * s, 80 * s, 76 * s, PEACH, body_shade)
    # the tape belt
    c.fill_sdf((cx - 80 * s, by + 38 * s, cx + 80 * s, by + 58 * s),
               lambda x, y: max(abs(y - (by + 48 * s + 0.0006 * (x - cx) ** 2 / s)) - 7 * s,
                                math.hypot((x - cx) / (80 * s), (y - by - 10 * s) / (76 * s)) * 76 * s - 76 * s),
               TAPE)
    for k in range(-6, 7):
        x = cx + k * 11 * s
        y = by + 48 * s + 0.0006 * (x - cx) ** 2 / s
        if math.hypot((x - cx) / (78 * s), (y - by - 10 * s) / (74 * s)) < 1:
            c.line(x, y - 7 * s, x, y - (1 if k % 2 else -1) * s, 1.6 * s, (170, 120, 40))
    # sprout
    sx, sy = cx + tilt * s, by - 66 * s
    c.line(sx, sy + 4 * s, sx + 2 * s, sy - 18 * s, 5 * s, LEAF_DARK)
    for side in (-1, 1):
        lx, ly = sx + side * 16 * s + 2 * s, sy - 22 * s
        c.ellipse(lx, ly, 17 * s, 9 * s, LEAF_DARK)
        c.ellipse(lx, ly - 0.5 * s, 15 * s, 7 * s, LEAF)
    # face
    ey = by - 4 * s
    for side in (-1, 1):
        ex = cx + side * 28 * s + tilt * 0.5 * s
        if pose == 0:
            c.ellipse(ex, ey, 10 * s, 13 * s, EYE)
            c.circle(ex + 3 * s, ey - 5 * s, 3.8 * s, WHITE)
            c.circle(ex - 3 * s, ey + 4 * s, 1.8 * s, WHITE)
        else:
            c.arc(ex, ey + 4 * s, 10 * s, 200, 340, 4.5 * s, EYE)
        c.ellipse(ex + side * 14 * s, ey + 20 * s, 13 * s, 8 * s, mix(PEACH, CHEEK, 0.8))
    mx, my = cx + tilt * 0.5 * s, by + 14 * s
    if pose == 0:
        c.ellipse(mx, my + 3 * s, 12 * s, 10 * s, (170, 60, 70))
        c.fill_sdf((mx - 13 * s, my - 8 * s, mx + 13 * s, my + 3 * s),
                   lambda x, y: max(y - my - 2 * s, math.hypot((x - mx) / (13 * s), (y - my - 3 * s) / (11 * s)) * 11 * s - 11 * s),
                   body_shade(mx, my))
        c.ellipse(mx, my + 9 * s, 6 * s, 3.5 * s, (250, 130, 140))
    else:
        c.ellipse(mx, my + 2 * s, 13 * s, 12 * s, (170, 60, 70))
        c.fill_sdf((mx - 14 * s, my - 11 * s, mx + 14 * s, my + 2 * s),
                   lambda x, y: max(y - my - 1 * s, math.hypot((x - mx) / (14 * s), (y - my - 2 * s) / (13 * s)) * 13 * s - 13 * s),
                   body_shade(mx, my))
        c.ellipse(mx, my + 9 * s, 7 * s, 4 * s, (250, 130, 140))
    # shine on the body
    c.ellipse(cx - 44 * s, by - 36 * s, 12 * s, 7 * s, mix(PEACH, WHITE, 0.7))


def heart(c, x, y, r, colour):
    c.circle(x - r * 0.5, y, r * 0.55, colour)
    c.circle(x + r * 0.5, y, r * 0.55, colour)
    c.polygon([(x - r * 1.0, y + r * 0.2), (x + r * 1.0, y + r * 0.2), (x, y + r * 1.25)], colour)


def sparkle(c, x, y, r, colour):
    c.polygon([(x, y - r), (x + r * 0.25, y - r * 0.25), (x + r, y), (x + r * 0.25, y + r * 0.25),
               (x, y + r), (x - r * 0.25, y + r * 0.25), (x - r, y), (x - r * 0.25, y - r * 0.25)], colour)


# stroke letters for the few words the pictures spell
def letter(c, ch, x, y, h, width, colour):
    """Draws one letter with its baseline at y, height h; returns its advance."""
    u = h / 10.0
    if ch == "P":
        c.line(x, y, x, y - 10 * u, width, colour)
        c.arc(x + 2.5 * u, y - 7.5 * u, 2.5 * u, -90, 90, width, colour)
        c.line(x, y - 10 * u, x + 2.5 * u, y - 10 * u, width, colour)
        c.line(x, y - 5 * u, x + 2.5 * u, y - 5 * u, width, colour)
        return 7 * u
    if ch == "e":
        c.arc(x + 3 * u, y - 3 * u, 3 * u, 40, 360, width, colour)
        c.line(x, y - 3 * u, x + 6 * u, y - 3 * u, width, colour)
        return 8 * u
    if ch == "l":
        c.line(x + u, y - 10.5 * u, x + u, y - 1 * u, width, colour)
        c.arc(x + 2.5 * u, y - 1 * u, 1.5 * u, 90, 180, width, colour)
        return 4.5 * u
    if ch == "m":
        c.line(x, y, x, y - 6 * u, width, colour)
        c.arc(x + 2 * u, y - 4 * u, 2 * u, 180, 360, width, colour)
        c.line(x + 4 * u, y, x + 4 * u, y - 4 * u, width, colour)
        c.arc(x + 6 * u, y - 4 * u, 2 * u, 180, 360, width, colour)
        c.line(x + 8 * u, y, x + 8 * u, y - 4 * u, width, colour)
        return 10.5 * u
    if ch == "o":
        c.ring(x + 3 * u, y - 3 * u, 3 * u, width, colour)
        return 8.5 * u
    if ch == "f":
        c.arc(x + 3 * u, y - 8 * u, 2 * u, 180, 300, width, colour)
        c.line(x + u, y, x + u, y - 8 * u, width, colour)
        c.line(x - 0.5 * u, y - 5.5 * u, x + 3.5 * u, y - 5.5 * u, width, colour)
        return 5 * u
    if ch == "r":
        c.line(x, y, x, y - 6 * u, width, colour)
        c.arc(x + 3 * u, y - 3.5 * u, 3 * u, 200, 290, width, colour)
        return 5.5 * u
    if ch == "w":
        c.polyline([(x, y - 6 * u), (x + 1.6 * u, y), (x + 3.2 * u, y - 5 * u), (x + 4.8 * u, y),
                    (x + 6.4 * u, y - 6 * u)], width, colour)
        return 8.2 * u
    if ch == " ":
        return 4 * u
    raise ValueError(ch)


def text(c, word, x, y, h, width, colour):
    for ch in word:
        x += letter(c, ch, x, y, h, width, colour)
    return x


def text_width(word, h):
    probe = Canvas(1, 1)
    return text(probe, word, 0, -1000, h, 1, (0, 0, 0))


# ---------------------------------------------------------------- pictures

def splash():
    c = Canvas(450, 450)
    c.vgradient((255, 246, 236), (214, 240, 222))
    # soft circles in the back
    for x, y, r, col in ((80, 90, 70, (255, 232, 226)), (380, 120, 55, (232, 244, 255)),
                         (360, 360, 80, (226, 246, 230)), (60, 380, 50, (255, 240, 214))):
        c.circle(x, y, r, col)
    for x, y, r in ((70, 80, 12), (385, 95, 9), (400, 290, 11), (48, 260, 8)):
        heart(c, x, y, r, (255, 160, 175))
    for x, y, r in ((120, 50, 8), (330, 55, 10), (420, 200, 7), (30, 170, 9), (110, 300, 6)):
        sparkle(c, x, y, r, (255, 205, 90))
    draw_mascot(c, 225, 190, 1.15, 0)
    # the name
    h = 50
    w = text_width("Pelmo", h)
    x = 225 - w / 2
    text(c, "Pelmo", x + 2, 378 + 2, h, 9, (200, 150, 150))
    text(c, "Pelmo", x, 378, h, 9, (230, 95, 110))
    h2 = 22
    w2 = text_width("free", h2)
    text(c, "free", 225 - w2 / 2, 412, h2, 4.5, (90, 150, 100))
    return c


def mascot_frame(pose):
    c = Canvas(242, 244)
    c.vgradient((255, 255, 255), (250, 246, 240))
    draw_mascot(c, 118, 122, 0.92, pose)
    if pose == 1:
        sparkle(c, 30, 40, 9, (255, 205, 90))
        heart(c, 212, 190, 8, (255, 160, 175))
    else:
        sparkle(c, 214, 28, 7, (255, 205, 90))
        heart(c, 28, 70, 7, (255, 160, 175))
    return c


MASK = (255, 0, 255)
BUTTON_FACE = (212, 208, 200)


def icon_person(c, x, y, s, body, head):
    c.ellipse(x, y + 11 * s, 10 * s, 7.5 * s, body)
    c.circle(x, y, 6.5 * s, head)


def toolbar():
    c = Canvas(320, 40, BUTTON_FACE)
    blue, dblue = (70, 130, 210), (40, 80, 150)
    skin = (255, 210, 180)
    green, dgreen = (80, 180, 90), (40, 120, 50)
    paper, edge = (255, 255, 255), (110, 110, 130)

    # 1 new user: a person and a green plus
    o = 0
    icon_person(c, o + 17, 11, 1.3, blue, skin)
    c.ring(o + 17, 11, 8.5, 1.6, dblue)
    c.circle(o + 30, 28, 9, dgreen)
    c.circle(o + 30, 28, 7.6, green)
    c.line(o + 30, 23.5, o + 30, 32.5, 3, (255, 255, 255))
    c.line(o + 25.5, 28, o + 34.5, 28, 3, (255, 255, 255))

    # 2 open user: a folder with a person peeking out
    o = 40
    c.rrect(o + 3, 12, o + 18, 19, 2, (220, 160, 40))
    icon_person(c, o + 22, 10, 1.0, blue, skin)
    c.rrect(o + 3, 16, o + 37, 36, 3, (200, 140, 30))
    c.polygon([(o + 6, 20), (o + 39, 20), (o + 35, 36), (o + 2, 36)], (250, 200, 80))
    c.line(o + 6, 20, o + 39, 20, 1.2, (230, 170, 50))

    # 3 copy: two sheets, one over the other
    o = 80
    for dx, dy in ((0, 0), (10, 8)):
        c.rrect(o + 5 + dx, 3 + dy, o + 25 + dx, 29 + dy, 2, edge)
        c.rrect(o + 6.2 + dx, 4.2 + dy, o + 23.8 + dx, 27.8 + dy, 1.5, paper)
        for k in range(4):
            c.line(o + 9 + dx, 10 + dy + k * 4.5, o + 21 + dx, 10 + dy + k * 4.5, 1.6,
                   (130, 170, 220) if dx else (190, 190, 200))

    # 4 input: a calendar page with a plus for a new day
    o = 120
    c.rrect(o + 4, 6, o + 33, 35, 3, (200, 70, 80))
    c.rrect(o + 5.2, 13, o + 31.8, 33.8, 2, paper)
    for k in (11, 26):
        c.line(o + k, 3, o + k, 9, 3, (90, 90, 100))
    for r in range(3):
        for q in range(4):
            c.rrect(o + 8 + q * 6, 16 + r * 5.5, o + 11.5 + q * 6, 19.5 + r * 5.5, 0.8, (200, 200, 215))
    c.circle(o + 31, 30, 8.5, dgreen)
    c.circle(o + 31, 30, 7.2, green)
    c.line(o + 31, 26, o + 31, 34, 2.8, paper)
    c.line(o + 27, 30, o + 35, 30, 2.8, paper)

    # 5 edit: a sheet of lines and a pencil writing on it
    o = 160
    c.rrect(o + 4, 3, o + 28, 36, 2, edge)
    c.rrect(o + 5.2, 4.2, o + 26.8, 34.8, 1.5, paper)
    for k in range(5):
        c.line(o + 8, 9 + k * 5.5, o + 23, 9 + k * 5.5, 1.5, (190, 190, 205))
    c.line(o + 19, 30, o + 34, 11, 7.5, (90, 70, 40))
    c.line(o + 19.5, 29.5, o + 34, 11, 5.5, (250, 190, 60))
    c.line(o + 31.5, 14, o + 34.5, 10, 5.5, (240, 120, 130))
    c.polygon([(o + 16, 34), (o + 17.2, 27.4), (o + 21.8, 31)], (240, 210, 170))
    c.line(o + 16.2, 33.8, o + 17.3, 32.3, 1.6, (60, 60, 60))

    # 6 delete: a sheet with a red cross
    o = 200
    c.rrect(o + 4, 3, o + 27, 34, 2, edge)
    c.rrect(o + 5.2, 4.2, o + 25.8, 32.8, 1.5, paper)
    for k in range(5):
        c.line(o + 8, 9 + k * 5, o + 22, 9 + k * 5, 1.5, (190, 190, 205))
    c.circle(o + 28, 27, 10, (170, 30, 40))
    c.circle(o + 28, 27, 8.6, (230, 60, 70))
    c.line(o + 24, 23, o + 32, 31, 3, paper)
    c.line(o + 32, 23, o + 24, 31, 3, paper)

    # 7 targets: a target with an arrow in its centre
    o = 240
    for r, col in ((16, (200, 40, 50)), (12.5, paper), (9, (200, 40, 50)), (5.5, paper), (2.5, (200, 40, 50))):
        c.circle(o + 18, 22, r, col)
    c.line(o + 18, 22, o + 35, 5, 2.6, (90, 70, 40))
    c.polygon([(o + 18, 22), (o + 20.5, 15.5), (o + 24.5, 19.5)], (90, 70, 40))
    c.polygon([(o + 31, 5), (o + 36, 1), (o + 37, 6), (o + 35, 9), (o + 39, 10), (o + 34.5, 13)], (60, 160, 90))

    # 8 help: a blue disc with a question mark
    o = 280
    c.circle(o + 20, 20, 17, dblue)

    def help_shade(x, y):
        return mix((120, 180, 250), (40, 100, 200), min(1.0, math.hypot(x - o - 14, y - 12) / 24))
    c.circle(o + 20, 20, 15.5, blue, help_shade)
    c.arc(o + 20, 15, 5.5, 180, 400, 4, paper)
    c.line(o + 20, 20.5, o + 20, 24, 4, paper)
    c.circle(o + 20, 29.5, 2.5, paper)
    return c


def website_button():
    c = Canvas(188, 54)
    c.vgradient((236, 246, 255), (206, 226, 250))
    c.rrect(0, 0, 188, 54, 6, (120, 150, 200))
    c.rrect(1.5, 1.5, 186.5, 52.5, 5, (240, 248, 255), lambda x, y: mix((246, 251, 255), (208, 228, 250), y / 54))
    # a globe
    gx, gy, r = 30, 27, 19
    c.circle(gx, gy, r, (40, 110, 190))
    c.circle(gx, gy, r - 1.5, (90, 170, 230), lambda x, y: mix((150, 210, 250), (50, 130, 210), min(1, math.hypot(x - gx + 6, y - gy + 6) / 26)))
    for blob in ((gx - 6, gy - 6, 7, 5), (gx + 7, gy + 4, 6, 8), (gx - 8, gy + 9, 4, 3)):
        c.ellipse(blob[0], blob[1], blob[2], blob[3], (110, 190, 100))
    c.ring(gx, gy, r - 1, 1.0, (230, 245, 255))
    c.fill_sdf((gx - r, gy - r, gx + r, gy + r), lambda x, y: abs(math.hypot((x - gx) / 8, (y - gy) / (r - 1)) * 8 - 8) - 0.6, (230, 245, 255))
    c.line(gx - r + 2, gy, gx + r - 2, gy, 1.2, (230, 245, 255))
    # "www" and a little house: the home page
    x = text(c, "www", 58, 36, 22, 3.6, (40, 80, 150))
    hx = x + 12
    c.polygon([(hx, 24), (hx + 14, 12), (hx + 28, 24)], (230, 95, 110))
    c.rrect(hx + 4, 23, hx + 24, 40, 1, (255, 230, 200))
    c.rrect(hx + 11, 29, hx + 17, 40, 1, (160, 100, 60))
    # a pointing arrow
    ax = hx + 40
    c.polygon([(ax, 20), (ax + 12, 27), (ax, 34)], (80, 170, 90))
    c.line(ax - 10, 27, ax + 2, 27, 5, (80, 170, 90))
    return c


def about_picture():
    c = Canvas(96, 96)
    c.vgradient((255, 246, 236), (226, 244, 230))
    draw_mascot(c, 48, 44, 0.38, 0)
    return c


def app_icon(size):
    c = Canvas(size, size, OUTLINE)  # soft edges fade into the outline colour
    s = size / 48.0
    draw_face_icon(c, size / 2, size / 2 + 4 * s, s * 0.92)
    return c


def draw_face_icon(c, cx, cy, s):
    c.ellipse(cx, cy, 22 * s, 20 * s, OUTLINE)
    c.ellipse(cx, cy, 20.5 * s, 18.5 * s, PEACH)
    c.line(cx, cy - 18 * s, cx + 1 * s, cy - 23 * s, 2.2 * s, LEAF_DARK)
    c.ellipse(cx - 4 * s, cy - 23 * s, 5 * s, 2.8 * s, LEAF)
    c.ellipse(cx + 6 * s, cy - 23 * s, 5 * s, 2.8 * s, LEAF)
    for side in (-1, 1):
        c.ellipse(cx + side * 7 * s, cy - 2 * s, 2.6 * s, 3.4 * s, EYE)
        c.ellipse(cx + side * 12 * s, cy + 5 * s, 3.5 * s, 2.2 * s, CHEEK)
    c.arc(cx, cy + 2 * s, 4 * s, 20, 160, 1.6 * s, (170, 60, 70))


def main():
    os.makedirs(OUT, exist_ok=True)
    write_bmp8(os.path.join(OUT, "opning.bmp"), splash())
    write_bmp8(os.path.join(OUT, "end1.bmp"), mascot_frame(0))
    write_bmp8(os.path.join(OUT, "end2.bmp"), mascot_frame(1))
    write_bmp24(os.path.join(OUT, "toolbar.bmp"), toolbar(), MASK)
    write_bmp24(os.path.join(OUT, "website.bmp"), website_button())
    write_bmp24(os.path.join(OUT, "about.bmp"), about_picture())
    write_ico(os.path.join(OUT, "pelmo.ico"), [app_icon(32), app_icon(16), app_icon(48)])


if __name__ == "__main__":
    main()
