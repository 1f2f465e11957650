"""Writes Lotus Notes style exports into the folder given as argument: a
vCard 2.1 address book as Notes writes it (quoted-printable, ISO-8859-1,
soft line breaks), a vCard 3.0 one written by python3-vobject (folded
lines), and iCalendar files written by python3-icalendar with two
VTIMEZONEs, every kind of repeat rule, to-dos and journal entries."""
import datetime
import os
import sys

import icalendar
import vobject

out = sys.argv[1]


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)


# vCard 2.1 as Notes writes it: CR LF, bare types, quoted-printable with a
# character set and soft line breaks.
NOTES21 = (
    b"BEGIN:VCARD\r\n"
    b"VERSION:2.1\r\n"
    b"N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:J=F6nsson;G=F6ran;Erik;Dr.;Jr.\r\n"
    b"FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:G=F6ran Erik J=F6nsson\r\n"
    b"ORG;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:F=E4rjebolaget AB;Utveckling\r\n"
    b"TITLE:Kapten\r\n"
    b"EMAIL;INTERNET;WORK:goran@ferry.example\r\n"
    b"EMAIL;INTERNET;HOME:goran@home.example\r\n"
    b"EMAIL;INTERNET:goran.third@example.com\r\n"
    b"EMAIL;INTERNET;WORK:goran.fourth@ferry.example\r\n"
    b"TEL;WORK;VOICE:+46 8 100\r\n"
    b"TEL;HOME;VOICE:+46 8 200\r\n"
    b"TEL;CELL:+46 70 300\r\n"
    b"TEL;WORK;FAX:+46 8 400\r\n"
    b"TEL;HOME;FAX:+46 8 500\r\n"
    b"TEL;PAGER:+46 74 600\r\n"
    b"TEL;PREF:+46 8 700\r\n"
    b"ADR;WORK;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:;;Hamngatan 1=0D=0AKaj 4;G=F6teborg;VG;411 06;Sverige\r\n"
    b"ADR;HOME;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:;;Storgatan 2;Malm=C3=B6;;211 22;Sverige\r\n"
    b"ADR;POSTAL:;;Box 12;Lund;;221 00;Sverige\r\n"
    b"URL;WORK:https://ferry.example\r\n"
    b"URL:https://blog.example/goran\r\n"
    b"X-SPOUSE:Karin J\xf6nsson\r\n"
    b"X-MANAGER:Olle\r\n"
    b"X-ASSISTANT:Stina\r\n"
    b"BDAY:1970-03-04\r\n"
    b"X-ANNIVERSARY:1995-06-07\r\n"
    b"CATEGORIES:Kunder,Segling\r\n"
    b"NOTE;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:F=F6rsta raden=0D=0AAndra raden med en l=\r\n"
    b"=E5ng text som bryts mjukt\r\n"
    b"UID:goran-1\r\n"
    b"END:VCARD\r\n"
    b"BEGIN:VCARD\r\n"
    b"VERSION:2.1\r\n"
    b"N:Caf\xe9;Zo\x80\r\n"
    b"FN:Zo\x80 Caf\xe9\r\n"
    b"EMAIL;INTERNET:zoe@example.com\r\n"
    b"UID:zoe-2\r\n"
    b"END:VCARD\r\n"
)
write("notes21.vcf", NOTES21)

# vCard 3.0 written by python3-vobject: folded lines, TYPE parameters.
cards = []
c = vobject.vCard()
c.add("n").value = vobject.vcard.Name(family="Åberg", given="Åsa", additional="Maria")
c.add("fn").value = "Åsa Maria Åberg"
c.add("org").value = ["Skärgårdsfärjor AB", "Trafik"]
c.add("title").value = "Styrman"
e = c.add("email")
e.value = "asa@skargard.example"
e.type_param = ["INTERNET", "WORK"]
e = c.add("email")
e.value = "asa@home.example"
e.type_param = ["INTERNET", "HOME"]
t = c.add("tel")
t.value = "+46 8 111"
t.type_param = ["WORK", "VOICE"]
t = c.add("tel")
t.value = "+46 70 222"
t.type_param = ["CELL"]
a = c.add("adr")
a.value = vobject.vcard.Address(street="Strandvägen 7\nTrappa 2", city="Stockholm", region="AB", code="114 56",
                                country="Sverige")
