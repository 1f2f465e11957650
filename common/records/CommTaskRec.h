#pragma once
// The common task record.
#include <cstdint>

#include "common/records/CommTypes.h"

struct CommTaskRec {
    char Subject[256];
    char Note[8192];
    char Category[256];
    std::int32_t Priority;  // CommPriority
    std::uint8_t Completed;
    std::int32_t DueDate;  // epoch time
    std::uint8_t Alarm;
    std::uint8_t Private;
    std::uint8_t ReminderSet;
    std::uint8_t ReminderOverrideDefault;
    std::uint8_t ReminderPlaySound;
    char ReminderSoundFile[260];
    std::int32_t ReminderTime;  // epoch time
    CommRepeatInfo Repeat;
    char Role[32];
    char Mileage[32];
    char CardData[256];
    std::int32_t Ordinal;
    std::uint8_t TeamTask;
    std::int32_t TotalWork;  // minutes
    std::int32_t PercentComplete;
    std::uint8_t IsRecurring;
    std::int32_t StartDate;  // epoch time
    std::int32_t Sensitivity;
    std::int32_t TaskStatus;
    std::int32_t ResponseState;
    DATE CreationTime;
    DATE LastModificationTime;
    std::int32_t SourceType;
    std::int32_t Status;
    std::int32_t IdNumber;
    void* NativeRecord;
    std::uint32_t NativeSize;
    CommTaskRec* Counterpart;
};
