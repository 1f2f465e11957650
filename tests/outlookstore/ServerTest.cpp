#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>
#include <vector>

#include "common/misc/DispCmd.h"
#include "platform/automation/DispatchObject.h"
#include "platform/outlook/OutlookServer.h"
#include "platform/outlook/Store.h"
#include "platform/paths/Paths.h"
#include "tests/outlookstore/StoreSession.h"
#include "tests/support/TempDir.h"

using namespace platform::outlook;
using storetest::Call;
using storetest::Session;

namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.' || std::string(e->d_name).size() > 2) names.push_back(e->d_name);
        ::closedir(dir);
    }
    std::erase_if(names, [](const std::string& n) { return n == "." || n == ".."; });
    return names;
}

struct ServerTest : ::testing::Test {
    fwtest::TempDir dir;
    long live = platform::DispatchObject::LiveObjects();
    ServerTest() { RegisterOutlookApplication(dir.Path() + "store"); }
    ~ServerTest() override {
        UnregisterOutlookApplication();
        EXPECT_EQ(platform::DispatchObject::LiveObjects(), live);  // every object released
    }
    std::string Folder(const char* name) { return dir.Path() + "store/" + name + "/"; }
};

}  // namespace

TEST_F(ServerTest, FoldersAndTheirNames) {
    Session s;
    char name[32], storeId[1024];
    ASSERT_EQ(s.Folder(10).GetString(u"Name", name, sizeof name), S_OK);
    EXPECT_STREQ(name, "Contacts");
    EXPECT_EQ(s.Folder(9).GetString(u"Name", name, sizeof name), S_OK);
    EXPECT_STREQ(name, "Calendar");
    EXPECT_EQ(s.Folder(12).GetString(u"Name", name, sizeof name), S_OK);
    EXPECT_STREQ(name, "Notes");
    EXPECT_EQ(s.Folder(13).GetString(u"Name", name, sizeof name), S_OK);
    EXPECT_STREQ(name, "Tasks");
    EXPECT_EQ(s.Folder(10).GetString(u"StoreID", storeId, sizeof storeId), S_OK);
    EXPECT_GT(std::string(storeId).size(), 20u);
    VARIANT arg = VARIANT::I4(6), result;
    EXPECT_EQ(s.ns.CallMethod(u"GetDefaultFolder", &arg, 1, &result), E_INVALIDARG);  // no inbox here
    VARIANT other = VARIANT::Bstr(u"POP3");
    EXPECT_EQ(s.app.CallMethod(u"GetNameSpace", &other, 1, &result), E_INVALIDARG);
}

