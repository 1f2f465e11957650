#include "platform/outlook/DateText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/clock/Clock.h"
#include "platform/clock/SystemTime.h"

namespace platform::outlook {

namespace {

bool Digits(std::string_view s, std::size_t pos, std::size_t n, int& out) {
    if (pos + n > s.size()) return false;
    out = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = s[pos + i];
        if (c < '0' || c > '9') return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

std::time_t TimeGm(int y, int mo, int d, int h, int mi, int s) {
    const std::int64_t days = DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d));
    return static_cast<std::time_t>(days * 86400 + h * 3600 + mi * 60 + s);
}

}  // namespace

std::string FormatLocalDateTime(double date) {
    SYSTEMTIME st{};
    if (date == 0.0 || !VariantTimeToSystemTime(date, st)) return std::string();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04u%02u%02uT%02u%02u%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                  st.wSecond);
    return buf;
}

std::string FormatDateOnly(double date) {
    SYSTEMTIME st{};
    if (date == 0.0 || !VariantTimeToSystemTime(date, st)) return std::string();
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04u%02u%02u", st.wYear, st.wMonth, st.wDay);
    return buf;
}

std::string FormatIsoDate(double date) {
    SYSTEMTIME st{};
    if (date == 0.0 || !VariantTimeToSystemTime(date, st)) return std::string();
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u", st.wYear, st.wMonth, st.wDay);
    return buf;
}

