// The ACT! helper programs run as the program runs them: a parameter file
// written by the program's own writer, text exports written by Python's csv
// module in every encoding and separator ACT! and spreadsheet programs use,
// and the data files read back field by field in their published layouts.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "common/ACT/CxACTCommon.h"
#include "common/bridge/CxHelperFiles.h"
#include "helpers/act/ActColumnNames.h"
#include "helpers/act/ActExportValues.h"
#include "helpers/act/ActMessages.h"
#include "helpers/act/ActRecordWriter.h"
#include "helpers/act/ActTextExport.h"
#include "platform/clock/SystemTime.h"
#include "platform/profile/PrivateProfile.h"
#include "tests/support/ActDataFiles.h"
#include "tests/support/BatchRun.h"
#include "tests/support/Dates.h"
#include "tests/support/HelperStop.h"
#include "tests/support/ScriptExports.h"
#include "tests/support/TempDir.h"

namespace {

const CxHelperKindId kKinds[] = {kHelperACTAddr, kHelperACTDate, kHelperACTTask, kHelperACTNote};
const char* const kPassword = "s3cr3t-Pw";
const char* const kContactsOnly = "An ACT! text export holds contacts only; choose Contacts alone, or the database.";

double Ole(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double out = 0;
    platform::SystemTimeToVariantTime(fwtest::At(y, mo, d, h, mi, s), out);
    return out;
}

std::string HelperPath(CxHelperKindId id) {
    std::string path = fwtest::FerrywisePath();
    path.resize(path.size() - std::string("ferrywise").size());
    std::string name = GetHelperKind(id).helper;
    return path + name.substr(0, name.size() - 4);  // no ".exe" here
}

// The exports and what each contact must hold, written once for all tests.
std::string ExportFile(const std::string& name) { return fwtest::ExportsWrittenBy("act_export.py") + name; }

class ActHelper : public ::testing::Test {
protected:
    // The parameter file in the order the program writes it.
    std::string WriteParams(CxHelperKindId id, const std::string& database, const std::string& user = "",
                            const std::string& password = "", const std::string& apiUrl = "") {
        const CxHelperKind& kind = GetHelperKind(id);
        CxACTParamParser p;
        auto text = [&](std::int32_t pid, const std::string& value) { p.SetParam(pid, kParamTypeText, value.c_str()); };
        text(1000, database);
        text(1001, user);
        text(1002, password);
        text(1003, kind.dataFile);
        text(1004, dir.Path());
        text(1005, "1");
        text(1006, kind.errorFile);
        text(1007, kind.statusFile);
        if (id == kHelperACTTask) {
            text(1008, "1");
            text(1009, "1");
        }
        text(1012, dir.Path());
        text(1013, "appdebug.log");
        text(1014, "3");
        text(1015, "1");
        text(1016, apiUrl);
        text(1017, "");
        const std::string path = dir.File(kind.paramFile);
        EXPECT_TRUE(p.WriteToFile(path.c_str()));
        return path;
    }

    std::string Command(CxHelperKindId id, const std::string& database, const std::string& user = "",
                        const std::string& password = "") {
        return fwtest::Quote(HelperPath(id)) + " " + fwtest::Quote(WriteParams(id, database, user, password));
    }

    int Run(CxHelperKindId id, const std::string& database, const std::string& user = "",
            const std::string& password = "") {
        return fwtest::RunCommand(Command(id, database, user, password) + " 2>&1").status;
    }

    std::string LastError(CxHelperKindId id) {
        const std::string path = dir.File(GetHelperKind(id).errorFile);
        const auto count = platform::ReadProfileString(path, "Error", "Error.Count");
        if (!count || *count == "0") return {};
        return platform::ReadProfileString(path, "Error", "Error." + *count).value_or("");
    }

    std::vector<fwtest::ActContactData> Contacts(const std::string& database) {
        EXPECT_EQ(Run(kHelperACTAddr, database), 0) << LastError(kHelperACTAddr);
        bool ok = false;
        auto contacts = fwtest::ReadActContacts(dir.File("ACTAddr.dat"), ok);
        EXPECT_TRUE(ok) << database;
        return contacts;
    }

    bool DataFileExists(CxHelperKindId id) { return fwtest::FileMode(dir.File(GetHelperKind(id).dataFile)) != -1; }

