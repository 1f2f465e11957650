#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"
#include "platform/text/TextCopy.h"
#include "tests/support/Zeroed.h"

using platform::CopyText;

using fwtest::Zeroed;

namespace {

std::unique_ptr<CommAddrRec> Contact(const char* first, const char* last, const char* email, const char* note = "") {
    auto r = Zeroed<CommAddrRec>();
    CopyText(r->FirstName, first);
    CopyText(r->LastName, last);
    CopyText(r->Email, email);
    CopyText(r->Note, note);
    return r;
}

std::unique_ptr<CommTaskRec> Task(const char* subject, int priority, int due) {
    auto r = Zeroed<CommTaskRec>();
    CopyText(r->Subject, subject);
    r->Priority = priority;
    r->DueDate = due;
    return r;
}

}  // namespace

TEST(CommAddrMgr, CaseAndLineBreaksDoNotMakeContactsDiffer) {
    CommAddrMgr target, source;
    target.AddRecord(Contact("Anna", "Berg", "", "line one\r\nline two").get());
    source.AddRecord(Contact("ANNA", "berg", "", "line oneline two").get());
    ASSERT_TRUE(source.MarkAgainst(&target));
    CommAddrRec* r = source.GetFirstRecord();
    EXPECT_EQ(r->Status, CommStatusSame);
    EXPECT_EQ(r->Counterpart, target.GetFirstRecord());
}

TEST(CommAddrMgr, EmptyEmailMatchesEmptyEmail) {
    CommAddrMgr target;
    target.AddRecord(Contact("Anna", "Berg", "anna@x.org").get());
    target.AddRecord(Contact("Anna", "Berg", "").get());
    CommAddrRec* match = nullptr;
    int index = -1;
    EXPECT_EQ(target.FindRecord(Contact("Anna", "Berg", "").get(), &match, &index), CommFindSame);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(target.FindRecordScan(Contact("Anna", "Berg", "").get(), &match, &index), CommFindSame);
    EXPECT_EQ(index, 1);
}

TEST(CommAddrMgr, SeveralKeyMatches) {
    CommAddrMgr target;
    target.AddRecord(Contact("Jo", "Lee", "j@x", "one").get());
    target.AddRecord(Contact("Jo", "Lee", "j@x", "two").get());
    target.AddRecord(Contact("Jo", "Lee", "j@x", "three").get());
    CommAddrRec* match = nullptr;
    int index = -1;
    // None identical: different, with the last key match and its position.
    EXPECT_EQ(target.FindRecord(Contact("Jo", "Lee", "j@x", "four").get(), &match, &index), CommFindDifferent);
    EXPECT_EQ(index, 2);
    EXPECT_STREQ(match->Note, "three");
    // An identical match later in the list wins over differing ones before it.
    EXPECT_EQ(target.FindRecord(Contact("jo", "lee", "J@X", "two").get(), &match, &index), CommFindSame);
    EXPECT_EQ(index, 1);
    EXPECT_STREQ(match->Note, "two");
    // No key match: new, no match, the count as index.
    EXPECT_EQ(target.FindRecord(Contact("Jo", "Lee", "other").get(), &match, &index), CommFindNew);
    EXPECT_EQ(match, nullptr);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(target.FindRecord(nullptr, &match, &index), CommFindError);
}

TEST(CommAddrMgr, ARecordOfTheListIsFoundAsItself) {
    CommAddrMgr list;
    CommAddrRec* stored = list.AddRecord(Contact("A", "B", "c").get());
    CommAddrRec* match = nullptr;
    int index = -1;
    EXPECT_EQ(list.FindRecord(stored, &match, &index), CommFindSame);
    EXPECT_EQ(match, stored);
    EXPECT_EQ(index, 0);
}

