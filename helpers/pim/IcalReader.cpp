#include "helpers/pim/IcalReader.h"

#include <libical/ical.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock/SystemTime.h"
#include "platform/outlook/IcalParts.h"
#include "platform/outlook/IcalRecurrence.h"
#include "platform/outlook/IcalTime.h"
#include "platform/outlook/OutlookEnums.h"
#include "platform/text/AsciiCase.h"

namespace pim {

namespace po = platform::outlook;

namespace {

using po::ComponentPtr;

// Occurrences walked to find the last one of a counted rule that cannot be
// counted out: a file of many such events must still read quickly.
constexpr int kCountLimit = 5000;
// 31 December 9999, the last date of the date values.
constexpr double kLastDate = 2958465.0;

std::string LocalText(double date, bool dateOnly) {
    SYSTEMTIME st{};
    if (!platform::VariantTimeToSystemTime(date, st)) return {};
    char buf[32];
    if (dateOnly)
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", st.wYear, st.wMonth, st.wDay);
    else
        std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d%02d%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                      st.wSecond);
    return buf;
}

std::string TimeLine(const char* name, double date, bool dateOnly) {
    const std::string value = LocalText(date, dateOnly);
    if (value.empty()) return {};
    return std::string(name) + (dateOnly ? ";VALUE=DATE:" : ":") + value + "\r\n";
}

bool LocalTime(icalproperty* p, double& out) { return p != nullptr && po::TimeToLocal(po::PropertyTime(p), out); }

std::string XValue(icalcomponent* comp, const char* name) {
    for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(comp, ICAL_X_PROPERTY)) {
        const char* n = icalproperty_get_x_name(p);
        if (n && platform::EqualsNoCase(n, name)) {
            const char* v = icalproperty_get_x(p);
            return v ? v : "";
        }
    }
    return {};
}

std::string TextOf(icalcomponent* comp, icalproperty_kind kind) {
    icalproperty* p = icalcomponent_get_first_property(comp, kind);
    if (!p) return {};
    const char* v = icalproperty_get_value_as_string(p);
    if (!v) return {};
    // The value as text, its escapes undone.
    icalvalue* value = icalproperty_get_value(p);
    if (value && icalvalue_isa(value) == ICAL_TEXT_VALUE) {
        const char* t = icalvalue_get_text(value);
        return t ? t : "";
    }
    return v;
}

int RepeatType(int outlookType) {
    switch (outlookType) {
    case olRecursDaily: return 1;
    case olRecursWeekly: return 2;
    case olRecursMonthNth: return 3;
    case olRecursMonthly: return 4;
    case olRecursYearNth: return 5;
    case olRecursYearly: return 6;
    default: return 0;
    }
}

bool Empty(const short* list) { return list[0] == ICAL_RECURRENCE_ARRAY_MAX; }

