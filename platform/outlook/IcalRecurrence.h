#pragma once
// Outlook's recurrence patterns and iCalendar recurrence rules.
#include <libical/ical.h>

#include <string>

#include "platform/outlook/ItemData.h"

namespace platform::outlook {

// How a rule's UNTIL is written: it takes the form of the item's start.
enum class UntilForm { Date, Floating, Utc };

// The rule text of a pattern ("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE"); empty
// for a type that has none. A timed pattern ends with the occurrence on its
// end day: the end day at the time of day of the local `start`.
std::string RecurrenceRule(const Recurrence& r, UntilForm until, double start = 0.0);

// A pattern from a rule another program wrote; `start` is the local start.
Recurrence PatternFromRule(const struct icalrecurrencetype& rule, double start);

// The pattern's own values as one text ("1;2;10;0;0;0;45000"), and back.
std::string RecurrenceText(const Recurrence& r);
bool ParseRecurrenceText(const char* text, Recurrence& r);

// The rule in libical's canonical text, for comparing two rules; empty for
// no rule.
std::string CanonicalRule(const std::string& rule);

// Two patterns mean the same repetition.
bool SamePattern(const Recurrence& a, const Recurrence& b);
// The items differ in whether they repeat or in how.
bool PatternDiffers(const ItemData& a, const ItemData& b);

// The item's pattern from the first RRULE of its component and our own
// record of the pattern (X-OUTLOOK-RECURRENCE), either empty for none;
// `start` is the local start.
void ReadRecurrence(ItemData& item, const std::string& rrule, const std::string& xRecurrence, double start);

// A new pattern replaces the rule with its exceptions, extra dates and
// overriding instances (the other components of `cal` with the same UID).
void WriteRecurrence(icalcomponent* cal, icalcomponent* comp, const ItemData& item);

}  // namespace platform::outlook
