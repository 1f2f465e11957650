#pragma once
// The native records of the Palm Desktop to-do list "todo.dat" in its two
// generations.
#include <cstdint>

#include "common/palm/PmDataMgr.h"
#include "common/palm/PmRecordTypes.h"

// A to-do of the 4.1.4 format (25 field positions).
struct PmTodoExRec {
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
    char Description[256];    // 13
    std::int32_t DueDate;     // 14, seconds since 1970
    std::int32_t Completed;   // 15
    std::int32_t Priority;    // 16
    char Note[8192];          // 17
    std::int32_t Unused18;    // 18
    std::int32_t Unused19;    // 19
    std::int32_t AlarmSet;    // 20
    std::int32_t Unused21;    // 21
    std::int32_t Unused22;    // 22
    std::int32_t Unused23;    // 23
    PmRepeatInfo Repeat;      // 24
    char CategoryName[64];    // the name of category CategoryID (up to 63 bytes of UTF-8)
};

// A to-do of the earlier format (10 field positions).
struct PmTodoRec {
    std::int32_t RecordID;    // 0
    std::int32_t Status;      // 1
    std::int32_t Placement;   // 2
    char Description[8192];   // 3
    std::int32_t DueDate;     // 4
    std::int32_t Completed;   // 5
    std::int32_t Priority;    // 6
    std::int32_t Private;     // 7
    std::int32_t CategoryID;  // 8 (no name is looked up)
    char Note[8192];          // 9
    char CategoryName[32];    // stays empty
};

using PmTodoExDataMgr = PmDataMgr<PmTodoExRec>;
using PmTodoDataMgr = PmDataMgr<PmTodoRec>;

extern const PmRecordLayout kPmTodoExLayout;
extern const PmRecordLayout kPmTodoLayout;
