#include "platform/outlook/IcalAlarm.h"

#include <cstring>

#include "platform/outlook/DateText.h"
#include "platform/outlook/IcalEdit.h"
#include "platform/outlook/IcalParts.h"
#include "platform/outlook/IcalTime.h"

namespace platform::outlook {

namespace {

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

}  // namespace

std::optional<AlarmTrigger> ReadAlarm(icalcomponent* comp) {
    icalcomponent* alarm = FirstAlarm(comp);
    if (alarm == nullptr) return std::nullopt;
    icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    const struct icaltriggertype trigger = icalproperty_get_trigger(p);
    icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
    AlarmTrigger out;
    out.fromEnd = related != nullptr && icalparameter_get_related(related) == ICAL_RELATED_END;
    out.seconds = icaldurationtype_as_int(trigger.duration);
    if (!icaltime_is_null_time(trigger.time)) {
        out.absolute = true;
        out.readable = TimeToLocal(trigger.time, out.at);
    }
    return out;
}

std::optional<double> AlarmTime(const AlarmTrigger& trigger, double start, double end) {
    if (trigger.absolute) return trigger.readable ? std::optional<double>(trigger.at) : std::nullopt;
    double anchor = trigger.fromEnd ? end : start;
    if (anchor == 0.0) anchor = trigger.fromEnd ? start : end;
    if (anchor == 0.0) return std::nullopt;
    return AddSeconds(anchor, trigger.seconds);
}

void WriteAlarm(icalcomponent* comp, const AlarmPlan& plan) {
    RemoveX(comp, plan.offName);
    if (!plan.set) {
        RemoveAlarms(comp);
        if (!plan.offValue.empty()) SetX(comp, plan.offName, plan.offValue);
        return;
    }
    bool made = false;
    icalproperty* p = ReminderTrigger(comp, &made);
    if (!plan.timed) {
        // Without a time only the offset itself can be kept.
        struct icaltriggertype trigger;
        std::memset(&trigger, 0, sizeof trigger);
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_from_int(static_cast<int>(plan.offset));
        if (!plan.offsetKeepsRelated) icalproperty_remove_parameter_by_kind(p, ICAL_RELATED_PARAMETER);
        icalproperty_remove_parameter_by_kind(p, ICAL_VALUE_PARAMETER);
        icalproperty_set_trigger(p, trigger);
        return;
    }
    SetTrigger(p, plan.at, plan.start, plan.end, made && plan.newIsInstant);
}

}  // namespace platform::outlook
