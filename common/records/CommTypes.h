#pragma once
// The enumerations and the small structures shared by the four common
// record kinds.
#include <cstdint>

#include "platform/clock/SystemTime.h"

// Result of the comparison of a source record with the target list.
enum CommStatus : std::int32_t {
    CommStatusSame = 0,
    CommStatusNew = 1,
    CommStatusDifferent = 2,
};

// The application a record came from.
enum CommSourceType : std::int32_t {
    CommSourcePalm = 1,
    CommSourcePalm412 = 2,  // to-dos of a 4.1.4 data file
    CommSourceOutlook = 3,
    CommSourceWab = 4,
    CommSourceMsn = 5,
    CommSourceIcq = 6,
    CommSourceYahoo = 7,
    CommSourceGoogle = 8,
    CommSourceDomino = 9,
    CommSourceEndora = 10,
    CommSourceCsv = 11,
    CommSourceXml = 12,
    CommSourceVCard = 13,
    CommSourceDatabase = 14,
    CommSourceNorrbekContact = 15,
    CommSourcePalm6 = 16,  // to-dos of a 6.x database
    CommSourceAct = 17,
    CommSourceDynamics = 19,
    CommSourceSalesforce = 21,
    CommSourceSugar = 22,
};

// The label of a source type, or an empty text when it has none.
const char* CommSourceTypeLabel(std::int32_t type);

enum CommRepeatType : std::int32_t {
    CommRepeatNone = 0,
    CommRepeatDaily = 1,          // Interval
    CommRepeatWeekly = 2,         // Interval, DayOfWeekMask
    CommRepeatMonthlyByDay = 3,   // Interval, Instance, DayOfWeekMask
    CommRepeatMonthlyByDate = 4,  // Interval, DayOfMonth
    CommRepeatYearlyByDay = 5,    // Interval, Instance, MonthOfYear, DayOfWeekMask
    CommRepeatYearlyByDate = 6,   // DayOfMonth, MonthOfYear
};

// The priority of a task.
enum CommPriority : std::int32_t {
    CommPriorityNormal = 0,
    CommPriorityHigh = 1,
    CommPriorityLow = 2,
};

// Reminder units.
enum CommReminderUnit : std::int32_t {
    CommUnitMinutes = 1,
    CommUnitHours = 2,
    CommUnitDays = 3,
    CommUnitWeeks = 4,
};

struct CommAddress {
    char Street[256];
    char City[32];
    char State[32];
    char PostalCode[16];
    char Country[32];
    char PoBox[16];
    char Neighborhood[32];
};

struct CommRepeatInfo {
    std::int32_t Type;  // CommRepeatType
    std::uint8_t HasEnd;
    SYSTEMTIME StartDate;
    SYSTEMTIME EndDate;
    std::int32_t Interval;
    std::int32_t DayOfWeekMask;  // bit 0 Sunday ... bit 6 Saturday
    std::int32_t DayOfMonth;
    std::int32_t MonthOfYear;
    std::int32_t Instance;  // 1 to 5, 5 = last
};

struct CommReminder {
    std::int32_t Method;
    std::int32_t Amount;
    std::int32_t Unit;  // CommReminderUnit
};
