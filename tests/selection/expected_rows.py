#!/usr/bin/python3
"""An independent reading of the shipped charts: for each case on stdin (a
JSON array of {"page", "record", "valid", "messages", "bowWeight",
"arrowLength", "compound", "rows"}) it reads the chart record with dbfread,
applies the page's row rules and prints every difference from the rows the
engine showed, one JSON object a line.

A setup off the chart shows one message. The bow weight entry then holds
the page's default, and the page shows either the chart record of the reset
setup (valid) or, off the chart still, no shafts: every row empty, its size
cell disabled and, on the Hunting page, every fill white.

usage: expected_rows.py PROGRAM_DIR < cases.json
"""
import json
import sys
from decimal import Decimal, ROUND_DOWN
from pathlib import Path

import dbfread

FOLDER = sys.argv[1]


def table(name):
    for path in Path(FOLDER).iterdir():
        if path.name.lower() == name.lower():
            return list(dbfread.DBF(str(path), char_decode_errors="replace"))
    raise SystemExit(f"{name} not found in {FOLDER}")


CHARTS = {
    "Hunt": table("HUNTCHRT.DBF"),
    "Targ": table("Targchrt.dbf"),
    "Youth": table("YouthChrt.dbf"),
    "Kavl": table("KAVLCHRT.DBF"),
}
SPECS = {}
for spec in table("Specs.DBF"):
    SPECS.setdefault(spec["SHAFTSIZE"].strip() + spec["KEYSUFFIX"].strip(), spec)


def text(record, field):
    return (record.get(field) or "").strip()


def weight(gpi, length):
    value = Decimal(gpi.strip()) * Decimal(length) + Decimal("0.5")
    return str(value.to_integral_value(rounding=ROUND_DOWN))


def empty(size_enabled=False):
    return {"size": "", "spine": "", "model": "", "weight": "", "shown": False,
            "sizeEnabled": size_enabled}


def looked_up(size, suffix, models_field, length, two_models):
    spec = SPECS.get(size + suffix)
    if spec is None:
        return {"size": size, "spine": "", "model": "", "weight": "", "shown": True,
                "sizeEnabled": False}
    model = spec[models_field].strip()
    gpi = spec["GPI"]
    shown = (weight(gpi[0:4], length) + "," + weight(gpi[5:9], length)
             if two_models(model) else weight(gpi, length))
    return {"size": size, "spine": spec["SPINE"], "model": model, "weight": shown,
            "shown": True, "sizeEnabled": True}


def hunt_rows(record, length):
    rows = []
    for n in range(1, 17):
        size = text(record, f"SH{n}SIZE")
        spine = text(record, f"SH{n}SPINE")
        if not size:
            rows.append(empty())
            continue
        if 2 <= n <= 6:
            size = size.split(" ")[0]
        if 3 <= n <= 10 and spine == "caw":
            rows.append({"size": size, "spine": "0." + size, "model": "Carbon",
                         "weight": "Details", "shown": True, "sizeEnabled": False})
            continue
        rows.append(looked_up(size, spine, "HMODELS", length,
                              lambda m, n=n: n <= 4 and m == "QK,52"))
    return rows


def star(size, compound):
    if "*" not in size:
        return size
    before, after = size.split("*", 1)
    return (before if compound else after).strip()


def targ_rows(record, number, length, compound):
    arrow = int(length)
    short = ((arrow == 23 and number == 8) or (arrow <= 24 and number == 9)
             or (arrow <= 25 and number in (10, 11)) or (arrow <= 26 and 12 <= number <= 14))
    if compound and not short and number == 15:
        columns, cut = [1] + list(range(3, 14)), 1
    elif compound and not short and number == 16:
        columns, cut = list(range(2, 13)), 0
    elif short:
        columns, cut = list(range(4, 15)), 1
    else:
        columns, cut = list(range(1, 14)), 4
    rows = []
    for row in range(1, 14):
        if row > len(columns):
            rows.append(empty(row == 1))
            continue
        n = columns[row - 1]
        size = text(record, f"SH{n}SIZE")
        if row <= cut:
            size = star(size, compound)
        if not size:
            rows.append(empty(row == 1))
            continue
        rows.append(looked_up(size, text(record, f"SH{n}SPINE"), "TMODELS", length,
                              lambda m, row=row: row >= 7 and m == "Z4,52"))
    return rows


def youth_rows(record, length):
    rows = []
    for n in range(1, 9):
        size = text(record, f"SH{n}SIZE")
        rows.append(looked_up(size, text(record, f"SH{n}MODL"), "TMODELS", length,
                              lambda m: False) if size else empty())
    return rows


def kavl_rows(record, length):
    rows = []
    for n in range(1, 7):
        model = text(record, f"SH{n}MODEL")
        rows.append(looked_up(text(record, f"SH{n}SIZE"), model, "HMODELS", length,
                              lambda m: False) if model else empty())
    return rows


CHART_RANGE = {"Hunt": (2, 20), "Targ": (2, 19), "Youth": (1, 10), "Kavl": (1, 19)}
DEFAULT_BOW_WEIGHT = {"Hunt": "60", "Targ": "60", "Youth": "30", "Kavl": "60"}
ROWS = {"Hunt": 16, "Targ": 13, "Youth": 8, "Kavl": 6}


def no_shafts(page):
    row = empty()
    if page == "Hunt":
        row["fill"] = "#ffffff"
    return [dict(row) for _ in range(ROWS[page])]


def step_differences(case):
    """What the invalid-selection step got wrong, as (field, expected, engine)."""
    page, number, messages = case["page"], case["record"], case["messages"]
    lowest, highest = CHART_RANGE[page]
    on_chart = lowest <= number <= highest
    if case["valid"] != on_chart:
        yield "valid", on_chart, case["valid"]
    if messages > 1:
        yield "messages", 1, messages
    if (messages == 1 or not on_chart) and case["bowWeight"] != DEFAULT_BOW_WEIGHT[page]:
        yield "bowWeight", DEFAULT_BOW_WEIGHT[page], case["bowWeight"]
    if not on_chart and messages != 1:
        yield "messages", 1, messages


def expected(case):
    page, number, length = case["page"], case["record"], case["arrowLength"]
    if not case["valid"]:
        return no_shafts(page)
    record = CHARTS[page][number - 1]
    if page == "Hunt":
        return hunt_rows(record, length)
    if page == "Targ":
        return targ_rows(record, number, length, case["compound"])
    if page == "Youth":
        return youth_rows(record, length)
    return kavl_rows(record, length)


def main():
    cases = json.load(sys.stdin)
    for index, case in enumerate(cases):
        for field, value, engine in step_differences(case):
            print(json.dumps({"case": index, "page": case["page"], "record": case["record"],
                              "field": field, "expected": value, "engine": engine}))
        for row, (want, got) in enumerate(zip(expected(case), case["rows"]), start=1):
            for key, value in want.items():
                if got.get(key) != value:
                    print(json.dumps({"case": index, "page": case["page"],
                                      "record": case["record"], "row": row, "field": key,
                                      "expected": value, "engine": got.get(key)}))


main()
