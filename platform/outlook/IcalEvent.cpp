#include "platform/outlook/IcalComponents.h"

#include <cmath>
#include <string>

#include "platform/outlook/DateText.h"
#include "platform/outlook/IcalAlarm.h"
#include "platform/outlook/IcalParts.h"

namespace platform::outlook {

namespace {

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

void WriteReminder(icalcomponent* comp, const ItemData& item) {
    const int minutes = item.Int("ReminderMinutesBeforeStart");
    const double start = item.Date("Start");
    AlarmPlan plan;
    plan.set = item.Int("ReminderSet") != 0;
    plan.offName = "X-OUTLOOK-REMINDERMINUTESBEFORESTART";
    if (minutes != 0) plan.offValue = std::to_string(minutes);
    plan.timed = start != 0.0;
    plan.at = AddSeconds(start, -minutes * 60LL);
    plan.start = start;
    plan.end = AddSeconds(start, item.Int("Duration") * 60LL);
    plan.offset = -minutes * 60LL;
    WriteAlarm(comp, plan);
}

void ReadTimes(ItemData& item, const LoadedValues& l) {
    item.SetDate("Start", l.start);
    int minutes = 0;
    if (l.haveEnd && l.startIsDate)
        minutes = static_cast<int>(std::lround((l.end - l.start) * 1440.0));
    else if (l.haveEnd)
        minutes = static_cast<int>(SecondsBetween(l.start, l.end) / 60);
    else if (l.durationSeconds >= 0)
        minutes = l.durationSeconds / 60;
    else if (l.startIsDate)
        minutes = 1440;
    item.SetInt("Duration", minutes < 0 ? 0 : minutes);
    item.SetInt("AllDayEvent", l.allDayFlag >= 0 ? l.allDayFlag : (l.startIsDate ? 1 : 0));
}

// The reminder in minutes before the start.
void ReadReminder(icalcomponent* comp, ItemData& item, const LoadedValues& l) {
    const std::optional<AlarmTrigger> alarm = ReadAlarm(comp);
    if (!alarm) return;
    item.SetInt("ReminderSet", 1);
    if (!alarm->absolute) {
        const long long lead = alarm->fromEnd ? -(item.Int("Duration") * 60LL + alarm->seconds) : -alarm->seconds;
        item.SetInt("ReminderMinutesBeforeStart", static_cast<std::int32_t>(lead / 60));
        return;
    }
    if (alarm->readable && l.start != 0.0)
        item.SetInt("ReminderMinutesBeforeStart", static_cast<std::int32_t>(SecondsBetween(alarm->at, l.start) / 60));
}

}  // namespace

void ReadEvent(icalcomponent* comp, ItemData& item, const LoadedValues& l) {
    if (l.start != 0.0) ReadTimes(item, l);
    ReadReminder(comp, item, l);
}

void WriteEvent(icalcomponent* comp, const ItemWrite& w) {
    const ItemData& item = w.item;
    // Texts are put whether changed or not: libical trims the blanks
    // at the ends of the values it parsed, the item holds them exactly.
    SetText(comp, ICAL_SUMMARY_PROPERTY, item.Text("Subject"));
    SetText(comp, ICAL_DESCRIPTION_PROPERTY, item.Text("Body"));
    SetText(comp, ICAL_LOCATION_PROPERTY, item.Text("Location"));
    if (w.Changed({"Start", "Duration", "AllDayEvent"})) WriteAppointmentTimes(comp, item);
    if (w.Changed({"ReminderSet", "ReminderMinutesBeforeStart", "Start", "Duration"})) WriteReminder(comp, item);
}

}  // namespace platform::outlook
