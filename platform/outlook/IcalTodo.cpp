#include "platform/outlook/IcalComponents.h"

#include <ctime>
#include <string>

#include "platform/outlook/DateText.h"
#include "platform/outlook/IcalAlarm.h"
#include "platform/outlook/IcalParts.h"
#include "platform/outlook/ItemCalendar.h"

namespace platform::outlook {

namespace {

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
    icalcomponent_add_property(
        comp, icalproperty_new_status(status == olTaskInProgress ? ICAL_STATUS_INPROCESS : ICAL_STATUS_NEEDSACTION));
    if (status != olTaskNotStarted && status != olTaskInProgress)
        SetX(comp, "X-OUTLOOK-STATUS", std::to_string(status));
    if (percent != 0) icalcomponent_add_property(comp, icalproperty_new_percentcomplete(percent));
}

void WriteImportance(icalcomponent* comp, int importance) {
    RemoveAll(comp, ICAL_PRIORITY_PROPERTY);
    RemoveX(comp, "X-OUTLOOK-IMPORTANCE");
    if (importance >= olImportanceLow && importance <= olImportanceHigh)
        icalcomponent_add_property(comp, icalproperty_new_priority(importance == olImportanceHigh     ? 1
                                                                   : importance == olImportanceNormal ? 5
                                                                                                      : 9));
    else
        SetX(comp, "X-OUTLOOK-IMPORTANCE", std::to_string(importance));
}

void WriteSensitivity(icalcomponent* comp, int sensitivity) {
    RemoveAll(comp, ICAL_CLASS_PROPERTY);
    RemoveX(comp, "X-OUTLOOK-SENSITIVITY");
    if (sensitivity == olNormal) return;
    icalcomponent_add_property(
        comp, icalproperty_new_class(sensitivity == olConfidential ? ICAL_CLASS_CONFIDENTIAL : ICAL_CLASS_PRIVATE));
    if (sensitivity != olPrivate && sensitivity != olConfidential)
        SetX(comp, "X-OUTLOOK-SENSITIVITY", std::to_string(sensitivity));
}

void WriteReminder(icalcomponent* comp, const ItemData& item) {
    const double at = item.Date("ReminderTime");
    AlarmPlan plan;
    plan.set = item.Int("ReminderSet") != 0;
    plan.offName = "X-OUTLOOK-REMINDERTIME";
    if (at != 0.0) plan.offValue = FormatUtcDateTime(at);
    plan.timed = at != 0.0;
    plan.at = at;
    // A relative trigger counts from the times the file holds, which may be
    // more exact than the task's days.
    plan.start = TimeIn(comp, ICAL_DTSTART_PROPERTY);
    plan.end = TimeIn(comp, ICAL_DUE_PROPERTY);
    plan.offsetKeepsRelated = true;
    plan.newIsInstant = true;
    WriteAlarm(comp, plan);
}

void ReadTaskState(ItemData& item, const LoadedValues& l) {
    if (l.priority >= 0)
        item.SetInt("Importance", l.priority == 0 || l.priority == 5 ? olImportanceNormal
                                  : l.priority < 5                   ? olImportanceHigh
                                                                     : olImportanceLow);
    else if (l.haveXImportance)
        item.SetInt("Importance", l.xImportance);
    if (l.sensitivity >= 0) item.SetInt("Sensitivity", l.sensitivity);
    if (l.haveXSensitivity && l.sensitivity == olPrivate) item.SetInt("Sensitivity", l.xSensitivity);
    if (l.status >= 0) item.SetInt("Status", l.status);
    if (l.haveXStatus && !l.completed) item.SetInt("Status", l.xStatus);
    item.SetInt("Complete", l.completed ? 1 : 0);
    SettleDerivedValues(item);
}

}  // namespace

void ReadTodo(icalcomponent* comp, ItemData& item, const LoadedValues& l) {
    if (!l.startDerived) item.SetDate("StartDate", DayOf(l.start));
    if (l.haveEnd) item.SetDate("DueDate", DayOf(l.end));
    // The reminder as its time.
    if (const std::optional<AlarmTrigger> alarm = ReadAlarm(comp)) {
        item.SetInt("ReminderSet", 1);
        if (const std::optional<double> at = AlarmTime(*alarm, l.start, l.end)) item.SetDate("ReminderTime", *at);
    }
    ReadTaskState(item, l);
}

void WriteTodo(icalcomponent* comp, const ItemWrite& w) {
    const ItemData& item = w.item;
    const ItemData& old = w.old;
    SetText(comp, ICAL_SUMMARY_PROPERTY, item.Text("Subject"));
    SetText(comp, ICAL_DESCRIPTION_PROPERTY, item.Text("Body"));
    const bool startMadeUp = item.Date("StartDate") == 0.0 && item.recurring;
    const bool wasMadeUp = old.Date("StartDate") == 0.0 && old.recurring;
    if (w.Changed({"StartDate", "DueDate"}) || startMadeUp != wasMadeUp) WriteTaskDates(comp, item);
    if (w.Changed({"Importance"})) WriteImportance(comp, item.Int("Importance"));
    if (w.Changed({"Sensitivity"})) WriteSensitivity(comp, item.Int("Sensitivity"));
    ItemData settled = item;
    SettleDerivedValues(settled);
    if (w.fresh || Differ(settled, old, {"Complete", "Status", "PercentComplete"}))
        WriteTaskState(comp, item, !w.fresh && old.Int("Complete") != 0);
    if (w.Changed({"ReminderSet", "ReminderTime", "StartDate", "DueDate"})) WriteReminder(comp, item);
}

}  // namespace platform::outlook
