#!/usr/bin/python3
"""Reads one record of the shipped hunting chart with dbfread, an independent
DBF reader, and prints the sixteen grid rows the hunting rules give for it as
JSON: [[size, spine, model, weight], ...] (empty strings for an empty row).

usage: expected_hunting_rows.py PROGRAM_DIR RECORD ARROW_LENGTH
"""
import json
import sys
from decimal import Decimal, ROUND_DOWN
from pathlib import Path

import dbfread


def table(folder, name):
    for path in Path(folder).iterdir():
        if path.name.lower() == name.lower():
            return dbfread.DBF(str(path), char_decode_errors="replace")
    raise SystemExit(f"{name} not found in {folder}")


def weight(gpi, length):
    value = Decimal(gpi.strip()) * Decimal(length) + Decimal("0.5")
    return str(value.to_integral_value(rounding=ROUND_DOWN))


def main():
    folder, record, length = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    chart = list(table(folder, "HUNTCHRT.DBF"))[record - 1]
    specs = {}
    for spec in table(folder, "Specs.DBF"):
        specs.setdefault(spec["SHAFTSIZE"].strip() + spec["KEYSUFFIX"].strip(), spec)
    rows = []
    for n in range(1, 17):
        size = (chart[f"SH{n}SIZE"] or "").strip()
        spine = (chart[f"SH{n}SPINE"] or "").strip()
        if not size:
            rows.append(["", "", "", ""])
            continue
        if 2 <= n <= 6:
            size = size.split(" ")[0]
        if 3 <= n <= 10 and spine == "caw":
            rows.append([size, "0." + size, "Carbon", "Details"])
            continue
        spec = specs[size + spine]
        model = spec["HMODELS"].strip()
        gpi = spec["GPI"]
        if n <= 4 and model == "QK,52":
            shown = weight(gpi[0:4], length) + "," + weight(gpi[5:9], length)
        else:
            shown = weight(gpi, length)
        rows.append([size, spec["SPINE"], model, shown])
    print(json.dumps(rows))


main()
