#pragma once
// One point in time, held both as an OLE Automation date and as a
// broken-down local time, and the free date functions of the system. No
// time-zone conversion happens here: every value is a local time.
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "platform/clock/SystemTime.h"

class CxDateTime {
public:
    CxDateTime();  // now
    explicit CxDateTime(const SYSTEMTIME& st);
    explicit CxDateTime(DATE date);

    void SetVariantTime(DATE date);
    void SetSystemTime(const SYSTEMTIME& st);
    void SetTimeT(std::time_t t);

    // "%02d/%02d/%04d" (month, day, year); empty outside the years 1931 to 2030.
    void FormatDate(char* buffer, std::size_t size) const;
    // "%02d:%02d:%02d" (hour, minute, second).
    void FormatTime(char* buffer, std::size_t size) const;
    // The date, a blank and the time.
    void FormatDateTime(char* buffer, std::size_t size) const;

    DATE GetVariantTime() const { return m_date; }
    const SYSTEMTIME& GetSystemTime() const { return m_st; }
    bool IsValid() const { return m_valid; }

private:
    DATE m_date = 0.0;
    SYSTEMTIME m_st{};
    bool m_valid = false;
};

// The date value's broken-down time, to seconds, through the C library's
// local mktime (daylight saving left to the library). -1 when it cannot be
// converted.
std::time_t VariantTimeToTimeT(DATE date);
// The same as the 32-bit epoch time the task records hold: 0 for the date
// 0 and for a date that cannot be converted or lies outside that range.
std::int32_t VariantTimeToEpoch32(DATE date);
// The local-time conversion of a time_t to a date value; false on failure.
bool TimeTToVariantTime(std::time_t t, DATE& out);
// The local broken-down time of a time_t; false on failure.
bool TimeTToSystemTime(std::time_t t, SYSTEMTIME& out);
// The broken-down time through mktime; -1 when it cannot be converted.
std::time_t SystemTimeToTimeT(const SYSTEMTIME& st);

// hour * 60 + minute.
int GetMinutesOfDay(const SYSTEMTIME& st);
// hour = minutes / 60, minute = minutes % 60; the date is untouched.
void SetTimeOfDay(int minutes, SYSTEMTIME& st);
// Minutes of day plus `minutes`, 0 when negative, stored back with
// SetTimeOfDay: an hour of 24 or more is not carried into the date.
void AddMinutes(SYSTEMTIME& st, int minutes);
// That day plus `days`, at 00:00:00; false when the date cannot be
// converted (the time is then left as it was).
bool AddDays(SYSTEMTIME& st, int days);
// An all-day event covers whole days. Outlook keeps such an event from the
// midnight that begins its first day to the midnight that ends its last
// one, so the same event reads back alike: the start moves to the
// beginning of its day and the end to the end of its last day (an end that
// is already a later midnight stays). Nothing changes without a start.
void SpanWholeDays(SYSTEMTIME& start, SYSTEMTIME& end);
// Minutes of day of the first minus those of the second.
int MinutesBetween(const SYSTEMTIME& first, const SYSTEMTIME& second);
// 28 to 31; 0 for a month outside 1 to 12.
int DaysInMonth(int year, int month);
bool IsLeapYear(int year);
