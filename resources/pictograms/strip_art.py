"""The pictures of the pictogram strip, drawn on 16 x 16 pixel grids (see make_strip.py).

Each cell function returns a dict {(x, y): (r, g, b)}; pixels not in it are transparent.
Shapes are filled by testing pixel centres, then given a dark outline on their boundary, so
that they stay crisp at 16 pixels and when scaled up.
"""
import math

SIZE = 16
COUNT = 30

OUTLINE = (28, 28, 36)
YELLOW = (255, 206, 28)
YELLOW_DARK = (150, 96, 0)
GLASS = (255, 236, 120)
GLASS_SHADE = (240, 196, 40)
HIGHLIGHT = (255, 255, 255)
METAL = (176, 176, 184)
METAL_DARK = (110, 110, 122)
RED = (228, 28, 20)
RED_DARK = (128, 0, 0)
ORANGE = (255, 150, 0)
BLUE = (40, 104, 216)
BLUE_DARK = (18, 50, 120)
SHAPE_DARK = (24, 58, 128)
SHAPE_LIGHT = (190, 220, 255)
SHAPE_MID = (110, 160, 230)
SHAPE_DEEP = (50, 96, 176)


# ---- pixel sets ----------------------------------------------------------------------------

def ellipse(cx, cy, rx, ry):
    return {(x, y) for y in range(SIZE) for x in range(SIZE)
            if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0}


def polygon(points):
    inside = set()
    for y in range(SIZE):
        for x in range(SIZE):
            px, py, hit = x + 0.5, y + 0.5, False
            for i in range(len(points)):
                (x1, y1), (x2, y2) = points[i], points[i - 1]
                if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                    hit = not hit
            if hit:
                inside.add((x, y))
    return inside


def rect(x0, y0, x1, y1):
    return {(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)}


def line(x0, y0, x1, y1):
    points, dx, dy = set(), abs(x1 - x0), -abs(y1 - y0)
    sx, sy, err = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1), abs(x1 - x0) - abs(y1 - y0)
    while True:
        points.add((x0, y0))
        if (x0, y0) == (x1, y1):
            return points
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def boundary(shape):
    return {(x, y) for (x, y) in shape
            if any((x + dx, y + dy) not in shape for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))}


def arc(cx, cy, rx, ry, start, stop, steps=90):
    """Pixels along an elliptic arc, angles in degrees (0 = right, 90 = down)."""
    points = set()
    for i in range(steps + 1):
        a = math.radians(start + (stop - start) * i / steps)
        points.add((int(math.floor(cx + rx * math.cos(a))), int(math.floor(cy + ry * math.sin(a)))))
    return points


def paint(pixels, shape, colour):
    for p in shape:
        pixels[p] = colour(*p) if callable(colour) else colour


def filled(pixels, shape, fill, outline=OUTLINE):
    paint(pixels, shape, fill)
    paint(pixels, boundary(shape), outline)


def charmap(pixels, rows, colours, x0=0, y0=0):
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch in colours:
                pixels[(x0 + x, y0 + y)] = colours[ch]


def ramp(dark, light, t):
    t = max(0.0, min(1.0, t))
    t = round(t * 6) / 6  # a few tones only
    return tuple(int(round(d + (l - d) * t)) for d, l in zip(dark, light))


# ---- glyphs --------------------------------------------------------------------------------

LETTERS = {
    "A": [".###.", "##.##", "##.##", "#####", "##.##", "##.##", "##.##"],
    "B": ["####.", "##.##", "##.##", "####.", "##.##", "##.##", "####."],
    "C": [".####", "##...", "##...", "##...", "##...", "##...", ".####"],
}

BULB = [
    "....######....",
    "...#hhgggg#...",
    "..#hhgggggg#..",
    "..#hgggggggs#.",
    "..#gggggggss#.",
    "..#ggggggsss#.",
    "...#gggggss#..",
    "....#ggggs#...",
    ".....#ggs#....",
    ".....#mmm#....",
    ".....#ddd#....",
    ".....#mmm#....",
    ".....#ddd#....",
    "......###.....",
]

SMALL_BULB = [
    ".####.",
    "#hggg#",
    "#hggs#",
    "#gggs#",
    ".#gs#.",
    ".#mm#.",
    ".#dd#.",
    ".#mm#.",
    "..##..",
]

BULB_COLOURS = {"#": OUTLINE, "g": GLASS, "s": GLASS_SHADE, "h": HIGHLIGHT, "m": METAL,
                "d": METAL_DARK}


# ---- cells ---------------------------------------------------------------------------------

