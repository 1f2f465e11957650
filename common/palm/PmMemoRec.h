#pragma once
// The native records of the Palm Desktop memo pad "memopad.dat" in its two
// generations.
#include <cstdint>

#include "common/palm/PmDataMgr.h"
#include "common/palm/PmRecordTypes.h"

// A memo of the 4.1.4 format (14 field positions).
struct PmMemoExRec {
    std::int32_t RecordID;    // 0
    std::int32_t Unused1;     // 1
    std::int32_t Status;      // 2
    std::int32_t Unused3;     // 3
    std::int32_t Placement;   // 4
    std::int32_t CategoryID;  // 5
    std::int32_t Private;     // 6
    PmExtBlock ExtBlock[4];   // 7 to 10
    char Unused11[32];        // 11
    char Unused12[32];        // 12
    char Text[65535];         // 13
    char CategoryName[64];    // the name of category CategoryID (up to 63 bytes of UTF-8)
};

// A memo of the earlier format (6 field positions).
struct PmMemoRec {
    std::int32_t RecordID;    // 0
    std::int32_t Status;      // 1
    std::int32_t Placement;   // 2
    char Text[65536];         // 3
    std::int32_t Private;     // 4
    std::int32_t CategoryID;  // 5 (no name is looked up)
};

using PmMemoExDataMgr = PmDataMgr<PmMemoExRec>;
using PmMemoDataMgr = PmDataMgr<PmMemoRec>;

extern const PmRecordLayout kPmMemoExLayout;
extern const PmRecordLayout kPmMemoLayout;