    fwtest::TempDir dir;
};

TEST_F(ActHelper, ExportsOfEveryEncodingSeparatorAndReleaseLandInTheirFields) {
    for (const char* name : {"modern.csv", "catalogue.txt", "older.csv", "older-tab.txt", "utf16.txt", "utf16be.csv"}) {
        SCOPED_TRACE(name);
        const auto expected = nlohmann::json::parse(fwtest::ReadFile(ExportFile(std::string(name) + ".json")));
        const auto contacts = Contacts(ExportFile(name));
        ASSERT_EQ(contacts.size(), expected.size());
        for (std::size_t i = 0; i < contacts.size(); ++i) {
            const auto& c = contacts[i];
            const auto& want = expected[i];
            EXPECT_EQ(c.header[0], 0);
            EXPECT_EQ(c.header[1], 0);
            for (int id = 1; id <= 89; ++id) {
                SCOPED_TRACE(testing::Message() << "contact " << i << ", field " << id);
                const std::string key = std::to_string(id);
                const bool has = want.contains(key);
                switch (fwtest::ActFieldKind(id)) {
                case 3: EXPECT_EQ(c.flag[id], has ? want[key][1].get<int>() : 0); break;
                case 6: EXPECT_NEAR(c.date[id], has ? want[key][1].get<double>() : 0.0, 1e-7); break;
                default: EXPECT_EQ(c.text[id], has ? want[key][1].get<std::string>() : ""); break;
                }
            }
        }
    }
    // What was read is logged; the columns not read are named.
    const std::string log = fwtest::ReadFile(dir.File("appdebug.log"));
    EXPECT_NE(log.find("\"Merge Code\", \"User 15\""), std::string::npos) << log;
    EXPECT_EQ(fwtest::ReadFile(dir.File("ACTAddrStatus.dat")), "Done\r\n");
}

TEST_F(ActHelper, AnExportChosenForAnotherKindGivesTheMessage) {
    for (CxHelperKindId id : {kHelperACTDate, kHelperACTTask, kHelperACTNote}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Run(id, ExportFile("modern.csv")), 1);
        EXPECT_EQ(LastError(id), kContactsOnly);
        EXPECT_FALSE(DataFileExists(id));
        EXPECT_EQ(platform::ReadProfileString(dir.File(GetHelperKind(id).controlFile), "Status", "Running"), "0");
    }
}

