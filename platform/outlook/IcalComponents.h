#pragma once
// The three component kinds of the calendar items, each read and written by
// its own functions: VEVENT (appointments), VTODO (tasks) and VJOURNAL
// (notes). What all kinds share, and the entry points, are in ItemCalendar.
#include <libical/ical.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/outlook/IcalEdit.h"
#include "platform/outlook/ItemData.h"

namespace platform::outlook {

// What a read gathers from the properties of an item's component before
// the item's values are settled.
struct LoadedValues {
    double start = 0, end = 0;
    bool startIsDate = false, haveEnd = false, startDerived = false;
    int durationSeconds = -1;
    int allDayFlag = -1;  // from X-MICROSOFT-CDO-ALLDAYEVENT
    std::string rrule;
    std::string xRecurrence;
    std::vector<std::string> categories;
    bool haveCategories = false;
    std::string xCategories;
    bool haveXCategories = false;
    std::string summary;
    int priority = -1, xImportance = 0;
    bool haveXImportance = false;
    int sensitivity = -1, xSensitivity = 0;  // OlSensitivity
    bool haveXSensitivity = false;
    int status = -1, xStatus = 0;  // OlTaskStatus
    bool haveXStatus = false, completed = false;
};

// An item written into its component over the values the file held.
struct ItemWrite {
    const ItemData& item;
    const ItemData& old;  // the file's values; the defaults for a new file
    bool fresh;           // a new file
    bool Changed(std::initializer_list<const char*> names) const { return fresh || Differ(item, old, names); }
};

void ReadEvent(icalcomponent* comp, ItemData& item, const LoadedValues& l);
void WriteEvent(icalcomponent* comp, const ItemWrite& w);

void ReadTodo(icalcomponent* comp, ItemData& item, const LoadedValues& l);
void WriteTodo(icalcomponent* comp, const ItemWrite& w);

void ReadJournal(ItemData& item, const LoadedValues& l);
void WriteJournal(icalcomponent* comp, const ItemWrite& w);

}  // namespace platform::outlook
