#include "app/wizard/DetailSources.h"

#include "app/wizard/DetailLayouts.h"

namespace detail {

DetailView DescribeLNAddr(const void*, AppAdapter&) {
    return ContactLayout("Lotus Notes Contact Record Details",
                         "View detail information of the Lotus Notes Contact record.");
}

DetailView DescribeLNDate(const void*, AppAdapter&) {
    return CalendarLayout("Lotus Notes Calendar Record Details",
                          "View detail information of the Lotus Notes Calendar record.");
}

DetailView DescribeLNTask(const void*, AppAdapter&) {
    return TaskLayout("Lotus Notes Task Record Details", "View detail information of the Lotus Notes Task record.");
}

DetailView DescribeLNNote(const void*, AppAdapter&) {
    return NoteLayout("Lotus Notes Notebook Record Details",
                      "View detail information of the Lotus Notes Notebook record.");
}

}  // namespace detail
