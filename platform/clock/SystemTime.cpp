#include "platform/clock/SystemTime.h"

#include <cmath>
#include <initializer_list>

namespace platform {

namespace {

constexpr std::int64_t kOleEpochDay = -25569;  // 30 December 1899 from 1 January 1970
constexpr double kMinDate = -657434.0;         // 1 January 100
constexpr double kMaxDate = 2958466.0;         // 1 January 10000 (exclusive)

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int MonthDays(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

void CivilFromDays(std::int64_t z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t yy = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yy + (m <= 2));
}

}  // namespace

std::int64_t DaysFromCivil(int year, unsigned month, unsigned day) {
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool SystemTimeToVariantTime(const SYSTEMTIME& st, DATE& out) {
    if (st.wYear < 100 || st.wYear > 9999 || st.wMonth < 1 || st.wMonth > 12) return false;
    if (st.wDay < 1 || st.wDay > MonthDays(st.wYear, st.wMonth)) return false;
    if (st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59) return false;
    const std::int64_t days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) - kOleEpochDay;
    const double fraction = (st.wHour * 3600.0 + st.wMinute * 60.0 + st.wSecond) / 86400.0;
    out = days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
    return true;
}

bool WallClockToVariantTime(int year, int month, int day, int hour, int minute, int second, DATE& out) {
    for (int part : {year, month, day, hour, minute, second})
        if (part < 0 || part > 0xFFFF) return false;
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(year);
    st.wMonth = static_cast<std::uint16_t>(month);
    st.wDay = static_cast<std::uint16_t>(day);
    st.wHour = static_cast<std::uint16_t>(hour);
    st.wMinute = static_cast<std::uint16_t>(minute);
    st.wSecond = static_cast<std::uint16_t>(second);
    return SystemTimeToVariantTime(st, out);
}

bool VariantTimeToSystemTime(DATE date, SYSTEMTIME& out) {
    if (!(date > kMinDate - 1.0 && date < kMaxDate)) return false;  // also refuses NaN
    double whole = std::trunc(date);
    double fraction = std::fabs(date - whole);
    std::int64_t days = static_cast<std::int64_t>(whole);
    std::int64_t seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        // Rounding reached midnight: the next day in the direction of time.
        seconds -= 86400;
        days += 1;
    }
    int y;
    unsigned m, d;
    CivilFromDays(days + kOleEpochDay, y, m, d);
    if (y < 100 || y > 9999) return false;
    out.wYear = static_cast<std::uint16_t>(y);
    out.wMonth = static_cast<std::uint16_t>(m);
    out.wDay = static_cast<std::uint16_t>(d);
    const std::int64_t dayNumber = days + kOleEpochDay;  // 1 January 1970 was a Thursday
    out.wDayOfWeek = static_cast<std::uint16_t>(((dayNumber % 7) + 7 + 4) % 7);
    out.wHour = static_cast<std::uint16_t>(seconds / 3600);
    out.wMinute = static_cast<std::uint16_t>((seconds / 60) % 60);
    out.wSecond = static_cast<std::uint16_t>(seconds % 60);
    out.wMilliseconds = 0;
    return true;
}

}  // namespace platform
