#pragma once
// Appointments, tasks and notes as iCalendar files (VEVENT, VTODO,
// VJOURNAL): which iCalendar property holds which item property, and back.
#include <string>
#include <string_view>

#include "platform/outlook/IcalRecurrence.h"
#include "platform/outlook/ItemData.h"

namespace platform::outlook {

// The text of an item's file. An item read from a file is written in that
// file's own form: only the properties whose values changed are replaced,
// and everything else of the file stays as it was.
std::string CalendarItemToIcs(const ItemData& item);

// Reads the first component of the item's kind that is not an overriding
// instance. The whole text is kept in the item for the next write. False
// when the text is not iCalendar or holds no such component.
bool CalendarItemFromIcs(std::string_view text, ItemData& item);

// The values Outlook derives from others: a complete task (Complete set or
// Status 2) has Complete 1, Status 2 and PercentComplete 100.
void SettleDerivedValues(ItemData& item);

}  // namespace platform::outlook
