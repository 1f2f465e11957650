#pragma once
// The recurrence text of a Google event: an iCalendar fragment of
// "DTSTART", "DTEND" and "RRULE" content lines, possibly followed by a
// time-zone block. Its times are taken as written (local times, no zone
// applied); its rule sets the repeat type and, for some frequencies, the
// interval. Every other repeat member keeps what the data file gave.
#include <string_view>

#include "common/records/CommDateRec.h"

// Applies the text to a converted event: an empty text or one without a
// rule line makes the event single; a start or end line that does not
// hold a date and time in the basic form "YYYYMMDDThhmmss" (or
// "YYYYMMDDT") leaves that value alone, and so does a rule without FREQ.
void CxGApplyRecurrenceText(std::string_view text, CommDateRec& rec);
