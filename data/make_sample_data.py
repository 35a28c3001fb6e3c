#!/usr/bin/env python3
"""Generates Avigram's sample data files in this folder (Python 3 standard library only).

Live weight follows a Gompertz growth curve per sex, W(t) = A * exp(-exp(-b * (t - ti))) grams at
age t days; part weights are live weight times a processing-yield share that moves linearly with
age between its day-20 and day-50 values. See README.md for the sources of the parameters.

Run: python3 make_sample_data.py   (rewrites the four files; the output is deterministic)
"""
import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
PREFIX = "Broiler"
AGES = range(20, 51)

# Gompertz parameters: mature weight A (g), rate b (1/day), age at the inflection point ti (days).
GOMPERTZ = {
    "Males": (7000.0, 0.043, 38.0),
    "Females": (5400.0, 0.045, 36.5),
}

# Carcass columns 8..28 of the file: (caption, share of live weight at day 20, at day 50) for males.
# Columns 12..26 together make the eviscerated carcass (without giblets, feet and head).
PARTS = {
    8: ("Giblets", 0.052, 0.042),
    9: ("Feet", 0.046, 0.038),
    10: ("Head", 0.030, 0.023),
    11: ("Blood", 0.036, 0.034),
    12: ("Breast fillet", 0.132, 0.188),
    13: ("Breast tender", 0.033, 0.046),
    14: ("Drumstick meat", 0.052, 0.056),
    15: ("Drumstick skin", 0.009, 0.009),
    16: ("Thigh meat", 0.069, 0.077),
    17: ("Thigh skin", 0.013, 0.013),
    18: ("Wing tips", 0.010, 0.008),
    19: ("Back", 0.112, 0.098),
    20: ("Neck", 0.033, 0.027),
    21: ("Breast skin and bone", 0.060, 0.056),
    22: ("Drumstick bone", 0.031, 0.026),
    23: ("Thigh bone", 0.019, 0.016),
    24: ("Wing", 0.072, 0.068),
    25: ("Abdominal fat", 0.010, 0.016),
    26: ("Skin trim", 0.012, 0.013),
    27: ("Feathers", 0.062, 0.058),
    28: ("Viscera", 0.085, 0.072),
}
# Females carry more breast meat and abdominal fat and slightly less leg than males of the same age.
FEMALE_FACTOR = {12: 1.04, 13: 1.04, 14: 0.96, 16: 0.96, 22: 0.96, 23: 0.96, 25: 1.30}

# Columns 2..7 of the file are the cut-up pieces made of the columns above.
PIECES = {
    2: ("Breast", (12, 13, 21)),
    3: ("Large Pectoral", (12,)),
    4: ("Small Pectoral", (13,)),
    5: ("Leg", (14, 15, 22)),
    6: ("Thigh", (16, 17, 23)),
    7: ("Wings", (18, 24)),
}


def live_weight(sex, age):
    a, b, ti = GOMPERTZ[sex]
    return a * math.exp(-math.exp(-b * (age - ti)))


def part_weights(sex, age):
    """Columns 1..28 in grams for one sex and age."""
    w = live_weight(sex, age)
    f = (age - 20) / 30.0
    cols = {1: w}
    for c, (_, d20, d50) in PARTS.items():
        share = d20 + (d50 - d20) * f
        if sex == "Females":
            share *= FEMALE_FACTOR.get(c, 1.0)
        cols[c] = w * share
    for c, (_, members) in PIECES.items():
        cols[c] = sum(cols[m] for m in members)
    return cols


def write_crlf(name, lines):
    with open(os.path.join(HERE, name), "w", encoding="utf-8", newline="") as out:
        for line in lines:
            out.write(line + "\r\n")


def carcass_file():
    captions = ["Age", "Sex", "Body Wt"]
    captions += [PIECES[c][0] for c in range(2, 8)]
    captions += [PARTS[c][0] for c in range(8, 29)]
    assert len(captions) == 30
    lines = ["".join(c + "\t" for c in captions)]
    for sex in ("Mixed", "Males", "Females"):
        for age in AGES:
            if sex == "Mixed":
                m, fe = part_weights("Males", age), part_weights("Females", age)
                cols = {c: (m[c] + fe[c]) / 2 for c in m}
            else:
                cols = part_weights(sex, age)
            fields = [str(age), sex] + ["%.1f" % cols[c] for c in range(1, 29)]
            lines.append("\t".join(fields))
    write_crlf(PREFIX + "CARCDATA.txt", lines)


def calibration_file():
    lines = [
        "Calibration for " + PREFIX + "CARCDATA.txt",
        "Carcass file weights are grams per bird",
        "Growth: Gompertz curves per sex, see README.md",
        "Yields: processing shares of live weight, see README.md",
        "Males A=7000 g b=0.043 ti=38 d",
        "Females A=5400 g b=0.045 ti=36.5 d",
        "Mixed rows are the mean of males and females",
        "Ages 20 to 50 days",
        "Flock weights are entered in kilograms",
        "Units: 0 kilograms, 1 pounds, 2 grams",
        "",
        "Display units follow",
        "Units,0",
    ]
    write_crlf(PREFIX + ".clb", lines)


def flock_file():
    rng = random.Random(20240)
    flocks = [
        ("House 1", 24000, "M", 40),
        ("House 2", 22000, "F", 38),
        ("House 3", 30000, "X", 39),
        ("House 4", 18500, "M", 44),
        ("House 5", 26000, "X", 35),
        ("House 6", 21000, "F", 42),
    ]
    lines = []
    for ident, birds, sex, age in flocks:
        if sex == "X":
            w = (live_weight("Males", age) + live_weight("Females", age)) / 2
        else:
            w = live_weight("Males" if sex == "M" else "Females", age)
        w_kg = w / 1000.0 * rng.uniform(0.96, 1.04)
        lines.append("\t".join([ident, str(birds), "%.2f" % w_kg, sex, str(age)]))
    lines += ["\t\t\t\t"] * (10 - len(lines))
    write_crlf(PREFIX + ".grd", lines)


def parts_list():
    write_crlf(PREFIX + "PARTS.txt", [
        "Fillet,Tender,Breast skin and bone,Next",
        "Drumstick,Thigh,Leg quarter,Next",
        "Wing,Wing tip,Next",
    ])


if __name__ == "__main__":
    carcass_file()
    calibration_file()
    flock_file()
    parts_list()
