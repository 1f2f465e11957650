#include "app/wizard/DetailSources.h"

#include "app/wizard/DetailLayouts.h"

namespace detail {

DetailView DescribeGGAddr(const void*, AppAdapter&) {
    return ContactLayout("Google Contact Record Details", "View detail information of the Google Contact record.");
}

DetailView DescribeGGDate(const void*, AppAdapter&) {
    return CalendarLayout("Google Calendar Record Details", "View detail information of the Google Calendar record.");
}

}  // namespace detail
