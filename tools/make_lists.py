#!/usr/bin/env python3
"""Turns the name-day source tables into the list files that ship beside the program.

Usage: tools/make_lists.py [--check] [REPOSITORY]

Reads REPOSITORY/data/namedays/ (REPOSITORY defaults to the folder above this script): one
<country code>.tsv per country (a comment line, then rows "month<TAB>day<TAB>name" in source
order), the licence files and SOURCES.md, which tells where each table comes from. Writes,
below REPOSITORY:

  data/lists/<country in its own language>.txt  one list per country
  data/lists/Birthdays.txt                       the sample birthday list
  NOTICE                                         credits, licences, corrections, left-out dates
  tests/lists/ShippedLists.counts.tsv            what each list must hold, for the tests

With --check nothing is written: everything above is derived afresh and compared with what
the repository holds. Any difference, or a list file in data/lists/ that no source makes, is
reported and the exit status is 1.

A list file has one line per date, "month.day<TAB>names<TAB>0", the date's names joined by
", " in source order, CR LF after every line. It is Windows-1252 when every character fits,
else UTF-8 without byte-order mark, the same rule the program saves by.

The sources have faults of their own. Each correction is a row of one of the tables in
list_corrections.py beside this script, and every row must find what it corrects: when a
source changes under a rule, the conversion stops instead of shipping a list that is half
corrected. NOTICE lists every correction.

A names text is the key of its entry, so the program keeps only the first line with a given
text. A text the source gives on several dates is therefore kept at one of them here (its
first, or the principal date set below) and left out at the others, and said so.
"""

import os
import sys
import textwrap
from pathlib import Path

COUNTRIES = [
    # code, list name, licence file
    ("SE", "Sverige", "LICENSE-namedays-npm"),
    ("DK", "Danmark", "LICENSE-namedays-npm"),
    ("NO", "Norge", "LICENSE-namedays-npm"),
    ("DE", "Deutschland", "LICENSE-namedays-npm"),
    ("PL", "Polska", "LICENSE-namedays-npm"),
    ("CZ", "Česko", "LICENSE-namedays-npm"),
    ("SK", "Slovensko", "LICENSE-pynameday"),
    ("AT", "Österreich", "LICENSE-pynameday"),
    ("HU", "Magyarország", "LICENSE-bsd-calendar"),
    ("FR", "France", "LICENSE-bsd-calendar"),
    ("LV", "Latvija", "LICENSE-lv-namedays"),
    ("GR", "Ελλάδα", "LICENSE-greek-namedays"),
]

LICENCES = [
    # licence files, credit, lists that use them
    (["LICENSE-namedays-npm"],
     "npm package `namedays` 5.0.1 by Filip Tammergård (MIT licence)",
     "Sverige, Danmark, Norge, Deutschland, Polska, Česko"),
    (["LICENSE-pynameday"],
     "Python package `pynameday` 0.0.3 by Adrián Matejov (MIT licence)",
     "Slovensko, Österreich"),
    (["LICENSE-bsd-calendar"],
     "calendar data of the BSD calendar(1) program, as in Debian's `calendar` 12.1.8 "
     "(BSD licence)",
     "Magyarország (calendar.nevnapok), France (calendar.fetes)"),
    (["LICENSE-cc0-1.0", "LICENSE-lv-namedays"],
     "Latvian traditional name day list (Latviešu tradicionālais kalendārvārdu saraksts) of\n"
     "the State Language Centre (Valsts valodas centrs), published on Latvia's open data\n"
     "portal under CC0 1.0 as the package's conversion notes state, as converted in the\n"
     "Python package `lv-namedays` 0.5.4 by CaptSolo (MIT licence); the CC0 dedication of\n"
     "the data, then the package's licence",
     "Latvija"),
    (["LICENSE-greek-namedays"],
     "`recurring_namedays.json` of Greek-namedays by Alex Styl (the Unlicense, a\n"
     "public-domain dedication)",
     "Ελλάδα"),
]