def type_triangle(letter):
    def cell():
        pixels = {}
        filled(pixels, polygon([(6.2, 0.2), (8.8, 0.2), (15.4, 15.6), (-0.4, 15.6)]), YELLOW,
               YELLOW_DARK)
        charmap(pixels, LETTERS[letter], {"#": OUTLINE}, 5, 7)
        return pixels
    return cell


def angle_sign():
    pixels = {}
    vx, vy = 1.5, 14.0
    wedge = {(x, y) for y in range(SIZE) for x in range(SIZE)
             if math.hypot(x + 0.5 - vx, y + 0.5 - vy) <= 10.6
             and -57 <= math.degrees(math.atan2(y + 0.5 - vy, x + 0.5 - vx)) <= 0}
    filled(pixels, wedge, (255, 176, 150), RED)
    paint(pixels, line(1, 14, 15, 14) | line(1, 13, 15, 13), OUTLINE)
    paint(pixels, line(1, 13, 9, 1) | line(2, 13, 10, 1), OUTLINE)
    return pixels


def bulb():
    pixels = {}
    charmap(pixels, BULB, BULB_COLOURS, 1, 1)
    return pixels


def two_bulbs():
    pixels = {}
    charmap(pixels, SMALL_BULB, BULB_COLOURS, 1, 1)
    charmap(pixels, SMALL_BULB, BULB_COLOURS, 9, 6)
    return pixels


def max_bulb():
    pixels = {}
    charmap(pixels, SMALL_BULB, BULB_COLOURS, 5, 0)
    text = ["##.#..##..#.#",
            "#.#.#...#.#.#",
            "#.#.#.###..#.",
            "#.#.#.#.#.#.#",
            "#.#.#.####.#.#"]
    charmap(pixels, text, {"#": RED_DARK}, 1, 10)
    return pixels


def bulb_with_rays():
    pixels = {}
    rays = [line(7, 0, 7, 2), line(8, 0, 8, 2), line(2, 2, 4, 4), line(13, 2, 11, 4),
            line(0, 7, 2, 7), line(13, 7, 15, 7), line(1, 12, 3, 11), line(14, 12, 12, 11)]
    for ray in rays:
        paint(pixels, ray, ORANGE)
    charmap(pixels, SMALL_BULB, BULB_COLOURS, 5, 4)
    return pixels


def sun():
    pixels = {}
    for k in range(8):
        a = math.radians(k * 45)
        paint(pixels, line(int(round(7.5 + 4.6 * math.cos(a))), int(round(7.5 + 4.6 * math.sin(a))),
                           int(round(7.5 + 7.2 * math.cos(a))), int(round(7.5 + 7.2 * math.sin(a)))),
              ORANGE)
    disc = ellipse(8, 8, 4.6, 4.6)
    filled(pixels, disc, lambda x, y: ramp(YELLOW, GLASS, 1 - (x + y - 6) / 10), YELLOW_DARK)
    return pixels


def question_mark():
    pixels = {}
    filled(pixels, ellipse(7.5, 7.5, 7.5, 7.5), lambda x, y: ramp(BLUE_DARK, BLUE, 1.3 - y / 14),
           BLUE_DARK)
    glyph = [".###.", "##.##", "...##", "..##.", ".##..", ".##..", ".....", ".##..", ".##.."]
    charmap(pixels, glyph, {"#": HIGHLIGHT}, 5, 3)
    return pixels


def lightning():
    pixels = {}
    bolt = polygon([(9.5, 0), (2.8, 9.2), (7.2, 9.2), (4.2, 16), (13.4, 5.8), (9.0, 5.8),
                    (13.2, 0)])
    filled(pixels, bolt, lambda x, y: ramp(RED, (255, 110, 60), 1 - y / 12), RED_DARK)
    return pixels


def rotation(vertical_axis):
    def cell():
        pixels = {}
        cx, cy, rx, ry = 8.0, 9.5, 6.3, 3.3
        axis = {(x, y) for x in (7, 8) for y in range(16) if not 12 <= y <= 13}
        paint(pixels, axis, METAL_DARK)
        paint(pixels, arc(cx, cy, rx, ry, 240, 535, 300), BLUE)
        tip = cx - rx
        paint(pixels, polygon([(tip, cy - 5.4), (tip + 2.9, cy - 0.6), (tip - 2.9, cy - 0.6)]),
              BLUE_DARK)
        if vertical_axis:
            return pixels
        return {(y, x): c for (x, y), c in pixels.items()}
    return cell


def ring_only():
    outer = ellipse(8, 8, 7, 7)
    return {p: (0, 0, 0) for p in outer - ellipse(8, 8, 5.4, 5.4)}


