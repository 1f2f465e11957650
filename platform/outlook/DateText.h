#pragma once
// Date texts of the vCard and iCalendar files: local dates and times as
// written there, and the conversions to and from UTC through the local time
// zone.
#include <ctime>
#include <string>
#include <string_view>

namespace platform::outlook {

// "YYYYMMDDTHHMMSS" of a local date value; empty for 0.
std::string FormatLocalDateTime(double date);
// "YYYYMMDD".
std::string FormatDateOnly(double date);
// "YYYY-MM-DD".
std::string FormatIsoDate(double date);
// "YYYYMMDDTHHMMSSZ" of a local date value taken through the local time zone.
std::string FormatUtcDateTime(double date);
// Reads "YYYYMMDD", "YYYY-MM-DD", each optionally followed by "T" and
// "HHMMSS" or "HH:MM:SS" (fractions ignored), then "Z" or an offset
// "+HH:MM"/"+HHMM" (converted to local time). False for anything else,
// among them dates without a year.
bool ParseDateText(std::string_view text, double& out, bool* dateOnly = nullptr);
// Local date value of a UTC time, and the reverse; false when it does not convert.
bool UtcToLocalDate(std::time_t utc, double& out);
bool LocalDateToUtc(double date, std::time_t& out);
// True when a date value has no time of day.
bool IsMidnight(double date);
// A local date value moved by a number of seconds of real time (across a
// change of daylight saving time the clock moves by one hour more or less),
// and the real seconds between two local date values; 0 for none.
double AddSeconds(double date, long long seconds);
long long SecondsBetween(double from, double to);
// The day of a date value, without its time of day; 0 for none.
double DayOf(double date);

}  // namespace platform::outlook
