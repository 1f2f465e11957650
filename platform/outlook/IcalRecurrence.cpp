#include "platform/outlook/IcalRecurrence.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/clock/SystemTime.h"
#include "platform/outlook/DateText.h"
#include "platform/outlook/IcalEdit.h"
#include "platform/outlook/IcalTime.h"

namespace platform::outlook {

namespace {

const char* kDays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

std::string ByDay(std::int32_t mask) {
    std::string out;
    for (int d = 0; d < 7; ++d) {
        if (mask & (olSunday << d)) {
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

UntilForm UntilOf(icalcomponent* comp) {
    icalproperty* p = icalcomponent_get_first_property(comp, ICAL_DTSTART_PROPERTY);
    if (p == nullptr) return UntilForm::Utc;
    const TimeForm f = FormOf(p);
    if (f.kind == TimeForm::Date) return UntilForm::Date;
    if (f.kind == TimeForm::Floating || (f.kind == TimeForm::Zoned && f.zone == nullptr)) return UntilForm::Floating;
    return UntilForm::Utc;
}

}  // namespace

std::string RecurrenceRule(const Recurrence& r, UntilForm until, double start) {
    std::string rule;
    switch (r.type) {
    case olRecursDaily: rule = "FREQ=DAILY"; break;
    case olRecursWeekly: rule = "FREQ=WEEKLY"; break;
    case olRecursMonthly:
    case olRecursMonthNth: rule = "FREQ=MONTHLY"; break;
    case olRecursYearly:
    case olRecursYearNth: rule = "FREQ=YEARLY"; break;
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
    if ((r.type == olRecursYearly || r.type == olRecursYearNth) && r.monthOfYear >= 1 && r.monthOfYear <= 12)
        rule += ";BYMONTH=" + std::to_string(r.monthOfYear);
    if ((r.type == olRecursMonthly || r.type == olRecursYearly) && r.dayOfMonth >= 1 && r.dayOfMonth <= 31)
        rule += ";BYMONTHDAY=" + std::to_string(r.dayOfMonth);
    const std::string days = ByDay(r.dayOfWeekMask & kOlAllDaysOfWeek);
    const bool byDay =
        r.type == olRecursDaily || r.type == olRecursWeekly || r.type == olRecursMonthNth || r.type == olRecursYearNth;
    if (byDay && !days.empty()) rule += ";BYDAY=" + days;
    if ((r.type == olRecursMonthNth || r.type == olRecursYearNth) && !days.empty() && r.instance >= 1 &&
        r.instance <= 5)
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
        if (dow >= 1 && dow <= 7) mask |= olSunday << (dow - 1);
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
        r.type = olRecursDaily;
        r.dayOfWeekMask = mask;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        r.type = olRecursWeekly;
        r.dayOfWeekMask = mask != 0 ? mask : (hasStart ? olSunday << Weekday(start) : 0);
        break;
    case ICAL_MONTHLY_RECURRENCE:
        if (mask != 0) {
            r.type = olRecursMonthNth;
            r.dayOfWeekMask = mask;
            r.instance = instance;
        } else {
            r.type = olRecursMonthly;
            r.dayOfMonth = dom;
        }
        break;
    case ICAL_YEARLY_RECURRENCE:
        r.monthOfYear = moy;
        if (mask != 0) {
            r.type = olRecursYearNth;
            r.dayOfWeekMask = mask;
            r.instance = instance;
        } else {
            r.type = olRecursYearly;
            r.dayOfMonth = dom;
        }
        break;
    default: r.type = olRecursDaily; break;
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

bool PatternDiffers(const ItemData& a, const ItemData& b) {
    return a.recurring != b.recurring || (a.recurring && !SamePattern(a.recurrence, b.recurrence));
}

void ReadRecurrence(ItemData& item, const std::string& rrule, const std::string& xRecurrence, double start) {
    if (rrule.empty()) {
        if (!xRecurrence.empty() && ParseRecurrenceText(xRecurrence.c_str(), item.recurrence))
            item.recurring = true;  // a pattern that no rule can express
        return;
    }
    item.recurring = true;
    item.originalRule = rrule;
    const struct icalrecurrencetype rule = icalrecurrencetype_from_string(rrule.c_str());
    item.recurrence = PatternFromRule(rule, start);
    // Our own record of the pattern holds what the rule cannot; it counts
    // while the rule is the one made from it.
    Recurrence fromX;
    if (xRecurrence.empty() || !ParseRecurrenceText(xRecurrence.c_str(), fromX)) return;
    const auto withoutEnd = [](std::string text) {
        struct icalrecurrencetype r = icalrecurrencetype_from_string(text.c_str());
        r.until = icaltime_null_time();
        r.count = 0;
        char* s = icalrecurrencetype_as_string_r(&r);
        std::string out = s ? s : "";
        icalmemory_free_buffer(s);
        return out;
    };
    const bool hasEnd = !icaltime_is_null_time(rule.until);
    const bool counted = rule.count != 0;
    if (!counted && hasEnd == (fromX.patternEndDate != 0.0) &&
        withoutEnd(RecurrenceRule(fromX, UntilForm::Floating)) == withoutEnd(rrule)) {
        fromX.patternEndDate = item.recurrence.patternEndDate;
        item.recurrence = fromX;
    }
}

void WriteRecurrence(icalcomponent* cal, icalcomponent* comp, const ItemData& item) {
    RemoveAll(comp, ICAL_RRULE_PROPERTY);
    RemoveAll(comp, ICAL_EXRULE_PROPERTY);
    RemoveAll(comp, ICAL_EXDATE_PROPERTY);
    RemoveAll(comp, ICAL_RDATE_PROPERTY);
    RemoveX(comp, "X-OUTLOOK-RECURRENCE");
    const char* uid = icalcomponent_get_uid(comp);
    const std::string own = uid ? uid : "";
    std::vector<icalcomponent*> overrides;
    for (icalcomponent* c = icalcomponent_get_first_component(cal, icalcomponent_isa(comp)); c;
         c = icalcomponent_get_next_component(cal, icalcomponent_isa(comp))) {
        if (c == comp || icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) == nullptr) continue;
        const char* theirs = icalcomponent_get_uid(c);
        if (own.empty() || (theirs != nullptr && own == theirs)) overrides.push_back(c);
    }
    for (icalcomponent* c : overrides) {
        icalcomponent_remove_component(cal, c);
        icalcomponent_free(c);
    }
    if (!item.recurring) return;
    const double start = item.kind == ItemKind::Task ? 0.0 : item.Date("Start");
    const std::string rule = RecurrenceRule(item.recurrence, UntilOf(comp), start);
    if (!rule.empty()) {
        struct icalrecurrencetype r = icalrecurrencetype_from_string(rule.c_str());
        if (r.freq != ICAL_NO_RECURRENCE) icalcomponent_add_property(comp, icalproperty_new_rrule(r));
    }
    SetX(comp, "X-OUTLOOK-RECURRENCE", RecurrenceText(item.recurrence));
}

}  // namespace platform::outlook
