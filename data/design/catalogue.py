#!/usr/bin/python3
"""Lays out the Norvane and Kavel catalogue: writes the chart and
specification sources (../charts/*.csv, ../specs/Specs.csv).

The CSV files are the sources the data build compiles; this script is how
they were designed, kept so that a change of design (a new family, another
target spine curve) regenerates every chart consistently. Rerun it from
this folder and review the CSV diff: `/usr/bin/python3 catalogue.py`.

Physical models (see ../README.md):
  aluminium   size code WWTT: OD = WW/64 in, wall = TT/1000 in
              GPI = pi/4 (OD^2 - ID^2) * density * 7000 grains/lb
              spine = F L^3 / (48 E I), F = 1.94 lb, L = 28 in, E = 10.3e6 psi,
              I = pi/64 (OD^4 - ID^4)
  carbon      size = spine deflection in thousandths; GPI = a + b * 400 / size
"""

import csv
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)

G_PER_CM3_TO_LB_PER_IN3 = 0.0361273
RV60_DENSITY = 2.81      # g/cm3, the standard 7075-type shaft alloy
LIGHT_ALLOY_DENSITY = 2.65  # g/cm3, the aluminium-lithium alloy of QK and Z4
CARBON_DENSITY = 1.55    # g/cm3, for the inside diameter of carbon tubes
SPINE_FORCE = 1.94       # lb hung at the centre
SPINE_SPAN = 28.0        # in between the supports (a 29 in shaft)
ALUMINIUM_E = 10.3e6     # psi


def alu_geometry(size):
    od = int(size[:2]) / 64.0
    wall = int(size[2:]) / 1000.0
    return od, wall, od - 2 * wall


def alu_gpi(size, density):
    od, _, inner = alu_geometry(size)
    area = math.pi / 4 * (od * od - inner * inner)
    return area * density * G_PER_CM3_TO_LB_PER_IN3 * 7000


def alu_spine(size):
    od, _, inner = alu_geometry(size)
    inertia = math.pi / 64 * (od ** 4 - inner ** 4)
    return SPINE_FORCE * SPINE_SPAN ** 3 / (48 * ALUMINIUM_E * inertia)


def gpi_text(value):
    return "%.2f" % value if value < 9.995 else "%.1f" % value


def weight_class(size):
    wall = int(size[2:])
    return "L" if wall <= 13 else ("M" if wall <= 16 else "D")


# Family 52 tubes: three walls per outside diameter, one per weight class.
ALU_TUBES = []
for od in range(16, 27):
    for base in (11, 14, 17):
        ALU_TUBES.append("%02d%02d" % (od, base + od % 3))
YOUTH_TUBES = ["1413", "1416", "1513", "1516", "1613", "1616", "1713", "1716", "1813", "1816"]
KAVEL_TUBES = ["1816", "1916", "2016", "2115", "2216", "2317", "2418"]

CARBON = {
    # family: (sizes, a, b, outside diameter)
    "HC": ([300, 340, 380, 420, 470, 530, 600, 700, 800], 5.4, 3.6, 0.311),
    "CF": ([250, 300, 340, 400, 500, 600, 700], 4.3, 4.0, 0.300),
    "CS": ([250, 300, 340, 400, 500, 600], 5.0, 4.2, 0.246),
    "CU": ([300, 340, 400, 500, 600, 700, 800, 1000], 3.6, 3.4, 0.292),
    "TA": ([300, 340, 380, 420, 470, 530, 600, 700, 800, 900], 5.2, 3.3, 0.305),
    "TC": ([300, 350, 400, 450, 500, 550, 600, 700, 800, 900, 1000], 3.9, 3.2, 0.285),
    "YC": ([600, 700, 800, 900, 1000, 1200, 1500], 3.0, 3.0, 0.270),
    "KT": ([300, 350, 400, 500, 600, 700, 900], 4.5, 3.8, 0.298),
    "KS": ([250, 300, 350, 400, 500, 600], 5.3, 4.1, 0.250),
}
ARROWTYPE = {"HC": "Aluminum/Carbon", "TA": "Aluminum/Carbon"}
DEFAULTS = {
    # family: point, nock, fletching, insert (grains)
    "52": (125, 12, 18, 15), "QK": (125, 12, 18, 15), "Z4": (100, 10, 14, 12),
    "HC": (100, 10, 18, 16), "CF": (100, 10, 18, 16), "CS": (125, 10, 18, 20),
    "CU": (85, 8, 15, 12), "TA": (100, 9, 14, 14), "TC": (90, 8, 12, 11),
    "YA": (70, 7, 12, 8), "YC": (60, 7, 12, 8), "KT": (100, 10, 18, 16),
    "KS": (125, 10, 18, 20), "KL": (125, 12, 18, 15),
}

