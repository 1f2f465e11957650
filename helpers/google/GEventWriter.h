#pragma once
// Events as records of the Google events data file and calendars as
// records of the calendars file. Texts are cut to the fields' capacities
// on whole UTF-8 characters.
#include <string>

#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/pim/PimRecords.h"

namespace google_helper {

void WriteEvent(ExchangeDataWriter& out, const pim::Event& event, const std::string& calendarId, int number);
// Name, identifier, description (else the colour) and time-zone identifier.
void WriteCalendar(ExchangeDataWriter& out, const pim::Calendar& calendar);

// A reminder's offset in the largest unit that holds it whole: the amount
// and the unit code (0 minutes, 1 hours, 2 days, 3 weeks).
void ReminderAmount(long long minutes, int& amount, int& unit);

}  // namespace google_helper