TEST_F(ActHelper, FilesThatGiveNoContactsGiveASentenceAndNoDataFile) {
    fwtest::WriteFile(dir.File("empty.csv"), "");
    fwtest::WriteFile(dir.File("bom.txt"), "\xEF\xBB\xBF\r\n");
    fwtest::WriteFile(dir.File("picture.csv"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    fwtest::WriteFile(dir.File("other.csv"), "Ticker,Price\r\nNYSE,12\r\n");
    fwtest::WriteFile(dir.File("CONTACTS.DBF"), "");
    fwtest::WriteFile(dir.File("old.adb"), "");
    const struct {
        std::string file, says;
    } cases[] = {
        {dir.File("missing.csv"), "does not exist"},
        {dir.File("empty.csv"), "is empty"},
        {dir.File("bom.txt"), "is empty"},
        {dir.File("picture.csv"), "is not an ACT! text export"},
        {dir.File("other.csv"), "is not an ACT! text export"},
        {dir.File("CONTACTS.DBF"), "older ACT!"},
        {dir.File("old.adb"), "older ACT!"},
        {"", "No ACT! database is chosen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(Run(kHelperACTAddr, c.file), 1);
        const std::string error = LastError(kHelperACTAddr);
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_FALSE(DataFileExists(kHelperACTAddr));
    }
    // An export of no contacts is no failure, and it clears the message of
    // the failed run before it.
    fwtest::WriteFile(dir.File("none.csv"), "Contact,Company\r\n,\r\n");
    EXPECT_TRUE(Contacts(dir.File("none.csv")).empty());
    EXPECT_EQ(LastError(kHelperACTAddr), "");
}

TEST_F(ActHelper, StopsWithinASecond) {
    std::string rows = "Contact,Phone,E-mail\r\n";
    for (int i = 0; i < 1500000; ++i)
        rows += "Person " + std::to_string(i) + ",555-" + std::to_string(i) + ",p" + std::to_string(i) + "@x.org\r\n";
    fwtest::WriteFile(dir.File("big.csv"), rows);
    const std::string control = dir.File("ACTAddr.ini");
    EXPECT_LT(fwtest::StopRunningHelper(Command(kHelperACTAddr, dir.File("big.csv")), control),
              std::chrono::milliseconds(1000));
    EXPECT_FALSE(DataFileExists(kHelperACTAddr));
    EXPECT_EQ(LastError(kHelperACTAddr), "Reading from ACT! was stopped.");
    EXPECT_EQ(platform::ReadProfileString(control, "Status", "Running").value_or(""), "0");
}

TEST_F(ActHelper, TheWebApiPathFailsWithASentenceAndNeverShowsThePassword) {
    fwtest::TempDir old;
    fwtest::WriteFile(old.File("Sales.pad"), "<?xml version=\"1.0\"?><Database/>");
    fwtest::WriteFile(old.File("Sales.dbf"), "");
    fwtest::WriteFile(dir.File("Sales.pad"),
                      "<?xml version=\"1.0\"?><Database><Name>Sales</Name><Server>127.0.0.1:1</Server></Database>");
    for (CxHelperKindId id : kKinds) {
        SCOPED_TRACE(id);
        const auto run = fwtest::RunCommand(Command(id, dir.File("Sales.pad"), "chris", kPassword) + " 2>&1");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.output.find(kPassword), std::string::npos);
        // A sentence that names the way out.
        const std::string error = LastError(id);
        EXPECT_NE(error.find("text export"), std::string::npos) << error;
        EXPECT_EQ(error.find("older ACT!"), std::string::npos) << error;
        EXPECT_FALSE(DataFileExists(id));
        // A ".pad" beside dBASE files is a database of an older ACT!.
        EXPECT_EQ(Run(id, old.File("Sales.pad"), "chris", kPassword), 1);
        EXPECT_NE(LastError(id).find("older ACT!"), std::string::npos) << LastError(id);
        const CxHelperKind& kind = GetHelperKind(id);
        for (const char* file : {"appdebug.log", kind.statusFile, kind.errorFile, kind.controlFile})
            EXPECT_EQ(fwtest::ReadFile(dir.File(file)).find(kPassword), std::string::npos) << file;
    }
}

TEST(ActExportValues, DatesFlagsAndColumnNames) {
    const struct {
        const char* text;
        double want;
        bool ok;
    } dates[] = {
        {"3/4/2021", Ole(2021, 3, 4), true},
        {"03/04/2021 2:05 PM", Ole(2021, 3, 4, 14, 5), true},
        {"3/4/2021 12:30 AM", Ole(2021, 3, 4, 0, 30), true},
        {"3/4/2021 12:30 pm", Ole(2021, 3, 4, 12, 30), true},
        {"12/31/1999 23:59:59", Ole(1999, 12, 31, 23, 59, 59), true},
        {"25/12/2020", Ole(2020, 12, 25), true},  // cannot be month first
        {"2020-02-29T08:00:00", Ole(2020, 2, 29, 8), true},
        {"24.12.2019", Ole(2019, 12, 24), true},
        {"1/2/29", Ole(2029, 1, 2), true},
        {"1/2/30", Ole(1930, 1, 2), true},
        {"  ", 0, true},
        {"2021-02-30", 0, false},
        {"13/13/2020", 0, false},
        {"3/4/2021 13:00 PM", 0, false},
        {"next Tuesday", 0, false},
        {"1/2/3/4/5/6/7", 0, false},
        {"99999/1/1", 0, false},
    };
    for (const auto& d : dates) {
        bool ok = !d.ok;
        EXPECT_NEAR(act::ParseExportDate(d.text, ok), d.want, 1e-9) << d.text;
        EXPECT_EQ(ok, d.ok) << d.text;
    }
    for (const char* yes : {"Yes", "TRUE", "1", "y", " x ", "-1", "Private"})
        EXPECT_TRUE(act::ParseExportFlag(yes)) << yes;
    for (const char* no : {"No", "false", "0", "", "maybe", "Public"}) EXPECT_FALSE(act::ParseExportFlag(no)) << no;

    const struct {
        const char* name;
        std::int32_t id;
    } columns[] = {
        {"Contact", kACTFullName},
        {"Phone", kACTBusinessPhone},
        {"Phone Ext.", kACTBusinessPhoneExtension},
        {"phone extension", kACTBusinessPhoneExtension},
        {"ZIP Code", 23},
        {"Zip", 23},
        {"Postal Code", 23},
        {"Home Zip", 30},
        {"E-mail", kACTBusinessEmail},
        {"Email", kACTBusinessEmail},
        {"Web Site", kACTWebsite},
        {"ID/Status", kACTCategory},
        {"User 1", kACTUserDefined1},
        {"User 10", kACTUserDefined1 + 9},
        {"User 11", 0},
        {"Birth Date", kACTBirthday},
        {"SECONDARY E-MAIL", kACTSecondaryEmail},
        {"Is Private", kACTIsPrivate},
        {"Address 3", 22},
        {"", 0},
    };
    for (const auto& c : columns) EXPECT_EQ(act::FieldOfColumn(c.name), c.id) << c.name;
    for (const ACTFieldInfo& f : ACTAddrFields()) EXPECT_EQ(act::FieldOfColumn(f.Label), f.FieldID) << f.Label;
    // Text of another encoding arrives as UTF-8.
    EXPECT_EQ(act::ExportTextAsUtf8("M\xFCller \x80 \x93q\x94"),
              "M\xC3\xBCller \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D");
    EXPECT_EQ(act::ExportTextAsUtf8("\xEF\xBB\xBF"
                                    "a\xFF"),
              "a\xEF\xBF\xBD");
}

// Table shapes spreadsheet programs and old systems write: each gives the
// names of the contacts read, in order, and how many rows were skipped.
TEST(ActTextExport, TableShapes) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> names;
        int skipped;
    } cases[] = {
        {"semicolons", "Contact;Company\r\nAnna;\"A; B\"\r\n", {"Anna"}, 0},
        {"old Mac line ends", "Contact,Phone\rAnna,1\rBo,2\r", {"Anna", "Bo"}, 0},
        {"short and long rows", "Contact,Phone,City\nAnna\nBo,2,X,extra,more\n", {"Anna", "Bo"}, 0},
        {"a column named twice", "Contact,Full Name\nAnna,Other\n", {"Anna"}, 0},
        {"blank and unread-only rows", "Contact,Ticker\n  ,\n,NYSE\nAnna,\n", {"Anna"}, 2},
        {"quoted names", "\"Contact\",\"E-mail\"\r\n\"Anna \"\"A\"\"\",a@x\r\n", {"Anna \"A\""}, 0},
        {"header only", "Contact,Phone\r\n", {}, 0},
        {"no last line end", "Contact\nAnna", {"Anna"}, 0},
    };
    for (const auto& c : cases) {
        act::ExportTable table;
        std::vector<std::string> names;
        const auto result = act::ReadTextExport(c.bytes, table, [&](const act::Contact& contact) {
            names.push_back(contact.text[kACTFullName]);
            return true;
        });
        EXPECT_EQ(result, act::ExportFailure::None) << c.what;
        EXPECT_EQ(names, c.names) << c.what;
        EXPECT_EQ(table.skipped, c.skipped) << c.what;
    }
}

