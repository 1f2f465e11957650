#pragma once
// Changing the properties of an iCalendar component in place: what the
// writers of the three component kinds share.
#include <libical/ical.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/outlook/IcalTime.h"
#include "platform/outlook/ItemData.h"

namespace platform::outlook {

void RemoveAll(icalcomponent* comp, icalproperty_kind kind);
// Every X property of a name.
void RemoveX(icalcomponent* comp, std::string_view name);

// A text property set in place (its parameters stay) or removed when empty.
void SetText(icalcomponent* comp, icalproperty_kind kind, std::string_view text);
// An X property replaced by one of a text; none for an empty text.
void SetX(icalcomponent* comp, const std::string& name, std::string_view value);

icaltimetype UtcNow();

// A UTC time property of the component, set or removed.
void SetUtc(icalcomponent* comp, icalproperty_kind kind, double date);
// A date or time property set in place in a form, or removed for none; the
// property, or null when there is none now.
icalproperty* SetTime(icalcomponent* comp, icalproperty_kind kind, double date, const TimeForm& form);
// The local time of a time property of the component; 0 for none.
double TimeIn(icalcomponent* comp, icalproperty_kind kind);

// The values of some properties differ between two items of a kind.
bool Differ(const ItemData& a, const ItemData& b, std::initializer_list<const char*> names);

}  // namespace platform::outlook
