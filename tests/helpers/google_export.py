"""Writes Google-style exports with python3-vobject, python3-icalendar and
Python's csv, zipfile and tarfile modules, as other programs write them.

Usage: google_export.py <folder>
"""
import csv
import io
import os
import sys
import tarfile
import zipfile
from datetime import date, datetime, timedelta

import pytz
import vobject
from icalendar import Alarm, Calendar, Event, vRecur

out = sys.argv[1]


def card(uid, given, family, extra):
    c = vobject.vCard()
    c.add('n').value = vobject.vcard.Name(family=family, given=given)
    c.add('fn').value = (given + ' ' + family).strip()
    c.add('uid').value = uid
    extra(c)
    return c.serialize()


def anna(c):
    c.n.value = vobject.vcard.Name(family='Lindqvist', given='Anna', additional='Maria')
    c.fn.value = 'Anna Maria Lindqvist'
    c.add('nickname').value = 'Annie'
    c.add('org').value = ['Ferry AB', 'Harbour']
    c.add('title').value = 'Pilot'
    for value, types in [('anna@home.example', ['INTERNET', 'HOME']),
                         ('anna@work.example', ['INTERNET', 'WORK', 'pref']),
                         ('anna2@work.example', ['INTERNET', 'WORK']),
                         ('anna@other.example', ['INTERNET'])]:
        e = c.add('email')
        e.value = value
        e.type_paramlist = types
    for value, types in [('+46 8 123', ['CELL']), ('+46 8 456', ['HOME', 'FAX']),
                         ('+46 8 789', ['WORK', 'VOICE', 'pref']), ('+46 8 000', ['PAGER'])]:
        t = c.add('tel')
        t.value = value
        t.type_paramlist = types
    a = c.add('adr')
    a.value = vobject.vcard.Address(street='Strandvägen 1', city='Stockholm', region='AB', code='114 51',
                                    country='Sweden', box='PO 7')
    a.type_paramlist = ['HOME']
    w = c.add('adr', group='item1')
    w.value = vobject.vcard.Address(street='Kajen 2', city='Göteborg', code='411 04', country='Sweden')
    c.add('x-ablabel', group='item1').value = 'Summer house'
    c.add('bday').value = '1980-01-02'
    c.add('x-abdate', group='item2').value = '2005-06-18'
    c.add('x-ablabel', group='item2').value = '_$!<Anniversary>!$_'
    c.add('x-abrelatednames', group='item3').value = 'Erik Lindqvist'
    c.add('x-ablabel', group='item3').value = '_$!<Spouse>!$_'
    c.add('x-abrelatednames', group='item4').value = 'Karin Berg'
    c.add('x-ablabel', group='item4').value = 'manager'
    c.add('x-abrelatednames', group='item5').value = 'Olle'
    c.add('x-ablabel', group='item5').value = 'Godfather'
    c.add('x-gtalk').value = 'anna.gtalk@example.com'
    s = c.add('impp')
    s.value = 'skype:anna.skype'
    c.add('x-custom', group='item6').value = '38'
    c.add('x-ablabel', group='item6').value = 'Shoe size'
    u = c.add('url', group='item7')
    u.value = 'https://blog.example/anna'
    c.add('x-ablabel', group='item7').value = 'BLOG'
    c.add('categories').value = ['myContacts', 'Friends', 'Sailing']
    c.add('note').value = 'Line one\nLine två; with, marks'
    c.add('rev').value = '2024-03-05T10:20:30Z'


def bo(c):
    e = c.add('email')
    e.value = 'bo@example.com'
    e.type_paramlist = ['INTERNET', 'pref']


def cai(c):
    c.add('bday').value = '--0704'
    c.add('nickname').value = 'ö' * 40  # 80 bytes: more than a name field holds


contacts = [
    card('uid-anna', 'Anna', 'Lindqvist', anna),
    card('uid-bo', 'Bo', 'Ek', bo),
    card('uid-cai', 'Cai', 'Ström', cai),
]
all_vcf = ''.join(contacts)
friends_vcf = contacts[0] + contacts[1]
family_vcf = contacts[0] + contacts[2]

berlin = pytz.timezone('Europe/Berlin')
new_york = pytz.timezone('America/New_York')


def event(uid, summary, start, end, **props):
    e = Event()
    e.add('uid', uid)
    e.add('summary', summary)
    e.add('dtstart', start)
    e.add('dtend', end)
    e.add('dtstamp', datetime(2024, 1, 1, tzinfo=pytz.utc))
    for key, value in props.items():
        if key == 'alarms':
            for action, trigger in value:
                a = Alarm()
                a.add('action', action)
                a.add('trigger', trigger)
                a.add('description', 'Reminder')
                if action == 'EMAIL':
                    a.add('summary', 'Reminder')
                    a.add('attendee', 'mailto:anna@home.example')
                e.add_component(a)
        else:
            e.add(key.replace('_', '-'), value)
    return e


