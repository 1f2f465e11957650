// The indexed lookups and markings against the plain scans, on random
// lists full of duplicates, case and line-break variants, empty keys,
// nameless contacts and same-subject events at different times.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"
#include "platform/text/TextCopy.h"
#include "tests/support/Zeroed.h"

using fwtest::Zeroed;

namespace {

std::string Variant(std::mt19937& rng, int pool) {
    static const char* const kWords[] = {"",         "anna", "Anna", "ANNA", "an\r\nna",
                                         "anna\r\n", "\r\n", "bo",   "Bo\n", "b\ro"};
    std::string s = kWords[rng() % static_cast<unsigned>(std::min(pool, 10))];
    if (rng() % 8 == 0) s += kWords[rng() % 10];
    return s;
}

void RandomContact(std::mt19937& rng, CommAddrRec& r) {
    fwtest::ZeroFill(r);
    if (rng() % 3 != 0) {  // else nameless
        platform::CopyText(r.FirstName, Variant(rng, 10));
        platform::CopyText(r.LastName, Variant(rng, 4));
        platform::CopyText(r.Email, Variant(rng, 3));
    }
    platform::CopyText(r.DisplayName, Variant(rng, 3));
    platform::CopyText(r.Company, Variant(rng, 4));
    platform::CopyText(r.HomePhone, Variant(rng, 3));
    platform::CopyText(r.Note, Variant(rng, 6));
    // Mapped custom values, and the values and labels an Outlook item keeps.
    if (rng() % 3 == 0) platform::CopyText(r.MappedCustomValue[rng() % 2], Variant(rng, 3));
    if (rng() % 3 == 0) {
        const unsigned slot = rng() % 2;
        platform::CopyText(r.CustomLabel[slot], rng() % 2 ? "Custom 1" : "custom 2");
        platform::CopyText(r.CustomValue[slot], Variant(rng, 3));
    }
}

void RandomEvent(std::mt19937& rng, CommDateRec& r) {
    fwtest::ZeroFill(r);
    platform::CopyText(r.Subject, Variant(rng, 10));
    platform::CopyText(r.Location, Variant(rng, 3));
    r.Start.wYear = r.End.wYear = 2009;
    r.Start.wMonth = r.End.wMonth = 3;
    r.Start.wDay = static_cast<std::uint16_t>(1 + rng() % 2);
    r.End.wDay = static_cast<std::uint16_t>(1 + rng() % 2);
    r.Start.wHour = static_cast<std::uint16_t>(9 + rng() % 2);
    r.Start.wMinute = static_cast<std::uint16_t>(rng() % 2 * 30);
    r.Start.wSecond = static_cast<std::uint16_t>(rng() % 2 * 30);
    r.End.wHour = static_cast<std::uint16_t>(10 + rng() % 2);
    r.AllDay = static_cast<std::int32_t>(rng() % 3 == 0);
}

void RandomTask(std::mt19937& rng, CommTaskRec& r) {
    fwtest::ZeroFill(r);
    platform::CopyText(r.Subject, Variant(rng, 10));
    r.Priority = static_cast<std::int32_t>(rng() % 3);
    r.DueDate = static_cast<std::int32_t>(rng() % 3);
}

void RandomNote(std::mt19937& rng, CommNoteRec& r) {
    fwtest::ZeroFill(r);
    platform::CopyText(r.Subject, Variant(rng, 10));
    platform::CopyText(r.Note, Variant(rng, 5));
}

// Every target record goes to at most one source record; Same means
// identical, Different a key match; a new record has no key match left
// that no other record took.
template <class Mgr>
void ExpectSoundMarks(Mgr& source, Mgr& target) {
    std::set<const void*> taken;
    for (std::size_t i = 0; i < source.GetRecordCount(); ++i) {
        const auto* r = source.GetRecordAt(i);
        if (r->Counterpart == nullptr) continue;
        ASSERT_TRUE(taken.insert(r->Counterpart).second) << "a target record given twice";
        ASSERT_TRUE(Mgr::KeyEqual(*r, *r->Counterpart));
        ASSERT_EQ(r->Status == CommStatusSame, Mgr::CompareEqual(*r, *r->Counterpart));
    }
    for (std::size_t i = 0; i < source.GetRecordCount(); ++i) {
        const auto* r = source.GetRecordAt(i);
        if (r->Status != CommStatusNew) continue;
        for (std::size_t t = 0; t < target.GetRecordCount(); ++t)
            ASSERT_FALSE(Mgr::KeyEqual(*r, *target.GetRecordAt(t)) && taken.count(target.GetRecordAt(t)) == 0);
    }
}

template <class Rec, class Mgr, class Fill>
void CompareWithScan(Fill fill, unsigned seed) {
    std::mt19937 rng(seed);
    for (int round = 0; round < 40; ++round) {
        Mgr source, target;
        auto rec = Zeroed<Rec>();
        const int nSource = static_cast<int>(rng() % 60), nTarget = static_cast<int>(rng() % 60);
        for (int i = 0; i < nTarget; ++i) {
            fill(rng, *rec);
            target.AddRecord(rec.get());
        }
        for (int i = 0; i < nSource; ++i) {
            fill(rng, *rec);
            source.AddRecord(rec.get());
        }
        // Lookups one by one: result, match and index agree.
        for (Rec* r = source.GetFirstRecord(); r; r = source.GetNextRecord()) {
            Rec *m1 = nullptr, *m2 = nullptr;
            int i1 = -5, i2 = -5;
            const int res1 = target.FindRecord(r, &m1, &i1);
            const int res2 = target.FindRecordScan(r, &m2, &i2);
            ASSERT_EQ(res1, res2);
            ASSERT_EQ(m1, m2);
            ASSERT_EQ(i1, i2);
        }
        // Whole lists: Status and Counterpart agree.
        source.MarkAgainst(&target);
        std::vector<std::pair<int, Rec*>> indexed;
        for (Rec* r = source.GetFirstRecord(); r; r = source.GetNextRecord())
            indexed.emplace_back(r->Status, r->Counterpart);
        source.MarkAgainstScan(&target);
        std::size_t k = 0;
        for (Rec* r = source.GetFirstRecord(); r; r = source.GetNextRecord(), ++k) {
            ASSERT_EQ(indexed[k].first, r->Status);
            ASSERT_EQ(indexed[k].second, r->Counterpart);
        }
        ExpectSoundMarks(source, target);
        // A list against itself finds every record as itself or an earlier twin.
        target.MarkAgainst(&target);
        for (Rec* r = target.GetFirstRecord(); r; r = target.GetNextRecord()) ASSERT_EQ(r->Status, CommStatusSame);
    }
}

}  // namespace

TEST(IndexedMatching, ContactsAgreeWithTheScan) { CompareWithScan<CommAddrRec, CommAddrMgr>(RandomContact, 1); }
TEST(IndexedMatching, EventsAgreeWithTheScan) { CompareWithScan<CommDateRec, CommDateMgr>(RandomEvent, 2); }
TEST(IndexedMatching, TasksAgreeWithTheScan) { CompareWithScan<CommTaskRec, CommTaskMgr>(RandomTask, 3); }
TEST(IndexedMatching, NotesAgreeWithTheScan) { CompareWithScan<CommNoteRec, CommNoteMgr>(RandomNote, 4); }
