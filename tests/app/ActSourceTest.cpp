// ACT! as the source in batch mode, with the test helper standing in for
// the ACT! helpers and handing over prepared data files: every kind reaches
// the Outlook store (read back with python3-icalendar and python3-vobject),
// a second run finds everything the same, notes included, and the password
// comes from the environment or a prompt only, never for a text export.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AdapterTable.h"
#include "app/AppCommon.h"
#include "common/ACT/CxACTAddrUtil.h"
#include "common/ACT/CxACTDateUtil.h"
#include "common/ACT/CxACTNoteUtil.h"
#include "common/ACT/CxACTTaskUtil.h"
#include "platform/text/TextCopy.h"
#include "tests/support/ActRecords.h"
#include "tests/support/BatchSource.h"

namespace {

using fwtest::OleDate;

struct ActSource : fwtest::BatchSource {
    fwtest::ScopedEnv noPassword{"FRWY_ACT_PASSWORD", ""};
    std::string pad = dir.Path() + "Sales.pad";

    ActSource() {
        fwtest::WriteFile(pad, "<database/>");
        fwtest::ActContact anna;
        anna.text = {{kACTFirstName, "Anna"},
                     {kACTLastName, "Bérg"},
                     {kACTFullName, "Anna Bérg"},
                     {kACTCompany, "Acme AB"},
                     {kACTBusinessPhone, "+46 8 123 45"},
                     {kACTBusinessPhoneExtension, "12"},
                     {kACTBusinessEmail, "anna@acme.example"},
                     {kACTBusinessCountry + 4, "Building 2"},
                     {kACTBusinessCountry + 2, "Stockholm"}};
        anna.date = {{kACTBirthday, OleDate(1980, 2, 29)}};
        fwtest::ActContact bo;
        bo.text = {{kACTFirstName, "Bo"}, {kACTLastName, "Ek"}, {kACTFullName, "Bo Ek"}};
        EXPECT_TRUE(fwtest::WriteActFile(source + "/ACTAddr.dat", std::vector{anna, bo}));

        fwtest::ActActivity birthday;
        birthday.description = "Company day";
        birthday.start = OleDate(2026, 5, 14, 10);
        birthday.end = OleDate(2026, 5, 14, 11);
        birthday.recurrence = 4;
        birthday.onDate = 1;
        birthday.dayValue = 14;
        birthday.month = 5;
        birthday.interval = 1;
        fwtest::ActActivity call;
        call.description = "Call Bo";
        call.type = 2;
        call.start = OleDate(2026, 3, 2, 9);
        call.end = OleDate(2026, 3, 2, 9, 30);
        call.recurrence = 2;
        call.dayValue = 2;  // Monday
        call.interval = 1;
        call.recurrenceEnd = OleDate(2026, 6, 29);
        EXPECT_TRUE(fwtest::WriteActFile(source + "/ACTDate.dat", std::vector{birthday, call}));

        fwtest::ActTodo offer;
        offer.description = "Send the offer";
        offer.priority = 0;
        offer.due = OleDate(2026, 4, 1);
        fwtest::ActTodo deal;
        deal.description = "Acme renewal";
        deal.notes = "Opportunity notes";
        EXPECT_TRUE(fwtest::WriteActFile(source + "/ACTTask.dat", std::vector{offer, deal}));

        fwtest::ActNote lunch;
        lunch.text = "Lunch with Bo\r\nAt noon, at the usual place.";
        lunch.created = OleDate(2025, 1, 2, 12);
        fwtest::ActNote single;
        single.text = "Remember the keys";
        EXPECT_TRUE(fwtest::WriteActFile(source + "/ACTNote.dat", std::vector{lunch, single}));
    }
};

constexpr const char* kReadStore = R"(
import sys, glob, datetime, icalendar, vobject
rows = []
for f in glob.glob(sys.argv[1] + '/Contacts/*.vcf'):
    card = vobject.readOne(open(f, encoding='utf-8').read())
    tels = [t.value for t in card.contents.get('tel', [])]
    adrs = [a.value.street for a in card.contents.get('adr', [])]
    rows.append('C|%s|%s|%s' % (card.fn.value, tels, adrs))
for kind in ('Calendar', 'Tasks', 'Notes'):
    for f in glob.glob(sys.argv[1] + '/' + kind + '/*.ics'):
        cal = icalendar.Calendar.from_ical(open(f, 'rb').read())
        for item in cal.walk():
            if item.name not in ('VEVENT', 'VTODO', 'VJOURNAL'):
                continue
            rule = item.get('rrule').to_ical().decode() if item.get('rrule') else ''
            rows.append('%s|%s|%s|%s' % (item.name, item.get('summary'), rule, item.get('priority', '')))
print('\n'.join(sorted(rows)))
)";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST_F(ActSource, ADatabaseRunMigratesEveryKindOnceAndASecondRunFindsEverythingSame) {
    fwtest::ScopedEnv password{"FRWY_ACT_PASSWORD", "s3cret pw"};
    const std::vector<std::string> args = {"--source",  "act", "--kinds",    "contacts,calendar,tasks,notes",
                                           "--act-pad", pad,   "--act-user", "Anna"};
    const fwtest::BatchRun first = Run(args);
    ASSERT_EQ(first.status, 0) << first.output;
    auto report = fwtest::BatchReport(first.output);
    for (const char* kind : {"Contacts", "Calendar", "Tasks", "Notes"}) {
        EXPECT_EQ(report[kind].created, 2) << kind << "\n" << first.output;
        EXPECT_EQ(report[kind].written, 2) << kind;
    }
    EXPECT_TRUE(prompts.empty());
    EXPECT_FALSE(Has(first.output, "s3cret"));
    // The last helper run was the notes helper's.
    EXPECT_EQ(Param(1000), pad);
    EXPECT_EQ(Param(1001), "Anna");
    EXPECT_EQ(Param(1003), "ACTNote.dat");
    EXPECT_EQ(Param(1008), "<none>");
    EXPECT_EQ(Param(1016), "");
    EXPECT_EQ(Param(1017), "");

    const std::string store = Python(kReadStore);
    EXPECT_TRUE(Has(store, "C|Anna Bérg|['+46 8 123 45x12']|['Building 2']")) << store;
    EXPECT_TRUE(Has(store, "C|Bo Ek|[]|[]")) << store;
    EXPECT_TRUE(Has(store, "VEVENT|Company day|FREQ=YEARLY;BYMONTHDAY=14;BYMONTH=5|")) << store;
    EXPECT_TRUE(Has(store, "VEVENT|Call Bo|FREQ=WEEKLY;")) << store;
    EXPECT_TRUE(Has(store, "VTODO|Send the offer||1")) << store;
    EXPECT_TRUE(Has(store, "VTODO|Acme renewal|")) << store;
    EXPECT_TRUE(Has(store, "VJOURNAL|Lunch with Bo||")) << store;
    EXPECT_TRUE(Has(store, "VJOURNAL|Remember the keys||")) << store;

    const fwtest::BatchRun second = Run(args);
    ASSERT_EQ(second.status, 0) << second.output;
    report = fwtest::BatchReport(second.output);
    for (const char* kind : {"Contacts", "Calendar", "Tasks", "Notes"}) {
        EXPECT_EQ(report[kind].same, 2) << kind << "\n" << second.output;
        EXPECT_EQ(report[kind].written, 0) << kind;
    }
}

