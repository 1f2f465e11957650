// iCalendar loading of the store: any bytes read as an appointment, a task
// and a note; what is written reads back, also after a change made in the
// file's own form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/outlook/ItemCalendar.h"

using namespace platform::outlook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (ItemKind kind : {ItemKind::Appointment, ItemKind::Task, ItemKind::Note}) {
        ItemData item(kind);
        if (!CalendarItemFromIcs(text, item)) continue;
        const std::string written = CalendarItemToIcs(item);
        ItemData again(kind);
        if (!CalendarItemFromIcs(written, again)) __builtin_trap();
        // Every value changed, written over the file's own text.
        again.SetText("Body", " changed\r\nbody ");
        again.SetText("Categories", "a, b");
        again.SetInt("ReminderSet", again.Int("ReminderSet") ? 0 : 1);
        again.recurring = !again.recurring;
        const std::string changed = CalendarItemToIcs(again);
        ItemData last(kind);
        if (!CalendarItemFromIcs(changed, last) || last.Text("Body") != " changed\r\nbody ") __builtin_trap();
    }
    return 0;
}