a.type_param = ["WORK"]
c.add("bday").value = "1982-11-30"
c.add("note").value = "En lång anteckning " + "som fortsätter " * 12 + "och slutar här."
c.add("categories").value = ["Kollegor"]
c.add("uid").value = "asa-3"
cards.append(c.serialize().encode("utf-8"))
write("notes30.vcf", b"".join(cards))

# iCalendar from a Notes mail database: two zones, every repeat rule, to-dos.
BERLIN = icalendar.Timezone.from_ical(
    "BEGIN:VTIMEZONE\r\nTZID:W. Europe\r\n"
    "BEGIN:STANDARD\r\nDTSTART:19501029T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19500326T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n")
NEWYORK = icalendar.Timezone.from_ical(
    "BEGIN:VTIMEZONE\r\nTZID:Eastern\r\n"
    "BEGIN:STANDARD\r\nDTSTART:19501105T020000\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19500312T020000\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n")


def zoned(prop, when, tzid):
    p = icalendar.vDatetime(when)
    p.params["TZID"] = tzid
    return p


def calendar():
    cal = icalendar.Calendar()
    cal.add("prodid", "-//Lotus Development Corporation//NONSGML Notes 8.5//EN")
    cal.add("version", "2.0")
    cal.add("method", "PUBLISH")
    cal.add_component(BERLIN)
    cal.add_component(NEWYORK)
    return cal


def event(cal, uid, summary, start, end, tzid="W. Europe", rule=None, **extra):
    ev = icalendar.Event()
    ev.add("uid", uid)
    ev.add("dtstamp", datetime.datetime(2026, 1, 5, 8, 0, tzinfo=datetime.timezone.utc))
    ev.add("summary", summary)
    if isinstance(start, datetime.datetime):
        ev["dtstart"] = zoned("dtstart", start, tzid)
        ev["dtend"] = zoned("dtend", end, tzid)
    else:
        ev.add("dtstart", start)
        ev.add("dtend", end)
    if rule:
        ev.add("rrule", rule)
    for k, v in extra.items():
        ev.add(k.replace("_", "-"), v)
    cal.add_component(ev)
    return ev


D = datetime.datetime
mail = calendar()
event(mail, "e-single", "Single", D(2026, 3, 10, 9, 0), D(2026, 3, 10, 10, 0), location="Bryggan",
      description="Rad ett\nRad två")
event(mail, "e-ny", "New York call", D(2026, 3, 10, 9, 0), D(2026, 3, 10, 10, 0), tzid="Eastern")
event(mail, "e-allday", "Conference", datetime.date(2026, 3, 12), datetime.date(2026, 3, 14))
daily = event(mail, "e-daily", "Daily", D(2026, 3, 2, 8, 0), D(2026, 3, 2, 8, 15), rule={"FREQ": "DAILY", "COUNT": 5})
event(mail, "e-mwf", "Weekly MWF", D(2026, 3, 2, 12, 0), D(2026, 3, 2, 13, 0),
      rule={"FREQ": "WEEKLY", "BYDAY": ["MO", "WE", "FR"], "UNTIL": D(2026, 4, 30, 21, 59, 59, tzinfo=datetime.timezone.utc)})
event(mail, "e-weekdays", "Every weekday", D(2026, 3, 2, 7, 30), D(2026, 3, 2, 7, 45),
      rule={"FREQ": "DAILY", "BYDAY": ["MO", "TU", "WE", "TH", "FR"]})
event(mail, "e-biweekly", "Every other Tuesday", D(2026, 3, 3, 15, 0), D(2026, 3, 3, 16, 0),
      rule={"FREQ": "WEEKLY", "INTERVAL": 2, "BYDAY": ["TU"]})
event(mail, "e-monthday", "Monthly on the 15th", D(2026, 3, 15, 10, 0), D(2026, 3, 15, 11, 0),
      rule={"FREQ": "MONTHLY", "BYMONTHDAY": 15, "COUNT": 6})
event(mail, "e-monthpos", "Second Tuesday", D(2026, 3, 10, 14, 0), D(2026, 3, 10, 15, 0),
      rule={"FREQ": "MONTHLY", "BYDAY": ["2TU"]})
