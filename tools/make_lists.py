#!/usr/bin/env python3
"""Turns the name-day source tables into the list files that ship beside the program.

Usage: tools/make_lists.py NAMEDAYS_FOLDER [REPOSITORY]

NAMEDAYS_FOLDER holds one <country code>.tsv per country (a comment line, then rows
"month<TAB>day<TAB>name" in source order), the licence files and SOURCES.md.
Writes, below REPOSITORY (default: the folder above this script):

  data/lists/<country in its own language>.txt  one list per country
  data/lists/Birthdays.txt                       the sample birthday list
  NOTICE                                         credits, licences and notes on dropped dates
  tests/lists/ShippedLists.counts.tsv            what each list must hold, for the tests

A list file has one line per date, "month.day<TAB>names<TAB>0", the date's names joined by
", " in source order, CR LF after every line. It is Windows-1252 when every character fits,
else UTF-8 without byte-order mark, the same rule the program saves by.

A names text is the key of its entry, so the program keeps only the first line with a given
text. A text the source gives on a later date again is therefore left out here, and said so.
"""

import sys
from pathlib import Path

COUNTRIES = [
    # code, list name, source, licence file
    ("SE", "Sverige", "npm package `namedays`", "LICENSE-namedays-npm"),
    ("DK", "Danmark", "npm package `namedays`", "LICENSE-namedays-npm"),
    ("NO", "Norge", "npm package `namedays`", "LICENSE-namedays-npm"),
    ("DE", "Deutschland", "npm package `namedays`", "LICENSE-namedays-npm"),
    ("PL", "Polska", "npm package `namedays`", "LICENSE-namedays-npm"),
    ("CZ", "Česko", "npm package `namedays`", "LICENSE-namedays-npm"),
    ("SK", "Slovensko", "Python package `pynameday`", "LICENSE-pynameday"),
    ("AT", "Österreich", "Python package `pynameday`", "LICENSE-pynameday"),
    ("HU", "Magyarország", "`calendar.nevnapok` of the BSD calendar data",
     "LICENSE-bsd-calendar"),
    ("FR", "France", "`calendar.fetes` of the BSD calendar data", "LICENSE-bsd-calendar"),
]

LICENCES = [
    ("LICENSE-namedays-npm", "npm package `namedays` by Filip Tammergård (MIT licence)",
     "Sverige, Danmark, Norge, Deutschland, Polska, Česko"),
    ("LICENSE-pynameday", "Python package `pynameday` by Adrián Matejov (MIT licence)",
     "Slovensko, Österreich"),
    ("LICENSE-bsd-calendar", "calendar data of the BSD calendar(1) program (BSD licence)",
     "Magyarország (calendar.nevnapok), France (calendar.fetes)"),
]

# Invented people; any likeness to real persons is chance.
BIRTHDAYS = [
    (1, 14, "Alma Petersen", 1952),
    (2, 3, "Jonas Berg", 1987),
    (3, 7, "John Smith", 1965),
    (3, 29, "Klara Nyström", 1991),
    (4, 18, "Mateo Rossi", 1979),
    (5, 2, "Ingrid Halvorsen", 1948),
    (6, 21, "Lukas Brenner", 2001),
    (7, 9, "Sofie Dahl", 1995),
    (8, 30, "Émile Laurent", 1960),
    (10, 12, "Greta Lindholm", 1983),
    (11, 5, "Paul Novak", 1974),
    (12, 24, "Eva Sommer", 1969),
]

CRLF = "\r\n"


def read_rows(path):
    """The (month, day, name) rows of one source table, in source order."""
    rows = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 3:
            raise SystemExit(f"{path}:{number}: expected three TAB fields")
        month, day, name = fields
        name = name.strip()
        if not name:
            raise SystemExit(f"{path}:{number}: empty name")
        rows.append((int(month), int(day), name))
    return rows


def entries_by_date(rows):
    """One (month, day, names text) per date in calendar order; names in source order."""
    names = {}
    for month, day, name in rows:
        names.setdefault((month, day), []).append(name)
    return [(m, d, ", ".join(names[(m, d)])) for (m, d) in sorted(names)]


