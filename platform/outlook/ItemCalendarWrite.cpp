// Writing an item into its iCalendar file. A file read before is updated
// in its own form: a property is replaced only when the item's value that it
// holds changed, times keep their zone, the reminder's alarm keeps its
// other properties, and whatever maps to no item property stays.
#include <cmath>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/outlook/DateText.h"
#include "platform/outlook/IcalParts.h"
#include "platform/outlook/IcalText.h"
#include "platform/outlook/IcalTime.h"
#include "platform/outlook/ItemCalendar.h"

namespace platform::outlook {

namespace {

void RemoveAll(icalcomponent* comp, icalproperty_kind kind) {
    while (icalproperty* p = icalcomponent_get_first_property(comp, kind)) {
        icalcomponent_remove_property(comp, p);
        icalproperty_free(p);
    }
}

void RemoveX(icalcomponent* comp, std::string_view name) {
    while (icalproperty* p = FindX(comp, name)) {
        icalcomponent_remove_property(comp, p);
        icalproperty_free(p);
    }
}

// Puts a text into a property: LF line breaks, others recorded.
void PutTextValue(icalproperty* p, std::string_view text, bool isX) {
    std::string code;
    const std::string lf = BreaksToLf(text, code);
    if (isX)
        icalproperty_set_x(p, lf.c_str());
    else
        icalproperty_set_value(p, icalvalue_new_text(lf.c_str()));
    icalproperty_remove_parameter_by_name(p, kEolParam);
    if (!code.empty()) {
        icalparameter* param = icalparameter_new_x(code.c_str());
        icalparameter_set_xname(param, kEolParam);
        icalproperty_add_parameter(p, param);
    }
}

// A text property set in place (its parameters stay) or removed when empty.
void SetText(icalcomponent* comp, icalproperty_kind kind, std::string_view text) {
    icalproperty* p = icalcomponent_get_first_property(comp, kind);
    if (text.empty()) {
        if (p != nullptr) {
            icalcomponent_remove_property(comp, p);
            icalproperty_free(p);
        }
        return;
    }
    if (p == nullptr) {
        p = icalproperty_new(kind);
        icalcomponent_add_property(comp, p);
    }
    PutTextValue(p, text, false);
}

void SetX(icalcomponent* comp, const std::string& name, std::string_view value) {
    RemoveX(comp, name);
    if (value.empty()) return;
    icalproperty* p = icalproperty_new_x("");
    icalproperty_set_x_name(p, name.c_str());
    PutTextValue(p, value, true);
    icalcomponent_add_property(comp, p);
}

icaltimetype UtcNow() { return icaltime_from_timet_with_zone(std::time(nullptr), 0, icaltimezone_get_utc_timezone()); }

// A UTC time property of the component, set or removed.
void SetUtc(icalcomponent* comp, icalproperty_kind kind, double date) {
    RemoveAll(comp, kind);
    if (date == 0.0) return;
    TimeForm utc;
    icalproperty* p = icalproperty_new(kind);
    if (SetPropertyTime(p, date, utc))
        icalcomponent_add_property(comp, p);
    else
        icalproperty_free(p);
}

// A date or time property set in place in a form, or removed for none.
icalproperty* SetTime(icalcomponent* comp, icalproperty_kind kind, double date, const TimeForm& form) {
    icalproperty* p = icalcomponent_get_first_property(comp, kind);
    if (date == 0.0) {
        RemoveAll(comp, kind);
        return nullptr;
    }
    const bool added = p == nullptr;
    if (added) p = icalproperty_new(kind);
    if (!SetPropertyTime(p, date, form)) {
        if (added) icalproperty_free(p);
        return nullptr;
    }
    if (added) icalcomponent_add_property(comp, p);
    return p;
}

// The form of new times: that of the start (or end) already there, UTC else.
TimeForm TimedForm(icalcomponent* comp) {
    for (icalproperty_kind kind : {ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY, ICAL_DUE_PROPERTY}) {
        if (icalproperty* p = icalcomponent_get_first_property(comp, kind)) {
            TimeForm f = FormOf(p);
            if (f.kind != TimeForm::Date) return f;
        }
    }
    return TimeForm{};
}

UntilForm UntilOf(icalcomponent* comp) {
    icalproperty* p = icalcomponent_get_first_property(comp, ICAL_DTSTART_PROPERTY);
    if (p == nullptr) return UntilForm::Utc;
    const TimeForm f = FormOf(p);
    if (f.kind == TimeForm::Date) return UntilForm::Date;
    if (f.kind == TimeForm::Floating || (f.kind == TimeForm::Zoned && f.zone == nullptr)) return UntilForm::Floating;
    return UntilForm::Utc;
}

bool AppointmentDateForm(const ItemData& item) {
    const double start = item.Date("Start");
    const int duration = item.Int("Duration");
    return item.Int("AllDayEvent") != 0 && start != 0.0 && IsMidnight(start) && duration > 0 && duration % 1440 == 0;
}

void WriteAppointmentTimes(icalcomponent* comp, const ItemData& item) {
    const double start = item.Date("Start");
    const int duration = item.Int("Duration");
    const bool allDay = item.Int("AllDayEvent") != 0;
    const bool dateForm = AppointmentDateForm(item);
    icalproperty* flag = FindX(comp, "X-MICROSOFT-CDO-ALLDAYEVENT");
    const bool hadFlag = flag != nullptr;
    RemoveX(comp, "X-MICROSOFT-CDO-ALLDAYEVENT");
    RemoveX(comp, "X-OUTLOOK-DURATION");
    if (start == 0.0) {
        RemoveAll(comp, ICAL_DTSTART_PROPERTY);
        RemoveAll(comp, ICAL_DTEND_PROPERTY);
        RemoveAll(comp, ICAL_DURATION_PROPERTY);
        if (duration != 0) SetX(comp, "X-OUTLOOK-DURATION", std::to_string(duration));
        if (allDay) SetX(comp, "X-MICROSOFT-CDO-ALLDAYEVENT", "TRUE");
        return;
    }
    TimeForm form;
    if (dateForm)
        form.kind = TimeForm::Date;
    else
        form = TimedForm(comp);
    SetTime(comp, ICAL_DTSTART_PROPERTY, start, form);
    if (icalproperty* d = icalcomponent_get_first_property(comp, ICAL_DURATION_PROPERTY);
        d != nullptr && icalcomponent_get_first_property(comp, ICAL_DTEND_PROPERTY) == nullptr) {
        icalproperty_set_duration(d, icaldurationtype_from_int(duration * 60));
    } else {
        RemoveAll(comp, ICAL_DURATION_PROPERTY);
        const double end = dateForm ? NormalizeDate(start + duration / 1440) : AddSeconds(start, duration * 60LL);
        SetTime(comp, ICAL_DTEND_PROPERTY, end, form);
    }
    if (allDay && !dateForm)
        SetX(comp, "X-MICROSOFT-CDO-ALLDAYEVENT", "TRUE");
    else if (hadFlag && !allDay)
        SetX(comp, "X-MICROSOFT-CDO-ALLDAYEVENT", "FALSE");
}

// A reminder turned off: its alarms go; e-mail alarms and the like stay.
void RemoveAlarms(icalcomponent* comp) {
    while (icalcomponent* a = FirstAlarm(comp)) {
        icalcomponent_remove_component(comp, a);
        icalcomponent_free(a);
    }
}

// The trigger of the reminder's alarm; the alarm is made when there is none.
icalproperty* ReminderTrigger(icalcomponent* comp, bool* made = nullptr) {
    if (made) *made = FirstAlarm(comp) == nullptr;
    if (icalcomponent* alarm = FirstAlarm(comp)) return icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description("Reminder"));
    struct icaltriggertype trigger;
    std::memset(&trigger, 0, sizeof trigger);
    trigger.time = icaltime_null_time();
    icalproperty* p = icalproperty_new_trigger(trigger);
    icalcomponent_add_property(alarm, p);
    icalcomponent_add_component(comp, alarm);
    return p;
}

// Sets a trigger to a local time, in its own form: an instant when it was
// one, else relative to the start or (RELATED=END) to the end. A new
// trigger is an instant when `instant` is set.
void SetTrigger(icalproperty* p, double at, double start, double end, bool instant) {
    struct icaltriggertype old = icalproperty_get_trigger(p);
    if (instant) old.time = icaltime_from_timet_with_zone(0, 0, icaltimezone_get_utc_timezone());
    icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
    const bool fromEnd = related != nullptr && icalparameter_get_related(related) == ICAL_RELATED_END;
    const double anchor = fromEnd ? end : start;
    struct icaltriggertype trigger;
    std::memset(&trigger, 0, sizeof trigger);
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    if (icaltime_is_null_time(old.time) && anchor != 0.0) {
        trigger.duration = icaldurationtype_from_int(static_cast<int>(SecondsBetween(anchor, at)));
    } else {
        TimeForm utc;
        trigger.time = LocalToTime(at, utc);
        if (icaltime_is_null_time(trigger.time)) return;
        icalproperty_remove_parameter_by_kind(p, ICAL_RELATED_PARAMETER);
    }
    icalproperty_remove_parameter_by_kind(p, ICAL_VALUE_PARAMETER);
    icalproperty_set_trigger(p, trigger);
    if (!icaltime_is_null_time(trigger.time))
        icalproperty_add_parameter(p, icalparameter_new_value(ICAL_VALUE_DATETIME));
}

void WriteAppointmentReminder(icalcomponent* comp, const ItemData& item) {
    const int minutes = item.Int("ReminderMinutesBeforeStart");
    RemoveX(comp, "X-OUTLOOK-REMINDERMINUTESBEFORESTART");
    if (item.Int("ReminderSet") == 0) {
        RemoveAlarms(comp);
        if (minutes != 0) SetX(comp, "X-OUTLOOK-REMINDERMINUTESBEFORESTART", std::to_string(minutes));
        return;
    }
    const double start = item.Date("Start");
    if (start == 0.0) {
        // Without a start only the lead itself can be kept.
        icalproperty* p = ReminderTrigger(comp);
        struct icaltriggertype trigger;
        std::memset(&trigger, 0, sizeof trigger);
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_from_int(-minutes * 60);
        icalproperty_remove_parameter_by_kind(p, ICAL_RELATED_PARAMETER);
        icalproperty_remove_parameter_by_kind(p, ICAL_VALUE_PARAMETER);
        icalproperty_set_trigger(p, trigger);
        return;
    }
    SetTrigger(ReminderTrigger(comp), AddSeconds(start, -minutes * 60LL), start,
               AddSeconds(start, item.Int("Duration") * 60LL), false);
}

// The local time of a time property of the component; 0 for none.
double TimeIn(icalcomponent* comp, icalproperty_kind kind) {
    double out = 0.0;
    if (icalproperty* p = icalcomponent_get_first_property(comp, kind)) TimeToLocal(PropertyTime(p), out);
    return out;
}

void WriteTaskReminder(icalcomponent* comp, const ItemData& item) {
    const double at = item.Date("ReminderTime");
    RemoveX(comp, "X-OUTLOOK-REMINDERTIME");
    if (item.Int("ReminderSet") == 0) {
        RemoveAlarms(comp);
        if (at != 0.0) SetX(comp, "X-OUTLOOK-REMINDERTIME", FormatUtcDateTime(at));
        return;
    }
    bool made = false;
    icalproperty* p = ReminderTrigger(comp, &made);
    if (at == 0.0) {
        struct icaltriggertype trigger;
        std::memset(&trigger, 0, sizeof trigger);
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_from_int(0);
        icalproperty_remove_parameter_by_kind(p, ICAL_VALUE_PARAMETER);
        icalproperty_set_trigger(p, trigger);
        return;
    }
    // A relative trigger counts from the times the file holds, which may be
    // more exact than the task's days.
    SetTrigger(p, at, TimeIn(comp, ICAL_DTSTART_PROPERTY), TimeIn(comp, ICAL_DUE_PROPERTY), made);
}

// The start a repeating task carries when it has none of its own.
double MadeUpStart(const ItemData& item) {
    if (item.Date("DueDate") != 0.0) return item.Date("DueDate");
    if (item.Date("CreationTime") != 0.0) return DayOf(item.Date("CreationTime"));
    double now = 0;
    UtcToLocalDate(std::time(nullptr), now);
    return DayOf(now);
}

void WriteTaskDates(icalcomponent* comp, const ItemData& item) {
    TimeForm date;
    date.kind = TimeForm::Date;
    double start = item.Date("StartDate");
    const bool madeUp = start == 0.0 && item.recurring;
    if (madeUp) start = MadeUpStart(item);
    if (icalproperty* p = SetTime(comp, ICAL_DTSTART_PROPERTY, start, date)) {
        icalproperty_remove_parameter_by_name(p, kDerivedParam);
        if (madeUp) {
            icalparameter* param = icalparameter_new_x("TRUE");
            icalparameter_set_xname(param, kDerivedParam);
            icalproperty_add_parameter(p, param);
        }
    }
    SetTime(comp, ICAL_DUE_PROPERTY, item.Date("DueDate"), date);
}

void WriteTaskState(icalcomponent* comp, const ItemData& item, bool wasComplete) {
    ItemData settled = item;
    SettleDerivedValues(settled);
    const bool complete = settled.Int("Complete") != 0;
    const int status = settled.Int("Status");
    const int percent = settled.Int("PercentComplete");
    RemoveAll(comp, ICAL_STATUS_PROPERTY);
    RemoveAll(comp, ICAL_PERCENTCOMPLETE_PROPERTY);
    RemoveX(comp, "X-OUTLOOK-STATUS");
    if (!complete || !wasComplete) RemoveAll(comp, ICAL_COMPLETED_PROPERTY);
    if (complete) {
        icalcomponent_add_property(comp, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        if (icalcomponent_get_first_property(comp, ICAL_COMPLETED_PROPERTY) == nullptr)
            icalcomponent_add_property(comp, icalproperty_new_completed(UtcNow()));
        icalcomponent_add_property(comp, icalproperty_new_percentcomplete(100));
        return;
    }
    icalcomponent_add_property(comp,
                               icalproperty_new_status(status == 1 ? ICAL_STATUS_INPROCESS : ICAL_STATUS_NEEDSACTION));
    if (status != 0 && status != 1) SetX(comp, "X-OUTLOOK-STATUS", std::to_string(status));
    if (percent != 0) icalcomponent_add_property(comp, icalproperty_new_percentcomplete(percent));
}

void WriteImportance(icalcomponent* comp, int importance) {
    RemoveAll(comp, ICAL_PRIORITY_PROPERTY);
    RemoveX(comp, "X-OUTLOOK-IMPORTANCE");
    if (importance >= 0 && importance <= 2)
        icalcomponent_add_property(comp, icalproperty_new_priority(importance == 2 ? 1 : importance == 1 ? 5 : 9));
    else
        SetX(comp, "X-OUTLOOK-IMPORTANCE", std::to_string(importance));
}

void WriteSensitivity(icalcomponent* comp, int sensitivity) {
    RemoveAll(comp, ICAL_CLASS_PROPERTY);
    RemoveX(comp, "X-OUTLOOK-SENSITIVITY");
    if (sensitivity == 0) return;
    icalcomponent_add_property(comp,
                               icalproperty_new_class(sensitivity == 3 ? ICAL_CLASS_CONFIDENTIAL : ICAL_CLASS_PRIVATE));
    if (sensitivity != 2 && sensitivity != 3) SetX(comp, "X-OUTLOOK-SENSITIVITY", std::to_string(sensitivity));
}

void WriteCategories(icalcomponent* comp, const std::string& categories) {
    RemoveAll(comp, ICAL_CATEGORIES_PROPERTY);
    RemoveX(comp, "X-OUTLOOK-CATEGORIES");
    const auto items = CategoryItems(categories);
    for (const std::string& c : items) icalcomponent_add_property(comp, icalproperty_new_categories(c.c_str()));
    if (JoinCategories(items) != categories) SetX(comp, "X-OUTLOOK-CATEGORIES", categories);
}

// A new pattern replaces the rule with its exceptions, extra dates and
// overriding instances.
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

void WriteExtras(icalcomponent* comp, const ItemData& item, const ItemData& old, bool fresh) {
    const ItemData defaults(item.kind);
    for (const char* name : ExtraProps(item.kind)) {
        const int i = FindProp(item.kind, name);
        const PropValue& v = item.At(i);
        const PropValue& was = old.At(i);
        const bool text = Schema(item.kind)[static_cast<std::size_t>(i)].type == PropType::Text;
        // A text is put again even when unchanged, for the blanks libical trimmed.
        if (!fresh && !text && v.s == was.s && v.i == was.i && v.d == was.d) continue;
        const PropValue& plain = defaults.At(i);
        const std::string xname = "X-OUTLOOK-" + Upper(name);
        RemoveX(comp, xname);
        switch (Schema(item.kind)[static_cast<std::size_t>(i)].type) {
        case PropType::Text: SetX(comp, xname, v.s); break;
        case PropType::Int:
        case PropType::Bool:
            if (v.i != plain.i) SetX(comp, xname, std::to_string(v.i));
            break;
        case PropType::Date:
            if (v.d != 0.0) SetX(comp, xname, FormatUtcDateTime(v.d));
            break;
        }
    }
}

bool Differ(const ItemData& a, const ItemData& b, std::initializer_list<const char*> names) {
    for (const char* n : names) {
        const int i = FindProp(a.kind, n);
        if (i < 0) continue;
        const PropValue& x = a.At(i);
        const PropValue& y = b.At(i);
        if (x.s != y.s || x.i != y.i || x.d != y.d) return true;
    }
    return false;
}

bool PatternDiffers(const ItemData& a, const ItemData& b) {
    return a.recurring != b.recurring || (a.recurring && !SamePattern(a.recurrence, b.recurrence));
}

}  // namespace

std::string CalendarItemToIcs(const ItemData& item) {
    ComponentPtr cal;
    icalcomponent* comp = nullptr;
    ItemData old(item.kind);
    bool fresh =
        item.kept.empty() || !ParseCalendar(item.kept, item.kind, cal, comp) || !CalendarItemFromIcs(item.kept, old);
    if (fresh) {
        old = ItemData(item.kind);
        cal.reset(icalcomponent_new_vcalendar());
        icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
        icalcomponent_add_property(cal.get(), icalproperty_new_prodid("-//norrbek//Ferrywise Outlook store//EN"));
        comp = icalcomponent_new(ComponentKind(item.kind));
        icalcomponent_add_component(cal.get(), comp);
    }
    auto changed = [&](std::initializer_list<const char*> names) { return fresh || Differ(item, old, names); };

    if (icalcomponent_get_first_property(comp, ICAL_UID_PROPERTY) == nullptr && !item.entryId.empty())
        icalcomponent_add_property(comp, icalproperty_new_uid(item.entryId.c_str()));
    RemoveAll(comp, ICAL_DTSTAMP_PROPERTY);
    icalcomponent_add_property(comp, icalproperty_new_dtstamp(UtcNow()));
    if (changed({"CreationTime"})) SetUtc(comp, ICAL_CREATED_PROPERTY, item.Date("CreationTime"));
    if (changed({"LastModificationTime"})) SetUtc(comp, ICAL_LASTMODIFIED_PROPERTY, item.Date("LastModificationTime"));
    if (fresh || item.order != old.order) {
        RemoveX(comp, "X-OUTLOOK-ORDER");
        if (item.order >= 0) SetX(comp, "X-OUTLOOK-ORDER", std::to_string(item.order));
    }
    if (changed({"Categories"})) WriteCategories(comp, item.Text("Categories"));

    switch (item.kind) {
    case ItemKind::Appointment:
        // Texts are put whether changed or not: libical trims the blanks
        // at the ends of the values it parsed, the item holds them exactly.
        SetText(comp, ICAL_SUMMARY_PROPERTY, item.Text("Subject"));
        SetText(comp, ICAL_DESCRIPTION_PROPERTY, item.Text("Body"));
        SetText(comp, ICAL_LOCATION_PROPERTY, item.Text("Location"));
        if (changed({"Start", "Duration", "AllDayEvent"})) WriteAppointmentTimes(comp, item);
        if (changed({"ReminderSet", "ReminderMinutesBeforeStart", "Start", "Duration"}))
            WriteAppointmentReminder(comp, item);
        break;
    case ItemKind::Task: {
        SetText(comp, ICAL_SUMMARY_PROPERTY, item.Text("Subject"));
        SetText(comp, ICAL_DESCRIPTION_PROPERTY, item.Text("Body"));
        const bool startMadeUp = item.Date("StartDate") == 0.0 && item.recurring;
        const bool wasMadeUp = old.Date("StartDate") == 0.0 && old.recurring;
        if (changed({"StartDate", "DueDate"}) || startMadeUp != wasMadeUp) WriteTaskDates(comp, item);
        if (changed({"Importance"})) WriteImportance(comp, item.Int("Importance"));
        if (changed({"Sensitivity"})) WriteSensitivity(comp, item.Int("Sensitivity"));
        ItemData settled = item;
        SettleDerivedValues(settled);
        if (fresh || Differ(settled, old, {"Complete", "Status", "PercentComplete"}))
            WriteTaskState(comp, item, !fresh && old.Int("Complete") != 0);
        if (changed({"ReminderSet", "ReminderTime", "StartDate", "DueDate"})) WriteTaskReminder(comp, item);
        break;
    }
    case ItemKind::Note:
        if (changed({"Body"})) SetText(comp, ICAL_SUMMARY_PROPERTY, NoteSubject(item.Text("Body")));
        SetText(comp, ICAL_DESCRIPTION_PROPERTY, item.Text("Body"));
        if (fresh && item.Date("CreationTime") != 0.0) {
            TimeForm utc;
            SetTime(comp, ICAL_DTSTART_PROPERTY, item.Date("CreationTime"), utc);
        }
        break;
    case ItemKind::Contact: break;
    }
    if (item.kind != ItemKind::Note && (fresh ? item.recurring : PatternDiffers(item, old)))
        WriteRecurrence(cal.get(), comp, item);
    WriteExtras(comp, item, old, fresh);
    return icalcomponent_as_ical_string(cal.get());
}

}  // namespace platform::outlook
