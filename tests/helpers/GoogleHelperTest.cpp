// The Google helper programs run as the program runs them: a parameter
// file written by the program's own writer, exports written by
// python3-vobject, python3-icalendar and Python's csv, zipfile and tarfile,
// and the data files read back field by field in their published layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

#include "common/bridge/CxHelperFiles.h"
#include "common/google/CxGAppCommon.h"
#include "helpers/pim/IcalReader.h"
#include "platform/clock/SystemTime.h"
#include "platform/profile/PrivateProfile.h"
#include "tests/support/BatchRun.h"
#include "tests/support/Dates.h"
#include "tests/support/GoogleDataFiles.h"
#include "tests/support/GoogleExports.h"
#include "tests/support/HelperStop.h"
#include "tests/support/TempDir.h"

namespace {

// Berlin's rules as a POSIX zone text: local time for every helper run.
constexpr const char* kLocalZone = "CET-1CEST,M3.5.0,M10.5.0/3";

double Local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double out = 0;
    platform::SystemTimeToVariantTime(fwtest::At(y, mo, d, h, mi, s), out);
    return out;
}

std::string HelperPath(bool calendar) {
    std::string path = fwtest::FerrywisePath();
    path.resize(path.size() - std::string("ferrywise").size());
    return path + (calendar ? "Norrbek.GoogleCalendar" : "Norrbek.GoogleContacts");
}

class GoogleHelper : public ::testing::Test {
protected:
    // The parameter file as the program writes it, with the export path.
    std::string WriteParams(bool calendar, const std::string& exportPath, const std::string& server = "") {
        const CxHelperKind& kind = GetHelperKind(calendar ? kHelperGDate : kHelperGAddr);
        CxGAppParamParser p;
        auto text = [&](std::int32_t id, const std::string& value) { p.SetParam(id, kParamTypeText, value.c_str()); };
        text(1000, "anna@example.com");
        text(1001, "s3cr3t-Pw");
        text(1002, kind.dataFile);
        text(1003, dir.Path());
        text(1005, "1");
        text(1004, "");
        if (calendar) {
            text(1006, "");
            text(1007, "");
            text(1008, kGoogleCalendarsFile);
        }
        text(1009, kind.errorFile);
        text(1010, kind.statusFile);
        text(1013, dir.Path());
        text(1014, "appdebug.log");
        text(1015, "3");
        text(1016, "1");
        text(1017, exportPath);
        text(1018, server);
        text(1019, "");
        text(1020, "");
        text(1021, "0");
        text(1022, "GGToken.dat");
        const std::string path = dir.File(kind.paramFile);
        EXPECT_TRUE(p.WriteToFile(path.c_str()));
        return path;
    }

    std::string Command(bool calendar, const std::string& exportPath) {
        return "env TZ=" + fwtest::Quote(kLocalZone) + " " + fwtest::Quote(HelperPath(calendar)) + " " +
               fwtest::Quote(WriteParams(calendar, exportPath));
    }

    int Run(bool calendar, const std::string& exportPath) {
        return fwtest::RunCommand(Command(calendar, exportPath) + " 2>&1").status;
    }

    std::string LastError(bool calendar) {
        const std::string path = dir.File(GetHelperKind(calendar ? kHelperGDate : kHelperGAddr).errorFile);
        const auto count = platform::ReadProfileString(path, "Error", "Error.Count");
        if (!count || *count == "0") return {};
        return platform::ReadProfileString(path, "Error", "Error." + *count).value_or("");
    }

    std::vector<fwtest::GContactData> Contacts(const std::string& exportPath) {
        EXPECT_EQ(Run(false, exportPath), 0) << LastError(false);
        bool ok = false;
        auto contacts = fwtest::ReadGContacts(dir.File("GAddr.dat"), ok);
        EXPECT_TRUE(ok) << exportPath;
        return contacts;
    }

    std::vector<fwtest::GEventData> Events(const std::string& exportPath) {
        EXPECT_EQ(Run(true, exportPath), 0) << LastError(true);
        bool ok = false;
        auto events = fwtest::ReadGEvents(dir.File("GDate.dat"), ok);
        EXPECT_TRUE(ok) << exportPath;
        return events;
    }