def drop_repeats(entries):
    """Keeps the first entry of every names text; gives the kept ones and the dropped notes."""
    first_date = {}
    kept, dropped = [], []
    for month, day, text in entries:
        if text in first_date:
            dropped.append((month, day, text, first_date[text]))
        else:
            first_date[text] = (month, day)
            kept.append((month, day, text))
    return kept, dropped


def list_text(entries):
    return "".join(f"{m}.{d}\t{text}\t{year}{CRLF}" for m, d, text, year in entries)


def encode(text):
    try:
        data = text.encode("cp1252")
    except UnicodeEncodeError:
        return text.encode("utf-8"), "UTF-8"
    if not data.isascii() and reads_as_utf8(data):
        raise SystemExit("a Windows-1252 list would be read back as UTF-8")
    return data, "Windows-1252"


def reads_as_utf8(data):
    try:
        data.decode("utf-8")
        return True
    except UnicodeDecodeError:
        return False


def write_list(folder, name, entries):
    data, encoding = encode(list_text(entries))
    (folder / f"{name}.txt").write_bytes(data)
    return encoding


def notice_text(source, reports):
    parts = [
        "Name days - third-party notices\n",
        "===============================\n\n",
        "The name-day lists in data/lists/ (copied beside the program as <country>.txt) are\n",
        "made by tools/make_lists.py from the following sources. Each list holds one line per\n",
        "date with that date's names in the source's order. Birthdays.txt is invented sample\n",
        "data of this project.\n\n",
    ]
    for licence, credit, lists in LICENCES:
        parts.append(f"{credit}\n  used for: {lists}\n\n")
        body = (source / licence).read_text(encoding="utf-8").rstrip("\n")
        parts.append("\n".join("    " + line if line else "" for line in body.split("\n")))
        parts.append("\n\n")
    parts.append("Changes made to the sources\n---------------------------\n\n")
    parts.append("- Hungarian: the letters õ, û of the source (a Latin-1 artefact) read as ő, ű.\n")
    parts.append("- French: names taken out of the source's greeting sentences.\n")
    parts.append(
        "- A list holds each names text once (the text is its entry's key), so a text that\n"
        "  the source gives on a later date again stands only at its first date. Left out:\n\n")
    for name, dropped in reports:
        for month, day, text, (first_month, first_day) in dropped:
            parts.append(f"  {name}: {text} on {month}.{day} (kept on {first_month}.{first_day})\n")
    return "".join(parts)


def main(argv):
    if len(argv) not in (2, 3):
        raise SystemExit(__doc__)
    source = Path(argv[1])
    repo = Path(argv[2]) if len(argv) == 3 else Path(__file__).resolve().parent.parent
    lists = repo / "data" / "lists"
    lists.mkdir(parents=True, exist_ok=True)
    counts = ["# list file\tentries\tsource dates\tdropped repeats\tencoding\n"]
    reports = []
    for code, name, _, _ in COUNTRIES:
        entries = entries_by_date(read_rows(source / f"{code}.tsv"))
        kept, dropped = drop_repeats(entries)
        encoding = write_list(lists, name, [(m, d, t, 0) for m, d, t in kept])
        counts.append(f"{name}.txt\t{len(kept)}\t{len(entries)}\t{len(dropped)}\t{encoding}\n")
        reports.append((name, dropped))
        for month, day, text, first in dropped:
            print(f"{name}: dropped {text!r} on {month}.{day}, kept on {first[0]}.{first[1]}",
                  file=sys.stderr)
    encoding = write_list(lists, "Birthdays", BIRTHDAYS)
    counts.append(f"Birthdays.txt\t{len(BIRTHDAYS)}\t{len(BIRTHDAYS)}\t0\t{encoding}\n")
    (repo / "NOTICE").write_text(notice_text(source, reports), encoding="utf-8")
    (repo / "tests" / "lists").mkdir(parents=True, exist_ok=True)
    (repo / "tests" / "lists" / "ShippedLists.counts.tsv").write_text("".join(counts),
                                                                      encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv)