TEST_F(ActSource, ATextExportNeedsNoUserNameOrPassword) {
    const std::string exportFile = dir.Path() + "contacts.CSV";
    fwtest::WriteFile(exportFile, "Contact,Company\nAnna Berg,Acme AB\n");
    const fwtest::BatchRun run = Run({"--source", "act", "--kinds", "contacts", "--act-pad", exportFile});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(prompts.empty());
    EXPECT_EQ(Param(1000), exportFile);
    EXPECT_EQ(Param(1001), "");
    EXPECT_EQ(Param(1002), "");
    EXPECT_EQ(fwtest::BatchReport(run.output)["Contacts"].created, 2) << run.output;
}

TEST_F(ActSource, ADatabaseNeedsAUserAndAPasswordThatIsNeverKept) {
    const std::string ini = dir.Path() + "share/norrbek/FRWY/FRWY.ini";
    platform::EnsureFolderTree(dir.Path() + "share/norrbek/FRWY");
    fwtest::WriteFile(ini, "[FRWY]\nACTSavePassword=1\nACTWebAPIURL=http://127.0.0.1:9/act.web.api/\n");
    const std::vector<std::string> tasks = {"--source", "act", "--kinds", "tasks"};

    fwtest::BatchRun run = Run(tasks);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.output, "No ACT! database")) << run.output;
    run = Run({"--source", "act", "--kinds", "tasks", "--act-pad", pad});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.output, "No ACT! user name")) << run.output;
    run = Run({"--source", "act", "--kinds", "tasks", "--act-pad", pad, "--act-user", "Anna"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.output, "No ACT! password")) << run.output;
    EXPECT_EQ(prompts, std::vector<std::string>{"ACT! password for Anna: "});

    // An ACT! user may have an empty password: an empty answer is taken.
    answerEmpty = true;
    run = Run({"--source", "act", "--kinds", "tasks", "--act-database", "Sales", "--act-user", "Anna",
               "--act-opportunities", "off"});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Param(1000), "");
    EXPECT_EQ(Param(1002), "");
    EXPECT_EQ(Param(1008), "0");
    EXPECT_EQ(Param(1009), "1");
    EXPECT_EQ(Param(1016), "http://127.0.0.1:9/act.web.api/");
    EXPECT_EQ(Param(1017), "Sales");

    {
        fwtest::ScopedEnv password{"FRWY_ACT_PASSWORD", "pa55 w=rd"};
        run = Run({"--source", "act", "--kinds", "tasks", "--act-pad", pad, "--act-user", "Anna", "--act-api-url",
                   "http://127.0.0.1:8080/api/"});
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(Param(1002), "pa55 w=rd");
        EXPECT_EQ(Param(1016), "http://127.0.0.1:8080/api/");
        EXPECT_EQ(prompts.size(), 2u);
    }
    typed = "typed secret";
    ASSERT_EQ(Run({"--source", "act", "--kinds", "tasks", "--act-pad", pad, "--act-user", "Anna"}).status, 0);
    EXPECT_EQ(Param(1002), "typed secret");
    // The run's options and secrets stay out of the settings file.
    const std::string text = fwtest::ReadFile(ini);
    EXPECT_FALSE(Has(text, "pa55")) << text;
    EXPECT_FALSE(Has(text, "typed")) << text;
    EXPECT_FALSE(Has(text, "Sales")) << text;
    EXPECT_TRUE(Has(text, "ACTWebAPIURL=http://127.0.0.1:9/act.web.api/\n")) << text;
}

