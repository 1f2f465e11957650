#pragma once
// The native records of the Palm Desktop datebook "datebook.dat" in its two
// generations.
#include <cstdint>

#include "common/palm/PmDataMgr.h"
#include "common/palm/PmRecordTypes.h"

// An event of the 4.1.4 format (27 field positions).
struct PmDateExRec {
    std::int32_t RecordID;          // 0
    std::int32_t Unused1;           // 1
    std::int32_t Status;            // 2
    std::int32_t Unused3;           // 3
    std::int32_t Placement;         // 4
    std::int32_t CategoryID;        // 5
    std::int32_t Unused6;           // 6
    PmExtBlock ExtBlock[4];         // 7 to 10
    char Unused11[32];              // 11
    char Unused12[32];              // 12
    std::int32_t StartDate;         // 13, seconds since 1970
    std::int32_t EndDate;           // 14
    char Description[256];          // 15
    std::int32_t Unused16;          // 16
    char Note[8192];                // 17
    std::int32_t Untimed;           // 18: all-day event
    std::int32_t AlarmSet;          // 19
    std::int32_t AlarmAdvance;      // 20
    std::int32_t AlarmAdvanceUnit;  // 21: 0 minutes, 1 hours, 2 days
    PmRepeatInfo Repeat;            // 22
    char Location[256];             // 23
    std::int32_t Unused24;          // 24
    char Unused25[32];              // 25
    char Unused26[32];              // 26
    char CategoryName[64];          // the name of category CategoryID (up to 63 bytes of UTF-8)
};

// An event of the earlier format (15 field positions).
struct PmDateRec {
    std::int32_t RecordID;          // 0
    std::int32_t Status;            // 1
    std::int32_t Placement;         // 2
    std::int32_t StartDate;         // 3, seconds since 1970
    std::int32_t EndDate;           // 4
    char Description[512];          // 5
    std::int32_t Unused6;           // 6
    char Note[8192];                // 7
    std::int32_t Untimed;           // 8
    std::int32_t Unused9;           // 9
    std::int32_t CategoryID;        // 10 (no name is looked up)
    std::int32_t AlarmSet;          // 11
    std::int32_t AlarmAdvance;      // 12
    std::int32_t AlarmAdvanceUnit;  // 13
    PmRepeatInfo Repeat;            // 14
};

using PmDateExDataMgr = PmDataMgr<PmDateExRec>;
using PmDateDataMgr = PmDataMgr<PmDateRec>;

extern const PmRecordLayout kPmDateExLayout;
extern const PmRecordLayout kPmDateLayout;
