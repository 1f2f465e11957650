#include "helpers/lotus/PimCalendar.h"

#include <libical/ical.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/outlook/IcalParts.h"
#include "platform/outlook/IcalTime.h"
#include "platform/text/AsciiCase.h"

namespace lotus_helper {

namespace po = platform::outlook;

namespace {

using po::ComponentPtr;

std::string Decimal(int value) { return std::to_string(value); }

std::string TextOf(icalcomponent* comp, icalproperty_kind kind) {
    icalproperty* p = icalcomponent_get_first_property(comp, kind);
    if (!p) return {};
    icalvalue* value = icalproperty_get_value(p);
    if (value && icalvalue_isa(value) == ICAL_TEXT_VALUE) {
        const char* t = icalvalue_get_text(value);
        return t ? t : "";
    }
    const char* v = icalproperty_get_value_as_string(p);
    return v ? v : "";
}

double LocalOf(icalcomponent* comp, icalproperty_kind kind) {
    icalproperty* p = icalcomponent_get_first_property(comp, kind);
    double out = 0;
    if (!p || !po::TimeToLocal(po::PropertyTime(p), out)) return 0;
    return out;
}

bool IsPrivate(icalcomponent* comp) {
    icalproperty* p = icalcomponent_get_first_property(comp, ICAL_CLASS_PROPERTY);
    if (!p) return false;
    const icalproperty_class c = icalproperty_get_class(p);
    return c == ICAL_CLASS_PRIVATE || c == ICAL_CLASS_CONFIDENTIAL;
}

std::string Categories(icalcomponent* comp) {
    std::string out;
    for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(comp, ICAL_CATEGORIES_PROPERTY)) {
        const char* c = icalproperty_get_categories(p);
        if (!c || !*c) continue;
        if (!out.empty()) out += ", ";
        out += c;
    }
    return out;
}

LnTodo TodoOf(icalcomponent* comp) {
    LnTodo t;
    t.id = TextOf(comp, ICAL_UID_PROPERTY);
    t.subject = TextOf(comp, ICAL_SUMMARY_PROPERTY);
    t.body = TextOf(comp, ICAL_DESCRIPTION_PROPERTY);
    t.category = Categories(comp);
    t.isPrivate = IsPrivate(comp);
    t.due = LocalOf(comp, ICAL_DUE_PROPERTY);
    t.keptDate = LocalOf(comp, ICAL_DTSTART_PROPERTY);  // the start, which the detail window shows
    if (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_PRIORITY_PROPERTY)) {
        const int priority = icalproperty_get_priority(p);
        t.priority = priority >= 1 && priority <= 4 ? 0 : priority >= 6 && priority <= 9 ? 2 : 1;
    }
    t.completed = LocalOf(comp, ICAL_COMPLETED_PROPERTY);
    icalproperty* status = icalcomponent_get_first_property(comp, ICAL_STATUS_PROPERTY);
    if (t.completed == 0 && status && icalproperty_get_status(status) == ICAL_STATUS_COMPLETED) {
        // Done without a date: the last change, else the due date, so that
        // it still counts as done; the start of the day as a last resort.
        for (icalproperty_kind kind : {ICAL_LASTMODIFIED_PROPERTY, ICAL_DTSTAMP_PROPERTY})
            if (t.completed == 0) t.completed = LocalOf(comp, kind);
        if (t.completed == 0) t.completed = t.due;
        if (t.completed == 0) t.completed = LocalOf(comp, ICAL_DTSTART_PROPERTY);
    }
    return t;
}

LnDocument DocumentOf(icalcomponent* comp) {
    LnDocument d;
    d.id = TextOf(comp, ICAL_UID_PROPERTY);
    d.subject = TextOf(comp, ICAL_SUMMARY_PROPERTY);
    d.body = TextOf(comp, ICAL_DESCRIPTION_PROPERTY);
    // What the detail window shows besides: the categories, the diary date
    // and the times the entry was created and last changed.
    d.kept = Categories(comp);
    d.keptDates = {LocalOf(comp, ICAL_DTSTART_PROPERTY), LocalOf(comp, ICAL_CREATED_PROPERTY),
                   LocalOf(comp, ICAL_LASTMODIFIED_PROPERTY)};
    return d;
}

