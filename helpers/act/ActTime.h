#pragma once
// Times of the Act! Web API: ISO 8601 texts in UTC (an offset, when one is
// written, is honoured), turned into the local OLE dates the helpers hold.
#include <string_view>

namespace act {

// A time of the API as a local date value. False, with `out` 0, for a text
// that is no time, and for the API's "no date" values (years before 1800).
bool ApiTimeToLocal(std::string_view text, double& out);
// The calendar day of a time that stands for a date (a birthday): its date
// part as written, at midnight, without any time-zone conversion.
bool ApiDayToDate(std::string_view text, double& out);

}  // namespace act
