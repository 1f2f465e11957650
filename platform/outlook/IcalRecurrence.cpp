#include "platform/outlook/IcalRecurrence.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/clock/SystemTime.h"
#include "platform/outlook/DateText.h"
#include "platform/outlook/IcalTime.h"

namespace platform::outlook {

namespace {

const char* kDays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

std::string ByDay(std::int32_t mask) {
    std::string out;
    for (int d = 0; d < 7; ++d) {
        if (mask & (1 << d)) {
            if (!out.empty()) out += ',';
            out += kDays[d];
        }
    }
    return out;
}

std::string FormatNumber(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

int Weekday(double date) {
    SYSTEMTIME st{};
    return VariantTimeToSystemTime(date, st) ? st.wDayOfWeek : -1;
}

}  // namespace

std::string RecurrenceRule(const Recurrence& r, UntilForm until, double start) {
    std::string rule;
    switch (r.type) {
    case 0: rule = "FREQ=DAILY"; break;
    case 1: rule = "FREQ=WEEKLY"; break;
    case 2:
    case 3: rule = "FREQ=MONTHLY"; break;
    case 5:
    case 6: rule = "FREQ=YEARLY"; break;
    default: return std::string();
    }
    if (r.interval > 1) rule += ";INTERVAL=" + std::to_string(r.interval);
    if (r.patternEndDate != 0.0) {
        const double timeOfDay = start != 0.0 ? start - DayOf(start) : 86399.0 / 86400.0;
        const double last = DayOf(r.patternEndDate) + (timeOfDay < 0.0 ? 0.0 : timeOfDay);
        const std::string text = until == UntilForm::Date       ? FormatDateOnly(r.patternEndDate)
                                 : until == UntilForm::Floating ? FormatLocalDateTime(NormalizeDate(last))
                                                                : FormatUtcDateTime(NormalizeDate(last));
        if (!text.empty()) rule += ";UNTIL=" + text;
    }
    if ((r.type == 5 || r.type == 6) && r.monthOfYear >= 1 && r.monthOfYear <= 12)
        rule += ";BYMONTH=" + std::to_string(r.monthOfYear);
    if ((r.type == 2 || r.type == 5) && r.dayOfMonth >= 1 && r.dayOfMonth <= 31)
        rule += ";BYMONTHDAY=" + std::to_string(r.dayOfMonth);
    const std::string days = ByDay(r.dayOfWeekMask & 0x7F);
    if ((r.type == 0 || r.type == 1 || r.type == 3 || r.type == 6) && !days.empty()) rule += ";BYDAY=" + days;
    if ((r.type == 3 || r.type == 6) && !days.empty() && r.instance >= 1 && r.instance <= 5)
        rule += ";BYSETPOS=" + std::to_string(r.instance == 5 ? -1 : r.instance);
    return rule;
}

Recurrence PatternFromRule(const struct icalrecurrencetype& rule, double start) {
    Recurrence r;
    r.interval = rule.interval > 0 ? rule.interval : 1;
    std::int32_t mask = 0;
    int position = 0;
    for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        const int dow = static_cast<int>(icalrecurrencetype_day_day_of_week(rule.by_day[i]));
        if (dow >= 1 && dow <= 7) mask |= 1 << (dow - 1);
        if (position == 0) position = icalrecurrencetype_day_position(rule.by_day[i]);
    }
    if (rule.by_set_pos[0] != ICAL_RECURRENCE_ARRAY_MAX) position = rule.by_set_pos[0];
    const int instance = position < 0 ? 5 : (position > 5 ? 5 : position);
    SYSTEMTIME st{};
    const bool hasStart = VariantTimeToSystemTime(start, st);
    const int dom = rule.by_month_day[0] != ICAL_RECURRENCE_ARRAY_MAX ? rule.by_month_day[0] : (hasStart ? st.wDay : 0);
    const int moy = rule.by_month[0] != ICAL_RECURRENCE_ARRAY_MAX ? rule.by_month[0] : (hasStart ? st.wMonth : 0);
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        r.type = 0;
        r.dayOfWeekMask = mask;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        r.type = 1;
        r.dayOfWeekMask = mask != 0 ? mask : (hasStart ? 1 << Weekday(start) : 0);
        break;
    case ICAL_MONTHLY_RECURRENCE:
        if (mask != 0) {
            r.type = 3;
            r.dayOfWeekMask = mask;
            r.instance = instance;
        } else {
            r.type = 2;
            r.dayOfMonth = dom;
        }
        break;
    case ICAL_YEARLY_RECURRENCE:
        r.monthOfYear = moy;
        if (mask != 0) {
            r.type = 6;
            r.dayOfWeekMask = mask;
            r.instance = instance;
        } else {
            r.type = 5;
            r.dayOfMonth = dom;
        }
        break;
    default: r.type = 0; break;
    }
    if (!icaltime_is_null_time(rule.until)) {
        double until = 0;
        if (TimeToLocal(rule.until, until)) r.patternEndDate = NormalizeDate(std::floor(until));
    }
    return r;
}

std::string RecurrenceText(const Recurrence& r) {
    return std::to_string(r.type) + ";" + std::to_string(r.interval) + ";" + std::to_string(r.dayOfWeekMask) + ";" +
           std::to_string(r.dayOfMonth) + ";" + std::to_string(r.instance) + ";" + std::to_string(r.monthOfYear) + ";" +
           FormatNumber(r.patternEndDate);
}

bool ParseRecurrenceText(const char* text, Recurrence& r) {
    long v[6];
    const char* p = text;
    for (long& x : v) {
        char* stop = nullptr;
        x = std::strtol(p, &stop, 10);
        if (stop == p || *stop != ';' || x < INT32_MIN || x > INT32_MAX) return false;
        p = stop + 1;
    }
    char* stop = nullptr;
    const double end = std::strtod(p, &stop);
    if (stop == p || *stop != '\0' || !std::isfinite(end)) return false;
    r.type = static_cast<std::int32_t>(v[0]);
    r.interval = static_cast<std::int32_t>(v[1]);
    r.dayOfWeekMask = static_cast<std::int32_t>(v[2]);
    r.dayOfMonth = static_cast<std::int32_t>(v[3]);
    r.instance = static_cast<std::int32_t>(v[4]);
    r.monthOfYear = static_cast<std::int32_t>(v[5]);
    r.patternEndDate = NormalizeDate(end);
    return true;
}

std::string CanonicalRule(const std::string& rule) {
    if (rule.empty()) return std::string();
    struct icalrecurrencetype r = icalrecurrencetype_from_string(rule.c_str());
    if (r.freq == ICAL_NO_RECURRENCE) return std::string();
    char* text = icalrecurrencetype_as_string_r(&r);
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

bool SamePattern(const Recurrence& a, const Recurrence& b) {
    return a.type == b.type && a.interval == b.interval && a.dayOfWeekMask == b.dayOfWeekMask &&
           a.dayOfMonth == b.dayOfMonth && a.instance == b.instance && a.monthOfYear == b.monthOfYear &&
           a.patternEndDate == b.patternEndDate;
}

}  // namespace platform::outlook
