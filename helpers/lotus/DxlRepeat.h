#pragma once
// The days a repeat rule of the calendar data file gives, so that a series
// is written as its rule only when the rule gives exactly the days of the
// series' instances (none deleted, added or moved to another day).
#include <optional>
#include <vector>

#include "helpers/lotus/LnRecords.h"

namespace lotus_helper {

// The local days (whole OLE date values) of the entry's rule from the day
// of its start to its until day, as the program turns the rule into a
// repeat pattern: "D" every interval days; "W" the weekdays of the mask
// every interval weeks; "MD" the day of the month every interval months;
// "MP" the weekday of the mask in the week of the month the start lies in;
// "Y" the start's month and day. Nullopt for a rule it cannot expand, for
// an entry without until day, and beyond `limit` days.
std::optional<std::vector<int>> RuleDays(const LnEntry& entry, std::size_t limit);

}  // namespace lotus_helper
