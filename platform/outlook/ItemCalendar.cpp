#include "platform/outlook/ItemCalendar.h"

#include <libical/ical.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "platform/clock/SystemTime.h"
#include "platform/outlook/DateText.h"

namespace platform::outlook {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

const char* kEol = "X-OUTLOOK-EOL";

icalcomponent_kind ComponentKind(ItemKind kind) {
    switch (kind) {
        case ItemKind::Appointment: return ICAL_VEVENT_COMPONENT;
        case ItemKind::Task: return ICAL_VTODO_COMPONENT;
        default: return ICAL_VJOURNAL_COMPONENT;
    }
}

// Properties kept as X-OUTLOOK-<NAME>, per kind.
const std::vector<const char*>& ExtraProps(ItemKind kind) {
    static const std::vector<const char*> task = {"CardData", "Complete", "Mileage", "Ordinal",
                                                  "ReminderOverrideDefault", "ReminderPlaySound",
                                                  "ReminderSoundFile", "ResponseState", "Role", "TeamTask",
                                                  "TotalWork"};
    static const std::vector<const char*> note = {"Color"};
    static const std::vector<const char*> none;
    return kind == ItemKind::Task ? task : kind == ItemKind::Note ? note : none;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Line breaks go to libical as LF; LF-only texts are marked.
std::string ToLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
}

std::string FromLf(std::string_view text, bool crlf) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') continue;
            out += crlf ? "\r\n" : "\n";
        } else if (text[i] == '\n') {
            out += crlf ? "\r\n" : "\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

void MarkEol(icalproperty* p, std::string_view text) {
    if (text.find('\n') != std::string_view::npos && text.find('\r') == std::string_view::npos) {
        icalparameter* param = icalparameter_new_x("LF");
        icalparameter_set_xname(param, kEol);
        icalproperty_add_parameter(p, param);
    }
}

bool IsCrlf(icalproperty* p) {
    for (icalparameter* param = icalproperty_get_first_parameter(p, ICAL_X_PARAMETER); param;
         param = icalproperty_get_next_parameter(p, ICAL_X_PARAMETER)) {
        const char* name = icalparameter_get_xname(param);
        const char* value = icalparameter_get_xvalue(param);
        if (name && value && Upper(name) == kEol && Upper(value) == "LF") return false;
    }
    return true;
}

void AddText(icalcomponent* c, icalproperty* (*make)(const char*), std::string_view text) {
    if (text.empty()) return;
    icalproperty* p = make(ToLf(text).c_str());
    MarkEol(p, text);
    icalcomponent_add_property(c, p);
}

void AddX(icalcomponent* c, const std::string& name, std::string_view value, bool text = false) {
    icalproperty* p = icalproperty_new_x(text ? ToLf(value).c_str() : std::string(value).c_str());
    icalproperty_set_x_name(p, name.c_str());
    if (text) MarkEol(p, value);
    icalcomponent_add_property(c, p);
}

icaltimetype Floating(double date, bool dateOnly) {
    icaltimetype t = icaltime_null_time();
    SYSTEMTIME st{};
    if (!VariantTimeToSystemTime(date, st)) return t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    if (dateOnly) {
        t.is_date = 1;
    } else {
        t.hour = st.wHour;
        t.minute = st.wMinute;
        t.second = st.wSecond;
    }
    return t;
}

icaltimetype Utc(double date) {
    std::time_t t = 0;
    if (!LocalDateToUtc(date, t)) return icaltime_null_time();
    return icaltime_from_timet_with_zone(t, 0, icaltimezone_get_utc_timezone());
}

// A time read from a file as a local date value: floating times as they
// are, UTC and zoned times converted to local time.
bool ToLocal(icaltimetype t, double& out) {
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t)) return false;
    if (!t.is_date && t.zone != nullptr) {
        const std::time_t utc = icaltime_as_timet_with_zone(t, t.zone);
        return UtcToLocalDate(utc, out);
    }
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(t.year);
    st.wMonth = static_cast<std::uint16_t>(t.month);
    st.wDay = static_cast<std::uint16_t>(t.day);
    if (!t.is_date) {
        st.wHour = static_cast<std::uint16_t>(t.hour);
        st.wMinute = static_cast<std::uint16_t>(t.minute);
        st.wSecond = static_cast<std::uint16_t>(t.second > 59 ? 59 : t.second);
    }
    return t.year >= 100 && SystemTimeToVariantTime(st, out);
}

