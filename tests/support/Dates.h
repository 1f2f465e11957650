#pragma once
// Dates as the tests build them: seconds since 1970 of a wall-clock time,
// read as UTC or as the process's local time, and wall-clock times.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/clock/SystemTime.h"

namespace fwtest {

inline std::tm WallClock(int y, int mo, int d, int h, int mi) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_isdst = -1;
    return tm;
}

// As the Palm fixture writers write a date value.
inline std::int32_t UtcSeconds(int y, int mo, int d, int h = 0, int mi = 0) {
    std::tm tm = WallClock(y, mo, d, h, mi);
    return static_cast<std::int32_t>(::timegm(&tm));
}

// As Palm Desktop writes a local date and time.
inline std::int32_t LocalSeconds(int y, int mo, int d, int h = 0, int mi = 0) {
    std::tm tm = WallClock(y, mo, d, h, mi);
    return static_cast<std::int32_t>(std::mktime(&tm));
}

// A wall-clock time as a SYSTEMTIME (no day of the week).
inline SYSTEMTIME At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(y);
    st.wMonth = static_cast<std::uint16_t>(mo);
    st.wDay = static_cast<std::uint16_t>(d);
    st.wHour = static_cast<std::uint16_t>(h);
    st.wMinute = static_cast<std::uint16_t>(mi);
    st.wSecond = static_cast<std::uint16_t>(s);
    return st;
}

// A local wall-clock time as the OLE date the helpers write.
inline double OleDate(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double date = 0.0;
    platform::SystemTimeToVariantTime(At(y, mo, d, h, mi, s), date);
    return date;
}

// A time to the minute, "2026-06-19 08:30"; an empty time is all zeros.
inline std::string MinuteText(const SYSTEMTIME& st) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
    return buf;
}

}  // namespace fwtest