specs = {}


def add_spec(size, suffix, record):
    key = size + suffix
    if key not in specs:
        specs[key] = dict(SHAFTSIZE=size, KEYSUFFIX=suffix, **record)


def defaults(family):
    point, nock, vane, insert = DEFAULTS[family]
    return dict(DEFPTWT=point, DEFNOCKWT=nock, DEFVANEWT=vane, DEFINSWT=insert)


def aluminium_record(size, family, models, two_number):
    od, wall, inner = alu_geometry(size)
    standard = alu_gpi(size, RV60_DENSITY)
    if two_number:
        light = alu_gpi(size, LIGHT_ALLOY_DENSITY)
        gpi = "%-4s %-4s" % (gpi_text(light)[:4], gpi_text(standard)[:4])
    else:
        gpi = gpi_text(standard)
    length = "29 in" if od < 18 / 64 else ("31 in" if od < 20 / 64 else "32 in")
    return dict(ARROWTYPE="Aluminum", LENGTH=length, OD="%.3f" % od, ID="%.3f" % inner,
                WALL="%.3f" % wall, GPI=gpi, SPINE="%.3f" % alu_spine(size),
                HMODELS=models, TMODELS=models, **defaults(family))


def carbon_gpi(family, size):
    _, a, b, _ = CARBON[family]
    return a + b * 400.0 / size


def carbon_record(family, size):
    _, _, _, od = CARBON[family]
    gpi = float(gpi_text(carbon_gpi(family, size)))
    area = gpi / (CARBON_DENSITY * G_PER_CM3_TO_LB_PER_IN3 * 7000)
    inner = math.sqrt(od * od - 4 * area / math.pi)
    return dict(ARROWTYPE=ARROWTYPE.get(family, "Carbon"), LENGTH="32 in", OD="%.3f" % od,
                ID="%.3f" % inner, WALL="%.3f" % ((od - inner) / 2), GPI=gpi_text(gpi),
                SPINE="%.3f" % (size / 1000.0), HMODELS=family, TMODELS=family,
                **defaults(family))


def target_curve(first, last, count):
    return [first * (last / first) ** (i / (count - 1)) for i in range(count)]


def nearest(candidates, spine_of, target, step=0):
    """The candidate whose spine is nearest the target, moved `step` places
    stiffer (positive) or weaker (negative); None past either end."""
    ordered = sorted(candidates, key=spine_of, reverse=True)  # weak to stiff
    best = min(range(len(ordered)), key=lambda i: abs(spine_of(ordered[i]) - target))
    index = best + step
    return ordered[index] if 0 <= index < len(ordered) else None


def alu(target, wall_class=None, step=0, tubes=ALU_TUBES, stiffest_so_far=None):
    pool = [t for t in tubes if wall_class is None or weight_class(t) == wall_class]
    if stiffest_so_far is not None:
        # A heavier position never gets a weaker tube than the lighter one
        # before it, even when the weight class of the row changes.
        stiffer = [t for t in pool if alu_spine(t) <= stiffest_so_far + 1e-9]
        pool = stiffer or pool
    return nearest(pool, alu_spine, target, step)


def carbon(family, target, step=0):
    return nearest(CARBON[family][0], lambda s: s / 1000.0, target, step)


def carbon_cell(family, target, step=0):
    size = carbon(family, target, step)
    if size is None:
        return ("", "")
    add_spec(str(size), family, carbon_record(family, size))
    return (str(size), family)


def alu_cell(size, family="52", models="52", two_number=False, note=""):
    if size is None:
        return ("", "")
    add_spec(size, family, aluminium_record(size, family, models, two_number))
    return (size + (" " + note if note else ""), family)


def caw_cell(target, step=0):
    size = carbon("CF", target, step)
    return (str(size), "caw") if size is not None else ("", "")


# Weight classes of hunting rows 1 to 4 by record, as the page shades them:
# L light, M mid, D dark, None white (aluminium/carbon or carbon).
HUNT_SHADES = {}
for r in range(1, 21):
    HUNT_SHADES[r] = ["L", None, None, None]
for r in range(1, 7):
    HUNT_SHADES[r] = ["L", "D", None, None]