std::string FormatNumber(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// The Outlook-side categories "a, b" as iCalendar list items.
std::vector<std::string> CategoryItems(std::string_view text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view item = text.substr(start, end - start);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
        if (!item.empty()) items.emplace_back(item);
        start = end + 1;
    }
    return items;
}

std::string JoinCategories(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) {
        if (!out.empty()) out += ", ";
        out += s;
    }
    return out;
}

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

std::string RecurrenceText(const Recurrence& r) {
    return std::to_string(r.type) + ";" + std::to_string(r.interval) + ";" + std::to_string(r.dayOfWeekMask) + ";" +
           std::to_string(r.dayOfMonth) + ";" + std::to_string(r.instance) + ";" + std::to_string(r.monthOfYear) +
           ";" + FormatNumber(r.patternEndDate);
}

bool ParseRecurrenceText(const char* text, Recurrence& r) {
    long v[6];
    double end = 0;
    char* p = const_cast<char*>(text);
    for (long& x : v) {
        char* stop = nullptr;
        x = std::strtol(p, &stop, 10);
        if (stop == p || *stop != ';' || x < INT32_MIN || x > INT32_MAX) return false;
        p = stop + 1;
    }
    char* stop = nullptr;
    end = std::strtod(p, &stop);
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

// The canonical text of a rule, for comparing two rules.
std::string CanonicalRule(const std::string& rule) {
    if (rule.empty()) return std::string();
    struct icalrecurrencetype r = icalrecurrencetype_from_string(rule.c_str());
    if (r.freq == ICAL_NO_RECURRENCE) return std::string();
    char* text = icalrecurrencetype_as_string_r(&r);
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

int Weekday(double date) {
    SYSTEMTIME st{};
    return VariantTimeToSystemTime(date, st) ? st.wDayOfWeek : -1;
}

// A pattern from a rule written by another program.
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
        default:
            r.type = 0;
            break;
    }
    if (!icaltime_is_null_time(rule.until)) {
        double until = 0;
        if (ToLocal(rule.until, until)) r.patternEndDate = NormalizeDate(std::floor(until));
    }
    return r;
}

