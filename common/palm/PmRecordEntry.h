#pragma once
// The entry that a Palm record set keeps for each record it took over: the
// generation, a full copy of the Palm record and the common record made of
// it. The entry is the common record's native record, through which the
// review pages and detail windows read the Palm fields.
#include <cstdint>
#include <type_traits>

#include "common/palm/PmAddrEx2Rec.h"
#include "common/palm/PmAddrRec.h"
#include "common/palm/PmDateEx2Rec.h"
#include "common/palm/PmDateRec.h"
#include "common/palm/PmMemoEx2Rec.h"
#include "common/palm/PmMemoRec.h"
#include "common/palm/PmTodoEx2Rec.h"
#include "common/palm/PmTodoRec.h"
#include "common/records/CommAddrRec.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskRec.h"

template <class EarlyRec, class ExRec, class Ex2Rec, class CommRec>
struct PmRecordEntry {
    using EarlyRecord = EarlyRec;
    using ExRecord = ExRec;
    using Ex2Record = Ex2Rec;
    using CommonRecordType = CommRec;

    std::int32_t Generation;  // 1, 2 or 3: which member of Record holds the copy
    union {
        EarlyRec Early;  // generation 1
        ExRec Ex;        // generation 2
        Ex2Rec Ex2;      // generation 3
    } Record;
    const void* SourceRecord;  // null: the reader's records are released once converted
    CommRec* CommonRecord;     // the record in the common list
};

using PmAddrEntry = PmRecordEntry<PmAddrRec, PmAddrExRec, PmAddrEx2Rec, CommAddrRec>;
using PmDateEntry = PmRecordEntry<PmDateRec, PmDateExRec, PmDateEx2Rec, CommDateRec>;
using PmTodoEntry = PmRecordEntry<PmTodoRec, PmTodoExRec, PmTodoEx2Rec, CommTaskRec>;
using PmMemoEntry = PmRecordEntry<PmMemoRec, PmMemoExRec, PmMemoEx2Rec, CommNoteRec>;

static_assert(std::is_trivially_copyable_v<PmAddrEntry> && std::is_trivially_copyable_v<PmMemoEntry>,
              "entries are copied as bytes into the common records' native copies");
