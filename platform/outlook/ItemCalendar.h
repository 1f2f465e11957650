#pragma once
// Appointments, tasks and notes as iCalendar files (VEVENT, VTODO,
// VJOURNAL): which iCalendar property holds which item property, and back.
#include <string>
#include <string_view>

#include "platform/outlook/ItemData.h"

namespace platform::outlook {

// The text of an item's file.
std::string CalendarItemToIcs(const ItemData& item);

// Reads the first component of the item's kind. Properties that map to no
// item property, other components and the time zones are kept in the item
// and written back unchanged. False when the text is not iCalendar or holds
// no such component.
bool CalendarItemFromIcs(std::string_view text, ItemData& item);

// The recurrence rule text of a pattern ("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE");
// empty for a type that has none. `dateOnly` tells the form of the end.
std::string RecurrenceRule(const Recurrence& r, bool dateOnly);

}  // namespace platform::outlook
