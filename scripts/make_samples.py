#!/usr/bin/env python3
"""Writes the project's own library of sample IES files into samples/.

Every file is computed here from simple models of real luminaire distributions; nothing is
copied from anywhere. The output is deterministic (the small measurement noise comes from a
fixed seed per file), so running the script again reproduces the committed files byte for byte.

Usage: python3 scripts/make_samples.py [output folder]   (default: samples/ beside scripts/)
"""

import math
import os
import random
import sys

CRLF = "\r\n"


# ---------------------------------------------------------------------------------------------
# Small helpers


def steps(first, last, step):
    """Angles from first to last inclusive in equal steps."""
    n = int(round((last - first) / step))
    return [first + i * step for i in range(n + 1)]


def fmt_fixed(value, decimals):
    text = "%.*f" % (decimals, value)
    if text.startswith("-") and float(text) == 0.0:
        text = text[1:]
    return text


def fmt_short(value):
    """General number text as the program writes it: shortest round-trip text, no '.0'."""
    text = repr(float(value))
    digits = text.lstrip("-").replace(".", "").lstrip("0")
    if "e" in text or len(digits) > 15:
        text = "%.15g" % value
    if text.endswith(".0"):
        text = text[:-2]
    if text == "-0":
        text = "0"
    return text


def wrap_tokens(tokens, width=80):
    """Packs tokens separated by one blank into lines of at most `width` characters."""
    lines, current = [], ""
    for token in tokens:
        if current and len(current) + 1 + len(token) > width:
            lines.append(current)
            current = token
        else:
            current = token if not current else current + " " + token
    if current:
        lines.append(current)
    return lines


def column_lines(tokens, per_line=10, field=8):
    """Right-aligned columns, the way many older photometry programs laid out their tables."""
    lines = []
    for i in range(0, len(tokens), per_line):
        lines.append("".join(t.rjust(field) for t in tokens[i:i + per_line]).rstrip())
    return lines


def wrap_export(text, width=60):
    """Breaks a numeric line after the last blank among its first `width` characters."""
    pieces = []
    while len(text) > width:
        cut = text.rfind(" ", 0, width)
        if cut < 0:
            break
        pieces.append(text[:cut + 1])
        text = text[cut + 1:]
    pieces.append(text)
    return pieces


def smooth_cut(x, edge, soft):
    """1 well below `edge`, 0 well above, a smooth cosine step of half width `soft`."""
    if x <= edge - soft:
        return 1.0
    if x >= edge + soft:
        return 0.0
    return 0.5 * (1.0 + math.cos(math.pi * (x - edge + soft) / (2.0 * soft)))


def cosd(a):
    return math.cos(math.radians(a))


def sind(a):
    return math.sin(math.radians(a))


def ang_diff(a, b):
    """Smallest difference of two plane angles in degrees."""
    d = (a - b) % 360.0
    return min(d, 360.0 - d)


# ---------------------------------------------------------------------------------------------
# Distribution models: relative intensity for (vertical angle, horizontal angle)


def downlight(g, c):
    return max(cosd(g), 0.0) ** 2.2 * smooth_cut(g, 52.0, 10.0) + 0.004


def narrow_spot(g, c):
    return math.exp(-((g / 9.0) ** 2)) + 0.05 * math.exp(-((g / 28.0) ** 2)) + 0.001


def batwing(g, c):
    across = sind(c) ** 2  # C90 runs across the lamps
    lobe = 0.55 + (0.9 + 0.6 * across) * sind(g) ** 2
    return lobe * max(cosd(g), 0.0) ** (0.9 + 0.3 * (1 - across)) * smooth_cut(g, 80.0, 9.0)


def direct_indirect(g, c):
    across = abs(sind(c))
    down = 0.8 * max(cosd(g), 0.0) ** 1.4 * (0.85 + 0.15 * across)
    up = 0.0
    if g > 95.0:
        up = 1.25 * (-cosd(g)) ** 0.7 * (0.7 + 0.3 * across)
    return down + up + 0.01


def wall_washer(g, c):
    towards_wall = 0.5 * (1.0 + cosd(c))  # wall at C0
    lobe = math.exp(-(((g - 38.0) / 18.0) ** 2)) * towards_wall ** 1.6
    return (0.25 * max(cosd(g), 0.0) ** 3 + lobe) * smooth_cut(g, 84.0, 6.0) + 0.002


