"""Writes DXL exports of Lotus Notes databases as the Notes DXL exporter
writes them (the Domino DTD: a <database> in the namespace
http://www.lotus.com/dxl holding <document form='...'> elements with
<noteinfo unid='...'> and <item name='...'> children; values in <text>,
<textlist>, <number>, <datetime>, <datetimelist>, <richtext>), with the item
names of the Notes address book, mail (calendar & scheduling) and journal
templates. Python 3 standard library only.

    lotus_dxl.py OUTDIR           writes names.dxl, mail.dxl, journal.dxl,
                                  mime.dxl
    lotus_dxl.py --bench N OUT    writes one mail file of N calendar entries
                                  and to-dos (half each) and a memo for
                                  every ten of them

names.dxl
  Person 0001 "Åsa Öberg": FirstName Åsa, MiddleInitial M., LastName Öberg,
    Suffix Jr., FullName CN=Åsa M. Öberg/OU=Fleet/O=Ferry (shown as
    "Åsa M. Öberg/Fleet/Ferry"), CompanyName "Fährhaus & Söhne AG",
    Department Flotte, JobTitle Kapitänin, Location "Deck 3", Assistant
    "Bo Ek", Manager "Carl Dahl", MailAddress asa@ferry.example and
    asa.oberg@ferry.example, InternetAddress asa@ferry.example again,
    PersonalEmail asa@home.example and asa2@home.example, OtherEmail
    asa@other.example; office address "Hamnvägen 1" / "Box 7" (a text list:
    two lines), Göteborg, VG, Sverige, "411 01"; home address "Storgatan 5"
    <break/> "Lgh 1102" (one text: two lines), Stockholm, AB, Sverige,
    "114 51"; other address
    "Sommarstigen 2", Visby, I, Sverige, "621 00"; PrimaryPhoneNumber
    "+46 8 100", OfficePhoneNumber "+46 31 100", PhoneNumber "+46 8 200",
    CellPhoneNumber "+46 70 300", OfficeFAXPhoneNumber "+46 31 101",
    HomeFAXPhoneNumber "+46 8 201", PagerNumber "+46 74 400",
    InstantMessagingAddress asa@im.example, WebSite https://ferry.example,
    BlogURL https://blog.example/asa, Spouse "Erik Öberg", Children Lisa
    and Nils, Birthday 1980-01-02, Anniversary 2005-06-18, Categories
    Friends and Sailing, Comment two paragraphs "Met at the regatta." and
    "Prefers <e-mail> & phone.".
  Person 0002 "Bo Ek": FirstName Bo, LastName Ek, MailAddress
    bo@ek.example, Comment from CDATA "Line <one>".
  Person 0003 "Ζωή Παπαδοπούλου": FirstName Ζωή, LastName Παπαδοπούλου,
    CompanyName "Ναυτιλία", OfficeCity "Πειραιάς".
  Group 0004 "Sailing club": skipped.

mail.dxl (times in the zone of their offset; the local times follow)
  Appointment 1001 "Ferry meeting": 2026-01-15 09:00-10:30 at -05 (14:00
    to 15:30 UTC), StartTimeZone/EndTimeZone Eastern, Location "Pier 4",
    Body two paragraphs "Agenda:" / "1. Timetable", $Alarm 1,
    $AlarmOffset -15, OrgConfidential "1" (private).
  Appointment 1002 "Midsummer": all-day event (type 2) 2026-06-19 to
    2026-06-20: whole days from 19 June to the midnight of 21 June.
  Appointment 1003 "Wedding day": anniversary (type 1) on 2026-06-18,
    yearly (YD) with instance dates 2026 to 2030: one record, unit "Y",
    until 2030-06-18.
  Appointment 1004 "Stand-up": 2026-03-02 08:30-08:45 at +01, daily (D),
    interval 1, five instance dates to 2026-03-06 (07:30 UTC each).
  Appointment 1005 "Gym": Monday 2026-03-02 18:00-19:00 at +01, weekly (W)
    on RepeatAdjust 1, 3, 5 (mask 42), instances to Friday 2026-03-13.
  Appointment 1006 "Rent": 2026-01-15 10:00-10:30 at +01, monthly by date
    (MD, RepeatAdjust 15), instances to 2026-06-15.
  Appointment 1007 "Board meeting": second Tuesday, 2026-01-13 14:00-15:00
    at +01, monthly by weekday (MP, RepeatAdjust 2.2, mask 4), interval 1,
    instances to 2026-04-14.
  Appointment 1008 "Tax day": 2026-04-30 12:00-12:30 at +02, yearly every
    2 years (YD, interval 2, RepeatHow F), instances 2026, 2028, 2030: one
    record, unit "Y", interval 2, until 2030-04-30.
  Appointment 1009 "Call mum": reminder (type 4) 2026-03-20 17:00 at +01:
    start and end alike.
  Appointment 1010 "Dentist": custom repeat (C) on 2026-02-03 08:00 +01,
    2026-03-17 08:00 +01, 2026-05-05 08:00 +02, 45 minutes: three records
    with ids "<unid>-1" to "<unid>-3".
  Appointment 1011 "Call Bangalore": 2026-02-10 15:30-16:30 at +0530
    (10:00 to 11:00 UTC), StartTimeZone/EndTimeZone India.
  Appointment 1012: an instance document of "Gym" ($REF 1005): skipped.
  Memo 1013 "Lunch?": skipped.  Notice 1014: skipped.
  Task 2001 "Buy charts": open, starting 2030-12-01 09:00 +01, due
    2030-12-31, Priority 1 (high), Categories Boat.
  Task 2002 "File report": completed 2026-01-02 10:00 +01, due
    2026-01-01, Priority 3 (low).
  Task 2003 "Paint hull": overdue, due 2025-06-01, Priority 2 (normal),
    Body "Two coats".

journal.dxl
  Document 3001 "Logbook day 1": Body paragraphs "Left Visby at dawn.",
    a line break inside the second ("Wind SW" / "5 m/s"), a table of one
    row ("Cell A", "Cell B" as lines), a picture (no text).
  Document 3002 "Idéer för sommaren": Body "Segla till Åland", Categories
    Segling and Planer.
  Memo 3003: skipped.

mime.dxl (bodies kept as MIME, written as the exporter writes them by
default: one <item name='Body'> per MIME part, its raw MIME_PART data in
Base64 in <rawitemdata type='19'>; the parts made by Python's email package)
  Document 4001 "Från hamnen": multipart/alternative of a text/plain part
    in ISO-8859-1, quoted-printable, "Färjan går 07:10." / "Vi ses på
    kajen.", and a text/html part in UTF-8, Base64.
  Document 4002 "Kvitto": a single text/html part in UTF-8, Base64:
    paragraphs "Tack för resan & välkommen åter!" and "Rad två".
  Appointment 4003 "Färja": 2026-05-04 07:10-08:00 at +02, its Body a
    single text/plain part in UTF-8, Base64: "Plats: kaj 3" / "Ta med
    biljetten.".
"""
import base64
import os
import struct
import sys
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText
from xml.sax.saxutils import escape, quoteattr