HUNT_SHADES.update({
    7: ["D", None, None, None], 8: ["L", "M", "D", None], 9: ["L", "D", None, None],
    10: ["L", "M", "D", "D"], 11: ["M", "M", "D", "D"], 12: ["L", "M", "M", "D"],
    13: ["L", "L", "M", "D"], 14: ["L", "L", "M", "D"], 15: ["M", "D", None, None],
    16: ["M", "D", "D", None], 17: ["M", "D", "D", None], 18: ["M", "D", "D", None],
})


def hunting_chart():
    rows = []
    curve = target_curve(0.95, 0.28, 20)
    previous = {}
    for r in range(1, 21):
        d = curve[r - 1]
        shades = HUNT_SHADES[r]
        cells = []
        for column, shade in enumerate(shades, start=1):
            if shade is None:
                previous.pop(column, None)
                cells.append(None)
                continue
            step = sum(1 for s in shades[:column - 1] if s == shade)
            size = alu(d, shade, -step if step else 0, stiffest_so_far=previous.get(column))
            if size is None:  # no second tube of the class that far along
                size = alu(d, shade, 0, stiffest_so_far=previous.get(column))
            previous[column] = alu_spine(size)
            light_alloy = shade == "L" and ((column == 1 and 2 <= r <= 4) or (column == 2 and r in (13, 14)))
            if light_alloy:
                cells.append(alu_cell(size, "QK", "QK,52", two_number=True))
            else:
                note = "alt" if column == 2 and r in (5, 12, 17) else ""
                cells.append(alu_cell(size, note=note))
        # White rows among 1 to 4: aluminium/carbon in row 2, carbon in
        # row 3, and row 4 left blank under a carbon row 3 (not closed up).
        if cells[1] is None:  # one size stiffer than column 5, for heavy heads
            cells[1] = carbon_cell("HC", d, 1) if carbon("HC", d, 1) else carbon_cell("HC", d, -1)
        if cells[2] is None:
            cells[2] = caw_cell(d) if r not in (19, 20) else ("", "")
        if cells[3] is None:
            if r in (19, 20):  # a blank row 3 above a filled row 4
                cells[3] = carbon_cell("CS", d)
            else:
                cells[3] = carbon_cell("HC", d, 1) if r <= 6 else ("", "")
        size5, spine5 = carbon_cell("HC", d)
        cells.append((size5 + (" FP" if r in (6, 11) else ""), spine5))
        weaker = carbon_cell("HC", d, -1) if r % 3 else ("", "")
        cells.append(weaker if weaker not in (cells[1], cells[3]) else ("", ""))
        # Carbon alternatives around the nearest spine of column 3.
        cells.append(caw_cell(d, 1))
        cells.append(caw_cell(d, -1))
        cells.append(caw_cell(d, 2))
        cells.append(caw_cell(d, -2) if r >= 8 else ("", ""))
        cells.append(carbon_cell("CF", d))
        cells.append(carbon_cell("CF", d, 1) if r % 4 else ("", ""))
        cells.append(carbon_cell("CS", d))
        cells.append(carbon_cell("CS", d, 1))
        cells.append(carbon_cell("CU", d))
        cells.append(carbon_cell("CU", d, 1) if r >= 10 else ("", ""))
        rows.append(cells)
    return rows


def target_chart():
    rows = []
    curve = target_curve(1.00, 0.32, 19)
    for r in range(1, 20):
        d = curve[r - 1]
        cells = []
        for column in range(1, 5):
            compound = alu(d, None, column - 1)
            recurve = alu(d * 1.08, None, column - 1)
            star_allowed = not ((r == 15 and column >= 3) or (r == 16 and column >= 2))
            if compound is None:
                cells.append(("", ""))
                continue
            alu_cell(compound)
            if star_allowed and recurve and recurve != compound and column in (1, 2, 4):
                alu_cell(recurve)
                cells.append(("%s*%s" % (compound, recurve), "52"))
            else:
                cells.append((compound, "52"))
        cells.append(carbon_cell("TA", d))
        cells.append(carbon_cell("TA", d, 1) if r % 3 else ("", ""))
        cells.append(carbon_cell("TC", d))
        cells.append(carbon_cell("TC", d, 1))
        cells.append(carbon_cell("TC", d, -1))
        cells.append(alu_cell(alu(d, "L"), "Z4", "Z4,52", two_number=True))
        cells.append(alu_cell(alu(d, "L", 1), "Z4", "Z4,52", two_number=True) if r % 2 else ("", ""))
        cells.append(carbon_cell("TA", d, -1))
        cells.append(carbon_cell("TC", d, 2))
        cells.append(carbon_cell("TA", d, 2) if 8 <= r <= 14 else ("", ""))
        rows.append(cells)
    return rows


