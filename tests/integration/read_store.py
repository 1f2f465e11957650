"""Reads an Outlook store folder with python3-vobject and python3-icalendar
and prints one line per item, for the integration test to check."""
import os
import sys

import icalendar
import vobject

root = sys.argv[1]


def files(folder):
    path = os.path.join(root, folder)
    return sorted(os.path.join(path, n) for n in os.listdir(path) if not n.startswith("."))


for name in files("Contacts"):
    with open(name, encoding="utf-8") as f:
        card = vobject.readOne(f.read())
    tel = card.tel.value if hasattr(card, "tel") else ""
    email = card.email.value if hasattr(card, "email") else ""
    adr = card.adr.value if hasattr(card, "adr") else None
    org = card.org.value[0] if hasattr(card, "org") else ""
    print("|".join(["contact", card.fn.value, card.n.value.family, card.n.value.given, email, tel, org,
                    adr.street if adr else "", adr.city if adr else "",
                    card.bday.value if hasattr(card, "bday") else ""]))

for folder in ("Calendar", "Tasks", "Notes"):
    for name in files(folder):
        with open(name, "rb") as f:
            cal = icalendar.Calendar.from_ical(f.read())
        for comp in cal.walk():
            if comp.name == "VEVENT":
                rule = dict(comp["RRULE"]) if "RRULE" in comp else ""
                alarms = [str(a["TRIGGER"].dt) for a in comp.walk("VALARM")]
                print("|".join(["event", str(comp["SUMMARY"]), str(comp["DTSTART"].dt), str(comp["DTEND"].dt),
                                str(comp.get("LOCATION", "")), str(rule)] + alarms))
            elif comp.name == "VTODO":
                due = str(comp["DUE"].dt) if "DUE" in comp else ""
                print("|".join(["todo", str(comp["SUMMARY"]), due, str(comp.get("PRIORITY", "")),
                                str(comp.get("STATUS", ""))]))
            elif comp.name == "VJOURNAL":
                print("|".join(["journal", str(comp.get("SUMMARY", "")), str(comp.get("DESCRIPTION", ""))]))