def street_light(g, c):
    # Road along C0-C180, street side at C90, house side at C270.
    base = 0.32 * max(cosd(g), 0.0) ** 0.8
    lobe = math.exp(-(((g - 67.0) / 11.0) ** 2)) * math.exp(-((ang_diff(c, 165.0) / 38.0) ** 2))
    house = 1.0 - 0.55 * max(0.0, -sind(c)) ** 2
    return (base * house + lobe) * smooth_cut(g, 84.0, 5.0) + 0.001


def uplight(g, c):
    if g < 90.0:
        return 0.003 * (g / 90.0)
    up = -cosd(g)
    return up ** 3.0 * (0.92 + 0.08 * cosd(2 * c)) + 0.05 * up + 0.003


def globe(g, c):
    shade = smooth_cut(g, 160.0, 12.0)  # the pendant's cap shadows the top
    return 0.82 + 0.18 * sind(g) * shade + 0.0 * c - 0.55 * (1.0 - shade)


def bare_lamp(g, c):
    return 0.97 + 0.03 * sind(g) - 0.6 * (1.0 - smooth_cut(g, 168.0, 8.0))


def high_bay(g, c):
    return max(cosd(g), 0.0) ** 1.3 * (1.0 + 0.6 * sind(g) ** 2) * smooth_cut(g, 62.0, 14.0) + 0.01


def led_panel(g, c):
    return max(cosd(g), 0.0) ** (1.05 + 0.05 * abs(cosd(c))) + 0.001


def batten(g, c):
    across = abs(sind(c))
    down = max(cosd(g), 0.0) ** (0.9 + 0.4 * (1 - across))
    side = 0.08 * sind(g) * across if g <= 135.0 else 0.0
    return down + side + 0.004


def bollard(g, c):
    ring = math.exp(-(((g - 75.0) / 14.0) ** 2))
    return ring * (0.75 + 0.25 * cosd(c)) * smooth_cut(g, 95.0, 6.0) + 0.002


def track_spot(g, c):
    oval = 1.0 + 0.25 * cosd(2 * c)  # a slightly oval beam from a spread lens
    return math.exp(-((g / (11.0 * oval)) ** 2)) + 0.03 * math.exp(-((g / 35.0) ** 2))


def flood_asym(g, c):
    # A floodlight aimed at 30 degrees: intensity peak near gamma 30 towards C0.
    x = sind(g) * cosd(c)
    y = sind(g) * sind(c)
    z = cosd(g)
    beam = math.exp(-((math.degrees(math.acos(max(-1.0, min(1.0, x * sind(30) + z * cosd(30)))))
                      / 16.0) ** 2))
    return beam + 0.015 * max(z, 0.0) + 0.001 * abs(y)


def flood_b(v, h):
    # Type B: v is the angle within a plane, h the plane's tilt about the horizontal axis.
    return math.exp(-((h / 24.0) ** 2) - ((v / 17.0) ** 2)) + 0.02 * cosd(v) * cosd(h) + 0.001


def flood_b_wide(v, h):
    return (math.exp(-((h / 30.0) ** 2) - (((v - 8.0) / 40.0) ** 2)) + 0.01 * cosd(h)) \
        * smooth_cut(abs(v), 85.0, 5.0) + 0.002


def sign_light_a(v, h):
    # Type A: a sign light lighting the panel above and in front of it.
    return math.exp(-(((v - 30.0) / 22.0) ** 2) - ((h / 50.0) ** 2)) \
        * smooth_cut(abs(h), 86.0, 4.0) + 0.003


# ---------------------------------------------------------------------------------------------
# Photometric table and flux


def table_for(model, vert, horz, seed, noise=0.004):
    """Candela rows (one per horizontal angle) of the model, with a little measurement noise."""
    rng = random.Random(seed)
    rows = []
    for h in horz:
        row = []
        for v in vert:
            value = max(model(v, h), 0.0)
            row.append(value * (1.0 + noise * (2.0 * rng.random() - 1.0)))
        rows.append(row)
    return rows


def trapezoid(xs, ys):
    return sum((xs[i + 1] - xs[i]) * (ys[i] + ys[i + 1]) / 2.0 for i in range(len(xs) - 1))


def flux_c(vert, horz, rows):
    """Luminous flux of a type C table, the measured planes standing for the whole circle."""
    if len(horz) > 1:
        span = horz[-1] - horz[0]
        mean = [trapezoid(horz, [rows[h][v] for h in range(len(horz))]) / span
                for v in range(len(vert))]
    else:
        mean = rows[0]
    rad = [math.radians(v) for v in vert]
    return 2.0 * math.pi * trapezoid(rad, [m * math.sin(r) for m, r in zip(mean, rad)])