HEAD = ("<?xml version='1.0' encoding='utf-8'?>\n"
        "<!DOCTYPE database SYSTEM 'xmlschemas/domino_9_0_1.dtd'>\n"
        "<database xmlns='http://www.lotus.com/dxl' version='9.0' maintenanceversion='1.0' "
        "replicaid='85257A2B0049F1C2' path={path} title={title}>\n"
        "<databaseinfo dbid='85257A2B0049F1C2' odsversion='51' diskspace='1048576' percentused='92.5' "
        "numberofdocuments='{count}'><datamodified><datetime dst='true'>20260101T120000,00+01</datetime>"
        "</datamodified><designmodified><datetime>20251201T080000,00+01</datetime></designmodified>"
        "</databaseinfo>\n")

EASTERN = "Z=5$DO=1$DL=3 2 1 11 1 1$ZX=55$ZN=Eastern"
CET = "Z=-1$DO=1$DL=3 -1 1 10 -1 1$ZX=25$ZN=W. Europe"
INDIA = "Z=-5.5$DO=0$ZX=38$ZN=India"


def unid(n):
    return "85257A2B0049F1C2C1257E%010d" % n


def text(v):
    return "<text>%s</text>" % escape(v)


def textlist(vs):
    return "<textlist>%s</textlist>" % "".join(text(v) for v in vs)


def number(v):
    return "<number>%s</number>" % v


