// Lotus Notes as the source in batch mode, with the test helper standing in
// for the Lotus Notes helpers and handing over prepared data files: every
// kind reaches the Outlook store (read back with python3-icalendar and
// python3-vobject), with its repeat rule, a monthly entry on its weekday of
// the month and an all-day entry as a date; a second run finds everything
// the same; the databases go to the helpers as given; a helper's message is
// what the run reports.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/AdapterTable.h"
#include "app/AppCommon.h"
#include "common/lotus/CxLNAddrUtil.h"
#include "common/lotus/CxLNDateUtil.h"
#include "common/lotus/CxLNNoteUtil.h"
#include "common/lotus/CxLNTaskUtil.h"
#include "platform/text/TextCopy.h"
#include "tests/support/BatchSource.h"
#include "tests/support/LotusRecords.h"

namespace {

using fwtest::OleDate;

struct LotusSource : fwtest::BatchSource {
    LotusSource() {
        fwtest::LnContact anna;
        anna.text = {{kLNFirstName, "Anna"},
                     {kLNLastName, "Bérg"},
                     {kLNDisplayName, "Anna Bérg"},
                     {kLNCompanyName, "Acme AB"},
                     {kLNBusinessPhone, "+46 8 123 45"},
                     {kLNBusinessEmail, "anna@acme.example"},
                     {kLNPersonalEmail, "anna@home.example"},
                     {kLNBusinessEmail2, "never@acme.example"},
                     {kLNBusinessStreet, "Building 2\r\nStorgatan 1"},
                     {kLNBusinessStreet + 1, "Stockholm"}};
        anna.birthDate = OleDate(1980, 2, 29);
        fwtest::LnContact bo;
        bo.text = {{kLNFirstName, "Bo"}, {kLNLastName, "Ek"}, {kLNDisplayName, "Bo Ek"}};
        EXPECT_TRUE(fwtest::WriteLotusFile(source + "/LNAddr.dat", std::vector{anna, bo}));

        fwtest::LnEntry weekly;
        weekly.subject = "Gym";
        weekly.start = OleDate(2026, 3, 2, 7);
        weekly.end = OleDate(2026, 3, 2, 8);
        weekly.repeats = "1";
        weekly.unit = "W";
        weekly.interval = "1";
        weekly.repeatOn = "42";  // Monday, Wednesday, Friday
        weekly.until = OleDate(2026, 6, 29);
        fwtest::LnEntry board = weekly;  // the second Wednesday of every month
        board.subject = "Board meeting";
        board.start = OleDate(2026, 3, 11, 14);
        board.end = OleDate(2026, 3, 11, 16);
        board.unit = "MP";
        board.repeatOn = "8";
        board.until = 0.0;
        fwtest::LnEntry holiday;
        holiday.subject = "Midsummer";
        holiday.start = OleDate(2026, 6, 19);
        holiday.end = OleDate(2026, 6, 20);
        EXPECT_TRUE(fwtest::WriteLotusFile(source + "/LNDate.dat", std::vector{weekly, board, holiday}));

        fwtest::LnTodo offer;
        offer.subject = "Send the offer";
        offer.priority = 0;
        offer.due = OleDate(2026, 4, 1);
        fwtest::LnTodo done;
        done.subject = "Book the room";
        done.completed = OleDate(2025, 12, 1);
        EXPECT_TRUE(fwtest::WriteLotusFile(source + "/LNTask.dat", std::vector{offer, done}));

        fwtest::LnDocument idea;
        idea.subject = "Ideas";
        idea.body = "Lunch with Bo\r\nAt noon.";
        EXPECT_TRUE(fwtest::WriteLotusFile(source + "/LNNote.dat", std::vector{idea}));
    }
};

constexpr const char* kReadStore = R"(
import sys, glob, icalendar, vobject
rows = []
for f in glob.glob(sys.argv[1] + '/Contacts/*.vcf'):
    card = vobject.readOne(open(f, encoding='utf-8').read())
    mails = sorted(e.value for e in card.contents.get('email', []))
    adrs = [a.value.street for a in card.contents.get('adr', [])]
    rows.append('C|%s|%s|%s' % (card.fn.value, mails, adrs))
for kind in ('Calendar', 'Tasks', 'Notes'):
    for f in glob.glob(sys.argv[1] + '/' + kind + '/*.ics'):
        cal = icalendar.Calendar.from_ical(open(f, 'rb').read())
        for item in cal.walk():
            if item.name not in ('VEVENT', 'VTODO', 'VJOURNAL'):
                continue
            rule = item.get('rrule').to_ical().decode() if item.get('rrule') else ''
            start = item.get('dtstart')
            rows.append('%s|%s|%s|%s|%s|%s' % (item.name, item.get('summary'), rule,
                        start.to_ical().decode() if start else '', item.get('priority', ''),
                        item.get('status', '')))
print('\n'.join(sorted(rows)))
)";

