#!/usr/bin/python3
"""Writes data/Korin1.csv, the shipped holiday definitions.

Every national holiday of Japan from the Holidays Act of 20 July 1948 to the law in force today.
The equinox days, the national holiday between two holidays and the substitute holidays are not
listed: the date engine derives them.

The file is written exactly as the holiday editor writes it: eight fields per line, code page
932, CR LF, numbers without leading zeros and 0 as an empty field, the lines in the editor's sort
order (month, day or weekday slot, first year), so that opening and saving the file in the editor
leaves it byte for byte unchanged.

Usage: /usr/bin/python3 tools/make_holidays.py [OUTPUT]   (default: data/Korin1.csv)
"""

import os
import sys

FIXED = 1  # fixed month and day
NTH = 2  # nth weekday of a month
MONDAY = 1  # weekday field: 0 = Sunday ... 6 = Saturday

# (name, kind, month, day or week, weekday, first year, last year or 0)
# For kind 1 the fourth field is the day; for kind 2 it is the occurrence (2 = second Monday).
HOLIDAYS = [
    # The holidays of the 1948 Act. Those that fall before 20 July 1948 start in 1949.
    ("元日", FIXED, 1, 1, 0, 1949, 0),
    ("成人の日", FIXED, 1, 15, 0, 1949, 1999),
    ("成人の日", NTH, 1, 2, MONDAY, 2000, 0),  # second Monday from 2000
    ("天皇誕生日", FIXED, 4, 29, 0, 1949, 1988),
    ("憲法記念日", FIXED, 5, 3, 0, 1949, 0),
    ("こどもの日", FIXED, 5, 5, 0, 1949, 0),
    ("文化の日", FIXED, 11, 3, 0, 1948, 0),
    ("勤労感謝の日", FIXED, 11, 23, 0, 1948, 0),
    # 1966 amendment: 敬老の日 and 体育の日 from 1966, 建国記念の日 first kept in 1967.
    ("建国記念の日", FIXED, 2, 11, 0, 1967, 0),
    ("敬老の日", FIXED, 9, 15, 0, 1966, 2002),
    ("敬老の日", NTH, 9, 3, MONDAY, 2003, 0),  # third Monday from 2003
    ("体育の日", FIXED, 10, 10, 0, 1966, 1999),
    ("体育の日", NTH, 10, 2, MONDAY, 2000, 2019),  # second Monday 2000-2019
    # 1989: the Emperor's birthday moves, 29 April becomes みどりの日.
    ("天皇誕生日", FIXED, 12, 23, 0, 1989, 2018),
    ("みどりの日", FIXED, 4, 29, 0, 1989, 2006),
    # 2007: 29 April becomes 昭和の日, みどりの日 moves to 4 May.
    ("昭和の日", FIXED, 4, 29, 0, 2007, 0),
    ("みどりの日", FIXED, 5, 4, 0, 2007, 0),
    # 2019 has no Emperor's birthday; 23 February from 2020.
    ("天皇誕生日", FIXED, 2, 23, 0, 2020, 0),
    # 海の日: 20 July 1996-2002, third Monday of July from 2003, moved in 2020 and 2021.
    ("海の日", FIXED, 7, 20, 0, 1996, 2002),
    ("海の日", NTH, 7, 3, MONDAY, 2003, 2019),
    ("海の日", FIXED, 7, 23, 0, 2020, 2020),
    ("海の日", FIXED, 7, 22, 0, 2021, 2021),
    ("海の日", NTH, 7, 3, MONDAY, 2022, 0),
    # スポーツの日 (体育の日 renamed from 2020): moved to July in 2020 and 2021.
    ("スポーツの日", FIXED, 7, 24, 0, 2020, 2020),
    ("スポーツの日", FIXED, 7, 23, 0, 2021, 2021),
    ("スポーツの日", NTH, 10, 2, MONDAY, 2022, 0),
    # 山の日 from 2016, moved in 2020 and 2021.
    ("山の日", FIXED, 8, 11, 0, 2016, 2019),
    ("山の日", FIXED, 8, 10, 0, 2020, 2020),
    ("山の日", FIXED, 8, 8, 0, 2021, 2021),
    ("山の日", FIXED, 8, 11, 0, 2022, 0),
    # One-off holidays by special law, named as the Cabinet Office's list names them, except
    # the two days of 2019 that the list calls only "休日（祝日扱い）".
    ("結婚の儀", FIXED, 4, 10, 0, 1959, 1959),
    ("大喪の礼", FIXED, 2, 24, 0, 1989, 1989),
    ("即位礼正殿の儀", FIXED, 11, 12, 0, 1990, 1990),
    ("結婚の儀", FIXED, 6, 9, 0, 1993, 1993),
    ("天皇の即位の日", FIXED, 5, 1, 0, 2019, 2019),
    ("即位礼正殿の儀", FIXED, 10, 22, 0, 2019, 2019),
]


def record(entry):
    """The eight numeric-or-text fields of one line, as the file holds them."""
    name, kind, month, day_or_week, weekday, first, last = entry
    if kind == FIXED:
        return [name, kind, month, day_or_week, 0, 0, first, last]
    return [name, kind, month, 0, day_or_week, weekday, first, last]


def sort_key(fields):
    """The editor's order: month, then day or (week - 1) * 7 + weekday, then first year."""
    _, kind, month, day, week, weekday, first, _ = fields
    slot = day if kind == FIXED else (week - 1) * 7 + weekday
    return f"{month:02d}{slot:02d}{first:04d}"


def line(fields):
    def number(value):
        return "" if value == 0 else str(value)

    return ",".join([fields[0]] + [number(v) for v in fields[1:]])


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "Korin1.csv")
    records = [record(entry) for entry in HOLIDAYS]
    keys = [sort_key(fields) for fields in records]
    if len(set(keys)) != len(keys):
        sys.exit("make_holidays: two definitions share a sort key; the editor's order is unclear")
    for fields in records:
        if "," in fields[0] or fields[0].startswith('"') or len(fields[0]) > 20:
            sys.exit(f"make_holidays: {fields[0]!r} cannot be written as a name field")
    records.sort(key=sort_key)
    text = "".join(line(fields) + "\r\n" for fields in records)
    with open(output, "wb") as out:
        out.write(text.encode("cp932"))
    print(f"{output}: {len(records)} lines")


if __name__ == "__main__":
    main()