from list_corrections import (  # noqa: E402  (the tables stand beside this script)
    ADDED_ROWS,
    LEAP_YEAR_ROWS,
    LEAP_YEAR_NOTES,
    FEAST_ROWS,
    FEAST_NAMES,
    JOINED_NAMES,
    TITLE_PIECES,
    SPELLING,
    FIRST_NAME_ONLY,
    DOUBLE_NAMES,
    PRINCIPAL_DATES,
    BIRTHDAYS,
)

CRLF = "\r\n"


class Corrections:
    """Applies the correction tables to one country's rows and records what each changed."""

    def __init__(self, code):
        self.code = code
        self.done = []  # (month, day, sentence) in the order the rules ran

    def rules(self, table):
        return [row[1:] for row in table if row[0] == self.code]

    def unmatched(self, what, month, day, text):
        raise SystemExit(f"{self.code}.tsv: no {text!r} on {month}.{day} for the rule on {what};"
                         " the source has changed, so the rule needs a look")

    def drop_rows(self, rows, table, what, why):
        for month, day, text in self.rules(table):
            row = (month, day, text)
            if row not in rows:
                self.unmatched(what, month, day, text)
            rows.remove(row)
            self.done.append((month, day, f"{text} left out: {why(month, day)}"))
        return rows

    def add_rows(self, rows):
        for month, day, name, before in self.rules(ADDED_ROWS):
            if (month, day, before) not in rows:
                self.unmatched("added names", month, day, before)
            rows.insert(rows.index((month, day, before)), (month, day, name))
            self.done.append((month, day, f"{name} added before {before}: the source greets "
                                          f"{name} too, which the extraction missed"))
        return rows

    def rename_rows(self, rows):
        for month, day, text, name in self.rules(FEAST_NAMES):
            if (month, day, text) not in rows:
                self.unmatched("feast names", month, day, text)
            rows[rows.index((month, day, text))] = (month, day, name)
            self.done.append((month, day, f"{text} given as {name}, whose name day the feast is"))
        return rows

    def split_pieces(self, pieces):
        for month, day, piece, parts in self.rules(JOINED_NAMES):
            at = self.index(pieces, month, day, piece, "names written as one")
            pieces[at:at + 1] = [(month, day, part) for part in parts]
            self.done.append((month, day, f"{piece} read as {len(parts)} names: {', '.join(parts)}"))
        return pieces

    def drop_pieces(self, pieces):
        for month, day, piece in self.rules(TITLE_PIECES):
            del pieces[self.index(pieces, month, day, piece, "titles")]
            self.done.append((month, day, f"{piece} left out: a title of the name before it"))
        return pieces

    def mend_spelling(self, pieces):
        for month, day, wrong, right in self.rules(SPELLING):
            hits = [i for i, (m, d, piece) in enumerate(pieces)
                    if (m, d) == (month, day) and wrong in piece.split(" ")]
            if len(hits) != 1:
                self.unmatched("spelling", month, day, wrong)
            m, d, piece = pieces[hits[0]]
            pieces[hits[0]] = (m, d, " ".join(right if w == wrong else w for w in piece.split(" ")))
            self.done.append((month, day, f"{wrong} spelt {right}"))
        return pieces

    def first_names(self, pieces):
        if self.code not in FIRST_NAME_ONLY:
            return pieces
        cut = []
        for code, double in DOUBLE_NAMES:
            if code == self.code and double not in (piece for _, _, piece in pieces):
                raise SystemExit(f"{code}.tsv: the double name {double!r} is gone from the "
                                 "source, so the rule needs a look")
        for month, day, piece in pieces:
            name = piece if (self.code, piece) in DOUBLE_NAMES else piece.split(" ")[0]
            if name != piece:
                self.done.append((month, day, f"{piece} given as {name}"))
            if "." in name:
                raise SystemExit(f"{self.code}.tsv: {piece!r} on {month}.{day} is still "
                                 "abbreviated after the corrections")
            cut.append((month, day, name))
        return cut

    def index(self, pieces, month, day, piece, what):
        try:
            return pieces.index((month, day, piece))
        except ValueError:
            self.unmatched(what, month, day, piece)


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


