#!/usr/bin/python3
"""Parses the output of `korin ics` with a real iCalendar parser and checks its events.

Usage: check_ics.py KORIN
Exits 0 when every check holds; prints each failed check and exits 1 otherwise.
"""

import datetime
import subprocess
import sys

import icalendar

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(korin, *args):
    return subprocess.run([korin, *args], capture_output=True, check=False)


def main():
    korin = sys.argv[1]
    first = run(korin, "ics", "2024", "2025")
    check(first.returncode == 0, f"korin ics exited with {first.returncode}")
    raw = first.stdout

    # Octets: CR LF everywhere, no line over 75 octets, UTF-8 throughout.
    check(raw.endswith(b"\r\n"), "the text does not end with CR LF")
    lines = raw.split(b"\r\n")[:-1]
    check(all(b"\n" not in line and b"\r" not in line for line in lines), "a bare line break")
    check(all(len(line) <= 75 for line in lines), "a line longer than 75 octets")
    try:
        raw.decode("utf-8")
    except UnicodeDecodeError:
        check(False, "the text is not UTF-8")

    calendar = icalendar.Calendar.from_ical(raw)
    check(str(calendar.get("VERSION")) == "2.0", "VERSION is not 2.0")
    check(bool(calendar.get("PRODID")), "no PRODID")

    events = calendar.walk("VEVENT")
    listing = run(korin, "holidays", "2024", "2025")
    expected = [line for line in listing.stdout.decode("utf-8").splitlines() if line]
    check(len(events) == len(expected) and len(events) == 40,
          f"{len(events)} events, korin holidays lists {len(expected)}, 40 expected")

    by_day = {}
    for event in events:
        start = event.decoded("DTSTART")
        end = event.decoded("DTEND")
        check(type(start) is datetime.date, f"{start} is not an all-day date")
        check(end == start + datetime.timedelta(days=1), f"{start} does not end the next day")
        check(bool(event.get("DTSTAMP")), f"{start} has no DTSTAMP")
        by_day[start] = (str(event.get("SUMMARY")), str(event.get("UID")))

    for day, name in [
        (datetime.date(2024, 1, 1), "元日"),
        (datetime.date(2024, 2, 12), "振替休日"),
        (datetime.date(2024, 9, 22), "秋分の日"),
        (datetime.date(2024, 9, 23), "振替休日"),
        (datetime.date(2025, 5, 6), "振替休日"),
        (datetime.date(2025, 11, 23), "勤労感謝の日"),
    ]:
        check(by_day.get(day, ("",))[0] == name, f"{day}: {by_day.get(day)} instead of {name}")
    check(datetime.date(2024, 9, 24) not in by_day, "2024-09-24 is not a holiday")

    uids = [uid for _, uid in by_day.values()]
    check(len(set(uids)) == len(uids), "two events share a UID")
    again = icalendar.Calendar.from_ical(run(korin, "ics", "2024", "2025").stdout)
    check(sorted(str(e.get("UID")) for e in again.walk("VEVENT")) == sorted(uids),
          "the UIDs change from run to run")

    # A single year, and a request that cannot be met.
    single = icalendar.Calendar.from_ical(run(korin, "ics", "2024").stdout)
    check(len(single.walk("VEVENT")) == 21, "korin ics 2024 does not give the 21 days of 2024")
    for bad in (["ics"], ["ics", "x"], ["ics", "0"], ["ics", "2024", "10000"]):
        result = run(korin, *bad)
        check(result.returncode != 0 and result.stdout == b"",
              f"korin {' '.join(bad)} exited {result.returncode} with output")
        check(result.stderr != b"", f"korin {' '.join(bad)} said nothing")

    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
