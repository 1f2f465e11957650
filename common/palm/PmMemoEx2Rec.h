#pragma once
// The native record of a Palm Desktop 6.x memo database ("MemoPad.mdb"):
// one row of its table "Main".
#include <cstdint>

#include "common/palm/PmDataMgr.h"

struct PmMemoEx2Rec {
    std::int32_t RecordID;    // "Record ID"
    std::int32_t Status;      // "Status"
    std::int32_t Placement;   // "Placement"
    std::int32_t Private;     // "Private" (0 or 1)
    std::int32_t CategoryID;  // the leading number of "Category"
    // The category's name from the category table; when the table does not
    // know CategoryID, the "Category" column's own text.
    char CategoryName[64];
    char Note[40960];         // "Note", the memo text
    std::int32_t NoteLength;  // bytes of Note as kept
};

using PmMemoEx2DataMgr = PmDataMgr<PmMemoEx2Rec>;