constexpr const char* kReadNoteText = R"(
import sys, glob, icalendar
for f in glob.glob(sys.argv[1] + '/Notes/*.ics'):
    for item in icalendar.Calendar.from_ical(open(f, 'rb').read()).walk('VJOURNAL'):
        print(repr(str(item.get('description'))))
)";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::vector<std::string> kAllKinds = {"--source",         "lotus",
                                            "--kinds",          "contacts,calendar,tasks,notes",
                                            "--notes-contacts", "C:\\Notes\\Data\\names.nsf",
                                            "--notes-mail",     "Primary1/Org1!!mail/aberg.nsf",
                                            "--notes-notebook", "/exports/journal.dxl"};

}  // namespace

TEST_F(LotusSource, EveryKindArrivesOnceWithItsRulesAndASecondRunFindsEverythingSame) {
    const fwtest::BatchRun first = Run(kAllKinds);
    ASSERT_EQ(first.status, 0) << first.output;
    auto report = fwtest::BatchReport(first.output);
    const std::pair<const char*, int> counts[] = {{"Contacts", 2}, {"Calendar", 3}, {"Tasks", 2}, {"Notes", 1}};
    for (const auto& [kind, count] : counts) {
        EXPECT_EQ(report[kind].created, count) << kind << "\n" << first.output;
        EXPECT_EQ(report[kind].written, count) << kind;
    }
    // The last helper run was the notebook's: its database under 1008.
    EXPECT_EQ(Param(1003), "LNNote.dat");
    EXPECT_EQ(Param(1008), "/exports/journal.dxl");
    EXPECT_EQ(Param(1009), "<none>");

    const std::string store = Python(kReadStore);
    EXPECT_TRUE(Has(store, "C|Anna Bérg|['anna@acme.example', 'anna@home.example']|['Building 2\\nStorgatan 1']"))
        << store;
    EXPECT_FALSE(Has(store, "never@acme.example")) << store;
    EXPECT_TRUE(Has(store, "C|Bo Ek|[]|[]")) << store;
    EXPECT_TRUE(Has(store, "VEVENT|Gym|FREQ=WEEKLY;UNTIL=20260629")) << store;
    EXPECT_TRUE(Has(store, "BYDAY=MO,WE,FR")) << store;
    EXPECT_TRUE(Has(store, "VEVENT|Board meeting|FREQ=MONTHLY;BYDAY=WE;BYSETPOS=2|")) << store;
    EXPECT_TRUE(Has(store, "VEVENT|Midsummer||20260619|")) << store;
    EXPECT_TRUE(Has(store, "VTODO|Send the offer||")) << store;
    EXPECT_TRUE(Has(store, "VTODO|Book the room|")) << store;
    EXPECT_TRUE(Has(store, "|COMPLETED")) << store;
    EXPECT_TRUE(Has(store, "VJOURNAL|Ideas|")) << store;
    // The document's subject leads the note's text: Outlook shows it as the
    // note's subject.
    EXPECT_EQ(Python(kReadNoteText), "'Ideas\\nLunch with Bo\\nAt noon.'\n");

    const fwtest::BatchRun second = Run(kAllKinds);
    ASSERT_EQ(second.status, 0) << second.output;
    report = fwtest::BatchReport(second.output);
    for (const auto& [kind, count] : counts) {
        EXPECT_EQ(report[kind].same, count) << kind << "\n" << second.output;
        EXPECT_EQ(report[kind].written, 0) << kind;
    }
}

