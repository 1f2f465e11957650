// iCalendar loading of the store: any bytes read as an appointment, a task
// and a note; what is written reads back.
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
        CalendarItemToIcs(again);
    }
    return 0;
}
