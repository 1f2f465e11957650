"""Reads every file of an Outlook store folder on its own with python3-vobject
and python3-icalendar and prints one line per file: "<kind>|<name>" for an
item (the contact's given name, the subject of an event, to-do or journal),
"unreadable|<file>|<why>" for a file that does not parse as one whole item,
"temporary|<file>" for an unfinished write (".<name>...tmp"), and
"stray|<file>" for any other name."""
import os
import re
import sys

import icalendar
import vobject

root = sys.argv[1]
TEMPORARY = re.compile(r"^\..+\.tmp$")
FOLDERS = {"Contacts": ".vcf", "Calendar": ".ics", "Tasks": ".ics", "Notes": ".ics"}
COMPONENTS = {"VEVENT": "event", "VTODO": "todo", "VJOURNAL": "journal"}


def contact(data):
    cards = list(vobject.readComponents(data.decode("utf-8")))
    if len(cards) != 1 or cards[0].name != "VCARD":
        raise ValueError("%d cards" % len(cards))
    return "contact", cards[0].n.value.given


def calendar_item(data):
    cal = icalendar.Calendar.from_ical(data)
    if not data.rstrip().endswith(b"END:VCALENDAR"):
        raise ValueError("no END:VCALENDAR")
    items = [c for c in cal.walk() if c.name in COMPONENTS]
    if len(items) != 1:
        raise ValueError("%d items" % len(items))
    return COMPONENTS[items[0].name], str(items[0]["SUMMARY"])


for folder, suffix in FOLDERS.items():
    path = os.path.join(root, folder)
    if not os.path.isdir(path):
        continue
    for name in sorted(os.listdir(path)):
        if TEMPORARY.match(name):
            print("temporary|%s/%s" % (folder, name))
            continue
        if not name.endswith(suffix) or name.startswith("."):
            print("stray|%s/%s" % (folder, name))
            continue
        with open(os.path.join(path, name), "rb") as f:
            data = f.read()
        try:
            kind, title = contact(data) if folder == "Contacts" else calendar_item(data)
            print("%s|%s" % (kind, title))
        except Exception as e:  # any failure to read is what the test looks for
            print("unreadable|%s/%s|%s" % (folder, name, str(e).replace("\n", " ")))