// Where the next line that begins an event, a to-do or a journal entry
// starts at or after `from`; npos when none does.
std::size_t NextItemLine(std::string_view text, std::size_t from) {
    for (std::size_t at = from; at < text.size();) {
        if (at == 0 || text[at - 1] == '\n') {
            const std::string_view rest = text.substr(at);
            if (platform::StartsWithNoCase(rest, "BEGIN:VEVENT") || platform::StartsWithNoCase(rest, "BEGIN:VTODO") ||
                platform::StartsWithNoCase(rest, "BEGIN:VJOURNAL"))
                return at;
        }
        const std::size_t nl = text.find('\n', at);
        if (nl == std::string_view::npos) break;
        at = nl + 1;
    }
    return std::string_view::npos;
}

// Hands every component of `kind` to `each`, a part of the text at a time:
// the calendar's head (its properties and zones) with the items that
// follow it. False when `each` ended the reading.
bool ForEach(std::string_view text, icalcomponent_kind kind, std::size_t partSize,
             const std::function<bool(icalcomponent*)>& each, const std::function<bool()>& proceed) {
    const std::size_t first = NextItemLine(text, 0);
    if (first == std::string_view::npos) return true;
    const std::string_view head = text.substr(0, first);
    for (std::size_t from = first; from < text.size();) {
        if (proceed && !proceed()) return false;
        std::size_t to = NextItemLine(text, from + (partSize > 0 ? partSize : 1));
        const bool last = to == std::string_view::npos;
        if (last) to = text.size();
        std::string part(head);
        part.append(text.substr(from, to - from));
        if (!last) part += "\r\nEND:VCALENDAR\r\n";
        from = to;
        ComponentPtr root(icalparser_parse_string(part.c_str()));
        if (!root) continue;
        // One calendar, several of them under one root, or a lone item.
        std::vector<icalcomponent*> calendars;
        if (icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT) {
            for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); c;
                 c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
                calendars.push_back(c);
        } else {
            calendars.push_back(root.get());
        }
        for (icalcomponent* cal : calendars) {
            if (icalcomponent_isa(cal) == kind) {
                if (!each(cal)) return false;
                continue;
            }
            for (icalcomponent* c = icalcomponent_get_first_component(cal, kind); c;
                 c = icalcomponent_get_next_component(cal, kind))
                if (!each(c)) return false;
        }
    }
    return true;
}

}  // namespace

LnEntry EntryRecord(const pim::Event& e) {
    LnEntry r;
    r.id = e.uid;
    r.subject = e.summary;
    r.location = e.location;
    r.body = e.description;
    r.start = r.displayStart = e.start;
    r.end = r.displayEnd = e.end;
    r.isPrivate = e.isPrivate;
    const pim::Repeat& rep = e.repeat;
    const int interval = rep.interval > 0 ? rep.interval : 1;
    switch (rep.type) {
    case 1:
        // Every day on some weekdays only ("every weekday"): the weekly
        // repeat on those days.
        r.unit = rep.weekdayMask != 0 ? "W" : "D";
        if (rep.weekdayMask != 0) r.repeatOn = Decimal(rep.weekdayMask);
        break;
    case 2:
        r.unit = "W";
        r.repeatOn = Decimal(rep.weekdayMask);
        break;
    case 3:
        r.unit = "MP";
        r.repeatOn = Decimal(rep.weekdayMask);
        break;
    case 4:
        r.unit = "MD";
        r.repeatOn = Decimal(rep.dayOfMonth);
        break;
    case 5:
        // The same weekday of the same week of the start's month, every
        // twelve months: the days of a yearly rule by weekday.
        r.unit = "MP";
        r.repeatOn = Decimal(rep.weekdayMask);
        break;
    case 6: r.unit = "Y"; break;
    default: return r;
    }
    r.repeats = "1";
    r.interval = Decimal(rep.type == 5 ? 12 * interval : interval);
    if (rep.hasEnd) r.until = rep.endDate;
    return r;
}

bool ReadTodos(std::string_view text, const std::function<bool(const LnTodo&)>& todo,
               const std::function<bool()>& proceed, std::size_t partSize) {
    return ForEach(
        text, ICAL_VTODO_COMPONENT, partSize, [&](icalcomponent* c) { return todo(TodoOf(c)); }, proceed);
}

bool ReadJournals(std::string_view text, const std::function<bool(const LnDocument&)>& document,
                  const std::function<bool()>& proceed, std::size_t partSize) {
    return ForEach(
        text, ICAL_VJOURNAL_COMPONENT, partSize, [&](icalcomponent* c) { return document(DocumentOf(c)); }, proceed);
}

}  // namespace lotus_helper
