"""Checks that khal's listing holds every entry of a list file, on its date of the year."""
import datetime
import re
import sys

NUMBER = re.compile(r"^\s*[+-]?(\d+(\.\d*)?|\.\d+)\s*$")


def read_text(path):
    data = open(path, "rb").read()
    try:
        text = data.decode("utf-8")
        if any(ord(c) > 127 for c in text):
            return text
    except UnicodeDecodeError:
        pass
    return data.decode("cp1252")


def to_int(text):
    value = float(text)
    return int(round(value))  # Python rounds halves to even, as the program does


def entries(path, year):
    found = {}
    text = read_text(path)
    # As the program reads it: a file without any CR LF has LF line ends.
    for line in text.split("\r\n" if "\r\n" in text else "\n"):
        fields = line.split("\t")
        if len(fields) != 3 or len(fields[0].split(".")) != 2:
            continue
        month, day = (to_int(part) for part in fields[0].split("."))
        names, birth = fields[1], fields[2]
        birth_year = to_int(birth) if NUMBER.match(birth) else 0
        subject = names if birth_year == 0 else f"{names}: {year - birth_year} years"
        # Months and days beyond their range carry over, as a calendar counts on.
        first = datetime.date(year + (month - 1) // 12, (month - 1) % 12 + 1, 1)
        # Of several lines with the same names only the first is an entry.
        found.setdefault(names, (str(first + datetime.timedelta(days=day - 1)), subject))
    return set(found.values())


def main():
    list_file, year, khal_out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    expected = entries(list_file, year)
    listed = set()
    for line in open(khal_out, encoding="utf-8"):
        line = line.rstrip("\n")
        if "|" in line:
            date, title = line.split("|", 1)
            listed.add((date, title))
    missing = sorted(expected - listed)
    print(f"{len(expected)} entries expected, {len(listed)} listed by khal")
    for date, title in missing[:20]:
        print(f"missing: {date} {title}")
    if not expected or missing:
        sys.exit(1)


if __name__ == "__main__":
    main()