TEST(CommAddrMgr, EmptyManager) {
    CommAddrMgr empty, source;
    CommAddrRec* match = reinterpret_cast<CommAddrRec*>(1);
    int index = -1;
    EXPECT_EQ(empty.FindRecord(Contact("A", "B", "").get(), &match, &index), CommFindNew);
    EXPECT_EQ(match, nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(empty.GetRecordCount(), 0u);
    EXPECT_EQ(empty.GetFirstRecord(), nullptr);
    EXPECT_FALSE(source.MarkAgainst(nullptr));
    EXPECT_EQ(source.AddRecord(nullptr), nullptr);
}

TEST(CommTaskMgr, DueDateIsNotCompared) {
    CommTaskMgr target;
    target.AddRecord(Task("Call Bob", 0, 1000).get());
    target.AddRecord(Task("Pay rent", 1, 1000).get());
    CommTaskRec* match = nullptr;
    int index = -1;
    EXPECT_EQ(target.FindRecord(Task("call bob", 0, 99999).get(), &match, &index), CommFindSame);
    // The only key match is the first task: different at index 0.
    EXPECT_EQ(target.FindRecord(Task("Call Bob", 2, 1000).get(), &match, &index), CommFindDifferent);
    EXPECT_EQ(index, 0);
}

TEST(CommNoteMgr, SubjectAndTextIgnoreCase) {
    CommNoteMgr target;
    auto n = Zeroed<CommNoteRec>();
    CopyText(n->Subject, "Shopping");
    CopyText(n->Note, "Milk\r\nBread");
    target.AddRecord(n.get());
    CopyText(n->Subject, "SHOPPING");
    CopyText(n->Note, "milk\r\nbread");
    CommNoteRec* match = nullptr;
    int index = -1;
    EXPECT_EQ(target.FindRecord(n.get(), &match, &index), CommFindSame);
    CopyText(n->Note, "milkbread");  // notes do not skip line breaks
    EXPECT_EQ(target.FindRecord(n.get(), &match, &index), CommFindDifferent);
}

TEST(CommRecordMgr, NativeRecordsAreCopiedOnlyWithASizeAndReachedThroughTheList) {
    struct Native {
        int value;
        char text[12];
        char room[300];
    };
    Native native{42, "palm", "tail"};
    CommNoteMgr list;
    auto n = Zeroed<CommNoteRec>();
    n->NativeRecord = &native;
    n->NativeSize = sizeof native;
    CommNoteRec* owned = list.AddRecord(n.get());
    // An owned copy is kept packed: the record names its size, the list unpacks it.
    EXPECT_EQ(owned->NativeRecord, nullptr);
    EXPECT_EQ(owned->NativeSize, sizeof native);
    auto* unpacked = static_cast<Native*>(list.NativeAt(0));
    ASSERT_NE(unpacked, nullptr);
    ASSERT_NE(static_cast<void*>(unpacked), static_cast<void*>(&native));
    EXPECT_EQ(std::memcmp(unpacked, &native, sizeof native), 0);
    EXPECT_EQ(list.NativeOf(owned), unpacked);  // kept once unpacked
    n->NativeSize = 0;
    CommNoteRec* borrowed = list.AddRecord(n.get());
    EXPECT_EQ(borrowed->NativeRecord, &native);
    EXPECT_EQ(list.NativeAt(1), &native);
    Native out{};
    EXPECT_FALSE(list.CopyNativeAt(1, &out, sizeof out));  // not the list's to copy
    EXPECT_FALSE(list.CopyNativeAt(0, &out, sizeof out - 1));
    EXPECT_FALSE(list.CopyNativeAt(2, &out, sizeof out));
    // A replaced copy reads back, also through the form already unpacked.
    Native changed{7, "outlook", ""};
    EXPECT_FALSE(list.ReplaceNativeAt(1, &changed, sizeof changed));
    const char longer[sizeof(Native) + 1] = "longer";
    EXPECT_FALSE(list.ReplaceNativeAt(0, longer, sizeof longer));
    ASSERT_TRUE(list.ReplaceNativeAt(0, &changed, sizeof changed));
    ASSERT_TRUE(list.CopyNativeAt(0, &out, sizeof out));
    EXPECT_EQ(std::memcmp(&out, &changed, sizeof out), 0);
    EXPECT_EQ(unpacked->value, 7);
    list.RemoveAllRecords();  // frees the owned copy only; the sanitizers check both ways
    EXPECT_EQ(list.GetRecordCount(), 0u);
    EXPECT_EQ(native.value, 42);
    EXPECT_STREQ(native.text, "palm");
}

TEST(CommRecordMgr, UpdateTakesOverContentButKeepsTheNativeRecord) {
    int native = 5;
    CommAddrMgr target;
    auto r = Contact("Ann", "Lee", "a@x", "old");
    r->NativeRecord = &native;
    r->NativeSize = sizeof native;
    CommAddrRec* stored = target.AddRecord(r.get());
    void* ownCopy = target.NativeOf(stored);
    CommAddrRec* match = nullptr;
    int index = -1;
    EXPECT_EQ(target.FindRecord(Contact("Ann", "Lee", "a@x").get(), &match, &index), CommFindDifferent);
    auto src = Contact("Anne", "Lee", "a@x", "new");
    ASSERT_TRUE(target.UpdateRecord(stored, *src));
    EXPECT_STREQ(stored->FirstName, "Anne");
    EXPECT_EQ(target.NativeOf(stored), ownCopy);
    EXPECT_EQ(*static_cast<int*>(ownCopy), 5);
    // The index follows the new key.
    EXPECT_EQ(target.FindRecord(Contact("Anne", "Lee", "a@x", "new").get(), &match, &index), CommFindSame);
    EXPECT_EQ(match, stored);
    EXPECT_EQ(target.FindRecord(Contact("Ann", "Lee", "a@x").get(), &match, &index), CommFindNew);
    EXPECT_FALSE(target.UpdateRecord(src.get(), *src));
    // A wrong position is not trusted: the record is searched for.
    auto again = Contact("Anna", "Lee", "a@x");
    ASSERT_TRUE(target.UpdateRecord(stored, *again, 7));
    EXPECT_STREQ(stored->FirstName, "Anna");
    EXPECT_FALSE(target.UpdateRecord(src.get(), *src, 0));
}

TEST(CommRecordMgr, IndexFollowsRecordsAddedAfterALookup) {
    CommTaskMgr target;
    target.AddRecord(Task("A", 0, 0).get());
    CommTaskRec* match = nullptr;
    int index = -1;
    EXPECT_EQ(target.FindRecord(Task("B", 0, 0).get(), &match, &index), CommFindNew);
    target.AddRecord(Task("b", 1, 0).get());
    EXPECT_EQ(target.FindRecord(Task("B", 0, 0).get(), &match, &index), CommFindDifferent);
    EXPECT_EQ(index, 1);
    target.RemoveAllRecords();
    EXPECT_EQ(target.FindRecord(Task("B", 0, 0).get(), &match, &index), CommFindNew);
    EXPECT_EQ(index, 0);
}

TEST(CommRecordMgr, ExcludedRecordsAreLeftOutOfTheLookup) {
    CommTaskMgr target;
    CommTaskRec* a = target.AddRecord(Task("Call", 0, 0).get());
    CommTaskRec* b = target.AddRecord(Task("call", 1, 0).get());
    CommTaskRec* match = nullptr;
    int index = -1;
    auto probe = Task("CALL", 0, 0);
    EXPECT_EQ(target.FindRecordExcept(probe.get(), &match, &index, [&](const CommTaskRec* r) { return r == a; }),
              CommFindDifferent);
    EXPECT_EQ(match, b);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(target.FindRecordExcept(probe.get(), &match, &index, [](const CommTaskRec*) { return true; }),
              CommFindNew);
    EXPECT_EQ(match, nullptr);
    EXPECT_EQ(index, 2);
}
