#include "helpers/lotus/LnRecordWriter.h"

#include "common/lotus/CxLNAddrFields.h"
#include "platform/text/TextCopy.h"

namespace lotus_helper {

namespace {

// A text of at most `length` bytes, cut before a character that would not
// fit whole.
void Text(ExchangeDataWriter& out, std::string_view text, std::size_t length) {
    out.Text(text.substr(0, platform::Utf8PrefixLength(text, length)));
}

void Header(ExchangeDataWriter& out) {
    out.Int(0);
    out.Int(0);
}

}  // namespace

void WriteRecord(ExchangeDataWriter& out, const LnContact& c) {
    Header(out);
    for (int id = 1; id <= kLNLastPlainField; ++id) {
        const auto it = c.text.find(id);
        const std::size_t length = static_cast<std::size_t>(LNAddrFields()[static_cast<std::size_t>(id - 1)].Size - 1);
        Text(out, it != c.text.end() ? std::string_view(it->second) : std::string_view(), length);
    }
    Text(out, c.note, 4095);
    Text(out, c.category, 255);
    for (const std::string& v : c.customValue) Text(out, v, 255);
    for (const std::string& v : c.customLabel) Text(out, v, 63);
    out.Date(c.birthDate);
    out.Date(c.anniversary);
}

void WriteRecord(ExchangeDataWriter& out, const LnEntry& e) {
    Header(out);
    Text(out, e.id, 63);
    Text(out, e.subject, 255);
    Text(out, e.location, 255);
    Text(out, e.body, 20479);
    Text(out, e.repeats, 9);
    Text(out, e.resources, 255);
    Text(out, e.startZone, 63);
    Text(out, e.endZone, 69);
    for (double d : {e.displayStart, e.displayEnd, e.keptDates[0], e.keptDates[1], e.start, e.end}) out.Date(d);
    for (const std::string* t : {&e.unit, &e.interval, &e.repeatOn, &e.kept1}) Text(out, *t, 9);
    out.Date(e.keptDate1);
    Text(out, e.kept2, 15);
    out.Date(e.until);
    Text(out, e.kept3, 9);
    out.Int(e.keptValue);
    Text(out, e.kept4, 15);
    out.Date(e.keptDate2);
    for (const std::string& t : e.keptTexts) Text(out, t, 9);
    out.Flag(e.isPrivate);
}

void WriteRecord(ExchangeDataWriter& out, const LnTodo& t) {
    Header(out);
    Text(out, t.id, 63);
    Text(out, t.subject, 255);
    Text(out, t.body, 8191);
    Text(out, t.kept1, 255);
    Text(out, t.category, 255);
    out.Int(t.priority);
    out.Flag(t.isPrivate);
    Text(out, t.kept2, 35);
    out.Date(t.due);
    out.Date(t.keptDate);
    out.Date(t.completed);
    for (int v : t.keptValues) out.Int(v);
    Text(out, t.keptTexts[0], 15);
    Text(out, t.keptTexts[1], 255);
    Text(out, t.keptTexts[2], 255);
    out.Int(t.keptValue);
    Text(out, t.kept6, 389);
}

void WriteRecord(ExchangeDataWriter& out, const LnDocument& d) {
    Header(out);
    Text(out, d.id, 63);
    Text(out, d.subject, 255);
    Text(out, d.body, 8191);
    Text(out, d.kept, 255);
    out.Int(d.keptValue);
    for (double v : d.keptDates) out.Date(v);
}

}  // namespace lotus_helper
