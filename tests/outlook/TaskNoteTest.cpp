#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "common/misc/CxDateTime.h"
#include "common/outlook/OlNote.h"
#include "common/outlook/OlTask.h"
#include "tests/outlook/OutlookFixture.h"
#include "tests/outlook/Recorder.h"

using namespace oltest;

namespace {

struct TaskNoteTest : ::testing::Test, Fixture {
    static CommTaskRec Task(const char* subject) {
        CommTaskRec r{};
        std::strcpy(r.Subject, subject);
        return r;
    }
    static std::int32_t Epoch(int y, int m, int d) {
        return static_cast<std::int32_t>(SystemTimeToTimeT(Time(y, m, d)));
    }
};

}  // namespace

TEST_F(TaskNoteTest, DueDatesAreWrittenUnlessTheyMeanNoDate) {
    OlTaskUtil ol;
    OlTaskRecord rec{};
    CommTaskRec t = Task("t");
    t.DueDate = Epoch(2021, 3, 1);
    ol.ToOutlookRecord(t, rec);
    EXPECT_EQ(rec.DueDate, Date(2021, 3, 1));
    t.DueDate = Epoch(2020, 12, 31);
    ol.ToOutlookRecord(t, rec);
    EXPECT_EQ(rec.DueDate, Date(2020, 12, 31));
    t.DueDate = Epoch(1999, 6, 1);
    ol.ToOutlookRecord(t, rec);
    EXPECT_EQ(rec.DueDate, Date(1999, 6, 1));
    t.DueDate = Epoch(2031, 1, 1);
    ol.ToOutlookRecord(t, rec);
    EXPECT_EQ(rec.DueDate, 0.0);
    t.DueDate = 0;
    ol.ToOutlookRecord(t, rec);
    EXPECT_EQ(rec.DueDate, 0.0);
}

TEST_F(TaskNoteTest, TaskCodesBothWays) {
    OlTaskUtil ol;
    OlTaskRecord rec{};
    CommTaskRec t = Task("t");
    t.Sensitivity = 0;
    t.Private = 1;
    t.Priority = 1;
    t.TaskStatus = 9;
    t.ResponseState = 3;
    ol.ToOutlookRecord(t, rec);
    EXPECT_EQ(rec.Sensitivity, 2);
    EXPECT_EQ(rec.Importance, 2);
    EXPECT_EQ(rec.Status, 0);
    EXPECT_EQ(rec.ResponseState, 3);
    t.Priority = 2;
    ol.ToOutlookRecord(t, rec);
    EXPECT_EQ(rec.Importance, 0);

    OlTaskRecord in{};
    in.Status = 2;
    in.ResponseState = 0;
    in.Importance = 0;
    in.Sensitivity = 3;
    in.DueDate = Date(4501, 1, 1);  // beyond what an epoch time holds: no date
    CommTaskRec out{};
    ol.ToCommonRecord(in, out);
    EXPECT_EQ(out.TaskStatus, 2);
    EXPECT_EQ(out.ResponseState, 0);
    EXPECT_EQ(out.Priority, 2);
    EXPECT_EQ(out.Private, 1);
    EXPECT_EQ(out.DueDate, 0);
    EXPECT_EQ(out.Repeat.Type, 0);
}

TEST_F(TaskNoteTest, TaskWithoutReminderSendsNoReminderProperties) {
    OlTaskUtil ol;
    Recorder* item = new Recorder;
    CDispCmd cmd(item);
    item->Release();
    OlTaskRecord rec{};
    CommTaskRec t = Task("Plain");
    std::strcpy(t.ReminderSoundFile, "bell.wav");
    t.ReminderTime = Epoch(2022, 1, 1);
    ol.ToOutlookRecord(t, rec);
    rec.RecurrenceType = -1;
    ol.WriteItem(cmd, rec);
    ASSERT_TRUE(item->Has("reminderset"));
    EXPECT_EQ(item->Value("reminderset")->boolVal, 0);
    for (const char* name : {"reminderoverridedefault", "reminderplaysound", "remindersoundfile", "remindertime"})
        EXPECT_FALSE(item->Has(name)) << name;
    EXPECT_TRUE(item->Has("subject"));
}

TEST_F(TaskNoteTest, TasksMigrateAndReload) {
    OlTaskUtil ol;
    ASSERT_TRUE(ol.Load());
    CommTaskRec t = Task("Water plants");
    std::strcpy(t.Note, "every\r\nweek");
    t.DueDate = Epoch(2021, 3, 1);
    t.StartDate = Epoch(2021, 2, 1);
    t.Alarm = 1;
    t.ReminderTime = Epoch(2021, 2, 28);
    t.Priority = 1;
    t.PercentComplete = 30;
    t.TotalWork = 90;
    t.Repeat.Type = 2;
    t.Repeat.Interval = 1;
    t.Repeat.DayOfWeekMask = 2;
    ASSERT_EQ(ol.MigrateRecord(&t), OlMigrateCreated);
    Peek peek(13);
    EXPECT_EQ(Int(peek.Pattern(1), u"DayOfWeekMask"), 2);
    ASSERT_TRUE(ol.Load());
    const CommTaskRec* back = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_STREQ(back->Note, "every\r\nweek");
    EXPECT_EQ(back->DueDate, t.DueDate);
    EXPECT_EQ(back->StartDate, t.StartDate);
    EXPECT_EQ(back->ReminderTime, t.ReminderTime);
    EXPECT_EQ(back->Alarm, 1);
    EXPECT_EQ(back->Priority, 1);
    EXPECT_EQ(back->PercentComplete, 30);
    EXPECT_EQ(back->TotalWork, 90);
    EXPECT_EQ(ol.MigrateRecord(&t), OlMigrateUnchanged);
    t.Priority = 0;
    EXPECT_EQ(ol.MigrateRecord(&t), OlMigrateUpdated);
    EXPECT_EQ(Int(peek.Item(1), u"Importance"), 1);
    EXPECT_EQ(Int(peek.Item(1), u"TotalWork"), 90);
}