def dt(v):
    return "<datetime>%s</datetime>" % v


def dtlist(vs):
    return "<datetimelist>%s</datetimelist>" % "".join(dt(v) for v in vs)


def rich(*pars):
    # A paragraph is a text or a list of raw DXL pieces.
    out = ["<richtext><pardef id='1'/>"]
    for p in pars:
        out.append("<par def='1'>%s</par>" % (escape(p) if isinstance(p, str) else "".join(p)))
    out.append("</richtext>")
    return "".join(out)


def item(name, value, **attrs):
    extra = "".join(" %s=%s" % (k, quoteattr(v)) for k, v in attrs.items())
    return "<item name=%s%s>%s</item>" % (quoteattr(name), extra, value)


def document(form, n, items):
    return ("<document form=%s>\n<noteinfo noteid='%x' unid='%s' sequence='2'>"
            "<created><datetime dst='true'>20250601T101010,10+02</datetime></created>"
            "<modified><datetime>20251001T101010,10+02</datetime></modified></noteinfo>\n"
            "<updatedby><name>CN=Åsa M. Öberg/OU=Fleet/O=Ferry</name></updatedby>\n%s\n</document>\n"
            % (quoteattr(form), n, unid(n), "\n".join(items)))


def database(path, title, docs):
    return HEAD.format(path=quoteattr(path), title=quoteattr(title), count=len(docs)) + "".join(docs) + \
        "</database>\n"


def names():
    return [
        document("Person", 1, [
            item("Form", text("Person")), item("Type", text("Person")),
            item("FirstName", text("Åsa")), item("MiddleInitial", text("M.")), item("LastName", text("Öberg")),
            item("Suffix", text("Jr.")), item("Title", text("Dr.")),
            item("FullName", textlist(["CN=Åsa M. Öberg/OU=Fleet/O=Ferry", "Åsa Öberg"]), names="true"),
            item("CompanyName", text("Fährhaus & Söhne AG")), item("Department", text("Flotte")),
            item("JobTitle", text("Kapitänin")), item("Location", text("Deck 3")),
            item("Assistant", text("Bo Ek")), item("Manager", text("Carl Dahl")),
            item("MailAddress", textlist(["asa@ferry.example", "asa.oberg@ferry.example"])),
            item("InternetAddress", text("asa@ferry.example")),
            item("PersonalEmail", textlist(["asa@home.example", "asa2@home.example"])),
            item("OtherEmail", text("asa@other.example")),
            item("OfficeStreetAddress", textlist(["Hamnvägen 1", "Box 7"])), item("OfficeCity", text("Göteborg")),
            item("OfficeState", text("VG")), item("OfficeCountry", text("Sverige")),
            item("OfficeZIP", text("411 01")),
            item("StreetAddress", "<text>Storgatan 5<break/>Lgh 1102</text>"), item("City", text("Stockholm")),
            item("State", text("AB")), item("country", text("Sverige")), item("Zip", text("114 51")),
            item("OtherStreetAddress", text("Sommarstigen 2")), item("OtherCity", text("Visby")),
            item("OtherState", text("I")), item("OtherCountry", text("Sverige")), item("OtherZip", text("621 00")),
            item("PrimaryPhoneNumber", text("+46 8 100")), item("OfficePhoneNumber", text("+46 31 100")),
            item("PhoneNumber", text("+46 8 200")), item("CellPhoneNumber", text("+46 70 300")),
            item("OfficeFAXPhoneNumber", text("+46 31 101")), item("HomeFAXPhoneNumber", text("+46 8 201")),
            item("PagerNumber", text("+46 74 400")), item("InstantMessagingAddress", text("asa@im.example")),
            item("WebSite", text("https://ferry.example")), item("BlogURL", text("https://blog.example/asa")),
            item("Spouse", text("Erik Öberg")), item("Children", textlist(["Lisa", "Nils"])),
            item("Birthday", dt("19800102")), item("Anniversary", dt("20050618")),
            item("Categories", textlist(["Friends", "Sailing"])),
            item("Comment", rich("Met at the regatta.", "Prefers <e-mail> & phone.")),
            item("$UpdatedBy", textlist(["CN=Åsa M. Öberg/OU=Fleet/O=Ferry"]), names="true"),
        ]),
        document("Person", 2, [
            item("FirstName", text("Bo")), item("LastName", text("Ek")), item("MailAddress", text("bo@ek.example")),
            "<item name='Comment'><text><![CDATA[Line <one>]]></text></item>",
        ]),
        document("Person", 3, [
            item("FirstName", text("Ζωή")), item("LastName", text("Παπαδοπούλου")),
            item("CompanyName", text("Ναυτιλία")), item("OfficeCity", text("Πειραιάς")),
        ]),
        document("Group", 4, [
            item("ListName", text("Sailing club")), item("GroupType", text("0")),
            item("Members", textlist(["Åsa Öberg", "Bo Ek"]), names="true"),
        ]),
    ]


