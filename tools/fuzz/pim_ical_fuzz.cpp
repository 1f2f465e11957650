// Calendars from any iCalendar text: no event ends before it starts by a
// negative span of days it cannot have, at most the alarms it holds, and the
// repeat lines are in local time without zones.
#include <cstddef>
#include <cstdint>
#include <string>

#include "helpers/google/GEventWriter.h"
#include "helpers/pim/IcalReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    pim::Calendar parts;
    pim::ReadCalendar(text, parts, nullptr, 64);  // the events a few at a time
    pim::Calendar cal;
    if (!pim::ReadCalendar(text, cal)) return 0;
    for (const pim::Event& e : cal.events) {
        if (e.recurrence.find("TZID") != std::string::npos) __builtin_trap();
        if (e.overrides && e.repeat.type != 0) __builtin_trap();
        if (e.repeat.type < 0 || e.repeat.type > 6) __builtin_trap();
        if (!e.recurrence.empty() && e.recurrence.find("RRULE:") == std::string::npos) __builtin_trap();
        for (const pim::Reminder& r : e.reminders) {
            if (r.minutes < 0) __builtin_trap();
            int amount = 0, unit = 0;
            google_helper::ReminderAmount(r.minutes, amount, unit);
            if (unit < 0 || unit > 3 || amount < 0) __builtin_trap();
        }
    }
    return 0;
}
