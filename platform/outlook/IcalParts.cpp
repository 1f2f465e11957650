#include "platform/outlook/IcalParts.h"

#include <string_view>
#include <vector>

namespace platform::outlook {

icalcomponent_kind ComponentKind(ItemKind kind) {
    switch (kind) {
    case ItemKind::Appointment: return ICAL_VEVENT_COMPONENT;
    case ItemKind::Task: return ICAL_VTODO_COMPONENT;
    default: return ICAL_VJOURNAL_COMPONENT;
    }
}

const char* ComponentName(ItemKind kind) {
    switch (kind) {
    case ItemKind::Appointment: return "VEVENT";
    case ItemKind::Task: return "VTODO";
    default: return "VJOURNAL";
    }
}

namespace {

// libical replaces a property whose value is only blanks by an error
// property of its own; the item reads such values from the file's own
// lines, and the error properties are not the file's, so they are removed.
void RemoveEmptyValueErrors(icalcomponent* c) {
    std::vector<icalproperty*> errors;
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY)) {
        const char* text = icalproperty_get_xlicerror(p);
        if (text != nullptr && std::string_view(text).rfind("No value for ", 0) == 0) errors.push_back(p);
    }
    for (icalproperty* p : errors) {
        icalcomponent_remove_property(c, p);
        icalproperty_free(p);
    }
    for (icalcomponent* inner = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); inner;
         inner = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
        RemoveEmptyValueErrors(inner);
}

}  // namespace

bool ParseCalendar(std::string_view text, ItemKind kind, ComponentPtr& cal, icalcomponent*& comp) {
    // Errors in a file are answers here, never a reason to stop the program.
    static const bool quiet = [] {
        icalerror_set_errors_are_fatal(0);
        return true;
    }();
    (void)quiet;
    comp = nullptr;
    // A CR not followed by LF ends a line too (as in files of old Mac
    // programs): the calendar library would otherwise read it as a line's
    // text and lose its way in the lines after it.
    const std::string_view whole = text.substr(0, text.find('\0'));
    std::string copy;
    copy.reserve(whole.size());
    for (std::size_t i = 0; i < whole.size(); ++i) {
        copy += whole[i];
        if (whole[i] == '\r' && (i + 1 == whole.size() || whole[i + 1] != '\n')) copy += '\n';
    }
    cal.reset(icalparser_parse_string(copy.c_str()));
    if (!cal) return false;
    RemoveEmptyValueErrors(cal.get());
    if (icalcomponent_isa(cal.get()) != ICAL_VCALENDAR_COMPONENT) {
        if (icalcomponent_isa(cal.get()) != ComponentKind(kind)) return false;
        icalcomponent* wrapper = icalcomponent_new_vcalendar();
        icalcomponent_add_property(wrapper, icalproperty_new_version("2.0"));
        icalcomponent_add_component(wrapper, cal.release());
        cal.reset(wrapper);
    }
    for (icalcomponent* c = icalcomponent_get_first_component(cal.get(), ComponentKind(kind)); c;
         c = icalcomponent_get_next_component(cal.get(), ComponentKind(kind))) {
        if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) == nullptr) {
            comp = c;
            return true;
        }
    }
    return false;
}

bool IsReminderAlarm(icalcomponent* alarm) {
    if (icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) == nullptr) return false;
    icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
    if (action == nullptr) return true;
    const char* value = icalproperty_get_value_as_string(action);
    const std::string a = ToUpperAscii(value ? value : "");
    return a != "EMAIL" && a != "PROCEDURE" && a != "NONE";
}

icalcomponent* FirstAlarm(icalcomponent* comp) {
    for (icalcomponent* a = icalcomponent_get_first_component(comp, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(comp, ICAL_VALARM_COMPONENT))
        if (IsReminderAlarm(a)) return a;
    return nullptr;
}

const std::vector<const char*>& ExtraProps(ItemKind kind) {
    static const std::vector<const char*> task = {
        "CardData",          "Mileage",           "Ordinal",       "ReminderOverrideDefault",
        "ReminderPlaySound", "ReminderSoundFile", "ResponseState", "Role",
        "TeamTask",          "TotalWork"};
    static const std::vector<const char*> note = {"Color"};
    static const std::vector<const char*> none;
    return kind == ItemKind::Task ? task : kind == ItemKind::Note ? note : none;
}

std::string XParam(icalproperty* p, const char* name) {
    for (icalparameter* param = icalproperty_get_first_parameter(p, ICAL_X_PARAMETER); param;
         param = icalproperty_get_next_parameter(p, ICAL_X_PARAMETER)) {
        const char* xname = icalparameter_get_xname(param);
        const char* value = icalparameter_get_xvalue(param);
        if (xname && value && ToUpperAscii(xname) == name) return value;
    }
    return std::string();
}

std::vector<std::string> CategoryItems(std::string_view text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view item = text.substr(start, end - start);
        while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
        if (!item.empty()) items.emplace_back(item);
        start = end + 1;
    }
    return items;
}

std::string JoinCategories(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) {
        if (!out.empty()) out += ", ";
        out += s;
    }
    return out;
}

icalproperty* FindX(icalcomponent* comp, std::string_view name) {
    for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(comp, ICAL_X_PROPERTY)) {
        const char* xname = icalproperty_get_x_name(p);
        if (xname && ToUpperAscii(xname) == name) return p;
    }
    return nullptr;
}

}  // namespace platform::outlook
