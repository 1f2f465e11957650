#include "helpers/lotus/DxlRepeat.h"

#include <cmath>
#include <cstdlib>

#include "common/misc/CxDateTime.h"
#include "platform/clock/SystemTime.h"

namespace lotus_helper {

namespace {

struct Day {
    int year = 0, month = 0, day = 0, weekday = 0;
};

std::optional<Day> CivilOf(int oleDay) {
    SYSTEMTIME st{};
    if (!platform::VariantTimeToSystemTime(oleDay, st)) return std::nullopt;
    return Day{st.wYear, st.wMonth, st.wDay, st.wDayOfWeek};
}

// The day of a civil date; nullopt when the month has no such day.
std::optional<int> DayOf(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(year);
    st.wMonth = static_cast<std::uint16_t>(month);
    st.wDay = static_cast<std::uint16_t>(day);
    double out = 0.0;
    if (!platform::SystemTimeToVariantTime(st, out)) return std::nullopt;
    return static_cast<int>(out);
}

// The n-th (1 to 4; 5 the last) given weekday of a month.
std::optional<int> NthWeekday(int year, int month, int weekday, int n) {
    const auto first = DayOf(year, month, 1);
    if (!first) return std::nullopt;
    const auto civil = CivilOf(*first);
    if (!civil) return std::nullopt;
    int day = 1 + (weekday - civil->weekday + 7) % 7 + 7 * (n - 1);
    while (day > DaysInMonth(year, month)) day -= 7;
    return DayOf(year, month, day);
}

int Number(const std::string& text) { return std::atoi(text.c_str()); }

}  // namespace

std::optional<std::vector<int>> RuleDays(const LnEntry& e, std::size_t limit) {
    if (e.repeats != "1" || e.until <= 0.0 || e.start < 1.0) return std::nullopt;
    const int first = static_cast<int>(std::floor(e.start));
    const int last = static_cast<int>(std::floor(e.until));
    const int interval = Number(e.interval);
    const auto start = CivilOf(first);
    if (interval < 1 || !start || last < first) return std::nullopt;
    std::vector<int> days;
    auto add = [&](int day) {
        if (day >= first && day <= last) days.push_back(day);
        return days.size() <= limit;
    };
    if (e.unit == "D") {
        for (int day = first; day <= last; day += interval)
            if (!add(day)) return std::nullopt;
    } else if (e.unit == "W") {
        const int mask = Number(e.repeatOn);
        for (int week = first - start->weekday; week <= last; week += 7 * interval)
            for (int wd = 0; wd < 7; ++wd)
                if ((mask & (1 << wd)) && !add(week + wd)) return std::nullopt;
    } else if (e.unit == "MD" || e.unit == "MP" || e.unit == "Y") {
        const int step = e.unit == "Y" ? 12 * interval : interval;
        const int mask = Number(e.repeatOn);
        int weekday = 0;
        while (weekday < 7 && !(mask & (1 << weekday))) ++weekday;
        const int week = (start->day - 1) / 7 + 1;
        for (int m = 0;; m += step) {
            const int year = start->year + (start->month - 1 + m) / 12;
            const int month = (start->month - 1 + m) % 12 + 1;
            const auto firstOfMonth = DayOf(year, month, 1);
            if (!firstOfMonth || *firstOfMonth > last) break;
            std::optional<int> day;
            if (e.unit == "MD")
                day = DayOf(year, month, Number(e.repeatOn));
            else if (e.unit == "Y")
                day = DayOf(year, month, start->day);
            else if (weekday < 7)
                day = NthWeekday(year, month, weekday, week);
            if (day && !add(*day)) return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    return days;
}

}  // namespace lotus_helper