TEST(ActMessages, ProgressLines) {
    EXPECT_EQ(act_helper::ReadingLine("contact", "contacts", 120, 4500), "Reading ACT! contact 120 of 4,500 ...");
    EXPECT_EQ(act_helper::ReadingLine("activity", "activities", 1000000, 1234567),
              "Reading ACT! activity 1,000,000 of 1,234,567 ...");
    EXPECT_EQ(act_helper::ReadingLine("to-do", "to-dos", 7, 0), "Reading ACT! to-do 7 ...");
    EXPECT_EQ(act_helper::ReadingLine("note", "notes", 0, 0), "Reading ACT! notes ...");
    EXPECT_EQ(act_helper::Thousands(999), "999");
    EXPECT_EQ(act_helper::Thousands(1000), "1,000");
    EXPECT_EQ(act_helper::WithoutSecret("pw s3cr3t and s3cr3t", "s3cr3t"), "pw *** and ***");
}

// The three other layouts, each field where the published layout puts it,
// texts cut on whole characters at 63, 255 and 8191 bytes.
TEST(ActRecordWriter, ActivityTodoAndNoteLayouts) {
    fwtest::TempDir dir;
    std::string longText;
    while (longText.size() < 9000) longText += "\xE2\x82\xAC";  // 3-byte characters: 8191 is no boundary
    act::Activity a;
    a.id = std::string(62, 'i') + "\xC3\xA9";  // the 2-byte character crosses 63
    a.description = longText;
    a.location = "Room 1";
    a.notes = longText;
    a.type = act::kCall;
    a.start = Ole(2024, 5, 6, 9);
    a.end = Ole(2024, 5, 6, 10);
    a.created = 1.5;
    a.edited = 2.5;
    a.dayValue = 2 | 8;
    a.onDate = true;
    a.interval = 3;
    a.instance = 5;
    a.month = 11;
    a.recurrence = act::kYearly;
    a.recurrenceEnd = Ole(2025, 1, 1);
    a.isPrivate = true;
    a.allDay = true;
    act::Todo t;
    t.id = "T1";
    t.description = "Call back";
    t.regarding = "kept";
    t.notes = longText;
    t.created = 3;
    t.edited = 4;
    t.priority = act::kLow;
    t.isPrivate = true;
    t.due = Ole(2024, 7, 1);
    t.completed = true;
    act::Note n;
    n.id = "N1";
    n.createUser = "Chris";
    n.editUser = std::string(70, 'e');
    n.manageUser = "Mia";
    n.text = "First line\r\nsecond";
    n.isPrivate = true;
    n.created = 5;
    n.edited = 6;
    auto write = [&](const std::string& name, auto writeOne, const auto& record) {
        ExchangeDataWriter out;
        ASSERT_TRUE(out.Open(dir.File(name)));
        writeOne(out, record);
        writeOne(out, record);
        ASSERT_TRUE(out.Commit());
    };
    write("ACTDate.dat", act::WriteActivity, a);
    write("ACTTask.dat", act::WriteTodo, t);
    write("ACTNote.dat", act::WriteNote, n);
    const std::string cut255 = longText.substr(0, 255), cut8191 = longText.substr(0, 8190);
    bool ok = false;
    const auto acts = fwtest::ReadActActivities(dir.File("ACTDate.dat"), ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(acts.size(), 2u);
    const auto& ra = acts[1];
    EXPECT_EQ(ra.header, (std::array<std::int32_t, 2>{0, 0}));
    EXPECT_EQ(ra.id, std::string(62, 'i'));
    EXPECT_EQ(ra.description, cut255);
    EXPECT_EQ(ra.location, "Room 1");
    EXPECT_EQ(ra.notes, cut8191);
    EXPECT_EQ(ra.type, 2);
    EXPECT_EQ(ra.start, a.start);
    EXPECT_EQ(ra.end, a.end);
    EXPECT_EQ(ra.created, 1.5);
    EXPECT_EQ(ra.edited, 2.5);
    EXPECT_EQ(ra.kept, 0);
    EXPECT_EQ(ra.dayValue, 10);
    EXPECT_EQ(ra.onDate, 1);
    EXPECT_EQ(ra.interval, 3);
    EXPECT_EQ(ra.instance, 5);
    EXPECT_EQ(ra.month, 11);
    EXPECT_EQ(ra.recurrence, 4);
    EXPECT_EQ(ra.recurrenceEnd, a.recurrenceEnd);
    EXPECT_EQ(ra.isPrivate, 1);
    EXPECT_EQ(ra.allDay, 1);
    const auto todos = fwtest::ReadActTodos(dir.File("ACTTask.dat"), ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(todos.size(), 2u);
    const auto& rt = todos[1];
    EXPECT_EQ(rt.id, "T1");
    EXPECT_EQ(rt.description, "Call back");
    EXPECT_EQ(rt.regarding, "kept");
    EXPECT_EQ(rt.notes, cut8191);
    EXPECT_EQ(rt.created, 3);
    EXPECT_EQ(rt.edited, 4);
    EXPECT_EQ(rt.priority, 2);
    EXPECT_EQ(rt.kept, (std::array<std::int32_t, 6>{}));
    EXPECT_EQ(rt.keptDate, 0);
    EXPECT_EQ(rt.isPrivate, 1);
    EXPECT_EQ(rt.due, t.due);
    EXPECT_EQ(rt.completed, 1);
    const auto notes = fwtest::ReadActNotes(dir.File("ACTNote.dat"), ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(notes.size(), 2u);
    const auto& rn = notes[1];
    EXPECT_EQ(rn.id, "N1");
    EXPECT_EQ(rn.users, (std::array<std::string, 3>{"Chris", std::string(63, 'e'), "Mia"}));
    EXPECT_EQ(rn.text, "First line\r\nsecond");
    EXPECT_EQ(rn.isPrivate, 1);
    EXPECT_EQ(rn.created, 5);
    EXPECT_EQ(rn.edited, 6);
}

}  // namespace
