#include "platform/outlook/ItemCalendar.h"

#include <cstdlib>
#include <vector>

#include "platform/outlook/DateText.h"
#include "platform/outlook/IcalComponents.h"
#include "platform/outlook/IcalParts.h"
#include "platform/outlook/IcalText.h"
#include "platform/outlook/IcalTime.h"

namespace platform::outlook {

namespace {

std::string Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

// The exact text of a property: the file's own value when libical read the
// same text apart from the blanks it trims, with its line breaks restored.
std::string ExactText(icalproperty* p, const char* parsed, const RawProperty* raw) {
    std::string text = parsed ? parsed : "";
    if (raw != nullptr) {
        std::string own = UnescapeText(raw->value);
        if (Trimmed(own) == Trimmed(text)) text = std::move(own);
    }
    return BreaksFromLf(text, XParam(p, kEolParam));
}

// The raw line of an X property of a name.
const RawProperty* RawOf(const std::vector<RawProperty>& raw, icalproperty* p) {
    const char* name = icalproperty_get_property_name(p);
    return name ? FindRaw(raw, ToUpperAscii(name)) : nullptr;
}

bool ParseInt(const char* value, std::int32_t& out) {
    char* end = nullptr;
    const long v = std::strtol(value, &end, 10);
    if (end == value || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

// Reads an X-OUTLOOK-<NAME> property into the item; false when it names
// nothing of the kind or does not parse.
bool ReadExtra(ItemData& item, std::string_view name, const std::string& value) {
    const int i = FindProp(item.kind, name);
    if (i < 0) return false;
    const PropDef& def = Schema(item.kind)[static_cast<std::size_t>(i)];
    if (def.readOnly) return false;
    switch (def.type) {
    case PropType::Text: item.At(i).s = value; return true;
    case PropType::Bool:
    case PropType::Int: return ParseInt(value.c_str(), item.At(i).i);
    case PropType::Date: {
        double d = 0;
        if (!ParseDateText(value, d)) return false;
        item.At(i).d = NormalizeDate(d);
        return true;
    }
    }
    return false;
}

void ReadX(icalproperty* p, const std::vector<RawProperty>& raw, ItemData& item, LoadedValues& l) {
    const char* xname = icalproperty_get_x_name(p);
    const std::string name = ToUpperAscii(xname ? xname : "");
    const char* parsed = icalproperty_get_x(p);
    const std::string value = ExactText(p, parsed, RawOf(raw, p));
    if (name == "X-MICROSOFT-CDO-ALLDAYEVENT") {
        l.allDayFlag = ToUpperAscii(Trimmed(value)) == "TRUE" ? 1 : 0;
    } else if (name == "X-OUTLOOK-ORDER") {
        char* end = nullptr;
        const long long v = std::strtoll(value.c_str(), &end, 10);
        if (end != value.c_str() && *end == '\0' && v >= 0) item.order = v;
    } else if (name == "X-OUTLOOK-RECURRENCE") {
        l.xRecurrence = value;
    } else if (name == "X-OUTLOOK-CATEGORIES") {
        l.xCategories = value;
        l.haveXCategories = true;
    } else if (name == "X-OUTLOOK-IMPORTANCE") {
        l.haveXImportance = ParseInt(value.c_str(), l.xImportance);
    } else if (name == "X-OUTLOOK-SENSITIVITY") {
        l.haveXSensitivity = ParseInt(value.c_str(), l.xSensitivity);
    } else if (name == "X-OUTLOOK-STATUS") {
        l.haveXStatus = ParseInt(value.c_str(), l.xStatus);
    } else if (name.rfind("X-OUTLOOK-", 0) == 0) {
        const std::string prop = name.substr(10);
        if (ToUpperAscii(prop) != "COMPLETE" && ToUpperAscii(prop) != "STATUS") ReadExtra(item, prop, value);
    }
}

void ReadProperty(icalcomponent* comp, icalproperty* p, const std::vector<RawProperty>& raw, ItemData& item,
                  LoadedValues& l) {
    const RawProperty* own = RawOf(raw, p);
    // Of a text that occurs more than once, the first one is the item's.
    const icalproperty_kind kind = icalproperty_isa(p);
    if ((kind == ICAL_SUMMARY_PROPERTY || kind == ICAL_DESCRIPTION_PROPERTY || kind == ICAL_LOCATION_PROPERTY) &&
        icalcomponent_get_first_property(comp, kind) != p)
        return;
    switch (kind) {
    case ICAL_SUMMARY_PROPERTY: {
        std::string text = ExactText(p, icalproperty_get_summary(p), own);
        if (item.kind == ItemKind::Note)
            l.summary = std::move(text);
        else
            item.SetText("Subject", std::move(text));
        break;
    }
    case ICAL_DESCRIPTION_PROPERTY: item.SetText("Body", ExactText(p, icalproperty_get_description(p), own)); break;
    case ICAL_LOCATION_PROPERTY:
        if (item.kind == ItemKind::Appointment)
            item.SetText("Location", ExactText(p, icalproperty_get_location(p), own));
        break;
    case ICAL_CATEGORIES_PROPERTY:
        if (!l.haveCategories) {
            // All CATEGORIES lines, split at their unescaped commas.
            for (const RawProperty& r : raw)
                if (r.name == "CATEGORIES")
                    for (const std::string& c : SplitTextList(r.value)) l.categories.push_back(Trimmed(c));
            if (raw.empty()) l.categories = CategoryItems(icalproperty_get_categories(p));
            l.haveCategories = true;
        }
        break;
    case ICAL_CREATED_PROPERTY: {
        double d = 0;
        if (TimeToLocal(icalproperty_get_created(p), d)) item.SetDate("CreationTime", d);
        break;
    }
    case ICAL_LASTMODIFIED_PROPERTY: {
        double d = 0;
        if (TimeToLocal(icalproperty_get_lastmodified(p), d)) item.SetDate("LastModificationTime", d);
        break;
    }
    case ICAL_DTSTART_PROPERTY: {
        const icaltimetype t = PropertyTime(p);
        if (TimeToLocal(t, l.start)) {
            l.startIsDate = t.is_date != 0;
            l.startDerived = !XParam(p, kDerivedParam).empty();
        }
        break;
    }
    case ICAL_DTEND_PROPERTY:
    case ICAL_DUE_PROPERTY:
        if ((icalproperty_isa(p) == ICAL_DUE_PROPERTY) == (item.kind == ItemKind::Task))
            l.haveEnd = TimeToLocal(PropertyTime(p), l.end);
        break;
    case ICAL_DURATION_PROPERTY:
        if (item.kind == ItemKind::Appointment)
            l.durationSeconds = icaldurationtype_as_int(icalproperty_get_duration(p));
        break;
    case ICAL_RRULE_PROPERTY:
        if (l.rrule.empty() && item.kind != ItemKind::Note) {
            struct icalrecurrencetype r = icalproperty_get_rrule(p);
            char* s = icalrecurrencetype_as_string_r(&r);
            l.rrule = s ? s : "";
            icalmemory_free_buffer(s);
        }
        break;
    case ICAL_PRIORITY_PROPERTY: l.priority = icalproperty_get_priority(p); break;
    case ICAL_CLASS_PROPERTY: {
        const icalproperty_class c = icalproperty_get_class(p);
        l.sensitivity = c == ICAL_CLASS_PRIVATE ? olPrivate : c == ICAL_CLASS_CONFIDENTIAL ? olConfidential : olNormal;
        break;
    }
    case ICAL_STATUS_PROPERTY: {
        const icalproperty_status st = icalproperty_get_status(p);
        l.status = st == ICAL_STATUS_INPROCESS ? olTaskInProgress : olTaskNotStarted;
        if (st == ICAL_STATUS_COMPLETED) l.completed = true;
        break;
    }
    case ICAL_COMPLETED_PROPERTY: l.completed = true; break;
    case ICAL_PERCENTCOMPLETE_PROPERTY: item.SetInt("PercentComplete", icalproperty_get_percentcomplete(p)); break;
    case ICAL_X_PROPERTY: ReadX(p, raw, item, l); break;
    default: break;
    }
}

// A text whose value is only blanks, which libical drops: read from the
// file's own line.
void ReadBlankText(const RawProperty& r, ItemData& item, LoadedValues& l) {
    std::string text = UnescapeText(r.value);
    if (text.find_first_not_of(" \t") != std::string::npos) return;  // libical read it
    if (r.name == "SUMMARY") {
        if (item.kind == ItemKind::Note)
            l.summary = std::move(text);
        else
            item.SetText("Subject", std::move(text));
    } else if (r.name == "DESCRIPTION") {
        item.SetText("Body", std::move(text));
    } else if (r.name == "LOCATION" && item.kind == ItemKind::Appointment) {
        item.SetText("Location", std::move(text));
    } else if (r.name.rfind("X-OUTLOOK-", 0) == 0) {
        ReadExtra(item, r.name.substr(10), text);
    }
}

}  // namespace

void SettleDerivedValues(ItemData& item) {
    if (item.kind != ItemKind::Task) return;
    if (item.Int("Complete") != 0 || item.Int("Status") == olTaskComplete) {
        item.SetInt("Complete", 1);
        item.SetInt("Status", olTaskComplete);
        item.SetInt("PercentComplete", 100);
    }
}

bool CalendarItemFromIcs(std::string_view text, ItemData& item) {
    ComponentPtr cal;
    icalcomponent* comp = nullptr;
    if (!ParseCalendar(text, item.kind, cal, comp)) return false;
    const std::vector<RawProperty> raw = RawComponentProperties(text, ComponentName(item.kind));

    LoadedValues l;
    // The component's own iterator is moved by the lookups below; walk a copy.
    std::vector<icalproperty*> properties;
    for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(comp, ICAL_ANY_PROPERTY))
        properties.push_back(p);
    for (icalproperty* p : properties) ReadProperty(comp, p, raw, item, l);
    for (const RawProperty& r : raw) ReadBlankText(r, item, l);

    if (l.haveCategories || l.haveXCategories) {
        std::vector<std::string> items;
        for (const std::string& c : l.categories)
            if (!c.empty()) items.push_back(c);
        item.SetText("Categories", JoinCategories(items));
        // Our own record of the exact text counts while it names the same categories.
        if (l.haveXCategories && CategoryItems(l.xCategories) == items) item.SetText("Categories", l.xCategories);
    }
    switch (item.kind) {
    case ItemKind::Appointment: ReadEvent(comp, item, l); break;
    case ItemKind::Task: ReadTodo(comp, item, l); break;
    case ItemKind::Note: ReadJournal(item, l); break;
    case ItemKind::Contact: break;
    }
    if (item.kind != ItemKind::Note) ReadRecurrence(item, l.rrule, l.xRecurrence, l.start);
    item.kept.assign(text.substr(0, text.find('\0')));
    return true;
}

}  // namespace platform::outlook