def youth_chart():
    rows = []
    curve = target_curve(1.70, 0.74, 10)
    for r in range(1, 11):
        d = curve[r - 1]
        cells = []
        for step in (0, 1, -1):
            size = alu(d, None, step, YOUTH_TUBES)
            if size is None or (step == -1 and r > 6):
                cells.append(("", ""))
            else:
                alu_cell(size, "YA", "YA")
                cells.append((size, "YA"))
        for step in (0, 1, -1, 2):
            size = carbon("YC", d, step)
            if size is None:
                cells.append(("", ""))
            else:
                add_spec(str(size), "YC", carbon_record("YC", size))
                cells.append((str(size), "YC"))
        heavy = alu(d, None, 2, YOUTH_TUBES) if r <= 8 else None
        cells.append(alu_cell(heavy, "YA", "YA") if heavy else ("", ""))
        rows.append(cells)
    return rows


def kavel_chart():
    rows = []
    curve = target_curve(1.05, 0.30, 19)
    for r in range(1, 20):
        d = curve[r - 1]
        cells = []
        for family, step in (("KT", 0), ("KT", 1), ("KS", 0)):
            size = carbon(family, d, step)
            if size is None:
                cells.append(("", ""))
            else:
                add_spec(str(size), family, carbon_record(family, size))
                cells.append((str(size), family))
        for step in (0, 1):
            size = alu(d, None, step, KAVEL_TUBES)
            if size is None:
                cells.append(("", ""))
            else:
                alu_cell(size, "KL", "KL")
                cells.append((size, "KL"))
        # Column 6 names the heavier Stalker size for reference only: the
        # size is listed without a model code, so the page leaves it out.
        size = carbon("KS", d, 1)
        if size is None:
            cells.append(("", ""))
        elif r % 2:
            add_spec(str(size), "KS", carbon_record("KS", size))
            cells.append((str(size), "KS"))
        else:
            cells.append((str(size), ""))
        rows.append(cells)
    return rows


def write_chart(name, rows, columns, second):
    path = os.path.join(DATA, "charts", name)
    with open(path, "w", newline="") as out:
        writer = csv.writer(out, lineterminator="\n")
        header = ["RECNO"]
        for n in range(1, columns + 1):
            header += ["SH%dSIZE" % n, "SH%d%s" % (n, second)]
        writer.writerow(header)
        for number, cells in enumerate(rows, start=1):
            assert len(cells) == columns, (name, number, len(cells))
            line = [number]
            for size, spine in cells:
                line += [size, spine]
            writer.writerow(line)


def write_specs():
    path = os.path.join(DATA, "specs", "Specs.csv")
    fields = ["SHAFTSIZE", "KEYSUFFIX", "ARROWTYPE", "LENGTH", "OD", "ID", "WALL", "GPI", "SPINE",
              "HMODELS", "TMODELS", "DEFPTWT", "DEFNOCKWT", "DEFVANEWT", "DEFINSWT"]
    with open(path, "w", newline="") as out:
        writer = csv.DictWriter(out, fieldnames=fields, lineterminator="\n")
        writer.writeheader()
        for key in sorted(specs, key=lambda k: (specs[k]["KEYSUFFIX"], specs[k]["SHAFTSIZE"])):
            writer.writerow(specs[key])


def main():
    # The whole range of every family is catalogued, charted or not.
    for tube in ALU_TUBES:
        alu_cell(tube)
    for tube in YOUTH_TUBES:
        alu_cell(tube, "YA", "YA")
    for tube in KAVEL_TUBES:
        alu_cell(tube, "KL", "KL")
    for family, (sizes, _, _, _) in CARBON.items():
        for size in sizes:
            add_spec(str(size), family, carbon_record(family, size))
    os.makedirs(os.path.join(DATA, "charts"), exist_ok=True)
    os.makedirs(os.path.join(DATA, "specs"), exist_ok=True)
    write_chart("HUNTCHRT.csv", hunting_chart(), 16, "SPINE")
    write_chart("Targchrt.csv", target_chart(), 14, "SPINE")
    write_chart("YouthChrt.csv", youth_chart(), 8, "MODL")
    write_chart("KAVLCHRT.csv", kavel_chart(), 6, "MODEL")
    write_specs()


if __name__ == "__main__":
    main()