def shaded(dark, light, cx, cy, r):
    """Colour function of a ball lit from the upper left."""
    def colour(x, y):
        d = math.hypot(x + 0.5 - (cx - r * 0.35), y + 0.5 - (cy - r * 0.35))
        return ramp(dark, light, 1.1 - d / (1.5 * r))
    return colour


def flat(shape):
    def cell():
        pixels = {}
        filled(pixels, shape(), SHAPE_LIGHT, SHAPE_DARK)
        return pixels
    return cell


def disc():
    pixels = {}
    filled(pixels, ellipse(8, 9.5, 7.6, 3.6) | ellipse(8, 7.5, 7.6, 3.6) | rect(1, 8, 14, 9),
           SHAPE_DEEP, SHAPE_DARK)
    filled(pixels, ellipse(8, 7.5, 7.6, 3.6), lambda x, y: ramp(SHAPE_MID, SHAPE_LIGHT, 1 - x / 16),
           SHAPE_DARK)
    return pixels


def ball(cx, cy, rx, ry):
    def cell():
        pixels = {}
        filled(pixels, ellipse(cx, cy, rx, ry), shaded(SHAPE_DEEP, SHAPE_LIGHT, cx, cy, max(rx, ry)),
               SHAPE_DARK)
        return pixels
    return cell


def box():
    pixels = {}
    front = polygon([(0.5, 5.5), (10.5, 5.5), (10.5, 15.5), (0.5, 15.5)])
    top = polygon([(0.5, 5.5), (5.5, 0.5), (15.5, 0.5), (10.5, 5.5)])
    side = polygon([(10.5, 5.5), (15.5, 0.5), (15.5, 10.5), (10.5, 15.5)])
    paint(pixels, front, SHAPE_MID)
    paint(pixels, top, SHAPE_LIGHT)
    paint(pixels, side, SHAPE_DEEP)
    paint(pixels, boundary(front | top | side), SHAPE_DARK)
    paint(pixels, line(1, 5, 10, 5) | line(10, 5, 10, 15) | line(10, 5, 15, 0), SHAPE_DARK)
    return pixels


def cylinder_shade(x0, x1):
    return lambda x, y: ramp(SHAPE_DEEP, SHAPE_LIGHT, 1.2 - abs(x + 0.5 - (x0 + (x1 - x0) * 0.35)) /
                             ((x1 - x0) * 0.55))


def vertical_cylinder():
    pixels = {}
    body = rect(3, 3, 12, 12) | ellipse(8, 12.5, 5, 2.5) | ellipse(8, 3.5, 5, 2.5)
    filled(pixels, body, cylinder_shade(3, 13), SHAPE_DARK)
    filled(pixels, ellipse(8, 3.5, 5, 2.5), SHAPE_LIGHT, SHAPE_DARK)
    return pixels


def cylinder_along_width():
    pixels = {}
    body = rect(3, 4, 12, 11) | ellipse(3.5, 8, 2.5, 4.5) | ellipse(12.5, 8, 2.5, 4.5)
    filled(pixels, body, lambda x, y: cylinder_shade(4, 12)(y, x), SHAPE_DARK)
    filled(pixels, ellipse(12.5, 8, 2.5, 4.5), SHAPE_LIGHT, SHAPE_DARK)
    return pixels


def cylinder_along_length():
    pixels = {}
    back = ellipse(10.5, 5.5, 4.5, 4.5)
    front = ellipse(5.5, 10.5, 4.5, 4.5)
    band = polygon([(2.3, 7.3), (7.3, 2.3), (13.7, 8.7), (8.7, 13.7)])
    filled(pixels, back | front | band, SHAPE_DEEP, SHAPE_DARK)
    filled(pixels, front, shaded(SHAPE_MID, SHAPE_LIGHT, 5.5, 10.5, 4.5), SHAPE_DARK)
    return pixels


CELLS = {
    0: type_triangle("A"), 1: type_triangle("B"), 2: type_triangle("C"),
    3: angle_sign, 4: bulb, 5: two_bulbs, 6: max_bulb, 7: bulb_with_rays, 8: sun,
    9: question_mark, 10: lightning, 11: lightning,
    12: rotation(True), 13: rotation(False), 14: ring_only,
    15: disc,
    16: flat(lambda: ellipse(8, 8, 7.9, 5.2)),
    17: flat(lambda: ellipse(8, 8, 5.2, 7.9)),
    18: flat(lambda: rect(1, 3, 14, 12)),
    19: ball(8, 8, 7.4, 7.4),
    20: ball(8, 8, 7.6, 5),
    21: ball(8, 8, 5, 7.6),
    22: box, 23: vertical_cylinder, 24: cylinder_along_width, 25: cylinder_along_length,
}
