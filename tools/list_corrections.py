"""The corrections that tools/make_lists.py makes to the name-day sources, as tables.

Every row must find what it corrects in its source, or the conversion stops.
"""

# --- Corrections ------------------------------------------------------------------------

# Rows the source lacks: (code, month, day, name, the name it goes before).
ADDED_ROWS = [
    # The source's line for 3.17 is "C'est la St Patrick !", a fourth form of greeting that
    # the extraction did not take, so only Patrice was left.
    ("FR", 3, 17, "Patrick", "Patrice"),
]

# Leap-year positions: in Denmark the leap day is 2.24, and in leap years the names of 2.24
# to 2.28 each move one day later. The source gives both positions every year, so every
# name of those days would show twice; the lists hold the common-year calendar.
LEAP_YEAR_ROWS = [
    # (code, month, day, name)
    ("DK", 2, 25, "Mattias"),
    ("DK", 2, 26, "Victorinus"),
    ("DK", 2, 27, "Inger"),
    ("DK", 2, 28, "Leander"),
    ("DK", 2, 29, "Øllegaard"),
]

# How the names of the days round a leap day move in a leap year; said in NOTICE. The
# Hungarian source already holds the common-year calendar.
LEAP_YEAR_NOTES = {
    "DK": "the leap day is 2.24; in a leap year the names of 2.24-2.28 (Mattias; "
          "Victorinus; Inger; Leander; Øllegaard) move one day later, to 2.25-2.29.",
    "HU": "the leap day is 2.24, which has no name day; in a leap year the names of "
          "2.24-2.28 (Mátyás; Géza; Edina; Ákos, Bátor; Elemér) move one day later, to "
          "2.25-2.29.",
}

# Rows of the Austrian saints' calendar that name a feast or a holiday, not a name people
# bear: (code, month, day, row as in the source).
FEAST_ROWS = [
    ("AT", 1, 1, "Neujahr"),
    ("AT", 1, 6, "Heilige 3 Könige"),
    ("AT", 1, 11, "Taufe Jesu"),
    ("AT", 1, 25, "Pauli Bekehrung"),
    ("AT", 2, 2, "Mariä Lichtmess"),
    ("AT", 2, 22, "Petri Stuhlfeier"),
    ("AT", 3, 25, "Verkündung des Herrn"),
    ("AT", 7, 2, "Mariä, Heimsuchung"),
    ("AT", 8, 6, "Christi Verklärung"),
    ("AT", 8, 15, "Mariä Himmelfahrt"),
    ("AT", 9, 8, "Mariä Geburt"),
    ("AT", 9, 14, "Kreuz-Erhöhung"),
    ("AT", 10, 2, "Schutzengelfest"),
    ("AT", 10, 26, "Nationalfeiertag"),
    ("AT", 11, 1, "Allerheiligen"),
    ("AT", 11, 2, "Allerseelen"),
    ("AT", 12, 8, "Mariä Empfängnis"),
    ("AT", 12, 24, "Heiliger Abend"),
    ("AT", 12, 25, "Christtag"),
    ("AT", 12, 28, "Unschuldige, Kinder"),
]

# Feasts named after the saint whose name day they are: (code, month, day, row, name).
FEAST_NAMES = [
    ("AT", 12, 26, "Stefanitag", "Stefan"),  # St. Stephen's day, Stefan's name day
]

# Two names written as one, a comma missing: (code, month, day, piece, the pieces it is).
JOINED_NAMES = [
    ("AT", 4, 6, "Sixtus I. Cölestin", ["Sixtus I.", "Cölestin"]),  # two popes
    ("AT", 4, 18, "Aja Apollonius", ["Aja", "Apollonius"]),
    ("AT", 6, 29, "Paul Judith", ["Paul", "Judith"]),
]

# Pieces that are a saint's title, standing after the saint's name as if they were a name
# of their own: (code, month, day, piece).
TITLE_PIECES = [
    ("AT", 3, 19, "Nährv. Jesu"),  # Nährvater Jesu, of Josef
    ("AT", 4, 25, "Ev."),          # Evangelist, of Markus
    ("AT", 7, 25, "Ap."),          # Apostel, of Jakob
    ("AT", 10, 28, "Thadd."),      # Thaddäus, the byname of Judas
]

# Misspellings: (code, month, day, word as in the source, word as it is spelt).
SPELLING = [
    ("HU", 3, 29, "Aguszta", "Auguszta"),
    ("AT", 3, 17, "Getrud", "Gertrud"),
    ("AT", 3, 19, "Josev", "Josef"),
    ("AT", 9, 9, "Grogonius", "Gorgonius"),
    ("AT", 10, 17, "Ignatuis", "Ignatius"),
]

# The Austrian source names saints, as "Raimund v. P." (of Peñafort), "Gregor X.",
# "Johannes der Täufer", "Johannes Bosco": a name followed by bynames, places, numbers and
# abbreviations. People bear the name alone, so each piece is cut to its first word; a
# double name that people bear as one stays whole.
FIRST_NAME_ONLY = {"AT"}
DOUBLE_NAMES = {("AT", "Maria Magdalena")}

# Invented people; any likeness to real persons is chance.
# A name the source gives on several dates keeps one of them (a names text is its entry's key).
# The first date is kept, except for these names, whose best-known saint is celebrated on a
# later date: Nikolaus of Myra, John the Baptist, the apostle Andrew, and so on.
PRINCIPAL_DATES = {
    ("AT", "Johannes"): (6, 24),
    ("AT", "Nikolaus"): (12, 6),
    ("AT", "Andreas"): (11, 30),
    ("AT", "Katharina"): (11, 25),
    ("AT", "Elisabeth"): (11, 19),
    ("AT", "Theresia"): (10, 15),
    ("AT", "Antonius"): (6, 13),
    ("AT", "Augustin"): (8, 28),
    ("AT", "Hieronymus"): (9, 30),
    ("AT", "Heinrich"): (7, 13),
    ("AT", "Eduard"): (10, 13),
    ("AT", "Vinzenz"): (9, 27),
    ("AT", "Gregor"): (9, 3),
}

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
