#include "common/misc/CxDateTime.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/clock/Clock.h"

namespace {

void FillFromTm(const std::tm& tm, SYSTEMTIME& st) {
    st = SYSTEMTIME{};
    st.wYear = static_cast<std::uint16_t>(tm.tm_year + 1900);
    st.wMonth = static_cast<std::uint16_t>(tm.tm_mon + 1);
    st.wDayOfWeek = static_cast<std::uint16_t>(tm.tm_wday);
    st.wDay = static_cast<std::uint16_t>(tm.tm_mday);
    st.wHour = static_cast<std::uint16_t>(tm.tm_hour);
    st.wMinute = static_cast<std::uint16_t>(tm.tm_min);
    st.wSecond = static_cast<std::uint16_t>(tm.tm_sec);
}

}  // namespace

CxDateTime::CxDateTime() {
    const platform::LocalTime now = platform::LocalNow();
    m_st.wYear = static_cast<std::uint16_t>(now.year);
    m_st.wMonth = static_cast<std::uint16_t>(now.month);
    m_st.wDayOfWeek = static_cast<std::uint16_t>(now.dayOfWeek);
    m_st.wDay = static_cast<std::uint16_t>(now.day);
    m_st.wHour = static_cast<std::uint16_t>(now.hour);
    m_st.wMinute = static_cast<std::uint16_t>(now.minute);
    m_st.wSecond = static_cast<std::uint16_t>(now.second);
    m_st.wMilliseconds = static_cast<std::uint16_t>(now.millisecond);
    m_valid = platform::SystemTimeToVariantTime(m_st, m_date);
}

CxDateTime::CxDateTime(const SYSTEMTIME& st) { SetSystemTime(st); }

CxDateTime::CxDateTime(DATE date) { SetVariantTime(date); }

void CxDateTime::SetVariantTime(DATE date) {
    m_date = date;
    m_valid = platform::VariantTimeToSystemTime(date, m_st);
}

void CxDateTime::SetSystemTime(const SYSTEMTIME& st) {
    m_st = st;
    m_valid = platform::SystemTimeToVariantTime(m_st, m_date);
}

void CxDateTime::SetTimeT(std::time_t t) {
    std::tm tm{};
    if (!platform::ToLocalTm(t, tm)) {
        m_valid = false;
        return;
    }
    FillFromTm(tm, m_st);
    m_valid = platform::SystemTimeToVariantTime(m_st, m_date);
}

void CxDateTime::FormatDate(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0) return;
    if (m_st.wYear > 2030 || m_st.wYear < 1931) {
        buffer[0] = '\0';
        return;
    }
    std::snprintf(buffer, size, "%02d/%02d/%04d", m_st.wMonth, m_st.wDay, m_st.wYear);
}

void CxDateTime::FormatTime(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0) return;
    std::snprintf(buffer, size, "%02d:%02d:%02d", m_st.wHour, m_st.wMinute, m_st.wSecond);
}

void CxDateTime::FormatDateTime(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0) return;
    char date[32], time[32];
    FormatDate(date, sizeof date);
    FormatTime(time, sizeof time);
    std::snprintf(buffer, size, "%s %s", date, time);
}

std::time_t SystemTimeToTimeT(const SYSTEMTIME& st) {
    std::tm tm{};
    tm.tm_year = st.wYear - 1900;
    tm.tm_mon = st.wMonth - 1;
    tm.tm_mday = st.wDay;
    tm.tm_hour = st.wHour;
    tm.tm_min = st.wMinute;
    tm.tm_sec = st.wSecond;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

std::time_t VariantTimeToTimeT(DATE date) {
    SYSTEMTIME st{};
    if (!platform::VariantTimeToSystemTime(date, st)) return static_cast<std::time_t>(-1);
    return SystemTimeToTimeT(st);
}

std::int32_t VariantTimeToEpoch32(DATE date) {
    if (date == 0.0) return 0;
    const std::time_t t = VariantTimeToTimeT(date);
    if (t == static_cast<std::time_t>(-1) || t <= std::numeric_limits<std::int32_t>::min() ||
        t > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(t);
}

bool TimeTToSystemTime(std::time_t t, SYSTEMTIME& out) {
    std::tm tm{};
    if (!platform::ToLocalTm(t, tm)) return false;
    FillFromTm(tm, out);
    return true;
}

bool TimeTToVariantTime(std::time_t t, DATE& out) {
    SYSTEMTIME st{};
    return TimeTToSystemTime(t, st) && platform::SystemTimeToVariantTime(st, out);
}

int GetMinutesOfDay(const SYSTEMTIME& st) { return st.wHour * 60 + st.wMinute; }

void SetTimeOfDay(int minutes, SYSTEMTIME& st) {
    st.wHour = static_cast<std::uint16_t>(minutes / 60);
    st.wMinute = static_cast<std::uint16_t>(minutes % 60);
}

void AddMinutes(SYSTEMTIME& st, int minutes) {
    int total = GetMinutesOfDay(st) + minutes;
    if (total < 0) total = 0;
    SetTimeOfDay(total, st);
}

bool AddDays(SYSTEMTIME& st, int days) {
    DATE date = 0.0;
    if (!platform::SystemTimeToVariantTime(st, date)) return false;
    SYSTEMTIME result{};
    if (!platform::VariantTimeToSystemTime(std::trunc(date) + days, result)) return false;
    st = result;
    return true;
}

namespace {

long DayKey(const SYSTEMTIME& st) { return st.wYear * 10000L + st.wMonth * 100L + st.wDay; }

}  // namespace

void SpanWholeDays(SYSTEMTIME& start, SYSTEMTIME& end) {
    if (start.wYear == 0) return;
    SYSTEMTIME first = start;
    if (!AddDays(first, 0)) return;
    SYSTEMTIME last = end.wYear != 0 && DayKey(end) > DayKey(start) ? end : start;
    const bool endsAtMidnight = end.wHour == 0 && end.wMinute == 0 && end.wSecond == 0;
    SYSTEMTIME after = last;
    if (!(DayKey(last) > DayKey(start) && endsAtMidnight) && !AddDays(after, 1)) return;
    if (!AddDays(after, 0)) return;
    start = first;
    end = after;
}

int MinutesBetween(const SYSTEMTIME& first, const SYSTEMTIME& second) {
    return GetMinutesOfDay(first) - GetMinutesOfDay(second);
}

bool IsLeapYear(int year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}
