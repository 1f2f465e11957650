#!/usr/bin/env python3
"""Writes ACT! text-delimited contact exports with Python's csv module, in
the encodings, separators and column names of the ACT! releases and export
dialogs, and beside each a JSON file of what every catalogue field must
hold once read: texts with line breaks as CR LF and cut to the field's
capacity minus one byte on whole UTF-8 characters, flags, and dates as OLE
dates. Usage: act_export.py FOLDER"""
import csv
import datetime
import io
import json
import random
import sys

# Semantic key: catalogue id, kind ("t", "f", "d"), capacity.
FIELDS = {
    "full": (11, "t", 32), "first": (8, "t", 32), "last": (10, "t", 32),
    "company": (14, "t", 64), "title": (16, "t", 32), "dept": (15, "t", 32),
    "phone": (31, "t", 24), "ext": (39, "t", 24), "mobile": (33, "t", 24),
    "fax": (35, "t", 24), "faxext": (37, "t", 24), "home": (32, "t", 24),
    "addr1": (20, "t", 256), "addr2": (21, "t", 256), "addr3": (22, "t", 256),
    "city": (19, "t", 32), "state": (18, "t", 32), "zip": (23, "t", 16),
    "country": (17, "t", 32), "haddr1": (27, "t", 256), "hcity": (26, "t", 32),
    "hzip": (30, "t", 16), "email": (43, "t", 64), "email2": (44, "t", 64),
    "web": (45, "t", 256), "category": (5, "t", 256), "referred": (13, "t", 32),
    "user1": (48, "t", 64), "user10": (57, "t", 64), "created": (63, "d", 0),
    "edited": (64, "d", 0), "birthday": (62, "d", 0), "private": (61, "f", 0),
    "spouse": (47, "t", 32), "im": (46, "t", 64), "results": (58, "t", 64),
    "unknown1": (0, "t", 0), "unknown2": (0, "t", 0),
}

# Column names of an export of ACT! 2005 and later, of the catalogue, and
# of older releases and other dialogs, in the same order as FIELDS.
NAMES = {
    "modern": ["Contact", "First Name", "Last Name", "Company", "Title", "Department", "Phone", "Phone Ext.",
               "Mobile Phone", "Fax", "Fax Ext.", "Home Phone", "Address 1", "Address 2", "Address 3", "City",
               "State", "ZIP Code", "Country", "Home Address 1", "Home City", "Home ZIP Code", "E-mail",
               "Personal E-mail", "Web Site", "ID/Status", "Referred By", "User 1", "User 10", "Create Date",
               "Edit Date", "Birth Date", "Private", "Spouse", "Messenger ID", "Last Results", "Ticker Symbol",
               "User 11"],
    "catalogue": ["Full Name", "First Name", "Last Name", "Company", "Title", "Department", "Business Phone",
                  "Business Phone Extension", "Mobile Phone", "Fax", "Fax Extension", "Home Phone",
                  "Business Address 1", "Business Address 2", "Business Address 3", "Business City",
                  "Business State", "Business Postal", "Business Country", "Home Address 1", "Home City",
                  "Home Postal", "Business E-mail", "Personal E-mail", "Website", "Category", "Referred By",
                  "User Defined 1", "User Defined 10", "Create Date", "Edit Date", "Birthday", "Is Private",
                  "Spouse Name", "Instant Messenger", "Last Results", "Stage", "Notes"],
    "older": ["CONTACT", "first name", "LAST NAME", "Company", "Title", "Department", "Phone", "Phone Extension",
              "Mobile", "Fax Phone", "Fax Ext", "Home Phone", "Address1", "Address2", "Address3", "City", "State",
              "Zip", "Country", "Home Address 1", "Home City", "Home Zip", "Email", "Home E-mail", "Web Site",
              "ID/Status", "Referred By", "User 1", "User 10", "Create Date", "Edit Date", "Birthday", "Private",
              "Spouse", "Messenger ID", "Last Results", "Merge Code", "User 15"],
}

LATIN = ["Åsa", "Jürgen", "François", "Øystein", "Zoë", "Señor", "€uro", "Müller-Lüdenscheidt", "Ægir", "Œuvre",
         "Ben", "Smith", "O'Brien", "Dvořák" , "Łukasz", "日本語", "🙂 Smile"]
SAFE = LATIN[:13]  # what windows-1252 can hold


def ole(dt):
    return (dt - datetime.datetime(1899, 12, 30)).total_seconds() / 86400.0


def cut(text, capacity):
    text = text.replace("\r\n", "\n").replace("\r", "\n").replace("\n", "\r\n")
    data = text.encode("utf-8")[:capacity - 1]
    while True:
        try:
            return data.decode("utf-8")
        except UnicodeDecodeError:
            data = data[:-1]