def flux_ab(vert, horz, rows):
    """Luminous flux of a type A or B table (horizontal sides mirrored when only one is given)."""
    rad_v = [math.radians(v) for v in vert]
    rad_h = [math.radians(h) for h in horz]
    per_plane = [trapezoid(rad_v, [row[i] * math.cos(rad_v[i]) for i in range(len(vert))])
                 for row in rows]
    total = trapezoid(rad_h, per_plane)
    return total * 2.0 if horz[0] >= 0.0 else total


def scaled(rows, factor):
    return [[value * factor for value in row] for row in rows]


# ---------------------------------------------------------------------------------------------
# The IES file text


class Sample:
    """One file of the library; fields mirror the numbers of an LM-63 file."""

    def __init__(self, name, purpose, **kw):
        self.name = name
        self.purpose = purpose
        self.first_line = kw.get("first_line", "IESNA:LM-63-2002")
        self.keywords = kw.get("keywords", [])
        self.tilt = kw.get("tilt", "NONE")
        self.tilt_data = kw.get("tilt_data")  # (geometry, angles, factors)
        self.lamps = kw.get("lamps", 1)
        self.lumens = kw.get("lumens", 1000.0)
        self.multiplier = kw.get("multiplier", 1.0)
        self.ptype = kw.get("ptype", 1)
        self.units = kw.get("units", 2)
        self.opening = kw.get("opening", (0.0, 0.0, 0.0))
        self.ballast = kw.get("ballast", 1.0)
        self.future = kw.get("future", 1.0)
        self.watts = kw.get("watts", 36.0)
        self.vert = kw["vert"]
        self.horz = kw["horz"]
        self.model = kw["model"]
        self.lor = kw.get("lor", 0.8)  # light output ratio used to size the candela values
        self.luminaire_lumens = kw.get("luminaire_lumens")  # absolute photometry
        self.angle_decimals = kw.get("angle_decimals", 1)
        self.cd_decimals = kw.get("cd_decimals", 1)
        self.layout = kw.get("layout", "packed")
        self.seed = kw.get("seed", 1)
        self.encoding = kw.get("encoding", "utf-8")  # of the header text
        self.rows = None

    def compute(self):
        rows = table_for(self.model, self.vert, self.horz, self.seed)
        flux = flux_c(self.vert, self.horz, rows) if self.ptype == 1 else \
            flux_ab(self.vert, self.horz, rows)
        if self.luminaire_lumens is not None:
            target = self.luminaire_lumens
        else:
            target = self.lamps * self.lumens * self.lor
        factor = target / flux / self.multiplier
        self.rows = [[float(fmt_fixed(v, self.cd_decimals)) for v in row]
                     for row in scaled(rows, factor)]

    def numbers(self, values, decimals):
        tokens = [fmt_fixed(v, decimals) for v in values]
        if self.layout == "columns":
            return column_lines(tokens)
        return wrap_tokens(tokens)

    def header_numbers(self):
        w, l, h = self.opening
        first = [str(self.lamps), fmt_short(self.lumens), fmt_short(self.multiplier),
                 str(len(self.vert)), str(len(self.horz)), str(self.ptype), str(self.units),
                 fmt_fixed(w, 3), fmt_fixed(l, 3), fmt_fixed(h, 3)]
        second = [fmt_fixed(self.ballast, 2), fmt_fixed(self.future, 1),
                  fmt_short(self.watts)]
        return [" ".join(first), " ".join(second)]

    def tilt_lines(self):
        if self.tilt_data is None:
            return []
        geometry, angles, factors = self.tilt_data
        return [str(geometry), str(len(angles))] + wrap_tokens([fmt_fixed(a, 1) for a in angles]) \
            + wrap_tokens([fmt_fixed(f, 3) for f in factors])

    def lines(self):
        out = [self.first_line] if self.first_line else []
        out += self.keywords
        out.append("TILT=" + self.tilt)
        out += self.tilt_lines()
        out += self.header_numbers()
        out += self.numbers(self.vert, self.angle_decimals)
        out += self.numbers(self.horz, self.angle_decimals)
        for row in self.rows:
            out += self.numbers(row, self.cd_decimals)
        return out

    def text(self):
        return CRLF.join(self.lines()) + CRLF


# ---------------------------------------------------------------------------------------------
# The library


def lm2002_keywords(test, lab, date, manufac, lumcat, luminaire, lamp, lampcat, extra=()):
    return ["[TEST] " + test, "[TESTLAB] " + lab, "[ISSUEDATE] " + date,
            "[MANUFAC] " + manufac, "[LUMCAT] " + lumcat, "[LUMINAIRE] " + luminaire,
            "[LAMPCAT] " + lampcat, "[LAMP] " + lamp] + list(extra)