TEST_F(TaskNoteTest, TwoSourceTasksOfOneSubjectBecomeTwoItems) {
    OlTaskUtil ol;
    ASSERT_TRUE(ol.Load());
    CommTaskRec first = Task("Call mom");
    first.Priority = 1;
    first.DueDate = Epoch(2021, 3, 1);
    CommTaskRec second = Task("call mom");
    second.DueDate = Epoch(2021, 4, 1);
    CommTaskRec third = second;  // differs from the second in its due date only
    third.DueDate = Epoch(2021, 5, 1);
    EXPECT_EQ(ol.MigrateRecord(&first), OlMigrateCreated);
    EXPECT_EQ(ol.MigrateRecord(&second), OlMigrateCreated);
    EXPECT_EQ(ol.MigrateRecord(&third), OlMigrateCreated);
    EXPECT_EQ(ol.MigrateRecord(&third), OlMigrateUnchanged);  // its own item
    EXPECT_EQ(Files(Store("Tasks")).size(), 3u);
    // The next migration finds every one of them.
    ASSERT_TRUE(ol.Load());
    EXPECT_EQ(ol.MigrateRecord(&first), OlMigrateUnchanged);
    EXPECT_EQ(ol.MigrateRecord(&second), OlMigrateUnchanged);
    EXPECT_EQ(ol.MigrateRecord(&third), OlMigrateUnchanged);
    EXPECT_EQ(Files(Store("Tasks")).size(), 3u);
}

TEST_F(TaskNoteTest, ANoteAsLongAsTheRecordHoldsReadsBackTheSame) {
    OlNoteUtil ol;
    ASSERT_TRUE(ol.Load());
    CommNoteRec n{};
    std::memset(n.Note, 'x', sizeof n.Note - 1);
    std::memset(n.Subject, 'x', sizeof n.Subject - 1);  // the first line, as a source gives it
    EXPECT_EQ(ol.MigrateRecord(&n), OlMigrateCreated);
    ASSERT_TRUE(ol.Load());
    EXPECT_EQ(std::strlen(ol.GetRecordList()->GetRecordAt(0)->Note), sizeof n.Note - 1);
    EXPECT_EQ(ol.MigrateRecord(&n), OlMigrateUnchanged);
}

TEST_F(TaskNoteTest, NoteSubjectIsNeverWritten) {
    OlNoteUtil ol;
    ASSERT_TRUE(ol.Load());
    CommNoteRec n{};
    std::strcpy(n.Subject, "Groceries");
    std::strcpy(n.Note, "Groceries\r\nmilk\r\neggs");
    n.Color = 1;
    ASSERT_EQ(ol.MigrateRecord(&n), OlMigrateCreated);
    Recorder* item = new Recorder;
    CDispCmd cmd(item);
    item->Release();
    OlNoteRecord rec{};
    ol.ToOutlookRecord(n, rec);
    ol.WriteItem(cmd, rec);
    EXPECT_EQ(item->Names(), (std::vector<std::string>{"body", "color"}));
    Peek peek(12);
    EXPECT_EQ(Text(peek.Item(1), u"Subject"), "Groceries");  // the body's first line
    ASSERT_TRUE(ol.Load());
    const CommNoteRec* back = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_EQ(std::strlen(back->IdText), 30u);
    EXPECT_EQ(std::string(back->IdText), Text(peek.Item(1), u"EntryID").substr(0, 30));
    EXPECT_EQ(back->Color, 1);
    EXPECT_EQ(ol.MigrateRecord(&n), OlMigrateUnchanged);
}

TEST_F(TaskNoteTest, FailedSaveCreatesNothing) {
    OlNoteUtil ol;
    ASSERT_TRUE(ol.Load());
    CommNoteRec n{};
    std::strcpy(n.Subject, "Big");
    std::memset(n.Note, 'x', 20000);
    fwtest::WriteFile(Store("Notes") + "dummy", "");  // the folder exists
    ::unlink((Store("Notes") + "dummy").c_str());
    ASSERT_EQ(::chmod(Store("Notes").c_str(), 0500), 0);
    const bool rootCanWrite = ::access(Store("Notes").c_str(), W_OK) == 0;
    ::chmod(Store("Notes").c_str(), 0700);
    if (rootCanWrite) {
        // Permissions do not stop this user; use a file size limit instead.
        struct rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        auto handler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tiny = old;
        tiny.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        EXPECT_EQ(ol.MigrateRecord(&n), OlMigrateFailed);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    } else {
        ::chmod(Store("Notes").c_str(), 0500);
        EXPECT_EQ(ol.MigrateRecord(&n), OlMigrateFailed);
        ::chmod(Store("Notes").c_str(), 0700);
    }
    EXPECT_TRUE(Files(Store("Notes")).empty());
    EXPECT_EQ(ol.GetRecordList()->GetRecordCount(), 0u);  // the list still mirrors the folder
    EXPECT_NE(Log().find("Failed to save the Outlook item. hr=0x8003001d"), std::string::npos);
    EXPECT_EQ(ol.MigrateRecord(&n), OlMigrateCreated);
}