def appointment(n, subject, kind, starts, ends, extra=()):
    items = [item("Form", text("Appointment")), item("AppointmentType", text(kind)),
             item("Subject", text(subject)),
             item("StartDateTime", dt(starts[0]) if len(starts) == 1 else dtlist(starts)),
             item("EndDateTime", dt(ends[0]) if len(ends) == 1 else dtlist(ends)),
             item("CalendarDateTime", dt(starts[0]) if len(starts) == 1 else dtlist(starts)),
             item("$BusyPriority", text("1")), item("SequenceNum", number("1"))]
    return document("Appointment", n, items + list(extra))


def series(unit, interval, dates, adjust=None, until=None, how="U"):
    items = [item("Repeats", text("1")), item("OrgRepeat", text("1")), item("RepeatUnit", text(unit)),
             item("RepeatInterval", text(str(interval))), item("RepeatHow", text(how)),
             item("RepeatWeekends", text("D")), item("RepeatInstanceDates", dtlist(dates)),
             item("$CSFlags", text("c"))]
    if adjust:
        items.append(item("RepeatAdjust", textlist(adjust) if len(adjust) > 1 else text(adjust[0])))
    if until:
        items.append(item("RepeatUntil", dt(until)))
    return items


def zones(zone):
    return [item("StartTimeZone", text(zone)), item("EndTimeZone", text(zone))]


def alarm(offset):
    return [item("$Alarm", number("1")), item("$AlarmOffset", number(str(offset))),
            item("$AlarmDescription", text("Reminder"))]