def library():
    samples = []
    add = samples.append

    add(Sample(
        "downlight_c_quarter.ies",
        "type C downlight, quarter symmetry (0-90), vertical 0-90, circular opening, "
        "LM-63-2002 keywords with [MORE] and user keywords",
        keywords=lm2002_keywords(
            "KL-2417-03", "Kaldera Photometric Laboratory", "14-MAR-2011",
            "Kaldera Lighting", "KD-150-R-LED", "Recessed downlight 150 mm, specular reflector",
            "LED module 2000 lm 3000 K", "LM-2000-830",
            ["[MORE] Reflector: faceted, specular aluminium",
             "[MORE] Cut-off angle 40 degrees",
             "[BALLAST] Constant current driver 500 mA",
             "[_COLORTEMP] 3000"]),
        lumens=2000.0, watts=21.0, opening=(-0.15, 0.0, 0.0),
        vert=steps(0, 90, 2.5), horz=steps(0, 90, 22.5), model=downlight, lor=0.87, seed=11))

    add(Sample(
        "troffer_batwing_c_half.ies",
        "type C batwing troffer, half symmetry (0-180), vertical 0-90, rectangular opening, "
        "2 lamps, LM-63-1995",
        first_line="IESNA:LM-63-1995",
        keywords=["[TEST] 95-1187", "[DATE] 02-OCT-1997", "[MANUFAC] Brightfield Lighting Co.",
                  "[LUMCAT] BT-2x36-PAR", "[LUMINAIRE] Recessed troffer, parabolic louvre",
                  "[LAMPCAT] F36T8/840", "[LAMP] 2 x fluorescent T8 36 W, 3350 lm",
                  "[BALLAST] electronic"],
        lamps=2, lumens=3350.0, watts=72.0, opening=(0.597, 0.597, 0.0),
        vert=steps(0, 90, 5), horz=steps(0, 180, 22.5), model=batwing, lor=0.68, seed=12,
        angle_decimals=0))

    add(Sample(
        "linear_pendant_c_full.ies",
        "type C direct/indirect pendant, full symmetry (0-360), vertical 0-180, box opening, "
        "2 lamps, units feet",
        keywords=lm2002_keywords(
            "HL-08-5521", "Halcyon Test House", "09-SEP-2008",
            "Halcyon Luminaires Ltd.", "HX-4-DI-228", "Suspended linear, 40/60 direct/indirect",
            "2 x T5 28 W, 2600 lm", "T5-28-830"),
        lamps=2, lumens=2600.0, watts=62.0, units=1, opening=(0.33, 4.0, 0.25),
        vert=steps(0, 180, 5), horz=steps(0, 360, 15), model=direct_indirect, lor=0.9, seed=13))

    add(Sample(
        "wall_washer_c_full.ies",
        "type C asymmetric wall washer, full symmetry (0-345), vertical 0-90, "
        "ellipse along the width",
        keywords=lm2002_keywords(
            "VI-1302", "Vantor Illumination lab", "22-JAN-2013",
            "Vantor Illumination", "VW-90-LED-830", "Recessed wall washer with kick reflector",
            "LED 1000 lm 3000 K", "VLED-10-830"),
        lumens=1000.0, watts=14.0, opening=(0.12, -0.16, 0.02),
        vert=steps(0, 90, 5), horz=steps(0, 345, 15), model=wall_washer, lor=0.74, seed=14))

    street = Sample(
        "street_light_c_90_270.ies",
        "type C street light, horizontal angles 90-270 (can be rotated to 0), vertical 0-90, "
        "ellipsoid along the width, LM-63-1995",
        first_line="IESNA:LM-63-1995",
        keywords=["[TEST] SB-4410-R", "[MANUFAC] Solbrook Electric",
                  "[LUMCAT] SR-70-HPS-II", "[LUMINAIRE] Road lantern, type II medium, flat glass",
                  "[LAMPCAT] HPS-70-E27", "[LAMP] High pressure sodium 70 W, 6600 lm",
                  "[OTHER] mounting height 8 m"],
        lumens=6600.0, watts=83.0, opening=(0.36, -0.62, -0.12),
        vert=steps(0, 90, 5), horz=steps(90, 270, 10), model=street_light, lor=0.76, seed=15,
        angle_decimals=0)
    add(street)

    add(Sample(
        "uplight_c_quarter.ies",
        "type C uplight, quarter symmetry, vertical 0-180 (light above 90), "
        "horizontal cylinder along the length",
        keywords=lm2002_keywords(
            "AL-21-0077", "Auralis Lichttechnik Messlabor", "03-MAY-2021",
            "Auralis Lichttechnik", "AU-UP-3000", "Wall uplight, asymmetric cove reflector",
            "LED strip 3000 lm 4000 K", "AU-STRIP-840"),
        lumens=3000.0, watts=28.0, opening=(0.0, 1.2, -0.05),
        vert=steps(0, 180, 5), horz=[0.0, 45.0, 90.0], model=uplight, lor=0.83, seed=16))

    add(Sample(
        "globe_pendant_c_single.ies",
        "type C opal globe, a single plane (horizontal angle 0), vertical 0-180, sphere, "
        "multiplier 0.95",
        keywords=lm2002_keywords(
            "ND-0912", "Nordlicht Werke Prüfstelle", "18-NOV-2009",
            "Nordlicht Werke", "NG-300-OPAL", "Opal glass globe pendant 300 mm",
            "Compact fluorescent 32 W, 2400 lm", "CFL-32-827"),
        lumens=2400.0, multiplier=0.95, watts=36.0, opening=(-0.3, 0.0, -0.3),
        vert=steps(0, 180, 5), horz=[0.0], model=globe, lor=0.72, seed=17))

    add(Sample(
        "bare_lamp_point_1986.ies",
        "type C bare lamp, no version line (1986 layout), single plane, point opening, "
        "vertical 0-180 in steps of 10",
        first_line="",
        keywords=["[TEST] 1986-044", "[MANUFAC] Ferrovale Lamp Works",
                  "[LUMINAIRE] Bare lamp in open socket", "[LAMP] Incandescent 100 W clear",
                  "[LAMPCAT] A19-100-CL"],
        lumens=1380.0, watts=100.0, opening=(0.0, 0.0, 0.0),
        vert=steps(0, 180, 10), horz=[0.0], model=bare_lamp, lor=1.0, seed=18,
        angle_decimals=0, layout="columns"))

    add(Sample(
        "highbay_tilt_include.ies",
        "type C high bay with TILT=INCLUDE (7 tilt pairs), quarter symmetry, "
        "vertical cylinder opening",
        first_line="IESNA:LM-63-1995",
        keywords=["[TEST] KL-95-880", "[MANUFAC] Kaldera Lighting", "[LUMCAT] KH-400-MH",
                  "[LUMINAIRE] High bay, aluminium reflector, open bottom",
                  "[LAMPCAT] MH-400-BU", "[LAMP] Metal halide 400 W base up, 36000 lm",
                  "[MORE] Tilt factors apply to burning positions away from base up"],
        tilt="INCLUDE", tilt_data=(1, steps(0, 90, 15), [1.0, 0.99, 0.97, 0.94, 0.91, 0.88, 0.86]),
        lumens=36000.0, watts=455.0, opening=(-0.56, 0.0, 0.35),
        vert=steps(0, 90, 5), horz=steps(0, 90, 15), model=high_bay, lor=0.78, seed=19))

    add(Sample(
        "troffer_3lamp_old_keywords.ies",
        "type C three-lamp troffer, IESNA91 with old-style DESCR.-1 / LM-NO. ... LM-DATE / LAMP "
        "lines, TILT=None, quarter symmetry, ellipse along the length",
        first_line="IESNA91",
        keywords=["DESCR.-1 : Recessed troffer 3 x 18 W, mirror louvre",
                  "DESCR.-2 : 625 x 625 mm module ceiling",
                  "LM-NO.   : 91-3307 LM-DATE: 1996-04-17",
                  "LAMP     : 3 x T8 18 W 1350 lm",
                  "MANUFAC. : Ostral Leuchten"],
        tilt="None", lamps=3, lumens=1350.0, watts=66.0, opening=(-0.6, 0.6, 0.01),
        vert=steps(0, 90, 10), horz=steps(0, 90, 15), model=batwing, lor=0.62, seed=20,
        angle_decimals=0, layout="columns"))

    add(Sample(
        "led_panel_absolute.ies",
        "type C LED panel with absolute photometry (lumens per lamp -1, multiplier 1), "
        "quarter symmetry, ellipsoid along the length",
        keywords=lm2002_keywords(
            "VI-2019-330", "Vantor Illumination lab", "11-JUN-2019",
            "Vantor Illumination", "VP-6060-40", "LED panel 600 x 600, micro-prismatic diffuser",
            "LED (absolute photometry)", "integrated",
            ["[OTHER] Luminaire flux 3960 lm"]),
        lumens=-1.0, luminaire_lumens=3960.0, watts=33.0, opening=(-0.6, 0.6, -0.01),
        vert=steps(0, 90, 5), horz=steps(0, 90, 15), model=led_panel, seed=21))

    add(Sample(
        "led_batten_c_half.ies",
        "type C LED batten, half symmetry, vertical 0-180, horizontal cylinder along the width",
        keywords=lm2002_keywords(
            "SB-2016-112", "Solbrook Electric test lab", "02-FEB-2016",
            "Solbrook Electric", "SBL-1500-58", "LED batten 1500 mm, opal tube",
            "LED 5800 lm 4000 K", "SBL-58-840"),
        lumens=5800.0, watts=44.0, opening=(1.5, 0.0, -0.04),
        vert=steps(0, 180, 5), horz=steps(0, 180, 30), model=batten, lor=0.95, seed=22))

    add(Sample(
        "bollard_unrecognised_opening.ies",
        "type C bollard whose opening signs (-1, -1, 0) name no shape, half symmetry",
        keywords=lm2002_keywords(
            "AL-18-0502", "Auralis Lichttechnik Messlabor", "27-AUG-2018",
            "Auralis Lichttechnik", "AU-BO-90", "Bollard with 360 degree louvre",
            "LED 900 lm 3000 K", "AU-LED-9-830"),
        lumens=900.0, watts=11.0, opening=(-0.16, -0.16, 0.0),
        vert=steps(0, 180, 5), horz=steps(0, 180, 45), model=bollard, lor=0.55, seed=23))

    add(Sample(
        "track_spot_c_full.ies",
        "type C narrow track spot, full symmetry 0-350, vertical 0-90 in 1 degree steps, "
        "ellipse along the length (- + +), UTF-8 header text",
        keywords=lm2002_keywords(
            "HL-2020-0415", "Halcyon Test House", "15-APR-2020",
            "Halcyon Luminaires Ltd.", "HX-TS-15-927", "Track spot 15° with spread lens",
            "LED COB 1800 lm 2700 K", "COB-18-927",
            ["[MORE] Lens: oval spread, 15° x 25°"]),
        lumens=1800.0, watts=19.0, opening=(-0.07, 0.09, 0.07),
        vert=steps(0, 90, 1), horz=steps(0, 350, 10), model=track_spot, lor=0.8, seed=24))

    add(Sample(
        "stadium_flood_c_large.ies",
        "type C aimed floodlight, full 0-355 by vertical 0-180 in 1 degree steps "
        "(181 x 72 values), the largest sample",
        keywords=lm2002_keywords(
            "VI-2022-901", "Vantor Illumination lab", "30-SEP-2022",
            "Vantor Illumination", "VF-1500-A30", "Sports floodlight aimed 30 degrees",
            "LED 150000 lm 5700 K", "integrated"),
        lumens=150000.0, watts=1100.0, opening=(0.6, 0.5, 0.0),
        vert=steps(0, 180, 1), horz=steps(0, 355, 5), model=flood_asym, lor=0.9, seed=25,
        cd_decimals=0, angle_decimals=0))

    add(Sample(
        "floodlight_b_two_sided.ies",
        "type B floodlight, vertical and horizontal angles -90..90 in steps of 10 "
        "(converts to type C with four planes), rectangular opening, Latin-1 header text",
        keywords=lm2002_keywords(
            "SB-2012-07", "Solbrook Electric test lab", "07-JUL-2012",
            "Solbrook Electric", "SF-400-N", "Floodlight, narrow beam 2 x 24\xb0",
            "Metal halide 400 W, 40000 lm", "MH-400-HOR"),
        ptype=2, lumens=40000.0, watts=430.0, opening=(0.45, 0.38, 0.0), encoding="latin-1",
        vert=steps(-90, 90, 10), horz=steps(-90, 90, 10), model=flood_b, lor=0.7, seed=26,
        angle_decimals=0))

    add(Sample(
        "floodlight_b_one_sided.ies",
        "type B floodlight, vertical -90..90, horizontal 0..90 (converts to type C with "
        "three planes), box opening, LM-63-1995",
        first_line="IESNA:LM-63-1995",
        keywords=["[TEST] 1998-FL-221", "[MANUFAC] Ferrovale Lamp Works",
                  "[LUMCAT] FV-250-W", "[LUMINAIRE] Floodlight, wide asymmetric beam",
                  "[LAMPCAT] HPS-250-T", "[LAMP] High pressure sodium 250 W, 27500 lm"],
        ptype=2, lumens=27500.0, watts=280.0, opening=(0.4, 0.3, 0.15),
        vert=steps(-90, 90, 10), horz=steps(0, 90, 10), model=flood_b_wide, lor=0.72, seed=27,
        angle_decimals=0))

    add(Sample(
        "sign_light_a.ies",
        "type A sign light, vertical -90..90, horizontal 0..90 (left/right symmetric), "
        "IESNA91 with bracket keywords",
        first_line="IESNA91",
        keywords=["[TEST] 92-A-0017", "[MANUFAC] Ostral Leuchten", "[LUMCAT] OS-SGN-150",
                  "[LUMINAIRE] Sign light, extruded reflector", "[LAMPCAT] MH-150-T",
                  "[LAMP] Metal halide 150 W, 13000 lm"],
        ptype=3, lumens=13000.0, watts=170.0, opening=(0.9, 0.12, 0.0),
        vert=steps(-90, 90, 5), horz=steps(0, 90, 10), model=sign_light_a, lor=0.66, seed=28,
        angle_decimals=1))

    return samples, street


