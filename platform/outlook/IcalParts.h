#pragma once
// What the reader and the writer of the calendar items share: the parsed
// calendar, the item's component in it, and the properties kept as X-OUTLOOK-.
#include <libical/ical.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/outlook/ItemData.h"
#include "platform/text/AsciiCase.h"

namespace platform::outlook {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

// The parameter that records line breaks other than CR LF, and the one that
// marks a task start made up for a repeating task without a start.
inline constexpr const char* kEolParam = "X-OUTLOOK-EOL";
inline constexpr const char* kDerivedParam = "X-OUTLOOK-DERIVED";

icalcomponent_kind ComponentKind(ItemKind kind);
const char* ComponentName(ItemKind kind);

// Parses a calendar (a lone component is put into one) and finds the item's
// component: the first of its kind without RECURRENCE-ID.
bool ParseCalendar(std::string_view text, ItemKind kind, ComponentPtr& cal, icalcomponent*& comp);

// An alarm that shows or sounds a reminder: one with a trigger whose action
// is not e-mail, a procedure or none (as calendars write for a default
// alarm the user turned off).
bool IsReminderAlarm(icalcomponent* alarm);
// The item's reminder: its first reminder alarm, or null.
icalcomponent* FirstAlarm(icalcomponent* comp);

// Schema properties kept as X-OUTLOOK-<NAME> with nothing else to them.
const std::vector<const char*>& ExtraProps(ItemKind kind);

// The value of an X parameter of a property, or empty.
std::string XParam(icalproperty* p, const char* name);

// Outlook's categories "a, b" as list items, and back.
std::vector<std::string> CategoryItems(std::string_view text);
std::string JoinCategories(const std::vector<std::string>& items);

// The first X property of a name, or null.
icalproperty* FindX(icalcomponent* comp, std::string_view name);

}  // namespace platform::outlook