def mail():
    stand = ["202603%02dT083000,00+01" % d for d in range(2, 7)]
    gym = ["20260302T180000,00+01", "20260304T180000,00+01", "20260306T180000,00+01", "20260309T180000,00+01",
           "20260311T180000,00+01", "20260313T180000,00+01"]
    rent = ["2026%02d15T100000,00+%s" % (m, "01" if m < 4 else "02") for m in range(1, 7)]
    board = ["20260113T140000,00+01", "20260210T140000,00+01", "20260310T140000,00+01", "20260414T140000,00+02"]
    tax = ["20260430T120000,00+02", "20280430T120000,00+02", "20300430T120000,00+02"]
    wedding = ["20%02d0618T040000,00+02" % y for y in range(26, 31)]
    dentist = ["20260203T080000,00+01", "20260317T080000,00+01", "20260505T080000,00+02"]
    dentist_end = ["20260203T084500,00+01", "20260317T084500,00+01", "20260505T084500,00+02"]
    return [
        appointment(1001, "Ferry meeting", "0", ["20260115T090000,00-05"], ["20260115T103000,00-05"],
                    zones(EASTERN) + alarm(-15) + [
                        item("Location", text("Pier 4")), item("OrgConfidential", text("1")),
                        item("Body", rich("Agenda:", "1. Timetable"))]),
        appointment(1002, "Midsummer", "2", ["20260619T000000,00+02"], ["20260620T000000,00+02"], zones(CET)),
        appointment(1003, "Wedding day", "1", wedding, ["20%02d0618T200000,00+02" % y for y in range(26, 31)],
                    series("YD", 1, wedding) + alarm(-1440)),
        appointment(1004, "Stand-up", "0", stand, [s.replace("T0830", "T0845") for s in stand],
                    series("D", 1, stand, until="20260306") + zones(CET)),
        appointment(1005, "Gym", "0", gym, [s.replace("T18", "T19") for s in gym],
                    series("W", 1, gym, adjust=["1", "3", "5"]) + zones(CET)),
        appointment(1006, "Rent", "0", rent, [s.replace("T1000", "T1030") for s in rent],
                    series("MD", 1, rent, adjust=["15"]) + zones(CET)),
        appointment(1007, "Board meeting", "3", board, [s.replace("T14", "T15") for s in board],
                    series("MP", 1, board, adjust=["2.2"]) + zones(CET) + [
                        item("Chair", text("CN=Carl Dahl/O=Ferry"), names="true"),
                        item("RequiredAttendees", textlist(["Åsa Öberg", "Bo Ek"]), names="true")]),
        appointment(1008, "Tax day", "0", tax, [s.replace("T120000", "T123000") for s in tax],
                    series("YD", 2, tax, how="F") + zones(CET)),
        appointment(1009, "Call mum", "4", ["20260320T170000,00+01"], ["20260320T170000,00+01"],
                    zones(CET) + alarm(0)),
        appointment(1010, "Dentist", "0", dentist, dentist_end, series("C", 1, dentist) + zones(CET)),
        appointment(1011, "Call Bangalore", "0", ["20260210T153000,00+0530"], ["20260210T163000,00+0530"],
                    zones(INDIA)),
        document("Appointment", 1012, [
            item("AppointmentType", text("0")), item("Subject", text("Gym")), item("$REF", text(unid(1005))),
            item("$RefOptions", text("1")), item("Repeats", text("1")), item("$CSFlags", text("i")),
            item("StartDateTime", dt("20260304T180000,00+01")), item("EndDateTime", dt("20260304T190000,00+01")),
            item("RepeatInstanceDates", dt("20260304T180000,00+01"))]),
        document("Memo", 1013, [item("Subject", text("Lunch?")), item("SendTo", text("Bo Ek")),
                                item("Body", rich("Shall we?")), item("PostedDate", dt("20260102T120000,00+01"))]),
        document("Notice", 1014, [item("Subject", text("Invitation: Board meeting")),
                                  item("StartDateTime", dt("20260113T140000,00+01"))]),
        document("Task", 2001, [item("Subject", text("Buy charts")), item("DueDateTime", dt("20301231")),
                                item("StartDateTime", dt("20301201T090000,00+01")),
                                item("Priority", text("1")), item("Categories", text("Boat")),
                                item("TaskType", text("0"))]),
        document("Task", 2002, [item("Subject", text("File report")), item("DueDateTime", dt("20260101")),
                                item("CompletedDateTime", dt("20260102T100000,00+01")),
                                item("Priority", text("3"))]),
        document("Task", 2003, [item("Subject", text("Paint hull")), item("DueDateTime", dt("20250601")),
                                item("Priority", text("2")), item("Body", rich("Two coats"))]),
    ]


def journal():
    return [
        document("Document", 3001, [
            item("Subject", text("Logbook day 1")),
            item("Body", "<richtext><pardef id='1'/><par def='1'>Left Visby at dawn.</par>"
                         "<par def='1'><run><font style='bold'/>Wind SW</run><break/>5 m/s</par>"
                         "<table><tablecolumn width='1in'/><tablecolumn width='1in'/><tablerow>"
                         "<tablecell><pardef id='2'/><par def='2'>Cell A</par></tablecell>"
                         "<tablecell><par def='2'>Cell B</par></tablecell></tablerow></table>"
                         "<par def='1'><picture width='10px' height='10px'><gif>R0lGODlhAQABAAAAACw=</gif>"
                         "</picture></par></richtext>")]),
        document("Document", 3002, [item("Subject", text("Idéer för sommaren")),
                                    item("Categories", textlist(["Segling", "Planer"])),
                                    item("Body", rich("Segla till Åland"))]),
        document("Memo", 3003, [item("Subject", text("Not a journal page"))]),
    ]


def mime_part(part_type, boundary, headers, content):
    # The MIME_PART structure: version, flags (1: a boundary, 2: headers),
    # part type, spare byte, length of all that follows, of the boundary
    # and of the headers, two spare fields; then boundary, headers, content.
    flags = (1 if boundary else 0) | (2 if headers else 0)
    data = boundary.encode("ascii") + headers.encode("ascii") + content.encode("ascii")
    raw = struct.pack("<HIBBHHHHI", 2, flags, part_type, 0, len(data), len(boundary), len(headers), 0, 0) + data
    b64 = base64.b64encode(raw).decode("ascii")
    lines = "\n".join(b64[i:i + 72] for i in range(0, len(b64), 72))
    return item("Body", "<rawitemdata type='19'>\n%s\n</rawitemdata>" % lines, summary="false")


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def part_headers(part):
    return "".join("%s: %s\r\n" % (k, v) for k, v in part.items() if k != "MIME-Version") + "\r\n"


