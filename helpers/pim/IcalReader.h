#pragma once
// Calendars from iCalendar texts (RFC 5545) as calendar programs export
// them: every VEVENT with its times in local time (zones converted through
// the file's VTIMEZONEs or the known zones), its alarms, its repeat as the
// common records know it and its repeat lines with local times.
#include <cstddef>
#include <functional>
#include <string_view>

#include "helpers/pim/PimRecords.h"

namespace pim {

// The calendar of a text: its name, description, colour and zone from the
// X-WR- properties, and its events in file order. False when the text is
// no iCalendar at all.
bool ReadCalendar(std::string_view text, Calendar& calendar);

// The same for a large text, read some events at a time: each part is the
// calendar's head (its properties and zones before the first event) with
// the events that follow, of about `partSize` bytes. `stop` is asked
// between the parts; true ends the reading with false.
bool ReadCalendar(std::string_view text, Calendar& calendar, const std::function<bool()>& stop,
                  std::size_t partSize = 1024 * 1024);

}  // namespace pim