TEST_F(ActSource, TheDriverHandsTheBridgesTheirSettingsFlagsAndFieldMap) {
    InitApplication();
    Settings& s = AppSettings();
    s.ACTCustom = 1;
    s.ACTCustomID[1] = kACTCompany;
    s.ACTCustomID[2] = kACTBirthday;  // a date: never mapped
    s.SyncAddr = s.SyncDate = s.SyncTask = s.SyncNote = 1;
    s.Opp = 0;
    s.OppNotes = 1;
    platform::CopyText(s.ACTPadName, pad);
    platform::CopyText(s.ACTUserName, "Anna");
    platform::CopyText(s.ACTWebAPIURL, "https://act.example.org/api/");
    platform::CopyText(s.ACTDatabaseName, "Sales");
    SetupCustomFieldMap(kAppACT);
    EXPECT_TRUE(LoadApplication(nullptr, kAppACT, kAppNone));
    auto* contacts = FindAdapterObject<CxACTAddrUtil>(kAppACT, CommKindAddr);
    auto* tasks = FindAdapterObject<CxACTTaskUtil>(kAppACT, CommKindTask);
    ASSERT_NE(contacts, nullptr);
    ASSERT_NE(tasks, nullptr);
    EXPECT_NE(FindAdapterObject<CxACTDateUtil>(kAppACT, CommKindDate), nullptr);
    EXPECT_NE(FindAdapterObject<CxACTNoteUtil>(kAppACT, CommKindNote), nullptr);
    EXPECT_EQ(contacts->GetCustomFieldMap(0), kACTCompany);
    EXPECT_EQ(contacts->GetCustomFieldMap(1), kACTBirthday);
    EXPECT_STREQ(contacts->GetWebAPIURL(), "https://act.example.org/api/");
    EXPECT_STREQ(contacts->GetDatabaseName(), "Sales");
    EXPECT_FALSE(tasks->GetOpp());
    EXPECT_TRUE(tasks->GetOppNotes());
    const CommAddrRec* anna = contacts->GetDataMgr()->GetFirstRecord();
    ASSERT_NE(anna, nullptr);
    EXPECT_STREQ(anna->MappedCustomValue[0], "Acme AB");
    EXPECT_STREQ(anna->MappedCustomValue[1], "");
    ExitApplication();
}
