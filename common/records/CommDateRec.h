#pragma once
// The common calendar event record.
#include <cstdint>

#include "common/records/CommTypes.h"

struct CommDateRec {
    std::int32_t EventType;  // 0 appointment, 1 meeting, 2 call, 3 to-do
    char Subject[256];
    std::int32_t AllDay;
    SYSTEMTIME Start;
    SYSTEMTIME End;
    std::int32_t Alarm;
    std::int32_t DurationMinutes;  // end minus start time of day; dates not considered
    char Note[8192];
    char Location[256];
    CommRepeatInfo Repeat;
    std::int32_t Private;
    char Category[64];
    std::int32_t Importance;
    std::int32_t ReminderCount;  // 0 to 3
    CommReminder Reminders[3];
    std::int32_t Transparency;
    std::int32_t Visibility;
    DATE CreationTime;
    DATE LastModificationTime;
    std::int32_t SourceType;
    std::int32_t Status;
    void* NativeRecord;
    std::uint32_t NativeSize;
    CommDateRec* Counterpart;
};
