// Marking a source list against a target list: every target item goes to at
// most one source record, identical items first, then the last key match;
// name-alike and nameless contacts and same-subject events keep apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"
#include "tests/support/CommRecords.h"

using namespace fwtest;

namespace {

constexpr int S = CommStatusSame, N = CommStatusNew, D = CommStatusDifferent;

// A source record's expected Status and the target position of its
// Counterpart (-1 for none).
struct Mark {
    int status;
    int counterpart;
};

template <class Rec>
struct Case {
    const char* name;
    std::vector<Rec> targets;
    std::vector<Rec> sources;
    std::vector<Mark> expected;
};

template <class Mgr, class Rec>
void Check(const Case<Rec>& c) {
    for (const bool scan : {false, true}) {
        SCOPED_TRACE(std::string(c.name) + (scan ? " (scan)" : " (index)"));
        Mgr target, source;
        for (const Rec& r : c.targets) target.AddRecord(&r);
        for (const Rec& r : c.sources) source.AddRecord(&r);
        ASSERT_TRUE(scan ? source.MarkAgainstScan(&target) : source.MarkAgainst(&target));
        ASSERT_EQ(c.expected.size(), c.sources.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const Rec* r = source.GetRecordAt(i);
            EXPECT_EQ(r->Status, c.expected[i].status) << "source " << i;
            const int at = c.expected[i].counterpart;
            EXPECT_EQ(r->Counterpart, at < 0 ? nullptr : target.GetRecordAt(static_cast<std::size_t>(at)))
                << "source " << i;
            // The target remembers the mark for the writer.
            Rec* match = nullptr;
            int index = -1;
            const int found = target.FindMarked(r, &match, &index);
            EXPECT_EQ(found, r->Status == S ? CommFindSame : r->Status == N ? CommFindNew : CommFindDifferent);
            EXPECT_EQ(match, r->Counterpart);
            if (match != nullptr) {
                EXPECT_EQ(target.ClaimedBy(match), r);
            }
        }
    }
}

}  // namespace

TEST(Marking, Contacts) {
    const CommAddrRec js1 = Person("John", "Smith", "", "1"), js2 = Person("John", "Smith", "", "2"),
                      js3 = Person("John", "Smith", "", "3");
    const std::vector<Case<CommAddrRec>> cases = {
        {"a second name-alike is new once the first has its item", {js1}, {js1, js2}, {{S, 0}, {N, -1}}},
        {"identical items are taken before any update, in list order", {js1, js2}, {js3, js1}, {{D, 1}, {S, 0}}},
        {"each name-alike keeps its own item", {js1, js2}, {js2, js1}, {{S, 1}, {S, 0}}},
        {"updates take the last free key match", {js1, js2}, {js3, js3, js3}, {{D, 1}, {D, 0}, {N, -1}}},
        {"several identical items: one each", {js1, js1, js1}, {js1, js1}, {{S, 0}, {S, 1}}},
        {"an identical item taken already is not taken twice", {js1, js2}, {js1, js1}, {{S, 0}, {D, 1}}},
        {"case and line breaks", {Person("Ann", "Lee", "a@x")}, {Person("ANN", "lee", "A@X")}, {{S, 0}}},
        {"nameless: same company and display name",
         {Nameless("", "Acme", "1"), Nameless("", "Beta", "1")},
         {Nameless("", "ACME", "2")},
         {{D, 0}}},
        {"nameless: another company is not an update", {Nameless("", "Acme")}, {Nameless("", "Gamma")}, {{N, -1}}},
        {"nameless: display name and company both count",
         {Nameless("Acme", ""), Nameless("", "Acme")},
         {Nameless("", "Acme", "9"), Nameless("Acme", "Acme")},
         {{D, 1}, {N, -1}}},
        {"nameless: compared as texts",
         {Nameless("Acme\r\nSupport", "acme")},
         {Nameless("ACMESupport", "Acme")},
         {{S, 0}}},
        {"nameless never matches a named contact", {Person("", "Smith")}, {Nameless("", "Smith")}, {{N, -1}}},
        {"without any name only identical",
         {Nameless("", "", "1"), Nameless("", "", "2")},
         {Nameless("", "", "2"), Nameless("", "", "3")},
         {{S, 1}, {N, -1}}},
    };
    for (const auto& c : cases) Check<CommAddrMgr>(c);
}

TEST(Marking, Events) {
    const auto standup = [](int h, int m, const char* where = "") {
        return Event("Standup", At(2024, 3, 4, h, m), At(2024, 3, 4, h, m + 15), where);
    };
    const CommDateRec trip = Event("Trip", At(2024, 7, 1), At(2024, 7, 4), "", true);
    CommDateRec tripHours = trip;
    tripHours.Start.wHour = 8;
    tripHours.End.wHour = 20;
    CommDateRec timedTrip = tripHours;
    timedTrip.AllDay = 0;
    CommDateRec seconds = standup(9, 0);
    seconds.Start.wSecond = 30;
    CommDateRec laterEnd = standup(9, 0);
    laterEnd.End.wMinute = 30;
    const std::vector<Case<CommDateRec>> cases = {
        {"another time of the same day is another event", {standup(9, 0)}, {standup(15, 0)}, {{N, -1}}},
        {"the same times: an update", {standup(9, 0, "Room 1")}, {standup(9, 0, "Room 2")}, {{D, 0}}},
        {"another end time is another event", {standup(9, 0)}, {laterEnd}, {{N, -1}}},
        {"seconds do not count", {standup(9, 0)}, {seconds}, {{S, 0}}},
        {"two on one day, each its own",
         {standup(9, 0), standup(15, 0)},
         {standup(15, 0), standup(9, 0, "x")},
         {{S, 1}, {D, 0}}},
        {"all-day events match on the days", {trip}, {tripHours}, {{S, 0}}},
        {"all-day and timed never match", {trip}, {timedTrip}, {{N, -1}}},
        {"subject case", {standup(9, 0)}, {Event("STANDUP", At(2024, 3, 4, 9), At(2024, 3, 4, 9, 15))}, {{S, 0}}},
    };
    for (const auto& c : cases) Check<CommDateMgr>(c);
}

