#pragma once
// The repeat rule of a Palm Desktop 6.x calendar or task record, stored as
// a text such as "W2 MO WE FR #0" or "MP1 2+ TU 20061231T000000Z": the kind
// and interval, the kind's details, and last the end ("#0" for none, else
// the last day as yyyymmdd, optionally followed by a time).
#include <cstdint>

#include "common/palm/PmRecordTypes.h"

// The end date of a rule that never ends (2031-12-31 23:59:59 UTC).
inline constexpr std::int32_t kPmRepeatNoEnd = 1956499199;

enum class PmRepeatForm {
    Calendar,  // knows yearly rules ("Y...")
    Task,      // a yearly rule reads as no repeat
};

// Fills `repeat` (cleared first) from the text. A rule kind the text does
// not name, and the empty text, give kind 0. `startTime` (seconds since
// 1970) gives the day of a yearly rule. A number is read from at most 9
// characters, up to the next blank or "+". The end is local midnight of its
// day; an end that is missing or no valid date reads as no end. The day
// index and the first day of the week are never set.
void PmParseRepeatText(const char* text, PmRepeatInfo& repeat, PmRepeatForm form, std::int32_t startTime);