// Reads an X-OUTLOOK-<NAME> property into the item; false when it names
// nothing of the kind or does not parse.
bool ReadExtra(ItemData& item, std::string_view name, const char* value, bool crlf) {
    const int i = FindProp(item.kind, name);
    if (i < 0) return false;
    const PropDef& def = Schema(item.kind)[static_cast<std::size_t>(i)];
    if (std::string_view(def.name) == "EntryID") return false;
    switch (def.type) {
        case PropType::Text: item.At(i).s = FromLf(value, crlf); return true;
        case PropType::Bool:
        case PropType::Int: {
            char* end = nullptr;
            const long v = std::strtol(value, &end, 10);
            if (end == value || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
            item.At(i).i = static_cast<std::int32_t>(v);
            return true;
        }
        case PropType::Date: {
            double d = 0;
            if (!ParseDateText(value, d)) return false;
            item.At(i).d = NormalizeDate(d);
            return true;
        }
    }
    return false;
}

struct Loaded {
    double start = 0, end = 0;
    bool startIsDate = false, haveEnd = false, endIsDate = false;
    int durationSeconds = -1;
    int allDayFlag = -1;  // from X-MICROSOFT-CDO-ALLDAYEVENT
    std::string rrule;
    std::string xRecurrence;
    std::string xCategories;
    bool haveXStatus = false, haveXSensitivity = false, haveXImportance = false;
    std::string summary;
    bool alarmRelative = false;
    int alarmSeconds = 0;
    double alarmAbsolute = 0;
    bool alarm = false;
};

void ReadAlarm(icalcomponent* alarm, Loaded& l) {
    icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (p == nullptr) return;
    const struct icaltriggertype trigger = icalproperty_get_trigger(p);
    l.alarm = true;
    if (!icaltime_is_null_time(trigger.time)) {
        ToLocal(trigger.time, l.alarmAbsolute);
    } else {
        l.alarmRelative = true;
        l.alarmSeconds = icaldurationtype_as_int(trigger.duration);
    }
}

// The properties that only a task maps.
bool ReadTaskProperty(icalproperty* p, ItemData& item) {
    switch (icalproperty_isa(p)) {
        case ICAL_PRIORITY_PROPERTY: {
            const int prio = icalproperty_get_priority(p);
            item.SetInt("Importance", prio == 0 || prio == 5 ? 1 : prio < 5 ? 2 : 0);
            return true;
        }
        case ICAL_CLASS_PROPERTY: {
            const icalproperty_class c = icalproperty_get_class(p);
            item.SetInt("Sensitivity", c == ICAL_CLASS_PRIVATE ? 2 : c == ICAL_CLASS_CONFIDENTIAL ? 3 : 0);
            return true;
        }
        case ICAL_STATUS_PROPERTY: {
            const icalproperty_status st = icalproperty_get_status(p);
            item.SetInt("Status", st == ICAL_STATUS_INPROCESS ? 1 : st == ICAL_STATUS_COMPLETED ? 2 : 0);
            return true;
        }
        case ICAL_PERCENTCOMPLETE_PROPERTY: item.SetInt("PercentComplete", icalproperty_get_percentcomplete(p)); return true;
        default: return false;
    }
}

}  // namespace

