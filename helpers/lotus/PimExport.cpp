#include "helpers/lotus/PimExport.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "helpers/lotus/PimCalendar.h"
#include "helpers/lotus/PimContacts.h"
#include "helpers/pim/IcalReader.h"
#include "helpers/pim/VCardReader.h"
#include "platform/text/AsciiCase.h"

namespace lotus_helper {

namespace {

// True when a line of the text begins with `begin` ("BEGIN:VCARD").
bool HasBeginLine(std::string_view text, std::string_view begin) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t start = text.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        if (at == 0 && text.substr(start, 3) == "\xEF\xBB\xBF") start += 3;
        if (platform::StartsWithNoCase(text.substr(start), begin)) return true;
        const std::size_t nl = text.find('\n', at);
        if (nl == std::string_view::npos) break;
        at = nl + 1;
    }
    return false;
}

// Every event as an entry, and each extra date of an event as an entry of
// its own (Notes writes a repeat it keeps as a list of dates so), but for
// the instances that the file moves or cancels.
bool PutEvents(const pim::Calendar& calendar, LnRecordSink& sink) {
    std::vector<std::pair<std::string, double>> replaced = calendar.cancelled;
    for (const pim::Event& e : calendar.events)
        if (e.overrides) replaced.emplace_back(e.uid, e.instanceOf);
    auto isReplaced = [&](const std::string& uid, double start) {
        for (const auto& [id, at] : replaced)
            if (id == uid && std::fabs(at - start) < 1.0 / 1440) return true;
        return false;
    };
    for (const pim::Event& e : calendar.events) {
        if (!sink.Entry(EntryRecord(e))) return false;
        for (double start : e.extraStarts) {
            if (isReplaced(e.uid, start)) continue;
            pim::Event one = e;
            one.repeat = pim::Repeat{};
            one.start = start;
            one.end = start + (e.end - e.start);
            if (!sink.Entry(EntryRecord(one))) return false;
        }
    }
    return true;
}

}  // namespace

bool ReadVCardExport(std::string_view text, LnRecordSink& sink, std::string& error) {
    error.clear();
    if (!HasBeginLine(text, "BEGIN:VCARD")) {
        error = "The file holds no vCard (no line \"BEGIN:VCARD\"): it is no vCard export of contacts.";
        return false;
    }
    std::vector<pim::Contact> contacts;
    if (!pim::ReadVCards(text, contacts, [&] { return !sink.Proceed(); })) return false;
    for (const pim::Contact& c : contacts)
        if (!sink.Contact(ContactRecord(c))) return false;
    return true;
}

bool ReadICalendarExport(std::string_view text, LnKind kind, LnRecordSink& sink, std::string& error) {
    error.clear();
    if (!HasBeginLine(text, "BEGIN:VCALENDAR")) {
        error = "The file holds no iCalendar calendar (no line \"BEGIN:VCALENDAR\"): it is no iCalendar export.";
        return false;
    }
    switch (kind) {
    case LnKind::Calendar: {
        pim::Calendar calendar;
        bool stopped = false;
        if (!pim::ReadCalendar(text, calendar, [&] { return stopped = !sink.Proceed(); })) {
            if (stopped) return false;
            CX_LOG(kLogDetail, "libical reads no calendar from the iCalendar text");
            error = "The iCalendar file cannot be read: its calendar is damaged.";
            return false;
        }
        return PutEvents(calendar, sink);
    }
    case LnKind::Tasks:
        return ReadTodos(
            text, [&](const LnTodo& t) { return sink.Todo(t); }, [&] { return sink.Proceed(); });
    case LnKind::Notebook:
        return ReadJournals(
            text, [&](const LnDocument& d) { return sink.Document(d); }, [&] { return sink.Proceed(); });
    case LnKind::Contacts: break;
    }
    error = "An iCalendar file holds no contacts.";
    return false;
}

}  // namespace lotus_helper