// The rule written so that its days are all in the rule itself (a monthly
// or yearly rule takes them from the start otherwise), and with an UNTIL in
// local time when the start has a time.
std::string RuleText(icalrecurrencetype rule, double start, bool allDay) {
    SYSTEMTIME st{};
    const bool hasStart = platform::VariantTimeToSystemTime(start, st);
    const bool byDay = !Empty(rule.by_day) || !Empty(rule.by_year_day) || !Empty(rule.by_week_no);
    if (hasStart && rule.freq == ICAL_MONTHLY_RECURRENCE && !byDay && Empty(rule.by_month_day)) {
        rule.by_month_day[0] = static_cast<short>(st.wDay);
        rule.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    if (hasStart && rule.freq == ICAL_YEARLY_RECURRENCE && !byDay && Empty(rule.by_month_day)) {
        if (Empty(rule.by_month)) {
            rule.by_month[0] = static_cast<short>(st.wMonth);
            rule.by_month[1] = ICAL_RECURRENCE_ARRAY_MAX;
        }
        rule.by_month_day[0] = static_cast<short>(st.wDay);
        rule.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    if (!icaltime_is_null_time(rule.until) && !rule.until.is_date && !allDay) {
        double until = 0;
        if (po::TimeToLocal(rule.until, until)) {
            SYSTEMTIME u{};
            if (platform::VariantTimeToSystemTime(until, u)) {
                icaltimetype t = icaltime_null_time();
                t.year = u.wYear;
                t.month = u.wMonth;
                t.day = u.wDay;
                t.hour = u.wHour;
                t.minute = u.wMinute;
                t.second = u.wSecond;
                rule.until = t;
            }
        }
    }
    char* s = icalrecurrencetype_as_string_r(&rule);
    std::string text = s ? s : "";
    icalmemory_free_buffer(s);
    return text;
}

// The local date of the last occurrence of a counted rule; 0 when there
// are too many to walk.
double LastOccurrence(const icalrecurrencetype& rule, icaltimetype dtstart, double start) {
    // Every day or every week on the start's weekday: counted out.
    const bool plain = Empty(rule.by_day) && Empty(rule.by_month_day) && Empty(rule.by_month) &&
                       Empty(rule.by_year_day) && Empty(rule.by_week_no) && Empty(rule.by_set_pos) &&
                       Empty(rule.by_hour) && Empty(rule.by_minute) && Empty(rule.by_second);
    if (plain && (rule.freq == ICAL_DAILY_RECURRENCE || rule.freq == ICAL_WEEKLY_RECURRENCE)) {
        const double step = (rule.interval > 0 ? rule.interval : 1) * (rule.freq == ICAL_WEEKLY_RECURRENCE ? 7.0 : 1.0);
        const double last = std::floor(start) + step * (rule.count - 1);
        return last < kLastDate ? last : 0;  // beyond the dates there are: no end
    }
    icalrecur_iterator* it = icalrecur_iterator_new(rule, dtstart);
    if (!it) return 0;
    icaltimetype last = icaltime_null_time();
    int n = 0;
    for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t) && n < kCountLimit;
         t = icalrecur_iterator_next(it), ++n)
        last = t;
    icalrecur_iterator_free(it);
    double out = 0;
    if (n >= kCountLimit || icaltime_is_null_time(last)) return 0;
    if (last.zone == nullptr) last.zone = dtstart.zone;
    return po::TimeToLocal(last, out) ? std::floor(out) : 0;
}

void ReadRepeat(icalcomponent* comp, Event& e) {
    icalproperty* rp = icalcomponent_get_first_property(comp, ICAL_RRULE_PROPERTY);
    if (!rp) return;
    const icalrecurrencetype rule = icalproperty_get_rrule(rp);
    if (rule.freq == ICAL_NO_RECURRENCE || rule.freq > ICAL_YEARLY_RECURRENCE || rule.freq < ICAL_DAILY_RECURRENCE)
        return;
    const po::Recurrence r = po::PatternFromRule(rule, e.start);
    e.repeat.type = RepeatType(r.type);
    e.repeat.interval = r.interval;
    e.repeat.weekdayMask = r.dayOfWeekMask;
    e.repeat.dayOfMonth = r.dayOfMonth;
    e.repeat.monthOfYear = r.monthOfYear;
    e.repeat.instance = r.instance;
    if (rule.count > 0) {
        icalproperty* sp = icalcomponent_get_first_property(comp, ICAL_DTSTART_PROPERTY);
        e.repeat.endDate = sp ? LastOccurrence(rule, po::PropertyTime(sp), e.start) : 0;
    } else {
        e.repeat.endDate = r.patternEndDate;
    }
    e.repeat.hasEnd = e.repeat.endDate != 0;

    std::string text = TimeLine("DTSTART", e.start, e.allDay) + TimeLine("DTEND", e.end, e.allDay);
    text += "RRULE:" + RuleText(rule, e.start, e.allDay) + "\r\n";
    for (icalproperty_kind kind : {ICAL_EXDATE_PROPERTY, ICAL_RDATE_PROPERTY}) {
        for (icalproperty* p = icalcomponent_get_first_property(comp, kind); p;
             p = icalcomponent_get_next_property(comp, kind)) {
            double at = 0;
            if (kind == ICAL_RDATE_PROPERTY && icalproperty_get_rdate(p).time.year == 0) continue;  // periods
            if (!LocalTime(p, at)) continue;
            const bool date = po::PropertyTime(p).is_date;
            text += TimeLine(kind == ICAL_EXDATE_PROPERTY ? "EXDATE" : "RDATE", at, date);
        }
    }
    e.recurrence = text;
}

// The extra dates of an event that are no start of it already.
void ReadExtraDates(icalcomponent* comp, Event& e) {
    std::vector<double> excluded{e.start};
    for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(comp, ICAL_EXDATE_PROPERTY)) {
        double at = 0;
        if (LocalTime(p, at)) excluded.push_back(at);
    }
    for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(comp, ICAL_RDATE_PROPERTY)) {
        double at = 0;
        if (icalproperty_get_rdate(p).time.year == 0 || !LocalTime(p, at)) continue;  // periods
        bool known = false;
        for (double x : excluded) known = known || std::fabs(x - at) < 1.0 / 1440;
        if (known) continue;
        e.extraStarts.push_back(at);
        excluded.push_back(at);
    }
}