    fwtest::TempDir dir;
};

const fwtest::GContactData* ByDisplay(const std::vector<fwtest::GContactData>& all, const std::string& name) {
    for (const auto& c : all)
        if (c.names[3] == name) return &c;
    return nullptr;
}

const fwtest::GEventData* ByTitle(const std::vector<fwtest::GEventData>& all, const std::string& title) {
    for (const auto& e : all)
        if (e.title == title) return &e;
    return nullptr;
}

std::string ExportPath(const char* name) { return fwtest::GoogleExportFolder() + name; }

}  // namespace

TEST_F(GoogleHelper, EveryExportShapeGivesEachContactOnce) {
    for (const char* shape : {"takeout.zip", "takeout.tgz", "parts/takeout-20260101T000000Z-001.zip", "parts", "folder",
                              "contacts.vcf", "labels.zip"}) {
        SCOPED_TRACE(shape);
        const auto contacts = Contacts(ExportPath(shape));
        ASSERT_EQ(contacts.size(), 3u);
        for (const char* name : {"Anna Maria Lindqvist", "Bo Ek", "Cai Ström"})
            EXPECT_NE(ByDisplay(contacts, name), nullptr) << name;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(contacts[static_cast<std::size_t>(i)].header[0], i + 1);
    }
    EXPECT_EQ(fwtest::ReadFile(dir.File("GAddrStatus.dat")), "Done\r\n");
    EXPECT_EQ(fwtest::FileMode(dir.File("GAddr.dat")), 0600);
}

TEST_F(GoogleHelper, LabelFilesWithoutIdentifiersGiveEachContactOnce) {
    const auto contacts = Contacts(ExportPath("labels-no-uid.zip"));
    std::vector<std::string> names;
    for (const auto& c : contacts) names.push_back(c.names[3]);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Anna Maria Lindqvist", "Bo Ek", "Cai Ström", "Cai Ström"}));
}

