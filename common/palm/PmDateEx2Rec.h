#pragma once
// The native record of a Palm Desktop 6.x calendar database
// ("DateBook.mdb"): one row of its table "Main". Members are named after
// the columns; text capacities count the terminator.
#include <cstdint>

#include "common/palm/PmDataMgr.h"
#include "common/palm/PmRecordTypes.h"

struct PmDateEx2Rec {
    std::int32_t RecordID;      // "Record ID"
    std::int32_t Status;        // "Status"
    std::int32_t Placement;     // "Placement"
    std::int32_t Private;       // "Private" (0 or 1)
    std::int32_t CategoryID;    // "Category"
    char Note[8192];            // "Note"
    std::int32_t StartTime;     // "Start Time", seconds since 1970
    std::int32_t EndTime;       // "End Time", seconds since 1970
    std::int32_t Untimed;       // "Untimed": all-day event (0 or 1)
    char TimeZone[64];          // "Time Zone"
    char Location[256];         // "Location"
    char Summary[256];          // "Summary"
    std::int32_t Alarm;         // "Alarm" (0 or 1)
    std::int32_t AlarmAdvance;  // "Alarm Advance"
    std::int32_t AlarmUnit;     // "Alarm Unit": 0 minutes, 1 hours, 2 days
    char RepeatedEvent[256];    // "Repeated Event", the rule as text
    // Not columns: the name of category CategoryID, and the rule parsed
    // from RepeatedEvent.
    char CategoryName[64];
    PmRepeatInfo Repeat;
};

using PmDateEx2DataMgr = PmDataMgr<PmDateEx2Rec>;