void ReadAlarms(icalcomponent* comp, Event& e) {
    for (icalcomponent* a = icalcomponent_get_first_component(comp, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(comp, ICAL_VALARM_COMPONENT)) {
        icalproperty* tp = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
        if (!tp) continue;
        Reminder r;
        if (icalproperty* ap = icalcomponent_get_first_property(a, ICAL_ACTION_PROPERTY)) {
            const icalproperty_action action = icalproperty_get_action(ap);
            if (action == ICAL_ACTION_NONE) continue;
            r.email = action == ICAL_ACTION_EMAIL;
        }
        const icaltriggertype trigger = icalproperty_get_trigger(tp);
        if (!icaltime_is_null_time(trigger.time)) {
            icaltimetype at = trigger.time;
            double local = 0;
            if (!po::TimeToLocal(at, local)) continue;
            r.minutes = std::llround((e.start - local) * 1440.0);
        } else {
            long long seconds = icaldurationtype_as_int(trigger.duration);
            icalparameter* rel = icalproperty_get_first_parameter(tp, ICAL_RELATED_PARAMETER);
            if (rel && icalparameter_get_related(rel) == ICAL_RELATED_END)
                seconds += std::llround((e.end - e.start) * 86400.0);
            r.minutes = -seconds / 60;
        }
        if (r.minutes < 0) continue;  // after the start: no reminder before it
        e.reminders.push_back(r);
    }
}

bool ReadEvent(icalcomponent* comp, Event& e) {
    icalproperty* sp = icalcomponent_get_first_property(comp, ICAL_DTSTART_PROPERTY);
    if (!sp || !LocalTime(sp, e.start)) return false;
    e.allDay = po::PropertyTime(sp).is_date != 0;
    if (icalproperty* ep = icalcomponent_get_first_property(comp, ICAL_DTEND_PROPERTY)) {
        if (!LocalTime(ep, e.end)) e.end = e.start;
    } else if (icalproperty* dp = icalcomponent_get_first_property(comp, ICAL_DURATION_PROPERTY)) {
        e.end = e.start + icaldurationtype_as_int(icalproperty_get_duration(dp)) / 86400.0;
    } else {
        e.end = e.allDay ? e.start + 1 : e.start;
    }
    e.uid = TextOf(comp, ICAL_UID_PROPERTY);
    e.summary = TextOf(comp, ICAL_SUMMARY_PROPERTY);
    e.location = TextOf(comp, ICAL_LOCATION_PROPERTY);
    e.description = TextOf(comp, ICAL_DESCRIPTION_PROPERTY);
    for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(comp, ICAL_CATEGORIES_PROPERTY)) {
        const char* c = icalproperty_get_categories(p);
        if (c && *c) e.categories.emplace_back(c);
    }
    if (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_CLASS_PROPERTY)) {
        const icalproperty_class c = icalproperty_get_class(p);
        e.isPrivate = c == ICAL_CLASS_PRIVATE || c == ICAL_CLASS_CONFIDENTIAL;
    }
    if (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_TRANSP_PROPERTY)) {
        const icalproperty_transp t = icalproperty_get_transp(p);
        e.busy = (t == ICAL_TRANSP_TRANSPARENT || t == ICAL_TRANSP_TRANSPARENTNOCONFLICT) ? 0 : 2;
    }
    if (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_STATUS_PROPERTY))
        if (icalproperty_get_status(p) == ICAL_STATUS_TENTATIVE && e.busy != 0) e.busy = 1;
    LocalTime(icalcomponent_get_first_property(comp, ICAL_CREATED_PROPERTY), e.created);
    LocalTime(icalcomponent_get_first_property(comp, ICAL_LASTMODIFIED_PROPERTY), e.modified);
    icalproperty* instance = icalcomponent_get_first_property(comp, ICAL_RECURRENCEID_PROPERTY);
    e.overrides = instance != nullptr;
    if (e.overrides) LocalTime(instance, e.instanceOf);
    if (!e.overrides) {
        ReadRepeat(comp, e);
        ReadExtraDates(comp, e);
    }
    ReadAlarms(comp, e);
    return true;
}