def corrected_names(code, rows):
    """The (month, day, name) pieces of a country after every correction, and the log."""
    fix = Corrections(code)
    rows = fix.drop_rows(rows, LEAP_YEAR_ROWS, "leap-year places", lambda month, day:
                         f"its place in a leap year; in other years it is on {month}.{day - 1}")
    rows = fix.drop_rows(rows, FEAST_ROWS, "feasts", lambda month, day: "a feast, not a name")
    rows = fix.rename_rows(fix.add_rows(rows))
    pieces = [(m, d, piece) for m, d, text in rows for piece in text.split(", ")]
    pieces = fix.first_names(fix.mend_spelling(fix.drop_pieces(fix.split_pieces(pieces))))
    return pieces, sorted(fix.done, key=lambda done: done[:2])


def entries_by_date(pieces):
    """One (month, day, names text) per date in calendar order; names in source order, each
    name once a date (several sources list a name of two saints of one day twice)."""
    names = {}
    for month, day, name in pieces:
        day_names = names.setdefault((month, day), [])
        if name not in day_names:
            day_names.append(name)
    return [(m, d, ", ".join(names[(m, d)])) for (m, d) in sorted(names)]


def drop_repeats(code, entries):
    """Keeps one entry of every names text, at its principal date where one is set, else at
    its first; gives the kept ones and the dropped notes."""
    kept_date = {}
    for month, day, text in entries:
        kept_date.setdefault(text, (month, day))
    for (country, text), date in PRINCIPAL_DATES.items():
        if country != code:
            continue
        if (date[0], date[1], text) not in entries:
            sys.exit(f"make_lists: {code} {date[0]}.{date[1]} no longer holds {text}; "
                     "the principal date needs a look")
        kept_date[text] = date
    kept, dropped = [], []
    for month, day, text in entries:
        if kept_date[text] == (month, day):
            kept.append((month, day, text))
        else:
            dropped.append((month, day, text, kept_date[text]))
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


def indented(text):
    return "\n".join("    " + line if line else "" for line in text.rstrip("\n").split("\n"))


NOTICE_HEAD = """\
Name days - third-party notices
===============================

The name-day lists in data/lists/ (copied beside the program as <country>.txt) are
made by tools/make_lists.py from the tables in data/namedays/, which SOURCES.md there
describes. Each list holds one line per date with that date's names in the source's
order. Birthdays.txt is invented sample data of this project.

"""

NOTES = """\
Notes on the lists
------------------

- Danmark and Magyarország hold the calendar of a common year. Leap years:
{leap}
- Latvija: 5.22 is the day of all names that are not in the calendar; the source marks it
  with the sentence "Visu neparasto un kalendāros neierakstīto vārdu diena", which the
  list keeps beside the name of that day. The source has no name on 2.29.
- Ελλάδα holds the name days on fixed dates only. Those that follow Orthodox Easter
  (Θεόδωρος, Λάζαρος, Αναστάσιος, Λάμπρος, Πασχάλης, Θωμάς, Ζωή, Παναγιώτης, the names of
  All Saints' Sunday and others) move every year and are not in the list. Γεώργιος
  (George) is in neither part of the source, so the list does not have it. 2.29 holds
  Κασσιανός and the names that go with it, which the source gives no other date; in other
  years the program writes that day on 3.1. A name that the source lists in two name
  groups of one date stands there once.

"""


def notice_text(source, corrections, reports):
    parts = [NOTICE_HEAD]
    for licences, credit, lists in LICENCES:
        parts.append(f"{credit}\n  used for: {lists}\n\n")
        for licence in licences:
            parts.append(indented((source / licence).read_text(encoding="utf-8")) + "\n\n")
    leap = "\n".join(textwrap.fill(LEAP_YEAR_NOTES[code], width=88,
                                   initial_indent=f"  {name}: ", subsequent_indent="    ",
                                   break_on_hyphens=False)
                     for code, name, _ in COUNTRIES if code in LEAP_YEAR_NOTES)
    parts.append(NOTES.format(leap=leap))
    parts.append("Changes made to the sources\n---------------------------\n\n")
    parts.append("- Magyarország: the letters õ, û of the source (a Latin-1 artefact) read as ő, ű.\n")
    parts.append("- France: names taken out of the source's greeting sentences.\n")
    parts.append("- Latvija: the source's dash for no name on 2.29 left out.\n")
    parts.append("- Ελλάδα: in Γεροντιος (4.13) a Latin o of the source read as the Greek ο.\n")
    parts.append("- Österreich: the source is a saints' calendar. Feasts are left out, and each "
                 "saint\n  is given by the name people bear, without bynames and "
                 "abbreviations.\n")
    parts.append("- Corrections, by list and date:\n\n")
    for name, done in corrections:
        for month, day, sentence in done:
            parts.append(f"  {name} {month}.{day}: {sentence}\n")
    parts.append(
        "\n- A list holds each names text once (the text is its entry's key), so a text that\n"
        "  the source gives on several dates stands at one of them: its first, or for\n"
        "  Österreich's Johannes, Nikolaus, Andreas, Katharina, Elisabeth, Theresia, Antonius,\n"
        "  Augustin, Hieronymus, Heinrich, Eduard, Vinzenz and Gregor the date of the\n"
        "  best-known saint of the name. Left out:\n\n")
    for name, dropped in reports:
        for month, day, text, (first_month, first_day) in dropped:
            parts.append(f"  {name}: {text} on {month}.{day} (kept on {first_month}.{first_day})\n")
    return "".join(parts)