main = Calendar()
main.add('prodid', '-//Google Inc//Google Calendar 70.9054//EN')
main.add('version', '2.0')
main.add('x-wr-calname', 'Anna Lindqvist')
main.add('x-wr-timezone', 'Europe/Berlin')
main.add('x-wr-caldesc', 'Work and sailing')
b = lambda *a: berlin.localize(datetime(*a))
main.add_component(event('ev-weekly', 'Standup', b(2008, 1, 2, 9, 30), b(2008, 1, 2, 10, 0),
                         rrule=vRecur(freq='WEEKLY', interval=2, byday=['MO', 'WE'])))
main.add_component(event('ev-monthly', 'Invoices', b(2008, 1, 15, 8, 0), b(2008, 1, 15, 9, 0),
                         rrule=vRecur(freq='MONTHLY', interval=3, bymonthday=15,
                                      until=datetime(2008, 12, 15, 10, 0, tzinfo=pytz.utc))))
main.add_component(event('ev-yearly', 'Pi day', date(2008, 3, 14), date(2008, 3, 15),
                         rrule=vRecur(freq='YEARLY')))
main.add_component(event('ev-count', 'Course', datetime(2008, 2, 1, 8, 0, tzinfo=pytz.utc),
                         datetime(2008, 2, 1, 9, 0, tzinfo=pytz.utc), rrule=vRecur(freq='DAILY', count=5)))
main.add_component(event('ev-exdate', 'Gym', b(2008, 1, 7, 10, 0), b(2008, 1, 7, 11, 0),
                         rrule=vRecur(freq='WEEKLY'), exdate=b(2008, 1, 14, 10, 0)))
main.add_component(event('ev-nth', 'Board', b(2008, 1, 8, 14, 0), b(2008, 1, 8, 15, 0),
                         rrule=vRecur(freq='MONTHLY', byday='2TU')))
main.add_component(event('ev-newyork', 'Call New York', new_york.localize(datetime(2008, 1, 2, 9, 30)),
                         new_york.localize(datetime(2008, 1, 2, 10, 30)), location='Video',
                         description='Quarterly\nnumbers', categories=['Work'],
                         alarms=[('DISPLAY', timedelta(minutes=-30)), ('EMAIL', timedelta(days=-1)),
                                 ('DISPLAY', timedelta(hours=-2)), ('AUDIO', timedelta(minutes=-5))]))
main.add_component(event('ev-weekly', 'Standup (moved)', b(2008, 1, 16, 11, 0), b(2008, 1, 16, 11, 30),
                         recurrence_id=b(2008, 1, 16, 9, 30)))
main.add_component(event('ev-weekly', 'Standup (cancelled)', b(2008, 1, 30, 9, 30), b(2008, 1, 30, 10, 0),
                         recurrence_id=b(2008, 1, 30, 9, 30), status='CANCELLED'))
main.add_component(event('ev-private', 'Dentist', b(2008, 5, 5, 7, 0), b(2008, 5, 5, 8, 0),
                         **{'class': 'PRIVATE', 'transp': 'TRANSPARENT'}))
main_ics = main.to_ical()

holidays = Calendar()
holidays.add('prodid', '-//Google Inc//Google Calendar 70.9054//EN')
holidays.add('version', '2.0')
holidays.add_component(event('ev-midsummer', 'Midsummer', date(2008, 6, 20), date(2008, 6, 21)))
holidays_ics = holidays.to_ical()


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data if isinstance(data, bytes) else data.encode('utf-8'))


takeout = {
    'Takeout/Contacts/All Contacts/All Contacts.vcf': all_vcf,
    'Takeout/Contacts/Friends/Friends.vcf': friends_vcf,
    'Takeout/Calendar/Anna Lindqvist.ics': main_ics,
    'Takeout/Calendar/Holidays.ics': holidays_ics,
    'Takeout/archive_browser.html': '<html></html>',
}


def write_zip(path, files):
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for name, data in files.items():
            z.writestr(name, data)


def write_tgz(path, files):
    with tarfile.open(path, 'w:gz') as t:
        for name, data in files.items():
            raw = data if isinstance(data, bytes) else data.encode('utf-8')
            info = tarfile.TarInfo(name)
            info.size = len(raw)
            t.addfile(info, io.BytesIO(raw))


write_zip(os.path.join(out, 'takeout.zip'), takeout)
write_tgz(os.path.join(out, 'takeout.tgz'), takeout)
os.makedirs(os.path.join(out, 'parts'))
names = sorted(takeout)
write_zip(os.path.join(out, 'parts', 'takeout-20260101T000000Z-001.zip'),
          {n: takeout[n] for n in names if 'Contacts' in n})
write_zip(os.path.join(out, 'parts', 'takeout-20260101T000000Z-002.zip'),
          {n: takeout[n] for n in names if 'Contacts' not in n})
