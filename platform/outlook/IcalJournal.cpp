#include "platform/outlook/IcalComponents.h"

namespace platform::outlook {

// A note is its text: the summary only stands in for a missing description.
void ReadJournal(ItemData& item, const LoadedValues& l) {
    if (item.Text("Body").empty()) item.SetText("Body", l.summary);
}

void WriteJournal(icalcomponent* comp, const ItemWrite& w) {
    const ItemData& item = w.item;
    if (w.Changed({"Body"})) SetText(comp, ICAL_SUMMARY_PROPERTY, NoteSubject(item.Text("Body")));
    SetText(comp, ICAL_DESCRIPTION_PROPERTY, item.Text("Body"));
    if (w.fresh && item.Date("CreationTime") != 0.0) {
        TimeForm utc;
        SetTime(comp, ICAL_DTSTART_PROPERTY, item.Date("CreationTime"), utc);
    }
}

}  // namespace platform::outlook