TEST_F(GoogleHelper, VCardFieldsFillTheirSlots) {
    const auto contacts = Contacts(ExportPath("takeout.zip"));
    const auto* a = ByDisplay(contacts, "Anna Maria Lindqvist");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->names, (std::array<std::string, 7>{"Anna", "Maria", "Lindqvist", "Anna Maria Lindqvist", "Annie",
                                                    "Ferry AB", "Pilot"}));
    // Two work addresses keep their order; the untyped one is "other".
    EXPECT_EQ(a->emailTypes, (std::array<std::int32_t, 5>{1, 2, 2, 3, 0}));
    EXPECT_EQ(a->emails[1], "anna@work.example");
    EXPECT_EQ(a->emails[2], "anna2@work.example");
    EXPECT_EQ(a->primaryEmail, "anna@work.example");
    EXPECT_EQ(a->phoneTypes[0], 3);
    EXPECT_EQ(a->phoneTypes[1], 4);
    EXPECT_EQ(a->phoneTypes[2], 2);
    EXPECT_EQ(a->phoneTypes[3], 6);
    EXPECT_EQ(a->primaryPhone, "+46 8 789");
    EXPECT_EQ(a->addressTypes, (std::array<std::int32_t, 5>{1, 3, 0, 0, 0}));
    EXPECT_EQ(a->street[0], "Strandvägen 1");
    EXPECT_EQ(a->city[0], "Stockholm");
    EXPECT_EQ(a->state[0], "AB");
    EXPECT_EQ(a->postal[0], "114 51");
    EXPECT_EQ(a->country[0], "Sweden");
    EXPECT_EQ(a->poBox[0], "PO 7");
    EXPECT_EQ(a->city[1], "Göteborg");
    EXPECT_NE(a->formatted[0].find("Stockholm"), std::string::npos);
    EXPECT_EQ(a->webTypes[0], 5);
    EXPECT_EQ(a->webs[0], "https://blog.example/anna");
    EXPECT_EQ(a->imTypes[0], 4);
    EXPECT_EQ(a->ims[0], "anna.skype");
    EXPECT_EQ(a->imTypes[1], 1);
    EXPECT_EQ(a->ims[1], "anna.gtalk@example.com");
    EXPECT_EQ(a->dateTypes[0], 1);
    EXPECT_EQ(a->dates[0], Local(1980, 1, 2));
    EXPECT_EQ(a->dateTypes[1], 2);
    EXPECT_EQ(a->dates[1], Local(2005, 6, 18));
    EXPECT_EQ(a->relationTypes[0], 1);
    EXPECT_EQ(a->relations[0], "Erik Lindqvist");
    EXPECT_EQ(a->relationTypes[1], 11);
    EXPECT_EQ(a->relations[1], "Karin Berg");
    // A relation without a code of its own and a labelled value that is no
    // typed field become custom fields.
    EXPECT_EQ(a->customLabels[0], "Shoe size");
    EXPECT_EQ(a->customValues[0], "38");
    EXPECT_EQ(a->customLabels[1], "Godfather");
    EXPECT_EQ(a->customValues[1], "Olle");
    EXPECT_EQ(a->groups, "Friends, Sailing");
    EXPECT_EQ(a->notes, "Line one\r\nLine två; with, marks");
    EXPECT_GT(a->modified, Local(2024, 3, 5));
    EXPECT_LT(a->modified, Local(2024, 3, 6));

    const auto* bo = ByDisplay(contacts, "Bo Ek");
    ASSERT_NE(bo, nullptr);
    // A primary address that is no work one is the primary alone.
    EXPECT_EQ(bo->primaryEmail, "bo@example.com");
    EXPECT_EQ(bo->emailTypes, (std::array<std::int32_t, 5>{}));
    EXPECT_EQ(bo->emails[0], "");
    const auto* cai = ByDisplay(contacts, "Cai Ström");
    ASSERT_NE(cai, nullptr);
    EXPECT_EQ(cai->dateTypes[0], 1);
    EXPECT_EQ(cai->dates[0], Local(1604, 7, 4));  // a birthday without a year
    // 80 bytes of two-byte characters cut to the 63 a name holds: 31 whole ones.
    std::string cut;
    for (int i = 0; i < 31; ++i) cut += "ö";
    EXPECT_EQ(cai->names[4], cut);
}

TEST_F(GoogleHelper, LegacyCharacterSetsArriveAsUtf8) {
    const auto contacts = Contacts(ExportPath("legacy.vcf"));
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_EQ(contacts[0].names[0], "Göran");
    EXPECT_EQ(contacts[0].names[2], "Jönsson");
    EXPECT_EQ(contacts[0].names[3], "Göran Jönsson");
    EXPECT_EQ(contacts[0].phoneTypes[0], 5);
}

TEST_F(GoogleHelper, BothCsvGenerationsGiveTheSameContact) {
    for (const char* file : {"old.csv", "new.csv"}) {
        SCOPED_TRACE(file);
        const auto contacts = Contacts(ExportPath(file));
        ASSERT_EQ(contacts.size(), 2u);
        const auto& a = contacts[0];
        EXPECT_EQ(a.names[0], "Anna");
        EXPECT_EQ(a.names[1], "Maria");
        EXPECT_EQ(a.names[2], "Lindqvist");
        EXPECT_EQ(a.names[4], "Annie");
        EXPECT_EQ(a.names[5], "Ferry AB");
        EXPECT_EQ(a.names[6], "Pilot");
        EXPECT_EQ(a.emailTypes, (std::array<std::int32_t, 5>{2, 2, 1, 0, 0}));
        EXPECT_EQ(a.emails[0], "anna@work.example");
        EXPECT_EQ(a.emails[1], "anna2@work.example");
        EXPECT_EQ(a.primaryEmail, "anna@work.example");
        EXPECT_EQ(a.phoneTypes[0], 3);
        EXPECT_EQ(a.phones[1], "+46 8 124");
        EXPECT_EQ(a.addressTypes[0], 1);
        EXPECT_EQ(a.formatted[0], "Strandvägen 1\nStockholm");
        EXPECT_EQ(a.postal[0], "114 51");
        EXPECT_EQ(a.relationTypes[0], 1);
        EXPECT_EQ(a.webTypes[0], 6);
        EXPECT_EQ(a.imTypes[0], 4);
        EXPECT_EQ(a.ims[0], "anna.skype");
        EXPECT_EQ(a.dateTypes[0], 1);
        EXPECT_EQ(a.dates[0], Local(1980, 1, 2));
        EXPECT_EQ(a.dateTypes[1], 2);
        EXPECT_EQ(a.customLabels[0], "Shoe size");
        EXPECT_EQ(a.customValues[0], "38");
        EXPECT_EQ(a.notes, "Line one\nLine \"two\", end");
        EXPECT_EQ(a.groups, "Friends");
        EXPECT_EQ(contacts[1].names[0] + contacts[1].names[1], "Bo");
    }
}

