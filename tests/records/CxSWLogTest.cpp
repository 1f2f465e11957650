#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/records/CommAddrRec.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskRec.h"
#include "common/records/CxSWLog.h"
#include "platform/paths/PrivateFiles.h"
#include "platform/text/TextCopy.h"
#include "tests/support/TempDir.h"
#include "tests/support/Zeroed.h"

using platform::CopyText;

using fwtest::Zeroed;

namespace {

struct SWLogTest : ::testing::Test {
    fwtest::TempDir dir;
    std::string path = dir.File("SWLog.txt");
    CxSWLog log{path.c_str()};
    std::string Text() {
        log.CloseLog();
        return fwtest::ReadFile(path);
    }
};

}  // namespace

TEST_F(SWLogTest, ContactEntryWithEmptyValues) {
    ASSERT_TRUE(log.OpenLog());
    auto c = Zeroed<CommAddrRec>();
    CopyText(c->DisplayName, "Anna Berg");
    CopyText(c->Email, "anna@x.org");
    log.LogContact(c.get());
    EXPECT_EQ(Text(),
              "Migrating Contact item:\r\n\tDisplay Name: Anna Berg\r\n\tCompany: <empty>\r\n\tTitle: <empty>\r\n"
              "\tEmail: anna@x.org\r\n\tPrimary Phone: <empty>\r\nContact item migrated successfully...\r\n\r\n");
}

TEST_F(SWLogTest, CalendarAndTaskEntries) {
    ASSERT_TRUE(log.OpenLog());
    auto e = Zeroed<CommDateRec>();
    CopyText(e->Subject, "Dentist");
    e->Start = SYSTEMTIME{2009, 3, 4, 5, 9, 30, 0, 0};
    e->End = SYSTEMTIME{2009, 3, 4, 5, 10, 15, 5, 0};
    log.LogCalendar(e.get());
    auto t = Zeroed<CommTaskRec>();
    CopyText(t->Subject, "Pay rent");
    log.LogTask(t.get());
    EXPECT_EQ(Text(),
              "Migrating Calendar item:\r\n\tSubject: Dentist\r\n\tLocation: <empty>\r\n\tDate: 03/05/2009\r\n"
              "\tStart Time: 09:30:00\r\n\tEnd Time: 10:15:05\r\nCalendar item migrated successfully...\r\n\r\n"
              "Migrating Task item:\r\n\tSubject: Pay rent\r\nTask item migrated successfully...\r\n\r\n");
}

TEST_F(SWLogTest, BriefNoteIsTheFirstLine) {
    EXPECT_EQ(CxSWLog::BriefNote("first line\r\nsecond"), "first line");
    EXPECT_EQ(CxSWLog::BriefNote("unix\nsecond"), "unix");
    EXPECT_EQ(CxSWLog::BriefNote("a\nb\r\nc"), "a\nb");  // a CR LF pair decides first
    EXPECT_EQ(CxSWLog::BriefNote("\r\nafter"), "");
    EXPECT_EQ(CxSWLog::BriefNote(std::string(300, 'x').c_str()), std::string(255, 'x'));
    ASSERT_TRUE(log.OpenLog());
    auto n = Zeroed<CommNoteRec>();
    CopyText(n->Note, "\r\nstarts with a break");
    log.LogNote(n.get());
    EXPECT_EQ(Text(), "Migrating Note item:\r\n\tBrief Note: <empty>\r\nNote item migrated successfully...\r\n\r\n");
}

TEST_F(SWLogTest, FieldLinesAndGuards) {
    char buf[64] = "unchanged";
    CxSWLog::FormatLogField(buf, sizeof buf, 2, "", "v");
    EXPECT_STREQ(buf, "unchanged");
    CxSWLog::FormatLogField(buf, sizeof buf, 2, "L", nullptr);
    EXPECT_STREQ(buf, "\t\tL: <empty>");
    char wide[64];
    CxSWLog::FormatLogField(wide, sizeof wide, 40, "L", "v");
    EXPECT_EQ(std::string(wide), std::string(31, '\t') + "L: v");
    // Nothing is written while the log is closed, nor for missing records.
    log.WriteLogLine("closed");
    log.LogContact(nullptr);
    ASSERT_TRUE(log.OpenLog());
    log.LogTask(nullptr);
    log.WriteLogLine(nullptr);
    EXPECT_EQ(Text(), "\r\n");
}

TEST_F(SWLogTest, EachMigrationEmptiesTheLog) {
    ASSERT_TRUE(log.OpenLog());
    log.WriteLogLine("first run");
    ASSERT_TRUE(log.OpenLog());
    log.WriteLogLine("second run");
    EXPECT_EQ(Text(), "second run\r\n");
}

TEST_F(SWLogTest, SplitEntriesReportFailedWrites) {
    ASSERT_TRUE(log.OpenLog());
    auto t = Zeroed<CommTaskRec>();
    CopyText(t->Subject, "x");
    log.BeginTask(t.get());
    log.EndEntry(2, false);
    EXPECT_EQ(Text(), "Migrating Task item:\r\n\tSubject: x\r\nTask item could not be written to Outlook.\r\n\r\n");
}

TEST(SWLogPath, UnwritablePathFailsQuietly) {
    CxSWLog log("/no/such/folder/SWLog.txt");
    EXPECT_FALSE(log.OpenLog());
    log.WriteLogLine("ignored");
    EXPECT_FALSE(log.IsOpen());
}

TEST(SWLogPath, DefaultPathIsInTheDataFolder) {
    fwtest::TempDir dir;
    fwtest::ScopedEnv env("XDG_DATA_HOME", dir.Path());
    CxSWLog log;
    EXPECT_EQ(std::string(log.GetPath()), dir.Path() + "norrbek/FRWY/SWLog.txt");
}

TEST(SWLogPath, WithoutADataFolderTheLogHasNoPlace) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("file"), "not a folder");
    fwtest::ScopedEnv env("XDG_DATA_HOME", dir.File("file"));
    CxSWLog log;
    EXPECT_STREQ(log.GetPath(), "");
    EXPECT_FALSE(log.GetFolderError().empty());
    EXPECT_FALSE(log.OpenLog());
}

TEST_F(SWLogTest, RecordTextsStayOnTheirLineAndTheLogIsPrivate) {
    auto rec = Zeroed<CommAddrRec>();
    CopyText(rec->DisplayName, "Anna\r\nMigrating Contact item:");
    CopyText(rec->Company, "Acme\tLtd\x1b");
    ASSERT_TRUE(log.OpenLog());
    log.LogContact(rec.get());
    log.CloseLog();
    const std::string text = Text();
    EXPECT_NE(text.find("\tDisplay Name: Anna\\r\\nMigrating Contact item:\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\tCompany: Acme\\tLtd\\x1B\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("\nMigrating Contact item:", 1), std::string::npos);
    EXPECT_EQ(platform::FileMode(path), 0600);
}