TEST_F(LotusSource, AChosenKindNeedsItsDatabaseAndAHelpersMessageIsReported) {
    fwtest::BatchRun run = Run({"--source", "lotus", "--kinds", "tasks"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.output, "--notes-mail")) << run.output;
    run = Run({"--source", "lotus", "--kinds", "contacts,notes", "--notes-contacts", "names.dxl"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.output, "--notes-notebook")) << run.output;

    fwtest::ScopedEnv noData("FWTH_NODATA", "1");
    fwtest::ScopedEnv errors("FWTH_ERRORS", "1");
    run = Run({"--source", "lotus", "--kinds", "contacts", "--notes-contacts", "C:\\Notes\\Data\\names.nsf"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.output, "Loading failed")) << run.output;
    const std::string log = fwtest::ReadFile(dir.Path() + "share/norrbek/FRWY/appdebug.log");
    EXPECT_TRUE(Has(log, "Loading Lotus Notes Contacts Error: problem 1")) << log;
    EXPECT_EQ(Param(1009), "C:\\Notes\\Data\\names.nsf");
}

// The helpers run in a folder of their own: an export named relative to
// the folder the run was started in reaches them as an absolute path.
TEST_F(LotusSource, AnExportNamedRelativeToTheStartingFolderReachesTheHelperWhole) {
    namespace fs = std::filesystem;
    fwtest::WriteFile(dir.File("journal.dxl"), "<database/>");
    const fs::path relative = fs::relative(dir.File("journal.dxl"));
    ASSERT_TRUE(relative.is_relative()) << relative;
    const fwtest::BatchRun run = Run({"--source", "lotus", "--kinds", "notes", "--notes-notebook", relative.string()});
    EXPECT_EQ(run.status, 0) << run.output;
    const fs::path given(Param(1008));
    EXPECT_TRUE(given.is_absolute()) << given;
    std::error_code ec;
    EXPECT_TRUE(fs::equivalent(given, dir.File("journal.dxl"), ec)) << given;
}

TEST_F(LotusSource, TheDriverHandsTheBridgesTheirDatabasesAndFieldMap) {
    InitApplication();
    Settings& s = AppSettings();
    s.LNCustom = 1;
    s.LNCustomID[1] = kLNCompanyName;
    s.LNCustomID[2] = kLNCustomField1;  // no value of its own
    s.SyncAddr = s.SyncDate = s.SyncTask = s.SyncNote = 1;
    platform::CopyText(s.LNAddrName, "names.dxl");
    platform::CopyText(s.LNDateName, "mail.ics");
    platform::CopyText(s.LNNoteName, "journal.ics");
    platform::CopyText(s.LNIDFile, "/home/anna/notes/user.id");
    SetupCustomFieldMap(kAppLotus);
    EXPECT_TRUE(LoadApplication(nullptr, kAppLotus, kAppNone));
    auto* contacts = FindAdapterObject<CxLNAddrUtil>(kAppLotus, CommKindAddr);
    auto* calendar = FindAdapterObject<CxLNDateUtil>(kAppLotus, CommKindDate);
    auto* tasks = FindAdapterObject<CxLNTaskUtil>(kAppLotus, CommKindTask);
    auto* notes = FindAdapterObject<CxLNNoteUtil>(kAppLotus, CommKindNote);
    ASSERT_TRUE(contacts && calendar && tasks && notes);
    EXPECT_STREQ(contacts->GetDatabaseName(), "names.dxl");
    EXPECT_STREQ(calendar->GetDatabaseName(), "mail.ics");
    EXPECT_STREQ(tasks->GetDatabaseName(), "mail.ics");
    EXPECT_STREQ(notes->GetDatabaseName(), "journal.ics");
    EXPECT_STREQ(notes->GetIdFile(), "/home/anna/notes/user.id");
    EXPECT_EQ(contacts->GetCustomFieldMap(0), kLNCompanyName);
    EXPECT_EQ(contacts->GetCustomFieldMap(1), kLNCustomField1);
    const CommAddrRec* anna = contacts->GetDataMgr()->GetFirstRecord();
    ASSERT_NE(anna, nullptr);
    EXPECT_STREQ(anna->MappedCustomValue[0], "Acme AB");
    EXPECT_STREQ(anna->MappedCustomValue[1], "");
    EXPECT_EQ(calendar->GetDataMgr()->GetRecordCount(), 3u);
    ExitApplication();
}
