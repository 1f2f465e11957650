#pragma once
// The value conversions that the Palm record sets share: Palm dates, repeat
// rules, alarm units, priorities, packed birthdays and memo subjects.
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "common/palm/PmRecordTypes.h"
#include "common/palm/PmValueCuts.h"
#include "common/records/CommTypes.h"

// Every generation keeps a timed value (an event's start and end) as an
// instant: Palm Desktop turned the wall-clock time it showed into seconds
// since 1970 through the local time zone, and shows it back the same way.
// A Palm date as local date and time with its day of week and milliseconds
// 0; false (and all zero) when it cannot be converted.
bool PmDateToSystemTime(std::int32_t seconds, SYSTEMTIME& out);

// A Palm date value that stands for "no date" (a to-do without a due date,
// an event without an end): 0 and every value before 1970. Palm Desktop
// writes 0xFFFFFFFF there, which reads as -1.
inline bool PmIsNoDate(std::int32_t seconds) { return seconds <= 0; }

// Palm Desktop keeps a date without a time of day (the day of an untimed
// event, a due date) either as local midnight or as midnight UTC. The local
// time of that day's midnight; -1 for no date or a value it cannot convert.
std::time_t PmDayToLocalMidnight(std::int32_t seconds);
// The day as a local date, with the local time of day of a value that is
// no UTC midnight (00:00:00 for one that is); false (and all zero) for no
// date.
bool PmDayToSystemTime(std::int32_t seconds, SYSTEMTIME& out);

// The last year in which a repeat end date is a real end. Palm Desktop
// stores "no end" as a date far in the future (1956499199, the last second
// of 2031); every end date from 2031 on counts as that.
inline constexpr int kPmLastEndYear = 2030;

// A Palm repeat rule as a common repeat rule. Weekday indexes count from
// Sunday = 0 and week indexes from the first week = 0 (4 = the last week);
// the common rule has a weekday bit mask and counts weeks from 1 (5 =
// last). For generation 3 the weekday of a monthly rule comes from the day
// mask of its text, for the .dat generations from the day index.
void PmConvertRepeat(const PmRepeatInfo& in, int generation, CommRepeatInfo& out);

// Common reminder unit of a Palm advance unit: 0 minutes, 1 hours, 2 days;
// anything else minutes.
std::int32_t PmReminderUnit(std::int32_t palmUnit);

// Common task priority of a Palm priority: 1 high (1), 5 low (2), anything
// else normal (0).
std::int32_t PmTaskPriority(std::int32_t palmPriority);

// Palm stores a birthday or anniversary as the date packed into a number,
// year << 16 | month << 8 | day (1970-01-01 is 0x07B20101). The OLE date of
// that day, or 0 when the number is 0 or no valid date.
DATE PmPackedDateToOle(std::uint32_t packed);
// The same for the packed number held in a double (4.1.4 address books).
DATE PmPackedDateToOle(double packed);

// The subject of a memo: its first line (up to the first CR LF, CR or LF),
// cut to the capacity.
void PmMemoSubject(const char* text, char* subject, std::size_t capacity);

// The category name a Palm record hands on: none for category 0 ("Unfiled"
// in the .dat files, none at all in 6.x) and none when the name is only
// the ID's own number (a 6.x memo whose category the table does not know).
const char* PmCategoryOf(std::int32_t id, const char* name);
