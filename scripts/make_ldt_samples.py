#!/usr/bin/env python3
"""Writes the project's own sample EULUMDAT (.ldt) files into samples/.

One file for each symmetry indicator (0 to 4) and one damaged file, each in a different
writer's style (line ends, decimal commas, quoted text, packed values). The intensities are
computed here from simple models of luminaire distributions; the companies, luminaires and
reports are fictional. The output is deterministic: running the script again reproduces the
files byte for byte.

Files:
  ldt_isym0_floodlight.ldt      no symmetry, 24 C-planes x 19 angles (0-90), CR LF
  ldt_isym1_pendant.ldt         rotational symmetry, one plane, 0-180, absolute photometry
                                (lamp count -1), round luminous area, LF
  ldt_isym2_street_light.ldt    symmetric about C0-C180, 36 C-planes (C0-C180 stored), two
                                lamp sets, decimal commas, CR LF
  ldt_isym3_wall_washer.ldt     symmetric about C90-C270, stored C270 ... C0 ... C90, quoted
                                text fields, unevenly spaced gamma angles (Dg 0), LF
  ldt_isym4_downlight.ldt       symmetric about both planes, C0-C90 stored, 2 lamps, luminous
                                area with height, values packed several to a line, LF
  ldt_damaged_truncated.ldt     symmetric about both planes, but the intensity table stops in
                                its third plane and the conversion factor reads "1.0x"

Usage: python3 scripts/make_ldt_samples.py [output folder]   (default: samples/ beside scripts/)
"""

import math
import os
import sys


def cosd(a):
    return math.cos(math.radians(a))


def sind(a):
    return math.sin(math.radians(a))


def steps(first, last, step):
    n = int(round((last - first) / step))
    return [first + i * step for i in range(n + 1)]


def fmt(value, decimals=1):
    text = "%.*f" % (decimals, value)
    if text.startswith("-") and float(text) == 0.0:
        text = text[1:]
    return text


# ---------------------------------------------------------------------------------------------
# Distribution models: cd/klm for (C-plane, gamma)


def floodlight(c, g):
    """Aimed 35 degrees off the axis towards C0, wider across."""
    towards = 0.5 * (1.0 + cosd(c))
    beam = math.exp(-(((g - 35.0 * towards) / (14.0 + 8.0 * abs(sind(c)))) ** 2))
    return 900.0 * beam * (g < 90) + 6.0


def pendant(c, g):
    """Opal pendant: mostly down, some light up (a 2528 lm luminaire, absolute photometry)."""
    down = 520.0 * max(cosd(g), 0.0) ** 0.8
    up = 160.0 * max(-cosd(g), 0.0) ** 1.5
    return down + up + 25.0


def street_light(c, g):
    """Wide batwing along the road (C0-C180), narrow across it."""
    along = cosd(c) ** 2
    peak = 65.0 * along + 40.0 * (1.0 - along)
    lobe = math.exp(-(((g - peak) / 16.0) ** 2))
    return (180.0 * max(cosd(g), 0.0) + 420.0 * lobe) * (g < 88)


def wall_washer(c, g):
    """Throws towards the wall at C90."""
    towards = 0.5 * (1.0 + sind(c))
    lobe = math.exp(-(((g - 40.0) / 17.0) ** 2)) * towards ** 1.8
    return (90.0 * max(cosd(g), 0.0) ** 3 + 640.0 * lobe) * (g < 86) + 2.0


def downlight(c, g):
    """cos^3 with a little spread across the long side."""
    return 640.0 * max(cosd(g), 0.0) ** (3.0 - 0.4 * sind(c) ** 2) + 1.5


# ---------------------------------------------------------------------------------------------
# File layout


