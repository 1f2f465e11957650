#pragma once
// The reminder of an appointment or a task as the alarm of its component:
// the first alarm that shows or sounds something. Other alarms (e-mail and
// the like) are left as they are.
#include <libical/ical.h>

#include <optional>
#include <string>

namespace platform::outlook {

// The trigger of the reminder's alarm as the file has it.
struct AlarmTrigger {
    bool absolute = false;  // a time, not an offset
    bool readable = true;   // false for a time that does not convert
    double at = 0.0;        // the local time of an absolute trigger
    long long seconds = 0;  // the offset of a relative trigger
    bool fromEnd = false;   // the offset counts from the end (RELATED=END)
};

// The trigger of the component's reminder alarm; none when it has no such alarm.
std::optional<AlarmTrigger> ReadAlarm(icalcomponent* comp);

// The local time a trigger stands for, an offset counted from the
// component's start or end (0 for none; a missing one is replaced by the
// other); none when it cannot be told.
std::optional<double> AlarmTime(const AlarmTrigger& trigger, double start, double end);

// How a reminder goes into the component.
struct AlarmPlan {
    bool set = false;      // the reminder is on
    std::string offName;   // the X property that keeps the reminder's value while it is off
    std::string offValue;  // that value; empty for none
    bool timed = false;    // the reminder has a time: `at`, else only `offset`
    double at = 0.0;       // its local time
    double start = 0.0;    // the anchors of a relative trigger; 0 for none
    double end = 0.0;
    long long offset = 0;             // seconds, for a reminder without a time
    bool offsetKeepsRelated = false;  // such an offset keeps the trigger's RELATED
    bool newIsInstant = false;        // a new alarm gets a time as trigger
};

// Writes the reminder: off removes the reminder alarms; on updates the
// trigger of the first one in its own form (an instant stays an instant, an
// offset stays relative to its anchor), or adds a display alarm.
void WriteAlarm(icalcomponent* comp, const AlarmPlan& plan);

}  // namespace platform::outlook