TEST_F(GoogleHelper, EventFieldsAndRepeats) {
    const auto events = Events(ExportPath("takeout.zip"));
    ASSERT_EQ(events.size(), 10u);  // the cancelled instance is no event

    struct Repeat {
        const char* title;
        int type, interval, mask, dayOfMonth, month, instance, hasEnd;
        double repeatEnd;
        const char* text;  // a part of the recurrence text
    };
    const Repeat repeats[] = {
        {"Standup", 2, 2, 2 | 8, 0, 0, 0, 0, 0,
         "DTSTART:20080102T093000\r\nDTEND:20080102T100000\r\nRRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE\r\n"},
        {"Invoices", 4, 3, 0, 15, 0, 0, 1, Local(2008, 12, 15), "UNTIL=20081215T110000"},
        {"Pi day", 6, 1, 0, 14, 3, 0, 0, 0,
         "DTSTART;VALUE=DATE:20080314\r\nDTEND;VALUE=DATE:20080315\r\nRRULE:FREQ=YEARLY;BYMONTHDAY=14;BYMONTH=3"},
        {"Course", 1, 1, 0, 0, 0, 0, 1, Local(2008, 2, 5), "COUNT=5"},
        {"Gym", 2, 1, 2, 0, 0, 0, 0, 0, "EXDATE:20080114T100000\r\n"},
        {"Board", 3, 1, 4, 0, 0, 2, 0, 0, "BYDAY=2TU"},
        {"Standup (moved)", 0, 0, 0, 0, 0, 0, 0, 0, ""},
    };
    for (const Repeat& r : repeats) {
        SCOPED_TRACE(r.title);
        const auto* e = ByTitle(events, r.title);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->type, r.type);
        EXPECT_EQ(e->interval, r.interval);
        EXPECT_EQ(e->mask, r.mask);
        EXPECT_EQ(e->dayOfMonth, r.dayOfMonth);
        EXPECT_EQ(e->month, r.month);
        EXPECT_EQ(e->instance, r.instance);
        EXPECT_EQ(e->hasEnd, r.hasEnd);
        EXPECT_DOUBLE_EQ(e->repeatEnd, r.repeatEnd);
        EXPECT_NE(e->recurrence.find(r.text), std::string::npos) << e->recurrence;
        EXPECT_EQ(e->recurrence.find("TZID"), std::string::npos);
        EXPECT_DOUBLE_EQ(e->repeatStart, r.type ? e->start : 0.0);
    }

    const auto* standup = ByTitle(events, "Standup");
    EXPECT_DOUBLE_EQ(standup->start, Local(2008, 1, 2, 9, 30));
    EXPECT_EQ(standup->calendarId, "Anna Lindqvist");
    const auto* moved = ByTitle(events, "Standup (moved)");
    EXPECT_DOUBLE_EQ(moved->start, Local(2008, 1, 16, 11, 0));
    EXPECT_EQ(moved->recurrence, "");

    const auto* course = ByTitle(events, "Course");
    EXPECT_DOUBLE_EQ(course->start, Local(2008, 2, 1, 9, 0));  // 08:00 UTC

    const auto* pi = ByTitle(events, "Pi day");
    EXPECT_EQ(pi->allDay, 1);
    EXPECT_DOUBLE_EQ(pi->start, Local(2008, 3, 14));
    EXPECT_DOUBLE_EQ(pi->end, Local(2008, 3, 15));

    // 09:30 in New York is 15:30 here; the reminders beyond three are left out.
    const auto* ny = ByTitle(events, "Call New York");
    ASSERT_NE(ny, nullptr);
    EXPECT_DOUBLE_EQ(ny->start, Local(2008, 1, 2, 15, 30));
    EXPECT_DOUBLE_EQ(ny->end, Local(2008, 1, 2, 16, 30));
    EXPECT_EQ(ny->allDay, 0);
    EXPECT_EQ(ny->location, "Video");
    EXPECT_EQ(ny->description, "Quarterly\nnumbers");
    EXPECT_EQ(ny->category, "Work");
    EXPECT_EQ(ny->reminderCount, 3);
    EXPECT_EQ(ny->methods, (std::array<std::int32_t, 3>{1, 2, 1}));
    EXPECT_EQ(ny->offsets, (std::array<std::int32_t, 3>{30, 1, 2}));
    EXPECT_EQ(ny->units, (std::array<std::int32_t, 3>{0, 2, 1}));
    EXPECT_EQ(ny->visibility, 0);

    const auto* dentist = ByTitle(events, "Dentist");
    EXPECT_EQ(dentist->visibility, 2);
    EXPECT_EQ(dentist->transparency, 0);
    EXPECT_EQ(dentist->reminderCount, 0);
    EXPECT_EQ(standup->transparency, 0);  // not given

    const auto* midsummer = ByTitle(events, "Midsummer");
    ASSERT_NE(midsummer, nullptr);
    EXPECT_EQ(midsummer->calendarId, "Holidays");

    bool ok = false;
    const auto calendars = fwtest::ReadGCalendars(dir.File("GCal.dat"), ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(calendars.size(), 2u);
    EXPECT_EQ(calendars[0].name, "Anna Lindqvist");
    EXPECT_EQ(calendars[0].id, "Anna Lindqvist");
    EXPECT_EQ(calendars[0].description, "Work and sailing");
    EXPECT_EQ(calendars[0].timeZone, "Europe/Berlin");
    EXPECT_EQ(calendars[1].name, "Holidays");
}