event(mail, "e-yearly", "Anniversary", D(2026, 5, 20, 18, 0), D(2026, 5, 20, 20, 0), rule={"FREQ": "YEARLY"})
event(mail, "e-yearpos", "Thanksgiving", D(2026, 11, 26, 12, 0), D(2026, 11, 26, 14, 0), tzid="Eastern",
      rule={"FREQ": "YEARLY", "BYMONTH": 11, "BYDAY": ["4TH"]})
private = event(mail, "e-private", "Doctor", D(2026, 3, 11, 8, 0), D(2026, 3, 11, 9, 0), **{"class": "PRIVATE"})
alarm = icalendar.Alarm()
alarm.add("action", "DISPLAY")
alarm.add("description", "Reminder")
alarm.add("trigger", datetime.timedelta(minutes=-30))
private.add_component(alarm)
moved = event(mail, "e-daily", "Daily (moved)", D(2026, 3, 4, 11, 0), D(2026, 3, 4, 11, 15))
moved["recurrence-id"] = zoned("recurrence-id", D(2026, 3, 4, 8, 0), "W. Europe")
cancelled = event(mail, "e-daily", "Daily (cancelled)", D(2026, 3, 5, 8, 0), D(2026, 3, 5, 8, 15), status="CANCELLED")
cancelled["recurrence-id"] = zoned("recurrence-id", D(2026, 3, 5, 8, 0), "W. Europe")

# A repeat Notes keeps as a list of dates: one entry a date, but for the
# excluded one and the moved one.
listed = event(mail, "e-list", "Listed dates", D(2026, 4, 7, 10, 0), D(2026, 4, 7, 11, 0))
listed.add("rdate", [D(2026, 4, 7, 10, 0), D(2026, 4, 14, 10, 0), D(2026, 4, 28, 10, 0), D(2026, 5, 5, 10, 0)],
           parameters={"TZID": "W. Europe"})
listed.add("exdate", [D(2026, 5, 5, 10, 0)], parameters={"TZID": "W. Europe"})
moved = event(mail, "e-list", "Listed dates (moved)", D(2026, 4, 28, 14, 0), D(2026, 4, 28, 15, 0))
moved["recurrence-id"] = zoned("recurrence-id", D(2026, 4, 28, 10, 0), "W. Europe")


def todo(cal, uid, summary, **fields):
    td = icalendar.Todo()
    td.add("uid", uid)
    td.add("summary", summary)
    for k, v in fields.items():
        td.add(k.replace("_", "-"), v)
    cal.add_component(td)
    return td


UTC = datetime.timezone.utc
todo(mail, "t-open", "Open to-do", due=datetime.date(2030, 6, 1), priority=1, description="Ska göras",
     categories=["Arbete", "Båt"], dtstamp=D(2026, 1, 5, 8, 0, tzinfo=UTC))
todo(mail, "t-done", "Completed to-do", due=datetime.date(2026, 2, 1), priority=9, status="COMPLETED",
     completed=D(2026, 2, 2, 10, 0, tzinfo=UTC), dtstamp=D(2026, 1, 5, 8, 0, tzinfo=UTC))
todo(mail, "t-overdue", "Overdue to-do", due=datetime.date(2020, 1, 1), priority=5, status="NEEDS-ACTION",
     dtstamp=D(2026, 1, 5, 8, 0, tzinfo=UTC), **{"class": "PRIVATE"})
todo(mail, "t-nodate", "Done without a date", status="COMPLETED", dtstamp=D(2026, 1, 7, 9, 30, tzinfo=UTC))
write("mail.ics", mail.to_ical())

only = calendar()
event(only, "e-only", "Only an event", D(2026, 3, 10, 9, 0), D(2026, 3, 10, 10, 0))
write("events.ics", only.to_ical())

book = calendar()
for uid, summary, body in [("j-1", "Idéer", "Första idén\nAndra idén"), ("j-2", "Packlista", "Flytväst")]:
    j = icalendar.Journal()
    j.add("uid", uid)
    j.add("summary", summary)
    j.add("description", body)
    j.add("dtstart", datetime.date(2026, 2, 1))
    if uid == "j-1":
        j.add("categories", ["Sommar", "Idéer"])
        j.add("created", D(2026, 1, 30, 7, 0, tzinfo=UTC))
        j.add("last-modified", D(2026, 1, 31, 18, 45, tzinfo=UTC))
    book.add_component(j)
write("notebook.ics", book.to_ical())