TEST(Marking, TasksAndNotes) {
    const std::vector<Case<CommTaskRec>> tasks = {
        {"two to-dos of one subject, one item",
         {Todo("Call mom", 1)},
         {Todo("call mom", 0), Todo("Call mom", 1)},
         {{N, -1}, {S, 0}}},
        {"identical to-dos: one item each, then new",
         {Todo("Buy milk"), Todo("Buy milk")},
         {Todo("Buy milk", 0, 5), Todo("Buy milk", 0, 6), Todo("Buy milk")},
         {{S, 0}, {S, 1}, {N, -1}}},
        {"the last free key match is updated",
         {Todo("A", 1), Todo("A", 2), Todo("A", 0)},
         {Todo("A", 0), Todo("A", 3)},
         {{S, 2}, {D, 1}}},
    };
    for (const auto& c : tasks) Check<CommTaskMgr>(c);
    const std::vector<Case<CommNoteRec>> notes = {
        {"same subject, other text",
         {Memo("List", "milk"), Memo("List", "eggs")},
         {Memo("list", "EGGS"), Memo("List", "tea"), Memo("List", "bread")},
         {{S, 1}, {D, 0}, {N, -1}}},
    };
    for (const auto& c : notes) Check<CommNoteMgr>(c);
}

TEST(Marking, TheRememberedMarkHoldsOnlyWhileItIsTrue) {
    CommTaskMgr target, source;
    const CommTaskRec a = Todo("A", 1), b = Todo("B");
    target.AddRecord(&a);
    source.AddRecord(&a);
    source.AddRecord(&b);
    CommTaskRec* first = source.GetRecordAt(0);
    CommTaskRec* second = source.GetRecordAt(1);
    ASSERT_TRUE(source.MarkAgainst(&target));
    CommTaskRec* match = nullptr;
    int index = -1;
    EXPECT_EQ(target.FindMarked(second, &match, &index), CommFindNew);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(target.FindMarked(first, &match, &index), CommFindSame);
    // The item took over another priority: still this record's, now to update.
    target.GetRecordAt(0)->Priority = 2;
    EXPECT_EQ(target.FindMarked(first, &match, &index), CommFindDifferent);
    EXPECT_EQ(index, 0);
    // A record that was not marked, or no longer carries its mark.
    const CommTaskRec other = Todo("A", 1);
    EXPECT_EQ(target.FindMarked(&other, &match, &index), CommFindError);
    EXPECT_EQ(target.FindMarked(nullptr, &match, &index), CommFindError);
    second->Status = CommStatusDifferent;
    EXPECT_EQ(target.FindMarked(second, &match, &index), CommFindError);
    second->Status = CommStatusNew;
    platform::CopyText(second->Subject, "C");
    EXPECT_EQ(target.FindMarked(second, &match, &index), CommFindError);
    first->Counterpart = nullptr;
    EXPECT_EQ(target.FindMarked(first, &match, &index), CommFindError);
    // Marking again replaces the memory; emptying the list forgets it.
    ASSERT_TRUE(source.MarkAgainst(&target));
    EXPECT_EQ(target.FindMarked(second, &match, &index), CommFindNew);
    EXPECT_EQ(target.ClaimedBy(target.GetRecordAt(0)), first);
    target.RemoveAllRecords();
    EXPECT_EQ(target.FindMarked(first, &match, &index), CommFindError);
    EXPECT_EQ(target.ClaimedBy(first), nullptr);
}

TEST(Marking, FindRecordKeepsItsOwnAnswersUnderTheKeyRules) {
    CommDateMgr events;
    const CommDateRec morning = Event("Standup", At(2024, 3, 4, 9), At(2024, 3, 4, 9, 15), "A");
    events.AddRecord(&morning);
    events.AddRecord(&morning);
    CommDateRec* match = nullptr;
    int index = -1;
    const CommDateRec afternoon = Event("Standup", At(2024, 3, 4, 15), At(2024, 3, 4, 15, 15), "A");
    EXPECT_EQ(events.FindRecord(&afternoon, &match, &index), CommFindNew);
    EXPECT_EQ(index, 2);
    const CommDateRec moved = Event("Standup", At(2024, 3, 4, 9), At(2024, 3, 4, 9, 15), "B");
    EXPECT_EQ(events.FindRecord(&moved, &match, &index), CommFindDifferent);  // the last key match
    EXPECT_EQ(index, 1);
    EXPECT_EQ(events.FindRecord(&morning, &match, &index), CommFindSame);  // the first identical one
    EXPECT_EQ(index, 0);
    CommAddrMgr contacts;
    const CommAddrRec acme = Nameless("", "Acme", "1"), bare = Nameless("", "", "1");
    contacts.AddRecord(&acme);
    contacts.AddRecord(&bare);
    const CommAddrRec beta = Nameless("", "Beta", "1"), bare2 = Nameless("", "", "2");
    CommAddrRec* c = nullptr;
    EXPECT_EQ(contacts.FindRecord(&beta, &c, &index), CommFindNew);
    EXPECT_EQ(contacts.FindRecord(&bare2, &c, &index), CommFindNew);
    EXPECT_EQ(contacts.FindRecordScan(&bare2, &c, &index), CommFindNew);
    EXPECT_EQ(contacts.FindRecord(&bare, &c, &index), CommFindSame);
    EXPECT_EQ(index, 1);
}