# ---------------------------------------------------------------------------------------------
# Files with a special layout


def mixed_layout_text():
    """Both keyword styles and an untidy numeric layout: commas, angles on the header lines."""
    sample = Sample(
        "mixed_keywords_layout.ies", "",
        first_line="IESNA:LM-63-1995", lumens=1200.0, watts=18.0, opening=(0.3, 0.3, 0.0),
        vert=steps(0, 90, 15), horz=steps(0, 90, 45), model=downlight, lor=0.7, seed=29)
    sample.compute()
    header = ["IESNA:LM-63-1995",
              "[TEST] R-12 [MANUFAC] Lumora Leuchten",
              "[LUMINAIRE]",
              "DESCR.-1 : Downlight 2x26W",
              "LM-NO.   : 1234 LM-DATE: 1999",
              "[LAMP] 2 x TC-D 26 W",
              "[LAMPCAT]   TCD-26-830   ",
              "TILT=NONE"]
    v = [fmt_fixed(a, 0) for a in sample.vert]
    h = [fmt_fixed(a, 0) for a in sample.horz]
    rows = [[fmt_fixed(x, 1) for x in row] for row in sample.rows]
    numeric = ["1,1200,1,%d,%d,1,2,0.3,0.3,0" % (len(v), len(h)),
               "1.0 1.0 18 " + " ".join(v[:3]),
               "  ".join(v[3:]) + "  " + ",".join(h)]
    for row in rows:
        numeric.append(", ".join(row[:4]))
        numeric.append("")
        numeric.extend(row[4:])
    return CRLF.join(header + numeric) + CRLF


