#pragma once
// The Windows broken-down time and the OLE Automation date, with the
// conversions between them that the Windows automation library offers.
#include <cstdint>

struct SYSTEMTIME {
    std::uint16_t wYear;
    std::uint16_t wMonth;
    std::uint16_t wDayOfWeek;  // 0 = Sunday
    std::uint16_t wDay;
    std::uint16_t wHour;
    std::uint16_t wMinute;
    std::uint16_t wSecond;
    std::uint16_t wMilliseconds;
};

// Days since 30 December 1899 00:00, the time of day as fraction. Dates
// before that day count the days backwards while the fraction stays a
// positive time of day: -1.25 is 29 December 1899, 06:00.
using DATE = double;

namespace platform {

// The Windows conversion rules: year 100 to 9999, month 1 to 12, day within
// the month, hour below 24, minute and second below 60; the day of week and
// the milliseconds are ignored. False for any other value.
bool SystemTimeToVariantTime(const SYSTEMTIME& st, DATE& out);

// The same for a wall-clock time given by its parts.
bool WallClockToVariantTime(int year, int month, int day, int hour, int minute, int second, DATE& out);

// The reverse, rounded to the nearest second; the day of week is set and
// the milliseconds are 0. False outside the years 100 to 9999.
bool VariantTimeToSystemTime(DATE date, SYSTEMTIME& out);

// Day number of a civil date, counted from 1 January 1970.
std::int64_t DaysFromCivil(int year, unsigned month, unsigned day);

}  // namespace platform