TEST_F(ServerTest, ItemsKeepCreationOrderAcrossRestarts) {
    {
        Session s;
        for (const char* n : {"Zed", "Amy", "Kim"}) {
            CDispCmd c = s.Add(10, 2);
            EXPECT_EQ(c.PutString(u"FirstName", n), S_OK);
            EXPECT_EQ(Call(c, u"Save", {}), S_OK);
        }
    }
    EXPECT_EQ(FilesIn(Folder("Contacts")).size(), 3u);
    Session s;
    CDispCmd items = s.Items(10);
    std::int32_t count = 0;
    EXPECT_EQ(items.GetInt(u"Count", &count), S_OK);
    EXPECT_EQ(count, 3);
    std::vector<std::string> order;
    VARIANT item;
    for (HRESULT hr = Call(items, u"GetFirst", {}, &item); hr == S_OK && item.vt == VT_DISPATCH && item.pdispVal;
         hr = Call(items, u"GetNext", {}, &item)) {
        CDispCmd c(item.pdispVal);
        char first[64], entry[1024];
        c.GetString(u"FirstName", first, sizeof first);
        c.GetString(u"EntryID", entry, sizeof entry);
        EXPECT_TRUE(platform::PathExists(Folder("Contacts") + entry + ".vcf"));
        order.push_back(first);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Zed", "Amy", "Kim"}));
    // "Item" counts from 1.
    std::int32_t index = 2;
    VARIANT byRef = VARIANT::I4Ref(&index), second;
    ASSERT_EQ(items.CallMethod(u"Item", &byRef, 1, &second), S_OK);
    char first[64];
    CDispCmd(second.pdispVal).GetString(u"FirstName", first, sizeof first);
    EXPECT_STREQ(first, "Amy");
    EXPECT_EQ(Call(items, u"Item", {VARIANT::I4(0)}), DISP_E_BADINDEX);
    EXPECT_EQ(Call(items, u"Item", {VARIANT::I4(4)}), DISP_E_BADINDEX);
    EXPECT_EQ(Call(items, u"Add", {VARIANT::I4(1)}), E_INVALIDARG);  // an appointment in the contacts
}

TEST_F(ServerTest, ReadOnlyPropertiesRefuseAPut) {
    Session s;
    CDispCmd c = s.Add(10, 2);
    EXPECT_EQ(c.PutString(u"EntryID", "X"), E_ACCESSDENIED);
    EXPECT_EQ(c.PutDate(u"CreationTime", 40000.0), E_ACCESSDENIED);
    CDispCmd n = s.Add(12, 5);
    EXPECT_EQ(n.PutString(u"Subject", "S"), E_ACCESSDENIED);
    EXPECT_EQ(n.PutString(u"Body", "First line\r\nmore"), S_OK);
    char subject[256];
    EXPECT_EQ(n.GetString(u"Subject", subject, sizeof subject), S_OK);
    EXPECT_STREQ(subject, "First line");
    std::uint8_t saved = 1;
    EXPECT_EQ(n.GetBool(u"Saved", &saved), S_OK);
    EXPECT_EQ(saved, 0);
    CDispCmd a = s.Add(9, 1);
    EXPECT_EQ(a.PutBool(u"IsRecurring", 1), E_ACCESSDENIED);
    std::int32_t v = 0;
    EXPECT_EQ(a.GetInt(u"NoSuchProperty", &v), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(a.PutString(u"Duration", "ten"), DISP_E_TYPEMISMATCH);
}

TEST_F(ServerTest, EndAndReminderTimeFollowStart) {
    Session s;
    CDispCmd a = s.Add(9, 1);
    const DATE start = 45000.0 + 23.0 / 24;  // 23:00
    EXPECT_EQ(a.PutDate(u"Start", start), S_OK);
    EXPECT_EQ(a.PutInt(u"Duration", 120), S_OK);
    DATE end = 0;
    EXPECT_EQ(a.GetDate(u"End", &end), S_OK);
    EXPECT_NEAR(end, 45001.0 + 1.0 / 24, 1e-9);  // the next day at 01:00
    EXPECT_EQ(a.PutDate(u"ReminderTime", start - 10.0 / 1440), S_OK);
    std::int32_t minutes = 0;
    EXPECT_EQ(a.GetInt(u"ReminderMinutesBeforeStart", &minutes), S_OK);
    EXPECT_EQ(minutes, 10);
    EXPECT_EQ(a.PutInt(u"ReminderMinutesBeforeStart", 30), S_OK);
    DATE reminder = 0;
    EXPECT_EQ(a.GetDate(u"ReminderTime", &reminder), S_OK);
    EXPECT_NEAR(reminder, start - 30.0 / 1440, 1e-9);
    EXPECT_EQ(a.PutDate(u"End", start + 1.0), S_OK);
    EXPECT_EQ(a.GetInt(u"Duration", &minutes), S_OK);
    EXPECT_EQ(minutes, 1440);
}

TEST_F(ServerTest, UserPropertiesAsOutlookHasThem) {
    Session s;
    CDispCmd c = s.Add(10, 2);
    IDispatch* raw = nullptr;
    ASSERT_EQ(c.GetDispatch(u"UserProperties", &raw), S_OK);
    CDispCmd props(raw);
    raw->Release();
    VARIANT found;
    EXPECT_EQ(Call(props, u"Find", {VARIANT::Bstr(u"Size")}, &found), S_OK);
    EXPECT_EQ(found.vt, VT_DISPATCH);
    EXPECT_EQ(found.pdispVal, nullptr);
    EXPECT_EQ(Call(props, u"Add", {VARIANT::Bstr(u""), VARIANT::I4(1), VARIANT::Bool(false), VARIANT::I4(1)}),
              E_INVALIDARG);
    VARIANT added;
    ASSERT_EQ(
        Call(props, u"Add", {VARIANT::Bstr(u"Size"), VARIANT::I4(1), VARIANT::Bool(false), VARIANT::I4(1)}, &added),
        S_OK);
    CDispCmd size(added.pdispVal);
    EXPECT_EQ(size.PutString(u"Value", "XL"), S_OK);
    EXPECT_EQ(Call(props, u"Add", {VARIANT::Bstr(u"size"), VARIANT::I4(1)}), E_INVALIDARG);  // exists
    VARIANT number;
    ASSERT_EQ(Call(props, u"Add", {VARIANT::Bstr(u"Score"), VARIANT::I4(3)}, &number), S_OK);
    CDispCmd score(number.pdispVal);
    EXPECT_EQ(score.PutString(u"Value", "not a number"), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(score.PutString(u"Value", "12.5"), S_OK);
    char text[8];
    EXPECT_EQ(score.GetString(u"Value", text, sizeof text), 1);  // a number is no text
    EXPECT_EQ(Call(c, u"Save", {}), S_OK);
    EXPECT_NE(
        fwtest::ReadFile(Folder("Contacts") + FilesIn(Folder("Contacts"))[0]).find("X-OUTLOOK-USERPROPERTY:1;Size;XL"),
        std::string::npos);
}

TEST_F(ServerTest, FailedSaveLeavesNoFileAndNoItem) {
    Session s;
    CDispCmd n = s.Add(12, 5);
    EXPECT_EQ(n.PutString(u"Body", std::string(20000, 'x').c_str()), S_OK);
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = old;
    tiny.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const HRESULT hr = Call(n, u"Save", {});
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(hr, STG_E_WRITEFAULT);
    EXPECT_TRUE(FilesIn(Folder("Notes")).empty());  // not even a temporary file
    std::int32_t count = -1;
    EXPECT_EQ(s.Items(12).GetInt(u"Count", &count), S_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(Call(n, u"Save", {}), S_OK);  // the same item saves once it can
    EXPECT_EQ(FilesIn(Folder("Notes")).size(), 1u);
}

TEST_F(ServerTest, RecurrencePatternOfAnAppointment) {
    Session s;
    CDispCmd a = s.Add(9, 1);
    EXPECT_EQ(a.PutDate(u"Start", 45292.0 + 9.0 / 24), S_OK);  // a Monday
    VARIANT pat;
    ASSERT_EQ(Call(a, u"GetRecurrencePattern", {}, &pat), S_OK);
    CDispCmd p(pat.pdispVal);
    std::uint8_t recurring = 0;
    EXPECT_EQ(a.GetBool(u"IsRecurring", &recurring), S_OK);
    EXPECT_EQ(recurring, 1);
    std::int32_t v = 0;
    EXPECT_EQ(p.GetInt(u"DayOfWeekMask", &v), S_OK);
    EXPECT_EQ(v, 2);  // the start's weekday
    EXPECT_EQ(p.PutInt(u"RecurrenceType", 5), S_OK);
    EXPECT_EQ(p.GetInt(u"DayOfWeekMask", &v), S_OK);
    EXPECT_EQ(v, 0);  // a new type starts afresh
    EXPECT_EQ(p.PutInt(u"RecurrenceType", 4), E_INVALIDARG);
    EXPECT_EQ(p.PutInt(u"MonthOfYear", 2), S_OK);
    EXPECT_EQ(p.PutInt(u"DayOfMonth", 14), S_OK);
    EXPECT_EQ(Call(a, u"Save", {}), S_OK);
    const std::string text = fwtest::ReadFile(Folder("Calendar") + FilesIn(Folder("Calendar"))[0]);
    EXPECT_NE(text.find("RRULE:FREQ=YEARLY;BYMONTHDAY=14;BYMONTH=2"), std::string::npos) << text;
}

TEST_F(ServerTest, UnreadableFilesAreSkippedAndLeftAlone) {
    platform::EnsureFolder(dir.Path() + "store");
    platform::EnsureFolder(Folder("Tasks").substr(0, Folder("Tasks").size() - 1));
    fwtest::WriteFile(Folder("Tasks") + "broken.ics", "not a calendar");
    fwtest::WriteFile(Folder("Tasks") + "readme.txt", "other file");
    Session s;
    std::int32_t count = -1;
    EXPECT_EQ(s.Items(13).GetInt(u"Count", &count), S_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(fwtest::ReadFile(Folder("Tasks") + "broken.ics"), "not a calendar");
}

TEST_F(ServerTest, StoreThatCannotBeMadeFailsToRun) {
    UnregisterOutlookApplication();
    fwtest::WriteFile(dir.Path() + "file", "x");
    RegisterOutlookApplication(dir.Path() + "file/store");
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"Outlook.Application", &clsid), S_OK);
    void* unknown = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(OleRun(static_cast<IUnknown*>(unknown)), E_FAIL);
    static_cast<IUnknown*>(unknown)->Release();
}

TEST_F(ServerTest, ApplicationTellsItsVersion) {
    Session s;
    char version[32];
    EXPECT_EQ(s.app.GetString(u"Version", version, sizeof version), S_OK);
    EXPECT_STREQ(version, "16.0.0.0");
}

TEST_F(ServerTest, ClearingATaskPatternSticks) {
    {
        Session s;
        CDispCmd t = s.Add(13, 3);
        EXPECT_EQ(t.PutString(u"Subject", "Water plants"), S_OK);
        VARIANT pat;
        ASSERT_EQ(Call(t, u"GetRecurrencePattern", {}, &pat), S_OK);
        EXPECT_EQ(CDispCmd(pat.pdispVal).PutInt(u"RecurrenceType", 0), S_OK);
        EXPECT_EQ(Call(t, u"Save", {}), S_OK);
        const std::string file = fwtest::ReadFile(Folder("Tasks") + FilesIn(Folder("Tasks"))[0]);
        // A repeating task carries a start, made up from what it has.
        EXPECT_NE(file.find("DTSTART;VALUE=DATE;X-OUTLOOK-DERIVED=TRUE:"), std::string::npos) << file;
        EXPECT_NE(file.find("RRULE:FREQ=DAILY"), std::string::npos) << file;
    }
    {
        Session s;
        CDispCmd t = s.Item(13, 1);
        std::uint8_t recurring = 0;
        EXPECT_EQ(t.GetBool(u"IsRecurring", &recurring), S_OK);
        EXPECT_EQ(recurring, 1);
        DATE start = -1;
        EXPECT_EQ(t.GetDate(u"StartDate", &start), S_OK);
        EXPECT_EQ(start, 0.0);  // the made-up start is no start of the task's own
        EXPECT_EQ(Call(t, u"ClearRecurrencePattern", {}), S_OK);
        EXPECT_EQ(Call(t, u"Save", {}), S_OK);
    }
    Session s;
    CDispCmd t = s.Item(13, 1);
    std::uint8_t recurring = 1;
    EXPECT_EQ(t.GetBool(u"IsRecurring", &recurring), S_OK);
    EXPECT_EQ(recurring, 0);
    const std::string file = fwtest::ReadFile(Folder("Tasks") + FilesIn(Folder("Tasks"))[0]);
    for (const char* gone : {"RRULE", "DTSTART", "X-OUTLOOK-RECURRENCE"})
        EXPECT_EQ(file.find(gone), std::string::npos) << gone << "\n" << file;
}