std::string FormatUtcDateTime(double date) {
    std::time_t t = 0;
    if (!LocalDateToUtc(date, t)) return std::string();
    std::tm tm{};
    if (gmtime_r(&t, &tm) == nullptr || tm.tm_year + 1900 < 100 || tm.tm_year + 1900 > 9999) return std::string();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d%02d%02dZ", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

bool UtcToLocalDate(std::time_t utc, double& out) {
    std::tm tm{};
    if (!ToLocalTm(utc, tm)) return false;
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(tm.tm_year + 1900);
    st.wMonth = static_cast<std::uint16_t>(tm.tm_mon + 1);
    st.wDay = static_cast<std::uint16_t>(tm.tm_mday);
    st.wHour = static_cast<std::uint16_t>(tm.tm_hour);
    st.wMinute = static_cast<std::uint16_t>(tm.tm_min);
    st.wSecond = static_cast<std::uint16_t>(tm.tm_sec);
    return tm.tm_year + 1900 >= 100 && tm.tm_year + 1900 <= 9999 && SystemTimeToVariantTime(st, out);
}

namespace {

bool ComputeLocalDateToUtc(double date, std::time_t& out) {
    SYSTEMTIME st{};
    if (date == 0.0 || !VariantTimeToSystemTime(date, st)) return false;
    std::tm tm{};
    tm.tm_year = st.wYear - 1900;
    tm.tm_mon = st.wMonth - 1;
    tm.tm_mday = st.wDay;
    tm.tm_hour = st.wHour;
    tm.tm_min = st.wMinute;
    tm.tm_sec = st.wSecond;
    tm.tm_isdst = -1;
    out = std::mktime(&tm);
    return out != static_cast<std::time_t>(-1) || (st.wYear == 1969 && st.wMonth == 12 && st.wDay == 31);
}

}  // namespace

bool LocalDateToUtc(double date, std::time_t& out) {
    // The items of a run share their times (the moment each was saved, to
    // the second): the last answer is kept with the zone it was found in,
    // sparing the system a look at its zone file for every item.
    struct Answer {
        double date = 0.0;
        std::string zone;
        bool zoneSet = false;
        std::time_t utc = 0;
        bool found = false;
    };
    thread_local Answer last;
    const char* zone = std::getenv("TZ");
    if (last.found && last.date == date && last.zoneSet == (zone != nullptr) && (zone == nullptr || last.zone == zone)) {
        out = last.utc;
        return true;
    }
    if (!ComputeLocalDateToUtc(date, out)) return false;
    last.date = date;
    last.zoneSet = zone != nullptr;
    last.zone = zone != nullptr ? zone : "";
    last.utc = out;
    last.found = true;
    return true;
}

bool ParseDateText(std::string_view text, double& out, bool* dateOnly) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    std::size_t pos = 0;
    if (!Digits(text, 0, 4, y)) return false;
    pos = 4;
    const bool dashed = pos < text.size() && text[pos] == '-';
    if (dashed) ++pos;
    if (!Digits(text, pos, 2, mo)) return false;
    pos += 2;
    if (dashed) {
        if (pos >= text.size() || text[pos] != '-') return false;
        ++pos;
    }
    if (!Digits(text, pos, 2, d)) return false;
    pos += 2;
    bool hasTime = false;
    if (pos < text.size() && (text[pos] == 'T' || text[pos] == 't')) {
        ++pos;
        hasTime = true;
        if (!Digits(text, pos, 2, h)) return false;
        pos += 2;
        const bool colons = pos < text.size() && text[pos] == ':';
        if (colons) ++pos;
        if (!Digits(text, pos, 2, mi)) return false;
        pos += 2;
        if (colons) {
            if (pos < text.size() && text[pos] == ':') {
                ++pos;
                if (!Digits(text, pos, 2, s)) return false;
                pos += 2;
            }
        } else if (Digits(text, pos, 2, s)) {
            pos += 2;
        }
        if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
            ++pos;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
        }
    }
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60) return false;
    if (s == 60) s = 59;
    if (dateOnly) *dateOnly = !hasTime;
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(y);
    st.wMonth = static_cast<std::uint16_t>(mo);
    st.wDay = static_cast<std::uint16_t>(d);
    st.wHour = static_cast<std::uint16_t>(h);
    st.wMinute = static_cast<std::uint16_t>(mi);
    st.wSecond = static_cast<std::uint16_t>(s);
    if (pos == text.size()) return SystemTimeToVariantTime(st, out);
    if (!hasTime) return false;
    // A UTC time or an offset from it.
    int offset = 0;
    if (text[pos] == 'Z' || text[pos] == 'z') {
        ++pos;
    } else if (text[pos] == '+' || text[pos] == '-') {
        const int sign = text[pos] == '-' ? -1 : 1;
        ++pos;
        int oh = 0, om = 0;
        if (!Digits(text, pos, 2, oh)) return false;
        pos += 2;
        if (pos < text.size() && text[pos] == ':') ++pos;
        if (pos < text.size()) {
            if (!Digits(text, pos, 2, om)) return false;
            pos += 2;
        }
        offset = sign * (oh * 3600 + om * 60);
    } else {
        return false;
    }
    if (pos != text.size()) return false;
    if (y < 100 || y > 9999) return false;
    if (SystemTimeToVariantTime(st, out) == false) return false;
    return UtcToLocalDate(TimeGm(y, mo, d, h, mi, s) - offset, out);
}

bool IsMidnight(double date) {
    SYSTEMTIME st{};
    return VariantTimeToSystemTime(date, st) && st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0;
}

double AddSeconds(double date, long long seconds) {
    std::time_t t = 0;
    double out = 0.0;
    if (!LocalDateToUtc(date, t) || !UtcToLocalDate(t + static_cast<std::time_t>(seconds), out)) return 0.0;
    return out;
}

long long SecondsBetween(double from, double to) {
    std::time_t a = 0, b = 0;
    if (!LocalDateToUtc(from, a) || !LocalDateToUtc(to, b)) return std::llround((to - from) * 86400.0);
    return static_cast<long long>(b) - static_cast<long long>(a);
}

double DayOf(double date) {
    SYSTEMTIME st{};
    if (date == 0.0 || !VariantTimeToSystemTime(date, st)) return 0.0;
    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    double out = 0.0;
    return SystemTimeToVariantTime(st, out) ? out : 0.0;
}

}  // namespace platform::outlook