for name, data in takeout.items():
    write(os.path.join(out, 'folder', name), data)
write_zip(os.path.join(out, 'labels.zip'), {'Takeout/Contacts/Friends/Friends.vcf': friends_vcf,
                                             'Takeout/Contacts/Family/Family.vcf': family_vcf})

def no_uid(text):
    return ''.join(line for line in text.splitlines(True) if not line.startswith('UID:'))


# Without identifiers: the same card in two label files is one contact, two
# equal cards in one file are two.
write_zip(os.path.join(out, 'labels-no-uid.zip'),
          {'Takeout/Contacts/Friends/Friends.vcf': no_uid(friends_vcf),
           'Takeout/Contacts/Family/Family.vcf': no_uid(family_vcf + contacts[2])})
write_zip(os.path.join(out, 'empty.zip'), {'Takeout/archive_browser.html': '<html></html>'})
write_zip(os.path.join(out, 'contacts-only.zip'), {'Takeout/Contacts/All Contacts/All Contacts.vcf': all_vcf})
write(os.path.join(out, 'contacts.vcf'), all_vcf)
write(os.path.join(out, 'calendar.ics'), main_ics)
write(os.path.join(out, 'notes.txt'), 'not a contact')
# Version 2.1 as older address books write it: a named legacy character
# set in quoted-printable, and a value in a legacy code page without one.
write(os.path.join(out, 'legacy.vcf'),
      b'BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:J=F6nsson;G=F6ran\r\n'
      b'FN:G\xf6ran J\xf6nsson\r\nTEL;WORK;FAX:+46 31 1\r\nEND:VCARD\r\n')

old_header = ['Name', 'Given Name', 'Additional Name', 'Family Name', 'Nickname', 'Birthday', 'Notes',
              'Group Membership', 'E-mail 1 - Type', 'E-mail 1 - Value', 'E-mail 2 - Type', 'E-mail 2 - Value',
              'Phone 1 - Type', 'Phone 1 - Value', 'Address 1 - Type', 'Address 1 - Formatted',
              'Address 1 - Street', 'Address 1 - City', 'Address 1 - PO Box', 'Address 1 - Region',
              'Address 1 - Postal Code', 'Address 1 - Country', 'Organization 1 - Type', 'Organization 1 - Name',
              'Organization 1 - Title', 'Relation 1 - Type', 'Relation 1 - Value', 'Website 1 - Type',
              'Website 1 - Value', 'IM 1 - Type', 'IM 1 - Service', 'IM 1 - Value', 'Event 1 - Type',
              'Event 1 - Value', 'Custom Field 1 - Type', 'Custom Field 1 - Value']
old_row = ['Anna Lindqvist', 'Anna', 'Maria', 'Lindqvist', 'Annie', '1980-01-02', 'Line one\nLine "two", end',
           '* myContacts ::: Friends', '* Work', 'anna@work.example ::: anna2@work.example', 'Home',
           'anna@home.example', 'Mobile', '+46 8 123 ::: +46 8 124', 'Home', 'Strandvägen 1\nStockholm',
           'Strandvägen 1', 'Stockholm', '', 'AB', '114 51', 'Sweden', '', 'Ferry AB', 'Pilot', 'Spouse',
           'Erik Lindqvist', 'Profile', 'https://example.com/anna', 'Other', 'Skype', 'anna.skype', 'Anniversary',
           '2005-06-18', 'Shoe size', '38']
new_header = ['First Name', 'Middle Name', 'Last Name', 'Nickname', 'Organization Name', 'Organization Title',
              'Birthday', 'Notes', 'Labels', 'E-mail 1 - Label', 'E-mail 1 - Value', 'E-mail 2 - Label',
              'E-mail 2 - Value', 'Phone 1 - Label', 'Phone 1 - Value', 'Address 1 - Label', 'Address 1 - Formatted',
              'Address 1 - Street', 'Address 1 - City', 'Address 1 - PO Box', 'Address 1 - Region',
              'Address 1 - Postal Code', 'Address 1 - Country', 'Relation 1 - Label', 'Relation 1 - Value',
              'Website 1 - Label', 'Website 1 - Value', 'IM 1 - Label', 'IM 1 - Service', 'IM 1 - Value',
              'Event 1 - Label', 'Event 1 - Value', 'Custom Field 1 - Label', 'Custom Field 1 - Value']
new_row = [old_row[1], old_row[2], old_row[3], old_row[4], 'Ferry AB', 'Pilot', old_row[5], old_row[6],
           '* myContacts ::: Friends'] + old_row[8:22] + old_row[25:]
for name, header, row in [('old.csv', old_header, old_row), ('new.csv', new_header, new_row)]:
    buf = io.StringIO()
    w = csv.writer(buf)
    w.writerow(header)
    w.writerow(row)
    second = ['' for _ in header]
    second[1] = 'Bo'
    w.writerow(second)
    write(os.path.join(out, name), buf.getvalue())