std::string RecurrenceRule(const Recurrence& r, bool dateOnly) {
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
        const std::string day = FormatDateOnly(r.patternEndDate);
        if (!day.empty()) rule += ";UNTIL=" + day + (dateOnly ? "" : "T235959");
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

std::string CalendarItemToIcs(const ItemData& item) {
    ComponentPtr cal;
    icalcomponent* comp = nullptr;
    if (!item.kept.empty()) {
        cal.reset(icalparser_parse_string(item.kept.c_str()));
        if (cal && icalcomponent_isa(cal.get()) == ICAL_VCALENDAR_COMPONENT)
            comp = icalcomponent_get_first_component(cal.get(), ComponentKind(item.kind));
    }
    if (comp == nullptr) {
        cal.reset(icalcomponent_new_vcalendar());
        icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
        comp = icalcomponent_new(ComponentKind(item.kind));
        icalcomponent_add_component(cal.get(), comp);
    }
    if (icalcomponent_get_first_property(cal.get(), ICAL_PRODID_PROPERTY) == nullptr)
        icalcomponent_add_property(cal.get(), icalproperty_new_prodid("-//norrbek//Ferrywise Outlook store//EN"));
    if (icalcomponent_get_first_property(comp, ICAL_UID_PROPERTY) == nullptr && !item.entryId.empty())
        icalcomponent_add_property(comp, icalproperty_new_uid(item.entryId.c_str()));
    icalcomponent_add_property(
        comp, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(std::time(nullptr), 0,
                                                                     icaltimezone_get_utc_timezone())));
    if (item.Date("CreationTime") != 0.0) icalcomponent_add_property(comp, icalproperty_new_created(Utc(item.Date("CreationTime"))));
    if (item.Date("LastModificationTime") != 0.0)
        icalcomponent_add_property(comp, icalproperty_new_lastmodified(Utc(item.Date("LastModificationTime"))));

    const std::string& categories = item.Text("Categories");
    const auto catItems = CategoryItems(categories);
    for (const std::string& c : catItems) icalcomponent_add_property(comp, icalproperty_new_categories(c.c_str()));
    if (JoinCategories(catItems) != categories) AddX(comp, "X-OUTLOOK-CATEGORIES", categories, true);

    bool dateOnlyStart = false;
    if (item.kind == ItemKind::Appointment) {
        AddText(comp, icalproperty_new_summary, item.Text("Subject"));
        AddText(comp, icalproperty_new_description, item.Text("Body"));
        AddText(comp, icalproperty_new_location, item.Text("Location"));
        const double start = item.Date("Start");
        const int duration = item.Int("Duration");
        const bool allDay = item.Int("AllDayEvent") != 0;
        dateOnlyStart = allDay && start != 0.0 && IsMidnight(start) && duration > 0 && duration % 1440 == 0;
        if (start != 0.0) {
            icalcomponent_add_property(comp, icalproperty_new_dtstart(Floating(start, dateOnlyStart)));
            icalcomponent_add_property(comp,
                                       icalproperty_new_dtend(Floating(start + duration / 1440.0, dateOnlyStart)));
        } else if (duration != 0) {
            AddX(comp, "X-OUTLOOK-DURATION", std::to_string(duration));
        }
        if (allDay && !dateOnlyStart) AddX(comp, "X-MICROSOFT-CDO-ALLDAYEVENT", "TRUE");
        if (!allDay && start != 0.0 && dateOnlyStart) AddX(comp, "X-MICROSOFT-CDO-ALLDAYEVENT", "FALSE");
        const int minutes = item.Int("ReminderMinutesBeforeStart");
        if (item.Int("ReminderSet") != 0) {
            icalcomponent* alarm = icalcomponent_new_valarm();
            icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
            icalcomponent_add_property(alarm, icalproperty_new_description("Reminder"));
            struct icaltriggertype trigger;
            std::memset(&trigger, 0, sizeof trigger);
            trigger.time = icaltime_null_time();
            trigger.duration = icaldurationtype_from_int(-minutes * 60);
            icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
            icalcomponent_add_component(comp, alarm);
        } else if (minutes != 0) {
            AddX(comp, "X-OUTLOOK-REMINDERMINUTESBEFORESTART", std::to_string(minutes));
        }
    } else if (item.kind == ItemKind::Task) {
        AddText(comp, icalproperty_new_summary, item.Text("Subject"));
        AddText(comp, icalproperty_new_description, item.Text("Body"));
        const double start = item.Date("StartDate");
        const double due = item.Date("DueDate");
        dateOnlyStart = start != 0.0 && IsMidnight(start);
        if (start != 0.0) icalcomponent_add_property(comp, icalproperty_new_dtstart(Floating(start, dateOnlyStart)));
        if (due != 0.0) icalcomponent_add_property(comp, icalproperty_new_due(Floating(due, IsMidnight(due))));
        const int importance = item.Int("Importance");
        if (importance >= 0 && importance <= 2)
            icalcomponent_add_property(comp, icalproperty_new_priority(importance == 2 ? 1 : importance == 1 ? 5 : 9));
        else
            AddX(comp, "X-OUTLOOK-IMPORTANCE", std::to_string(importance));
        const int sensitivity = item.Int("Sensitivity");
        if (sensitivity == 2) icalcomponent_add_property(comp, icalproperty_new_class(ICAL_CLASS_PRIVATE));
        else if (sensitivity == 3) icalcomponent_add_property(comp, icalproperty_new_class(ICAL_CLASS_CONFIDENTIAL));
        else if (sensitivity != 0) {
            icalcomponent_add_property(comp, icalproperty_new_class(ICAL_CLASS_PRIVATE));
            AddX(comp, "X-OUTLOOK-SENSITIVITY", std::to_string(sensitivity));
        }
        const int status = item.Int("Status");
        icalproperty_status st = status == 1 ? ICAL_STATUS_INPROCESS
                                 : status == 2 ? ICAL_STATUS_COMPLETED
                                               : ICAL_STATUS_NEEDSACTION;
        icalcomponent_add_property(comp, icalproperty_new_status(st));
        if (status < 0 || status > 2) AddX(comp, "X-OUTLOOK-STATUS", std::to_string(status));
        if (item.Int("PercentComplete") != 0)
            icalcomponent_add_property(comp, icalproperty_new_percentcomplete(item.Int("PercentComplete")));
        const double reminder = item.Date("ReminderTime");
        if (item.Int("ReminderSet") != 0) {
            icalcomponent* alarm = icalcomponent_new_valarm();
            icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
            icalcomponent_add_property(alarm, icalproperty_new_description("Reminder"));
            struct icaltriggertype trigger;
            std::memset(&trigger, 0, sizeof trigger);
            trigger.duration = icaldurationtype_null_duration();
            trigger.time = reminder != 0.0 ? Utc(reminder) : icaltime_null_time();
            if (reminder == 0.0) trigger.duration = icaldurationtype_from_int(0);
            icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
            icalcomponent_add_component(comp, alarm);
        } else if (reminder != 0.0) {
            AddX(comp, "X-OUTLOOK-REMINDERTIME", FormatLocalDateTime(reminder));
        }
    } else {
        const std::string& body = item.Text("Body");
        AddText(comp, icalproperty_new_summary, NoteSubject(body));
        AddText(comp, icalproperty_new_description, body);
        if (item.Date("CreationTime") != 0.0)
            icalcomponent_add_property(comp, icalproperty_new_dtstart(Floating(item.Date("CreationTime"), false)));
    }

    if (item.kind != ItemKind::Note && item.recurring) {
        std::string rule = !item.recurrenceChanged && !item.originalRule.empty()
                               ? item.originalRule
                               : RecurrenceRule(item.recurrence, dateOnlyStart);
        if (!rule.empty()) {
            struct icalrecurrencetype r = icalrecurrencetype_from_string(rule.c_str());
            if (r.freq != ICAL_NO_RECURRENCE) icalcomponent_add_property(comp, icalproperty_new_rrule(r));
        }
        AddX(comp, "X-OUTLOOK-RECURRENCE", RecurrenceText(item.recurrence));
    }

    for (const char* name : ExtraProps(item.kind)) {
        const int i = FindProp(item.kind, name);
        const PropValue& v = item.At(i);
        const std::string xname = "X-OUTLOOK-" + Upper(name);
        switch (Schema(item.kind)[static_cast<std::size_t>(i)].type) {
            case PropType::Text:
                if (!v.s.empty()) AddX(comp, xname, v.s, true);
                break;
            case PropType::Int:
            case PropType::Bool:
                if (v.i != 0) AddX(comp, xname, std::to_string(v.i));
                break;
            case PropType::Date:
                if (v.d != 0.0) AddX(comp, xname, FormatLocalDateTime(v.d));
                break;
        }
    }
    if (item.order >= 0) AddX(comp, "X-OUTLOOK-ORDER", std::to_string(item.order));
    return icalcomponent_as_ical_string(cal.get());
}

