// Writing an item into its iCalendar file. A file read before is updated
// in its own form: a property is replaced only when the item's value that it
// holds changed, times keep their zone, the reminder's alarm keeps its
// other properties, and whatever maps to no item property stays.
#include <string>
#include <vector>

#include "platform/outlook/DateText.h"
#include "platform/outlook/IcalComponents.h"
#include "platform/outlook/IcalParts.h"
#include "platform/outlook/ItemCalendar.h"

namespace platform::outlook {

namespace {

void WriteCategories(icalcomponent* comp, const std::string& categories) {
    RemoveAll(comp, ICAL_CATEGORIES_PROPERTY);
    RemoveX(comp, "X-OUTLOOK-CATEGORIES");
    const auto items = CategoryItems(categories);
    for (const std::string& c : items) icalcomponent_add_property(comp, icalproperty_new_categories(c.c_str()));
    if (JoinCategories(items) != categories) SetX(comp, "X-OUTLOOK-CATEGORIES", categories);
}

void WriteExtras(icalcomponent* comp, const ItemData& item, const ItemData& old, bool fresh) {
    const ItemData defaults(item.kind);
    for (const char* name : ExtraProps(item.kind)) {
        const int i = FindProp(item.kind, name);
        const PropValue& v = item.At(i);
        const PropValue& was = old.At(i);
        const bool text = Schema(item.kind)[static_cast<std::size_t>(i)].type == PropType::Text;
        // A text is put again even when unchanged, for the blanks libical trimmed.
        if (!fresh && !text && v.s == was.s && v.i == was.i && v.d == was.d) continue;
        const PropValue& plain = defaults.At(i);
        const std::string xname = "X-OUTLOOK-" + ToUpperAscii(name);
        RemoveX(comp, xname);
        switch (Schema(item.kind)[static_cast<std::size_t>(i)].type) {
        case PropType::Text: SetX(comp, xname, v.s); break;
        case PropType::Int:
        case PropType::Bool:
            if (v.i != plain.i) SetX(comp, xname, std::to_string(v.i));
            break;
        case PropType::Date:
            if (v.d != 0.0) SetX(comp, xname, FormatUtcDateTime(v.d));
            break;
        }
    }
}

}  // namespace

std::string CalendarItemToIcs(const ItemData& item) {
    ComponentPtr cal;
    icalcomponent* comp = nullptr;
    ItemData old(item.kind);
    bool fresh =
        item.kept.empty() || !ParseCalendar(item.kept, item.kind, cal, comp) || !CalendarItemFromIcs(item.kept, old);
    if (fresh) {
        old = ItemData(item.kind);
        cal.reset(icalcomponent_new_vcalendar());
        icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
        icalcomponent_add_property(cal.get(), icalproperty_new_prodid("-//norrbek//Ferrywise Outlook store//EN"));
        comp = icalcomponent_new(ComponentKind(item.kind));
        icalcomponent_add_component(cal.get(), comp);
    }
    const ItemWrite w{item, old, fresh};

    if (icalcomponent_get_first_property(comp, ICAL_UID_PROPERTY) == nullptr && !item.entryId.empty())
        icalcomponent_add_property(comp, icalproperty_new_uid(item.entryId.c_str()));
    RemoveAll(comp, ICAL_DTSTAMP_PROPERTY);
    icalcomponent_add_property(comp, icalproperty_new_dtstamp(UtcNow()));
    if (w.Changed({"CreationTime"})) SetUtc(comp, ICAL_CREATED_PROPERTY, item.Date("CreationTime"));
    if (w.Changed({"LastModificationTime"}))
        SetUtc(comp, ICAL_LASTMODIFIED_PROPERTY, item.Date("LastModificationTime"));
    if (fresh || item.order != old.order) {
        RemoveX(comp, "X-OUTLOOK-ORDER");
        if (item.order >= 0) SetX(comp, "X-OUTLOOK-ORDER", std::to_string(item.order));
    }
    if (w.Changed({"Categories"})) WriteCategories(comp, item.Text("Categories"));

    switch (item.kind) {
    case ItemKind::Appointment: WriteEvent(comp, w); break;
    case ItemKind::Task: WriteTodo(comp, w); break;
    case ItemKind::Note: WriteJournal(comp, w); break;
    case ItemKind::Contact: break;
    }
    if (item.kind != ItemKind::Note && (fresh ? item.recurring : PatternDiffers(item, old)))
        WriteRecurrence(cal.get(), comp, item);
    WriteExtras(comp, item, old, fresh);
    return icalcomponent_as_ical_string(cal.get());
}

}  // namespace platform::outlook