def mime_body(message):
    # The items of a message as Notes splits it: a multipart message gives
    # a prolog part with its headers, a part for each of its parts and an
    # epilog; a single part is one part.
    message.as_string()  # chooses the boundary
    if not message.is_multipart():
        return [mime_part(2, "", part_headers(message), crlf(message.get_payload()))]
    bound = message.get_boundary()
    items = [mime_part(1, "", part_headers(message), "")]
    for sub in message.get_payload():
        items.append(mime_part(2, "\r\n--%s\r\n" % bound, part_headers(sub), crlf(sub.get_payload())))
    items.append(mime_part(3, "\r\n--%s--\r\n" % bound, "", ""))
    return items


def mime():
    harbour = MIMEMultipart("alternative", boundary="==harbour==")
    harbour.attach(MIMEText("Färjan går 07:10.\nVi ses på kajen.\n", "plain", "iso-8859-1"))
    harbour.attach(MIMEText("<p>Färjan går <b>07:10</b>.</p><p>Vi ses på kajen.</p>", "html", "utf-8"))
    receipt = MIMEText("<html><body><p>Tack för <b>resan</b> &amp; välkommen åter!</p>\n<p>Rad två</p>"
                       "</body></html>", "html", "utf-8")
    ferry = MIMEText("Plats: kaj 3\nTa med biljetten.\n", "plain", "utf-8")
    return [
        document("Document", 4001, [item("Subject", text("Från hamnen"))] + mime_body(harbour)),
        document("Document", 4002, [item("Subject", text("Kvitto"))] + mime_body(receipt)),
        appointment(4003, "Färja", "3", ["20260504T071000,00+02"], ["20260504T080000,00+02"], mime_body(ferry)),
    ]


def bench(count, out):
    with open(out, "w", encoding="utf-8") as f:
        f.write(HEAD.format(path=quoteattr("mail.nsf"), title=quoteattr("Mail"), count=count))
        for i in range(count):
            day = 1 + i % 28
            month = 1 + (i // 28) % 12
            if i % 2 == 0:
                start = "2026%02d%02dT%02d0000,00+01" % (month, day, 8 + i % 10)
                end = "2026%02d%02dT%02d3000,00+01" % (month, day, 8 + i % 10)
                extra = zones(CET) + alarm(-15) + [item("Location", text("Room %d" % i)),
                                                   item("Body", rich("Entry %d" % i, "Second line"))]
                if i % 10 == 0:
                    dates = ["2026%02d%02dT%02d0000,00+01" % (month, d, 8 + i % 10) for d in range(day, day + 1)]
                    extra += series("W", 1, dates, adjust=[str((i // 2) % 7)])
                f.write(appointment(100000 + i, "Entry %d" % i, "0", [start], [end], extra))
            else:
                f.write(document("Task", 100000 + i, [item("Subject", text("Task %d" % i)),
                                                      item("DueDateTime", dt("2026%02d%02d" % (month, day))),
                                                      item("Priority", text(str(1 + i % 3))),
                                                      item("Body", rich("Do %d" % i))]))
            if i % 10 == 9:
                f.write(document("Memo", 500000 + i, [item("Subject", text("Memo %d" % i)),
                                                      item("Body", rich(*["Line %d of a memo" % k
                                                                          for k in range(20)]))]))
        f.write("</database>\n")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--bench":
        bench(int(sys.argv[2]), sys.argv[3])
        return
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, path, title, docs in (("names.dxl", "names.nsf", "Kontakte", names()),
                                    ("mail.dxl", "mail/aoberg.nsf", "Åsa Öberg", mail()),
                                    ("journal.dxl", "journal.nsf", "Logbook", journal()),
                                    ("mime.dxl", "mail/aoberg.nsf", "Åsa Öberg", mime())):
        with open(os.path.join(out, name), "w", encoding="utf-8") as f:
            f.write(database(path, title, docs))


if __name__ == "__main__":
    main()