bool CalendarItemFromIcs(std::string_view text, ItemData& item) {
    // Errors in a file are answers here, never a reason to stop the program.
    static const bool quiet = [] {
        icalerror_set_errors_are_fatal(0);
        return true;
    }();
    (void)quiet;
    const std::string copy(text.substr(0, text.find('\0')));
    ComponentPtr cal(icalparser_parse_string(copy.c_str()));
    if (!cal) return false;
    if (icalcomponent_isa(cal.get()) != ICAL_VCALENDAR_COMPONENT) {
        // A bare component: wrap it so that it is written back in a calendar.
        if (icalcomponent_isa(cal.get()) != ComponentKind(item.kind)) return false;
        icalcomponent* wrapper = icalcomponent_new_vcalendar();
        icalcomponent_add_property(wrapper, icalproperty_new_version("2.0"));
        icalcomponent_add_component(wrapper, cal.release());
        cal.reset(wrapper);
    }
    // The item is the first component of its kind that is not an exception.
    icalcomponent* comp = nullptr;
    for (icalcomponent* c = icalcomponent_get_first_component(cal.get(), ComponentKind(item.kind)); c;
         c = icalcomponent_get_next_component(cal.get(), ComponentKind(item.kind))) {
        if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) == nullptr) {
            comp = c;
            break;
        }
    }
    if (comp == nullptr) return false;

    Loaded l;
    std::vector<icalproperty*> consumed;
    std::vector<std::string> categories;
    // The component's own iterator is moved by the lookups below; walk a copy.
    std::vector<icalproperty*> properties;
    for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(comp, ICAL_ANY_PROPERTY))
        properties.push_back(p);
    for (icalproperty* p : properties) {
        const bool crlf = IsCrlf(p);
        bool used = true;
        switch (icalproperty_isa(p)) {
            case ICAL_SUMMARY_PROPERTY:
                if (item.kind == ItemKind::Note) l.summary = FromLf(icalproperty_get_summary(p), crlf);
                else item.SetText("Subject", FromLf(icalproperty_get_summary(p), crlf));
                break;
            case ICAL_DESCRIPTION_PROPERTY: item.SetText("Body", FromLf(icalproperty_get_description(p), crlf)); break;
            case ICAL_LOCATION_PROPERTY:
                if (item.kind == ItemKind::Appointment) item.SetText("Location", FromLf(icalproperty_get_location(p), crlf));
                else used = false;
                break;
            case ICAL_CATEGORIES_PROPERTY: categories.emplace_back(icalproperty_get_categories(p)); break;
            case ICAL_DTSTAMP_PROPERTY:
            case ICAL_UID_PROPERTY: used = false; break;  // kept as they are
            case ICAL_CREATED_PROPERTY: {
                double d = 0;
                if (ToLocal(icalproperty_get_created(p), d)) item.SetDate("CreationTime", d);
                break;
            }
            case ICAL_LASTMODIFIED_PROPERTY: {
                double d = 0;
                if (ToLocal(icalproperty_get_lastmodified(p), d)) item.SetDate("LastModificationTime", d);
                break;
            }
            case ICAL_DTSTART_PROPERTY: {
                const icaltimetype t = icalcomponent_get_dtstart(comp);
                used = ToLocal(t, l.start);
                l.startIsDate = t.is_date != 0;
                break;
            }
            case ICAL_DTEND_PROPERTY:
            case ICAL_DUE_PROPERTY: {
                const icaltimetype t =
                    icalproperty_isa(p) == ICAL_DUE_PROPERTY ? icalcomponent_get_due(comp) : icalcomponent_get_dtend(comp);
                used = ToLocal(t, l.end);
                l.haveEnd = used;
                l.endIsDate = t.is_date != 0;
                break;
            }
            case ICAL_DURATION_PROPERTY:
                if (item.kind == ItemKind::Appointment)
                    l.durationSeconds = icaldurationtype_as_int(icalproperty_get_duration(p));
                else
                    used = false;
                break;
            case ICAL_RRULE_PROPERTY:
                if (l.rrule.empty() && item.kind != ItemKind::Note) {
                    struct icalrecurrencetype r = icalproperty_get_rrule(p);
                    char* s = icalrecurrencetype_as_string_r(&r);
                    l.rrule = s ? s : "";
                    icalmemory_free_buffer(s);
                } else {
                    used = false;
                }
                break;
            case ICAL_PRIORITY_PROPERTY:
            case ICAL_CLASS_PROPERTY:
            case ICAL_STATUS_PROPERTY:
            case ICAL_PERCENTCOMPLETE_PROPERTY: used = item.kind == ItemKind::Task && ReadTaskProperty(p, item); break;
            case ICAL_X_PROPERTY: {
                const char* xname = icalproperty_get_x_name(p);
                const char* value = icalproperty_get_x(p);
                const std::string name = Upper(xname ? xname : "");
                if (value == nullptr) value = "";
                if (name == "X-MICROSOFT-CDO-ALLDAYEVENT" && item.kind == ItemKind::Appointment) {
                    l.allDayFlag = Upper(value) == "TRUE" ? 1 : 0;
                } else if (name == "X-OUTLOOK-ORDER") {
                    char* end = nullptr;
                    const long long v = std::strtoll(value, &end, 10);
                    used = end != value && *end == '\0' && v >= 0;
                    if (used) item.order = v;
                } else if (name == "X-OUTLOOK-RECURRENCE") {
                    l.xRecurrence = value;
                } else if (name == "X-OUTLOOK-CATEGORIES") {
                    l.xCategories = FromLf(value, crlf);
                } else if (name == "X-OUTLOOK-DURATION" && item.kind == ItemKind::Appointment) {
                    used = ReadExtra(item, "Duration", value, crlf);
                } else if (name.rfind("X-OUTLOOK-", 0) == 0) {
                    used = ReadExtra(item, name.substr(10), value, crlf);
                } else {
                    used = false;
                }
                break;
            }
            default: used = false; break;
        }
        if (used) consumed.push_back(p);
    }
    // The first alarm is the item's reminder.
    if (item.kind != ItemKind::Note) {
        if (icalcomponent* alarm = icalcomponent_get_first_component(comp, ICAL_VALARM_COMPONENT)) {
            ReadAlarm(alarm, l);
            if (l.alarm) {
                icalcomponent_remove_component(comp, alarm);
                icalcomponent_free(alarm);
            }
        }
    }
    for (icalproperty* p : consumed) {
        icalcomponent_remove_property(comp, p);
        icalproperty_free(p);
    }
    // The item's own calendar properties are written anew.
    if (icalproperty* prodid = icalcomponent_get_first_property(cal.get(), ICAL_PRODID_PROPERTY)) {
        icalcomponent_remove_property(cal.get(), prodid);
        icalproperty_free(prodid);
    }
    if (icalproperty* stamp = icalcomponent_get_first_property(comp, ICAL_DTSTAMP_PROPERTY)) {
        icalcomponent_remove_property(comp, stamp);
        icalproperty_free(stamp);
    }

    if (!categories.empty()) item.SetText("Categories", JoinCategories(categories));
    if (!l.xCategories.empty()) item.SetText("Categories", l.xCategories);

    switch (item.kind) {
        case ItemKind::Appointment: {
            item.SetDate("Start", l.start);
            int minutes = 0;
            if (l.haveEnd) minutes = static_cast<int>(std::lround((l.end - l.start) * 1440.0));
            else if (l.durationSeconds >= 0) minutes = l.durationSeconds / 60;
            else if (l.startIsDate) minutes = 1440;
            if (l.start != 0.0) item.SetInt("Duration", minutes < 0 ? 0 : minutes);
            item.SetInt("AllDayEvent", l.allDayFlag >= 0 ? l.allDayFlag : (l.startIsDate ? 1 : 0));
            if (l.alarm) {
                item.SetInt("ReminderSet", 1);
                item.SetInt("ReminderMinutesBeforeStart",
                            l.alarmRelative ? -l.alarmSeconds / 60
                                            : static_cast<int>(std::lround((l.start - l.alarmAbsolute) * 1440.0)));
            }
            break;
        }
        case ItemKind::Task:
            item.SetDate("StartDate", l.start);
            item.SetDate("DueDate", l.end);
            if (l.alarm) {
                item.SetInt("ReminderSet", 1);
                if (!l.alarmRelative) item.SetDate("ReminderTime", l.alarmAbsolute);
                else if (l.end != 0.0) item.SetDate("ReminderTime", l.end + l.alarmSeconds / 86400.0);
            }
            break;
        case ItemKind::Note:
            if (item.Text("Body").empty()) item.SetText("Body", l.summary);
            break;
        case ItemKind::Contact: break;
    }

    if (!l.rrule.empty()) {
        item.recurring = true;
        item.originalRule = l.rrule;
        Recurrence fromX;
        if (!l.xRecurrence.empty() && ParseRecurrenceText(l.xRecurrence.c_str(), fromX) &&
            CanonicalRule(RecurrenceRule(fromX, l.startIsDate)) == CanonicalRule(l.rrule)) {
            item.recurrence = fromX;
        } else {
            item.recurrence = PatternFromRule(icalrecurrencetype_from_string(l.rrule.c_str()), l.start);
        }
    } else if (!l.xRecurrence.empty() && ParseRecurrenceText(l.xRecurrence.c_str(), item.recurrence)) {
        item.recurring = true;  // a pattern that no rule can express
    }
    item.kept = icalcomponent_as_ical_string(cal.get());
    return true;
}

}  // namespace platform::outlook