TEST_F(GoogleHelper, ACalendarReadInPartsIsTheCalendarReadWhole) {
    const std::string text = fwtest::ReadFile(ExportPath("calendar.ics"));
    pim::Calendar whole;
    ASSERT_TRUE(pim::ReadCalendar(text, whole));
    ASSERT_EQ(whole.events.size(), 9u);
    for (std::size_t partSize : {1u, 300u, 2000u}) {
        SCOPED_TRACE(partSize);
        pim::Calendar parts;
        ASSERT_TRUE(pim::ReadCalendar(text, parts, nullptr, partSize));
        EXPECT_EQ(parts.name, whole.name);
        EXPECT_EQ(parts.timeZone, whole.timeZone);
        ASSERT_EQ(parts.events.size(), whole.events.size());
        for (std::size_t i = 0; i < whole.events.size(); ++i) {
            const pim::Event &a = whole.events[i], &b = parts.events[i];
            EXPECT_EQ(a.summary, b.summary);
            EXPECT_EQ(a.start, b.start);
            EXPECT_EQ(a.recurrence, b.recurrence);
            EXPECT_EQ(a.reminders.size(), b.reminders.size());
        }
    }
    pim::Calendar stopped;
    EXPECT_FALSE(pim::ReadCalendar(
        text, stopped, [] { return true; }, 1));
}

TEST_F(GoogleHelper, EveryExportShapeGivesEachEventOnce) {
    for (const char* shape : {"takeout.tgz", "parts/takeout-20260101T000000Z-002.zip", "parts", "folder"}) {
        SCOPED_TRACE(shape);
        EXPECT_EQ(Events(ExportPath(shape)).size(), 10u);
    }
    EXPECT_EQ(Events(ExportPath("calendar.ics")).size(), 9u);
    EXPECT_EQ(fwtest::ReadFile(dir.File("GDateStatus.dat")), "Done\r\n");
}