def make(rng, words, index):
    """One contact: the cell texts and what the fields must hold."""
    cells, expect = {}, {}

    def word():
        return rng.choice(words)

    def maybe(value, p=0.8):
        return value if rng.random() < p else ""

    first, last = word(), word()
    texts = {
        "full": f"{first} {last}", "first": first, "last": last,
        "company": maybe(rng.choice([f"Smith, Jones & Co. {index}", f"{word()} {word()} Handelsgesellschaft "
                                     f"mit beschränkter Haftung {index}", f"{word()}\t\"Quoted\" GmbH"])),
        "title": maybe(word()), "dept": maybe(word()),
        "phone": maybe(f"+1 555 {rng.randrange(1000000):07d}"), "ext": maybe(str(rng.randrange(1, 9999)), 0.5),
        "mobile": maybe(f"0170 {rng.randrange(10000000):08d}"), "fax": maybe("555-0100", 0.4),
        "faxext": maybe("7", 0.3), "home": maybe(f"(555) {rng.randrange(1000):03d}-{rng.randrange(10000):04d}"),
        "addr1": maybe(rng.choice([f"{index} Rue de l'Église\nBât. B", f"{index} Main St.\r\nSuite 5, Floor 2",
                                   f"{index} {word()}straße"])),
        "addr2": maybe(word(), 0.3), "addr3": maybe("c/o " + word(), 0.2), "city": maybe(word()),
        "state": maybe("NRW"), "zip": maybe(rng.choice(["62701", "62701-1234-5678-90", "D-50667"])),
        "country": maybe(rng.choice(["Deutschland", "Österreich", "United States of America"])),
        "haddr1": maybe(f"{word()} Way {index}\n2nd line", 0.5), "hcity": maybe(word(), 0.5),
        "hzip": maybe("12345", 0.5), "email": maybe(f"p{index}@example.com"),
        "email2": maybe(f"private.{index}@example.org", 0.5),
        "web": maybe(f"https://example.com/{index}/" + "x" * rng.randrange(0, 300), 0.6),
        "category": maybe(rng.choice(["Customer", "Prospect", "Vendor, preferred"])),
        "referred": maybe(word(), 0.4), "user1": maybe("Custom " + word(), 0.5),
        "user10": maybe("Tenth " + word() * 8, 0.4), "spouse": maybe(word(), 0.3),
        "im": maybe(f"im{index}", 0.3), "results": maybe("Left a message, will call back.", 0.5),
        "unknown1": maybe("NYSE"), "unknown2": maybe("unused"),
    }
    for key, value in texts.items():
        cells[key] = value
        id_, _, cap = FIELDS[key]
        if id_ and value.strip():
            expect[id_] = ["t", cut(value, cap)]
    formats = [("%m/%d/%Y", False), ("%m/%d/%Y %I:%M %p", True), ("%m/%d/%Y %H:%M:%S", True), ("%Y-%m-%d", False),
               ("%Y-%m-%dT%H:%M:%S", True), ("%d.%m.%Y", False)]
    for key in ("created", "edited", "birthday"):
        if rng.random() < 0.2:
            cells[key] = ""
            continue
        dt = datetime.datetime(rng.randrange(1950, 2030), rng.randrange(1, 13), rng.randrange(1, 29),
                               rng.randrange(24), rng.randrange(60), rng.randrange(60) if key != "birthday" else 0)
        fmt, timed = rng.choice(formats[:1] if key == "birthday" else formats)
        if not timed:
            dt = dt.replace(hour=0, minute=0, second=0)
        elif "%S" not in fmt:
            dt = dt.replace(second=0)
        cells[key] = dt.strftime(fmt)
        expect[FIELDS[key][0]] = ["d", ole(dt)]
    flag = rng.choice(["Yes", "No", "TRUE", "false", "1", "0", ""])
    cells["private"] = flag
    if flag.strip():
        expect[61] = ["f", 1 if flag.lower() in ("yes", "true", "1") else 0]
    return cells, expect


def write(folder, name, names, encoding, delimiter, words, seed, bom=b""):
    rng = random.Random(seed)
    rows, expected = [], []
    for i in range(1, 37):
        cells, expect = make(rng, words, i)
        rows.append([cells[k] for k in FIELDS])
        expected.append(expect)
        if i == 10:  # a row with no value at all, and one with values only in columns not read
            rows.append([""] * len(FIELDS))
            rows.append([""] * (len(FIELDS) - 2) + ["NASDAQ", "x"])
    out = io.StringIO(newline="")
    writer = csv.writer(out, delimiter=delimiter, lineterminator="\r\n")
    writer.writerow(names)
    writer.writerows(rows)
    with open(f"{folder}/{name}", "wb") as f:
        f.write(bom + out.getvalue().encode(encoding))
    with open(f"{folder}/{name}.json", "w", encoding="utf-8") as f:
        json.dump(expected, f, ensure_ascii=False)


def main():
    folder = sys.argv[1]
    write(folder, "modern.csv", NAMES["modern"], "utf-8", ",", LATIN, 1)
    write(folder, "catalogue.txt", NAMES["catalogue"], "utf-8-sig", "\t", LATIN, 2)
    write(folder, "older.csv", NAMES["older"], "cp1252", ",", SAFE, 3)
    write(folder, "older-tab.txt", NAMES["older"], "cp1252", "\t", SAFE, 4)
    write(folder, "utf16.txt", NAMES["modern"], "utf-16", "\t", LATIN, 5)
    write(folder, "utf16be.csv", NAMES["catalogue"], "utf-16-be", ",", LATIN, 6, bom=b"\xfe\xff")


main()
