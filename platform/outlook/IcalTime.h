#pragma once
// Times of iCalendar properties and the local date values of the items.
// UTC and zoned times are instants, shown in the process's local time;
// floating times and dates are read as local time.
#include <libical/ical.h>

#include <string>

namespace platform::outlook {

// A time of a file as a local date value; false for none or a bad time.
bool TimeToLocal(icaltimetype t, double& out);

// The time of a DATE or DATE-TIME property with its zone resolved through
// the calendar's VTIMEZONEs or the built-in zones.
icaltimetype PropertyTime(icalproperty* p);

// The form in which a time property is written.
struct TimeForm {
    enum Kind { Date, Floating, Utc, Zoned } kind = Utc;
    std::string tzid;              // Zoned
    icaltimezone* zone = nullptr;  // Zoned; null when the zone is unknown
};

// The form of a property as it is in its file.
TimeForm FormOf(icalproperty* p);

// A local date value in a form; a null time when it does not convert.
icaltimetype LocalToTime(double date, const TimeForm& form);

// Sets a time property to a local date value in a form, keeping its other
// parameters; false (and nothing changed) when the date does not convert.
bool SetPropertyTime(icalproperty* p, double date, const TimeForm& form);

}  // namespace platform::outlook
