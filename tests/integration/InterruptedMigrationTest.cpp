// A migration that stopped part-way (the program killed after some of the
// picked records were written) and then run again ends with every source
// record exactly once in the store, name-alike records included: for every
// point at which it could have stopped, with the second run marked against
// the store as the driver does, or written without a marking.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "common/outlook/OlAddr.h"
#include "common/outlook/OlDate.h"
#include "common/outlook/OlNote.h"
#include "common/outlook/OlTask.h"
#include "tests/outlook/OutlookFixture.h"
#include "tests/support/CommRecords.h"

using namespace oltest;
using fwtest::At;

namespace {

struct InterruptedMigrationTest : ::testing::Test, Fixture {
    // Loads the store, marks the source records against it and writes the
    // first `limit` records that are not the same; or, unmarked, writes
    // them all as they come. Gives what the writes answered.
    template <class Util, class Mgr, class Rec>
    std::vector<OlMigrateResult> Run(const std::vector<Rec>& records, std::size_t limit, bool marked = true) {
        Util util;
        EXPECT_TRUE(util.Load());
        Mgr source;
        for (const Rec& r : records) source.AddRecord(&r);
        if (marked) source.MarkAgainst(util.GetRecordList());
        std::vector<OlMigrateResult> results;
        for (std::size_t i = 0; i < source.GetRecordCount() && results.size() < limit; ++i) {
            Rec* r = source.GetRecordAt(i);
            if (marked && r->Status == CommStatusSame) continue;
            results.push_back(util.MigrateRecord(r));
        }
        return results;
    }

    // After every possible stop and a second run: one item per record, and
    // a third marking finds each record the same as an item of its own.
    template <class Util, class Mgr, class Rec>
    void StopEverywhere(const std::vector<Rec>& records, const char* folder) {
        for (const bool marked : {true, false}) {
            for (std::size_t stop = 0; stop <= records.size(); ++stop) {
                SCOPED_TRACE(std::string(folder) + (marked ? " marked" : " unmarked") + ", stopped after " +
                             std::to_string(stop));
                std::filesystem::remove_all(dir.Path() + "store");
                Run<Util, Mgr>(records, stop);
                Run<Util, Mgr>(records, records.size(), marked);
                ASSERT_EQ(Files(Store(folder)).size(), records.size());
                Util util;
                ASSERT_TRUE(util.Load());
                Mgr source;
                for (const Rec& r : records) source.AddRecord(&r);
                source.MarkAgainst(util.GetRecordList());
                std::set<const Rec*> items;
                for (std::size_t i = 0; i < source.GetRecordCount(); ++i) {
                    const Rec* r = source.GetRecordAt(i);
                    EXPECT_EQ(r->Status, CommStatusSame) << "record " << i;
                    items.insert(r->Counterpart);
                }
                EXPECT_EQ(items.size(), records.size());
            }
        }
    }
};

}  // namespace

TEST_F(InterruptedMigrationTest, NameAlikeContacts) {
    const std::vector<CommAddrRec> records = {
        fwtest::Person("John", "Smith", "", "555-1"),
        fwtest::Person("John", "Smith", "", "555-2"),
        fwtest::Person("John", "Smith", "", "555-2"),
        fwtest::Nameless("", "Acme", "1"),
        fwtest::Nameless("", "Beta", "1"),
        fwtest::Nameless("", "", "777"),
        fwtest::Person("Ann", "Lee", "ann@example.org"),
    };
    StopEverywhere<OlAddrUtil, CommAddrMgr>(records, "Contacts");
}

TEST_F(InterruptedMigrationTest, SameSubjectEventsOfOneDay) {
    const std::vector<CommDateRec> records = {
        fwtest::Event("Standup", At(2024, 3, 4, 9), At(2024, 3, 4, 9, 15), "Room 1"),
        fwtest::Event("Standup", At(2024, 3, 4, 15), At(2024, 3, 4, 15, 15), "Room 1"),
        fwtest::Event("Standup", At(2024, 3, 4, 15), At(2024, 3, 4, 15, 15), "Room 1"),
        fwtest::Event("Trip", At(2024, 7, 1), At(2024, 7, 4), "", true),
        fwtest::Event("Trip", At(2024, 7, 1, 8), At(2024, 7, 1, 20), ""),
    };
    StopEverywhere<OlDateUtil, CommDateMgr>(records, "Calendar");
}

TEST_F(InterruptedMigrationTest, ToDosAndNotesOfOneSubject) {
    const std::vector<CommTaskRec> tasks = {fwtest::Todo("Call mom"), fwtest::Todo("Call mom"),
                                            fwtest::Todo("call mom", 1), fwtest::Todo("Pay rent", 2)};
    StopEverywhere<OlTaskUtil, CommTaskMgr>(tasks, "Tasks");
    const std::vector<CommNoteRec> notes = {fwtest::Memo("List", "List\r\nmilk"), fwtest::Memo("List", "List\r\neggs"),
                                            fwtest::Memo("List", "List\r\neggs"), fwtest::Memo("Ideas", "Ideas")};
    StopEverywhere<OlNoteUtil, CommNoteMgr>(notes, "Notes");
}

TEST_F(InterruptedMigrationTest, AMarkedRecordWrittenTwiceKeepsOneItem) {
    const std::vector<CommTaskRec> tasks = {fwtest::Todo("Call mom"), fwtest::Todo("Call mom", 1)};
    OlTaskUtil util;
    ASSERT_TRUE(util.Load());
    CommTaskMgr source;
    for (const CommTaskRec& t : tasks) source.AddRecord(&t);
    source.MarkAgainst(util.GetRecordList());
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < source.GetRecordCount(); ++i)
            EXPECT_EQ(util.MigrateRecord(source.GetRecordAt(i)), round == 0 ? OlMigrateCreated : OlMigrateUnchanged);
    EXPECT_EQ(Files(Store("Tasks")).size(), 2u);
    // Reloaded between marking and writing: the marks no longer hold, and
    // a lookup that keeps the records apart takes their place.
    source.MarkAgainst(util.GetRecordList());
    ASSERT_TRUE(util.Load());
    source.GetRecordAt(0)->Priority = 2;
    EXPECT_EQ(util.MigrateRecord(source.GetRecordAt(0)), OlMigrateUpdated);  // the last key match
    EXPECT_EQ(util.MigrateRecord(source.GetRecordAt(1)), OlMigrateUpdated);  // the other item
    EXPECT_EQ(Files(Store("Tasks")).size(), 2u);
    ASSERT_TRUE(util.Load());
    source.MarkAgainst(util.GetRecordList());
    EXPECT_EQ(source.GetRecordAt(0)->Status, CommStatusSame);
    EXPECT_EQ(source.GetRecordAt(1)->Status, CommStatusSame);
}
