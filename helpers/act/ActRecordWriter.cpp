#include "helpers/act/ActRecordWriter.h"

#include "platform/text/TextCopy.h"

namespace act {

namespace {

// Largest number of bytes the kept texts of the activity, to-do and note
// records hold.
constexpr std::size_t kIdBytes = 63;
constexpr std::size_t kShortBytes = 255;
constexpr std::size_t kLongBytes = 8191;

void Text(ExchangeDataWriter& out, std::string_view text, std::size_t maxBytes) {
    out.Text(text.substr(0, platform::Utf8PrefixLength(text, maxBytes)));
}

void Header(ExchangeDataWriter& out) {
    out.Int(0);
    out.Int(0);
}

}  // namespace

void WriteContact(ExchangeDataWriter& out, const Contact& contact) {
    Header(out);
    for (const ACTFieldInfo& f : ACTAddrFields()) {
        const auto id = static_cast<std::size_t>(f.FieldID);
        switch (f.Kind) {
        case kACTFieldFlag: out.Flag(contact.flag[id]); break;
        case kACTFieldDate: out.Date(contact.date[id]); break;
        default: Text(out, contact.text[id], static_cast<std::size_t>(f.Size - 1)); break;
        }
    }
    out.EndRecord();
}

void WriteActivity(ExchangeDataWriter& out, const Activity& a) {
    Header(out);
    Text(out, a.id, kIdBytes);
    Text(out, a.description, kShortBytes);
    Text(out, a.location, kShortBytes);
    Text(out, a.notes, kLongBytes);
    out.Int(a.type);
    out.Date(a.start);
    out.Date(a.end);
    out.Date(a.created);
    out.Date(a.edited);
    out.Int(0);  // kept, not read
    out.Int(a.dayValue);
    out.Int(a.onDate ? 1 : 0);
    out.Int(a.interval);
    out.Int(a.instance);
    out.Int(a.month);
    out.Int(a.recurrence);
    out.Date(a.recurrenceEnd);
    out.Flag(a.isPrivate);
    out.Flag(a.allDay);
    out.EndRecord();
}

void WriteTodo(ExchangeDataWriter& out, const Todo& t) {
    Header(out);
    Text(out, t.id, kIdBytes);
    Text(out, t.description, kShortBytes);
    Text(out, t.regarding, kShortBytes);
    Text(out, t.notes, kLongBytes);
    out.Date(t.created);
    out.Date(t.edited);
    out.Int(t.priority);
    for (int i = 0; i < 6; ++i) out.Int(0);  // kept, not read
    out.Date(0);                             // kept, not read
    out.Flag(t.isPrivate);
    out.Date(t.due);
    out.Flag(t.completed);
    out.EndRecord();
}

void WriteNote(ExchangeDataWriter& out, const Note& n) {
    Header(out);
    Text(out, n.id, kIdBytes);
    Text(out, n.createUser, kIdBytes);
    Text(out, n.editUser, kIdBytes);
    Text(out, n.manageUser, kIdBytes);
    Text(out, n.text, kLongBytes);
    out.Flag(n.isPrivate);
    out.Date(n.created);
    out.Date(n.edited);
    out.EndRecord();
}

}  // namespace act