def malformed_text():
    """A header number '12a' (input watts) and a candela table cut off in the middle."""
    sample = Sample(
        "malformed_header_truncated.ies", "",
        keywords=lm2002_keywords(
            "XX-0000", "unknown", "01-JAN-2000", "Brightfield Lighting Co.", "BT-DAMAGED",
            "Damaged file: header typo and truncated table", "T8 36 W", "F36T8"),
        lumens=3350.0, watts=36.0, opening=(0.6, 1.2, 0.0),
        vert=steps(0, 90, 10), horz=steps(0, 90, 30), model=batwing, lor=0.7, seed=30)
    sample.compute()
    lines = sample.lines()
    at = lines.index("1.00 1.0 36")
    lines[at] = "1.00 1.0 12a"
    # Keep the angles and two and a half rows, and end without a line break.
    kept = lines[:at + 3]
    first_row = lines[at + 3:at + 5]
    text = CRLF.join(kept + first_row) + CRLF + lines[at + 5][:23]
    return text


def exported_rotation_text(source):
    """The rotation of `source` exactly as the program's export writes it."""
    lumens, multiplier = source.lumens, source.multiplier
    factor = 1.0
    if lumens != 1000.0 and multiplier == 1.0:
        multiplier = lumens / 1000.0
        factor = multiplier
    titles = {}
    for line in source.keywords:
        key, _, value = line.partition("] ")
        titles[key + "]"] = value.strip()
    out = ["IESNA91"]
    for label, key in (("[TEST] ", "[TEST]"), ("[MANUFAC]  ", "[MANUFAC]"),
                       ("[LUMCAT] ", "[LUMCAT]"), ("[LUMINAIRE] ", "[LUMINAIRE]"),
                       ("[LAMPCAT] ", "[LAMPCAT]"), ("[LAMP] ", "[LAMP]")):
        if titles.get(key):
            out.append(label + titles[key])
    out.append("[CHANGED]     (C) Gonilux v2.9 by Kestrin: rotated from 90 to 0")
    out.append("TILT=NONE")
    w, l, h = source.opening
    count = "%d %s %s %d %d 1 %d %s %s %s" % (
        source.lamps, fmt_short(lumens), fmt_short(multiplier), len(source.vert),
        len(source.horz), source.units, fmt_short(w), fmt_short(l), fmt_short(h))
    out += wrap_export(count)
    out += wrap_export("1 1 %d" % round_half_even(source.watts))

    def listed(values):
        return wrap_export("".join(fmt_short(x) + " " for x in values))

    out += listed(source.vert)
    out += listed([a - 90.0 for a in source.horz])
    for row in source.rows:
        out += listed([x / factor for x in row])
    return CRLF.join(out) + CRLF


