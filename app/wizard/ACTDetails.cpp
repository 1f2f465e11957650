#include "app/wizard/DetailSources.h"

#include "app/wizard/DetailLayouts.h"

namespace detail {

DetailView DescribeACTAddr(const void*, AppAdapter&) {
    return ContactLayout("ACT! Contact Record Details", "View detail information of the ACT! Contact record.");
}

DetailView DescribeACTDate(const void*, AppAdapter&) {
    return CalendarLayout("ACT! Calendar Record Details", "View detail information of the ACT! Calendar record.");
}

DetailView DescribeACTTask(const void*, AppAdapter&) {
    return TaskLayout("ACT! Todo Record Details", "View detail information of the ACT! Todo record.");
}

DetailView DescribeACTNote(const void*, AppAdapter&) {
    return NoteLayout("ACT! Note Record Details", "View detail information of the ACT! Note record.");
}

}  // namespace detail