TEST_F(GoogleHelper, ExportsWithoutTheKindOrOfAnotherType) {
    struct Case {
        bool calendar;
        const char* path;
        const char* message;  // a part of it; empty: loads empty
    };
    const Case cases[] = {
        {false, "empty.zip", "holds no contacts or calendars"},
        {true, "empty.zip", "holds no contacts or calendars"},
        {true, "contacts-only.zip", ""},
        {false, "calendar.ics", "holds no contacts"},
        {true, "contacts.vcf", "holds no calendar"},
        {false, "notes.txt", "holds no contacts"},
        {true, "missing.zip", "cannot be found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const CxHelperKind& kind = GetHelperKind(c.calendar ? kHelperGDate : kHelperGAddr);
        std::remove(dir.File(kind.dataFile).c_str());
        std::remove(dir.File(kind.errorFile).c_str());
        const int status = Run(c.calendar, ExportPath(c.path));
        if (*c.message == '\0') {
            EXPECT_EQ(status, 0);
            EXPECT_EQ(LastError(c.calendar), "");
            bool ok = false;
            EXPECT_TRUE(fwtest::ReadGEvents(dir.File("GDate.dat"), ok).empty());
            EXPECT_TRUE(ok);
            EXPECT_TRUE(fwtest::ReadGCalendars(dir.File("GCal.dat"), ok).empty());
            EXPECT_TRUE(ok);
        } else {
            EXPECT_NE(status, 0);
            EXPECT_NE(LastError(c.calendar).find(c.message), std::string::npos) << LastError(c.calendar);
            EXPECT_EQ(fwtest::FileMode(dir.File(kind.dataFile)), -1);
        }
    }
}

TEST_F(GoogleHelper, StopsWithinASecond) {
    // Enough contacts that reading them takes far longer than the wait.
    std::string cards;
    for (int i = 0; i < 400000; ++i)
        cards += "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:u" + std::to_string(i) + "\r\nFN:Person " + std::to_string(i) +
                 "\r\nEMAIL;TYPE=HOME:p" + std::to_string(i) + "@example.com\r\nEND:VCARD\r\n";
    fwtest::WriteFile(dir.File("big.vcf"), cards);
    const std::string control = dir.File("GAddrData.ini");
    EXPECT_LT(fwtest::StopRunningHelper(Command(false, dir.File("big.vcf")), control), std::chrono::milliseconds(1000));
    EXPECT_EQ(fwtest::FileMode(dir.File("GAddr.dat")), -1);
    EXPECT_EQ(LastError(false), "Reading from Google was stopped.");
    EXPECT_EQ(platform::ReadProfileString(control, "Status", "Running").value_or(""), "0");
}

TEST_F(GoogleHelper, AnAccountWhoseServerCannotBeReachedGivesASentence) {
    for (bool calendar : {false, true}) {
        SCOPED_TRACE(calendar);
        const std::string params = WriteParams(calendar, "", "http://127.0.0.1:1/");
        const auto run =
            fwtest::RunCommand(fwtest::Quote(HelperPath(calendar)) + " " + fwtest::Quote(params) + " 2>&1");
        EXPECT_NE(run.status, 0);
        EXPECT_NE(LastError(calendar).find("could not be reached"), std::string::npos) << LastError(calendar);
        EXPECT_EQ(fwtest::FileMode(dir.File(GetHelperKind(calendar ? kHelperGDate : kHelperGAddr).dataFile)), -1);
        // The password goes nowhere but the parameter file.
        for (const char* file : {"appdebug.log", "GAddrStatus.dat", "GDateStatus.dat", "GAddrErr.dat", "GDateErr.dat"})
            EXPECT_EQ(fwtest::ReadFile(dir.File(file)).find("s3cr3t-Pw"), std::string::npos) << file;
    }
}