def round_half_even(value):
    return int(round(value))


# ---------------------------------------------------------------------------------------------
# README


def readme(entries):
    out = ["# Sample IES files", "",
           "Generated by `scripts/make_samples.py` (Python 3, standard library only). The "
           "distributions are computed from simple models of real luminaire types; the "
           "manufacturers, catalogue numbers and test reports are fictional. Do not edit the "
           "files by hand: change the script and run it again "
           "(`python3 scripts/make_samples.py`); the output is deterministic.", "",
           "All files end their lines with CR LF. Candela values are sized so that the table's "
           "flux matches the stated lamp lumens times a plausible light output ratio.", "",
           "| File | Type | Vert x horz | What it exercises |",
           "|---|---|---|---|"]
    for name, ptype, size, purpose in entries:
        out.append("| `%s` | %s | %s | %s |" % (name, ptype, size, purpose))
    out += ["",
            "Luminous opening shapes (signs of width, length, height) covered:", "",
            "| Signs | Shape | File |", "|---|---|---|"]
    for signs, shape, name in SHAPES:
        out.append("| %s | %s | `%s` |" % (signs, shape, name))
    return "\n".join(out) + "\n"


SHAPES = [
    ("+ + 0", "rectangle", "troffer_batwing_c_half.ies"),
    ("+ + +", "box", "linear_pendant_c_full.ies"),
    ("+ 0 -", "horizontal cylinder along the width", "led_batten_c_half.ies"),
    ("+ - +", "ellipse along the width", "wall_washer_c_full.ies"),
    ("+ - -", "ellipsoid along the width", "street_light_c_90_270.ies"),
    ("0 + -", "horizontal cylinder along the length", "uplight_c_quarter.ies"),
    ("0 0 0", "point", "bare_lamp_point_1986.ies"),
    ("- + +", "ellipse along the length", "troffer_3lamp_old_keywords.ies"),
    ("- + -", "ellipsoid along the length", "led_panel_absolute.ies"),
    ("- 0 +", "vertical cylinder", "highbay_tilt_include.ies"),
    ("- 0 0", "disc", "downlight_c_quarter.ies"),
    ("- 0 -", "sphere", "globe_pendant_c_single.ies"),
    ("- - 0", "not recognised (question mark)", "bollard_unrecognised_opening.ies"),
]

