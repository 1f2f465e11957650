#pragma once
// The native record of a Palm Desktop 6.x tasks database
// ("Todolist.mdb"): one row of its table "Main". Members are named after
// the columns; text capacities count the terminator.
#include <cstdint>

#include "common/palm/PmDataMgr.h"
#include "common/palm/PmRecordTypes.h"

struct PmTodoEx2Rec {
    std::int32_t RecordID;              // "Record ID"
    std::int32_t Status;                // "Status"
    std::int32_t Placement;             // "Placement"
    std::int32_t Private;               // "Private" (0 or 1)
    std::int32_t CategoryID;            // "Category"
    char Note[8192];                    // "Note"
    char Description[256];              // "Description"
    std::int32_t DueDate;               // "Due Date", seconds since 1970
    std::int32_t Completed;             // "Completed" (0 or 1)
    std::int32_t Priority;              // "Priority"
    std::int32_t RepeatOnCompleteDate;  // "Repeat On Complete Date" (0 or 1)
    std::int32_t CompleteDate;          // "Complete Date"
    std::int32_t AlarmSet;              // "Alarm Set" (0 or 1)
    std::int32_t AlarmTime;             // "Alarm Time"
    std::int32_t AlarmAdvance;          // "Alarm Advance"
    std::int32_t RepeatStartDate;       // "Repeat Start Date"
    char RepeatInfo[256];               // "Repeat Info", the rule as text
    // Not columns: the name of category CategoryID, and the rule parsed
    // from RepeatInfo.
    char CategoryName[64];
    PmRepeatInfo Repeat;
};

using PmTodoEx2DataMgr = PmDataMgr<PmTodoEx2Rec>;