def derive(repo):
    """Every file the conversion makes, as {path below repo: bytes}."""
    source = repo / "data" / "namedays"
    files = {}
    counts = ["# list file\tentries\tsource dates\tdropped repeats\tencoding\n"]
    corrections, reports = [], []
    for code, name, _ in COUNTRIES:
        pieces, done = corrected_names(code, read_rows(source / f"{code}.tsv"))
        entries = entries_by_date(pieces)
        kept, dropped = drop_repeats(code, entries)
        data, encoding = encode(list_text([(m, d, t, 0) for m, d, t in kept]))
        files[Path("data", "lists", f"{name}.txt")] = data
        counts.append(f"{name}.txt\t{len(kept)}\t{len(entries)}\t{len(dropped)}\t{encoding}\n")
        corrections.append((name, done))
        reports.append((name, dropped))
    data, encoding = encode(list_text(BIRTHDAYS))
    files[Path("data", "lists", "Birthdays.txt")] = data
    counts.append(f"Birthdays.txt\t{len(BIRTHDAYS)}\t{len(BIRTHDAYS)}\t0\t{encoding}\n")
    files[Path("NOTICE")] = notice_text(source, corrections, reports).encode("utf-8")
    files[Path("tests", "lists", "ShippedLists.counts.tsv")] = "".join(counts).encode("utf-8")
    return files


def first_difference(made, held):
    made_lines, held_lines = made.split(b"\n"), held.split(b"\n")
    for number, (a, b) in enumerate(zip(made_lines, held_lines), 1):
        if a != b:
            return f"line {number}: made {a!r}, held {b!r}"
    return f"made {len(made_lines)} lines, held {len(held_lines)}"


def check(repo, files):
    faults = []
    for path, made in files.items():
        target = repo / path
        if not target.is_file():
            faults.append(f"{path}: missing")
        elif target.read_bytes() != made:
            faults.append(f"{path}: differs, {first_difference(made, target.read_bytes())}")
    for held in sorted((repo / "data" / "lists").glob("*.txt")):
        if held.relative_to(repo) not in files:
            faults.append(f"{held.relative_to(repo)}: no source makes it")
    for fault in faults:
        print(fault, file=sys.stderr)
    print(f"checked {len(files)} files: {len(faults) or 'no'} differences")
    return 1 if faults else 0


def write(repo, files):
    for path, data in files.items():
        target = repo / path
        target.parent.mkdir(parents=True, exist_ok=True)
        # Whole or not at all: an interrupted run leaves the old file, never half a new one.
        temporary = target.with_name(f".{target.name}.tmp")
        temporary.write_bytes(data)
        os.replace(temporary, target)
    print(f"wrote {len(files)} files")
    return 0


def main(argv):
    checking = "--check" in argv[1:]
    rest = [arg for arg in argv[1:] if arg != "--check"]
    if len(rest) > 1 or any(arg.startswith("-") for arg in rest):
        raise SystemExit(__doc__)
    repo = Path(rest[0]) if rest else Path(__file__).resolve().parent.parent
    files = derive(repo)
    return check(repo, files) if checking else write(repo, files)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
