#pragma once
// Lotus Notes data files as the Lotus Notes helpers write them
// ("LNAddr.dat", "LNDate.dat", "LNTask.dat", "LNNote.dat"), built from a
// few fields each: every field a test leaves out is written empty (texts),
// 0 (numbers, flags) or 0.0 (dates), in the exact layout, after the header
// 0 0. The writer here cuts no text, so that tests can give the program
// texts beyond their capacities.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/lotus/CxLNAddrFields.h"
#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/lotus/LnRecords.h"
#include "tests/support/Dates.h"

namespace fwtest {

using lotus_helper::LnContact;
using lotus_helper::LnDocument;
using lotus_helper::LnEntry;
using lotus_helper::LnTodo;

namespace lndetail {

inline void Header(ExchangeDataWriter& w) {
    w.Int(0);
    w.Int(0);
}

inline void Write(ExchangeDataWriter& w, const LnContact& c) {
    Header(w);
    for (int id = 1; id <= kLNLastPlainField; ++id) {
        const auto it = c.text.find(id);
        w.Text(it != c.text.end() ? it->second : std::string());
    }
    w.Text(c.note);
    w.Text(c.category);
    for (const std::string& v : c.customValue) w.Text(v);
    for (const std::string& v : c.customLabel) w.Text(v);
    w.Date(c.birthDate);
    w.Date(c.anniversary);
}

inline void Write(ExchangeDataWriter& w, const LnEntry& e) {
    Header(w);
    for (const std::string* t :
         {&e.id, &e.subject, &e.location, &e.body, &e.repeats, &e.resources, &e.startZone, &e.endZone})
        w.Text(*t);
    for (double d : {e.displayStart, e.displayEnd, e.keptDates[0], e.keptDates[1], e.start, e.end}) w.Date(d);
    for (const std::string* t : {&e.unit, &e.interval, &e.repeatOn, &e.kept1}) w.Text(*t);
    w.Date(e.keptDate1);
    w.Text(e.kept2);
    w.Date(e.until);
    w.Text(e.kept3);
    w.Int(e.keptValue);
    w.Text(e.kept4);
    w.Date(e.keptDate2);
    for (const std::string& t : e.keptTexts) w.Text(t);
    w.Flag(e.isPrivate);
}

inline void Write(ExchangeDataWriter& w, const LnTodo& t) {
    Header(w);
    for (const std::string* s : {&t.id, &t.subject, &t.body, &t.kept1, &t.category}) w.Text(*s);
    w.Int(t.priority);
    w.Flag(t.isPrivate);
    w.Text(t.kept2);
    w.Date(t.due);
    w.Date(t.keptDate);
    w.Date(t.completed);
    for (int v : t.keptValues) w.Int(v);
    for (const std::string& s : t.keptTexts) w.Text(s);
    w.Int(t.keptValue);
    w.Text(t.kept6);
}

inline void Write(ExchangeDataWriter& w, const LnDocument& d) {
    Header(w);
    for (const std::string* s : {&d.id, &d.subject, &d.body, &d.kept}) w.Text(*s);
    w.Int(d.keptValue);
    for (double v : d.keptDates) w.Date(v);
}

}  // namespace lndetail

// Writes the records of one kind into its data file.
template <class Rec>
bool WriteLotusFile(const std::string& path, const std::vector<Rec>& records) {
    ExchangeDataWriter w;
    if (!w.Open(path)) return false;
    for (const Rec& r : records) {
        lndetail::Write(w, r);
        w.EndRecord();
    }
    return w.Commit();
}

}  // namespace fwtest
