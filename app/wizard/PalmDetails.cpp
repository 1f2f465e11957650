#include "app/wizard/DetailSources.h"

#include "app/wizard/DetailLayouts.h"

namespace detail {

DetailView DescribePDAddr(const void*, AppAdapter&) {
    return ContactLayout("View Palm Desktop Contact Record Details",
                         "View detail information of the Palm Desktop Contact record.");
}

DetailView DescribePDDate(const void*, AppAdapter&) {
    return CalendarLayout("Palm Desktop Calendar Record Details",
                          "View detail information of the Palm Desktop Calendar record.");
}

DetailView DescribePDTask(const void*, AppAdapter&) {
    return TaskLayout("Palm Desktop Task Record Details", "View detail information of the Palm Desktop Task record.");
}

DetailView DescribePDNote(const void*, AppAdapter&) {
    return NoteLayout("Palm Desktop Memo Record Details", "View detail information of the Palm Desktop Memo record.");
}

}  // namespace detail