class Ldt:
    def __init__(self, name, isym, c_step, gammas, model):
        self.name = name
        self.isym = isym
        self.c_step = c_step
        self.mc = 1 if c_step == 0 else int(round(360.0 / c_step))
        self.gammas = gammas
        self.model = model
        self.company = "Gonilux Samples"
        self.ityp = 2 if isym in (0, 2, 3) else (1 if isym == 1 else 3)
        self.report = "GS-" + name[:-4].upper()
        self.luminaire = name
        self.catalog = "GS-%d" % isym
        self.size = (600, 300, 80)          # luminaire length, width, height in mm
        self.area = (560, 260)              # luminous length, width (0 = round)
        self.heights = (0, 0, 0, 0)         # luminous heights at C0, C90, C180, C270
        self.conversion = "1.0"
        self.lamp_sets = [("1", "LED 840", 4000, "4000", "80", 32.5)]
        self.line_end = "\n"
        self.comma = False
        self.quoted = False
        self.packed = False
        self.cut_after = None               # keep only this many stored values
        self.lor = 82.5                     # the tables are scaled to give this ratio (%)

    def scale(self):
        """Factor that makes the model's flux per 1000 lamp lumens equal the stated ratio."""
        # Absolute photometry (a negative lamp count) as the planning programs write it: the lamp
        # line holds the luminaire's own flux and the values are cd/klm of it (they add up to
        # 1000 lm).
        ratio = 100.0 if self.lamp_sets[0][0].startswith("-") else self.lor
        flux = 0.0
        for c in range(0, 360, 5):
            for g10 in range(0, 1800, 5):
                g = (g10 + 2.5) / 10.0
                flux += self.model(c + 2.5, g) * sind(g) * math.radians(0.5) * math.radians(5)
        return 10.0 * ratio / flux

    def c_angles(self):
        return [i * self.c_step for i in range(self.mc)]

    def stored_planes(self):
        """The C angles whose intensities the file holds, in the file's order."""
        cs = self.c_angles()
        if self.isym == 1:
            return [0.0]
        if self.isym == 2:
            return cs[:self.mc // 2 + 1]
        if self.isym == 3:
            front = self.mc // 4 + 1
            back = self.mc // 2 + 1 - front
            return cs[self.mc - back:] + cs[:front]
        if self.isym == 4:
            return cs[:self.mc // 4 + 1]
        return cs

    def number(self, value, decimals=1):
        text = fmt(value, decimals)
        return text.replace(".", ",") if self.comma else text

    def text_field(self, value):
        return '"%s"' % value if self.quoted else value

    def header(self):
        gs = self.gammas
        even = all(abs((gs[i + 1] - gs[i]) - (gs[1] - gs[0])) < 1e-9 for i in range(len(gs) - 1))
        lines = [self.text_field(self.company), str(self.ityp), str(self.isym), str(self.mc),
                 self.number(self.c_step), str(len(gs)),
                 self.number(gs[1] - gs[0] if even else 0),
                 self.text_field(self.report), self.text_field(self.luminaire),
                 self.text_field(self.catalog), self.text_field(self.name),
                 "2026-01-15 / samples"]
        lines += [str(v) for v in self.size + self.area + self.heights]
        lines += [self.number(100.0), self.number(self.lor), self.conversion, self.number(0.0)]
        lines.append(str(len(self.lamp_sets)))
        for lamps, kind, flux, cct, cri, watts in self.lamp_sets:
            lines += [lamps, self.text_field(kind), self.number(flux), cct, cri,
                      self.number(watts)]
        return lines

    def values(self):
        ratios = [0.42 + 0.05 * i for i in range(10)]
        out = [self.number(r, 3) for r in ratios]
        out += [self.number(c) for c in self.c_angles()]
        out += [self.number(g) for g in self.gammas]
        k = self.scale()
        table = [self.number(k * self.model(c, g)) for c in self.stored_planes() for g in self.gammas]
        if self.cut_after is not None:
            table = table[:self.cut_after]
        return out + table

    def text(self):
        lines = self.header()
        values = self.values()
        if self.packed:
            for i in range(0, len(values), 8):
                lines.append(" ".join(v.rjust(7) for v in values[i:i + 8]))
        else:
            lines += values
        return self.line_end.join(lines) + self.line_end


def library():
    flood = Ldt("ldt_isym0_floodlight.ldt", 0, 15.0, steps(0, 90, 5), floodlight)
    flood.line_end = "\r\n"
    flood.area = (280, 200)
    flood.lamp_sets = [("1", "LED 120W 740", 15600, "4000", "70", 121.0)]

    pendant_ = Ldt("ldt_isym1_pendant.ldt", 1, 0, steps(0, 180, 5), pendant)
    pendant_.size = (400, 0, 400)
    pendant_.area = (380, 0)
    pendant_.lamp_sets = [("-1", "E27 LED 25W", 2528, "2700", "90", 25.0)]

    street = Ldt("ldt_isym2_street_light.ldt", 2, 10.0, steps(0, 90, 5), street_light)
    street.line_end = "\r\n"
    street.comma = True
    street.area = (420, 160)
    street.lamp_sets = [("1", "LED 60W 730", 7800, "3000", "70", 62.4),
                        ("1", "LED 90W 740", 11200, "4000", "70", 93.1)]

    washer = Ldt("ldt_isym3_wall_washer.ldt", 3, 15.0,
                 steps(0, 60, 5) + steps(62.5, 90, 2.5), wall_washer)
    washer.quoted = True
    washer.area = (1120, 90)
    washer.lamp_sets = [("1", "LED strip 840", 2600, "4000", "90", 24.0)]

    down = Ldt("ldt_isym4_downlight.ldt", 4, 15.0, steps(0, 90, 5), downlight)
    down.packed = True
    down.heights = (20, 12, 20, 12)
    down.lamp_sets = [("2", "TC-L 24W", 3600, "3000", "80", 54.0)]

    damaged = Ldt("ldt_damaged_truncated.ldt", 4, 15.0, steps(0, 90, 10), downlight)
    damaged.conversion = "1.0x"
    damaged.cut_after = 2 * 10 + 4

    return [flood, pendant_, street, washer, down, damaged]


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else \
        os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "samples")
    os.makedirs(folder, exist_ok=True)
    samples = library()
    for sample in samples:
        with open(os.path.join(folder, sample.name), "w", encoding="ascii", newline="") as f:
            f.write(sample.text())
    print("wrote %d EULUMDAT files to %s" % (len(samples), os.path.normpath(folder)))


if __name__ == "__main__":
    main()