TYPE_NAMES = {1: "C", 2: "B", 3: "A"}


def write(folder, name, text, encoding="utf-8"):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(text.encode(encoding))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else \
        os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "samples")
    os.makedirs(folder, exist_ok=True)
    samples, street = library()
    entries = []
    for sample in samples:
        sample.compute()
        write(folder, sample.name, sample.text(), sample.encoding)
        entries.append((sample.name, TYPE_NAMES[sample.ptype],
                        "%d x %d" % (len(sample.vert), len(sample.horz)), sample.purpose))

    name = street.name.replace(".ies", "_R.ies")
    write(folder, name, exported_rotation_text(street))
    entries.append((name, "C", "%d x %d" % (len(street.vert), len(street.horz)),
                    "written as the program's own export writes a rotation of "
                    "`street_light_c_90_270.ies`: IESNA91, bracket info lines, the [CHANGED] line "
                    "naming the author, lists wrapped at 60 characters"))

    write(folder, "mixed_keywords_layout.ies", mixed_layout_text())
    entries.append(("mixed_keywords_layout.ies", "C", "7 x 3",
                    "both keyword styles (two keywords on one line, empty [LUMINAIRE] with a "
                    "DESCR.-1 fallback, LM-NO. with LM-DATE), commas as separators, angles "
                    "sharing lines with the header numbers, one value per line"))

    write(folder, "malformed_header_truncated.ies", malformed_text())
    entries.append(("malformed_header_truncated.ies", "C", "10 x 4",
                    "deliberately malformed: input watts written \"12a\" and the candela table "
                    "cut off in the third of four rows, no final line break"))

    entries.sort()
    with open(os.path.join(folder, "README.md"), "w", encoding="utf-8", newline="\n") as f:
        f.write(readme(entries))
    print("wrote %d IES files to %s" % (len(entries), os.path.normpath(folder)))


if __name__ == "__main__":
    main()