void ReadEvents(icalcomponent* cal, Calendar& calendar) {
    for (icalcomponent* c = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        Event e;
        if (!ReadEvent(c, e)) continue;
        icalproperty* status = icalcomponent_get_first_property(c, ICAL_STATUS_PROPERTY);
        if (e.overrides && status && icalproperty_get_status(status) == ICAL_STATUS_CANCELLED) {
            calendar.cancelled.emplace_back(e.uid, e.instanceOf);
            continue;
        }
        calendar.events.push_back(std::move(e));
    }
}

}  // namespace

bool ReadCalendar(std::string_view text, Calendar& calendar) {
    const std::string copy(text);
    ComponentPtr root(icalparser_parse_string(copy.c_str()));
    if (!root) return false;
    icalcomponent* cal = root.get();
    const icalcomponent_kind kind = icalcomponent_isa(cal);
    if (kind != ICAL_VCALENDAR_COMPONENT && kind != ICAL_XROOT_COMPONENT) {
        // A lone component: put it into a calendar so that its zones resolve.
        icalcomponent* outer = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
        icalcomponent_add_component(outer, root.release());
        root.reset(outer);
        cal = outer;
    }
    // Several calendars in one text come as one root holding them.
    std::vector<icalcomponent*> calendars;
    if (icalcomponent_isa(cal) == ICAL_XROOT_COMPONENT) {
        for (icalcomponent* c = icalcomponent_get_first_component(cal, ICAL_VCALENDAR_COMPONENT); c;
             c = icalcomponent_get_next_component(cal, ICAL_VCALENDAR_COMPONENT))
            calendars.push_back(c);
    } else {
        calendars.push_back(cal);
    }
    for (icalcomponent* one : calendars) {
        if (calendar.name.empty()) calendar.name = XValue(one, "X-WR-CALNAME");
        if (calendar.description.empty()) calendar.description = XValue(one, "X-WR-CALDESC");
        if (calendar.timeZone.empty()) calendar.timeZone = XValue(one, "X-WR-TIMEZONE");
        if (calendar.colour.empty()) calendar.colour = XValue(one, "X-APPLE-CALENDAR-COLOR");
        ReadEvents(one, calendar);
    }
    return true;
}

}  // namespace pim

namespace pim {

namespace {

// Where the next line "BEGIN:VEVENT" starts at or after `from`; npos when none does.
std::size_t NextEventLine(std::string_view text, std::size_t from) {
    for (std::size_t at = from; at < text.size();) {
        if ((at == 0 || text[at - 1] == '\n') && platform::StartsWithNoCase(text.substr(at), "BEGIN:VEVENT")) return at;
        const std::size_t nl = text.find('\n', at);
        if (nl == std::string_view::npos) break;
        at = nl + 1;
    }
    return std::string_view::npos;
}

void Merge(Calendar& into, Calendar& part) {
    for (auto [to, from] : {std::pair{&into.name, &part.name},
                            {&into.description, &part.description},
                            {&into.timeZone, &part.timeZone},
                            {&into.colour, &part.colour}})
        if (to->empty()) *to = std::move(*from);
    for (Event& e : part.events) into.events.push_back(std::move(e));
    for (auto& c : part.cancelled) into.cancelled.push_back(std::move(c));
}

}  // namespace

bool ReadCalendar(std::string_view text, Calendar& calendar, const std::function<bool()>& stop, std::size_t partSize) {
    const std::size_t first = NextEventLine(text, 0);
    const std::string_view head = first == std::string_view::npos ? text : text.substr(0, first);
    if (stop && stop()) return false;
    std::size_t begin = head.find_first_not_of("\xEF\xBB\xBF \r\n\t");
    if (begin == std::string_view::npos) begin = head.size();
    if (text.size() <= partSize || first == std::string_view::npos ||
        !platform::StartsWithNoCase(head.substr(begin), "BEGIN:VCALENDAR"))
        return ReadCalendar(text, calendar);
    bool any = false;
    for (std::size_t from = first; from < text.size();) {
        if (stop && stop()) return false;
        std::size_t to = NextEventLine(text, from + (partSize > 0 ? partSize : 1));
        const bool last = to == std::string_view::npos;
        if (last) to = text.size();
        std::string part(head);
        part.append(text.substr(from, to - from));
        if (!last) part += "END:VCALENDAR\r\n";
        Calendar one;
        if (ReadCalendar(part, one)) {
            any = true;
            Merge(calendar, one);
        }
        from = to;
    }
    return any;
}

}  // namespace pim
