#pragma once
// ACT! data files as the ACT! helpers write them ("ACTAddr.dat",
// "ACTDate.dat", "ACTTask.dat", "ACTNote.dat"), built from a few fields
// each: every field a test leaves out is written empty (texts), 0 (numbers,
// flags) or 0.0 (dates), in the exact layout, after the header 0 0.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/ACT/CxACTAddrFields.h"
#include "helpers/exchange/ExchangeDataWriter.h"
#include "tests/support/Dates.h"

namespace fwtest {

// A contact by catalogue id: texts, flags and dates.
struct ActContact {
    std::map<std::int32_t, std::string> text;
    std::map<std::int32_t, bool> flag;
    std::map<std::int32_t, double> date;
};

struct ActActivity {
    std::string id, description, location, notes;
    int type = 0;  // 0 appointment, 1 meeting, 2 call, 3 to-do
    double start = 0.0, end = 0.0, created = 0.0, edited = 0.0;
    int kept = 0, dayValue = 0, onDate = 0, interval = 0, instance = 0, month = 0;
    int recurrence = 0;  // 0 none, 1 daily, 2 weekly, 3 monthly, 4 yearly
    double recurrenceEnd = 0.0;
    bool isPrivate = false, allDay = false;
};

struct ActTodo {
    std::string id, description, regarding, notes;
    double created = 0.0, edited = 0.0;
    int priority = 1;  // 0 high, 2 low, else normal
    std::array<int, 6> kept{};
    double keptDate = 0.0;
    bool isPrivate = false;
    double due = 0.0;
    bool completed = false;
};

struct ActNote {
    std::string id, createUser, editUser, manageUser, text;
    bool isPrivate = false;
    double created = 0.0, edited = 0.0;
};

namespace actdetail {

inline void Header(ExchangeDataWriter& w) {
    w.Int(0);
    w.Int(0);
}

inline void Write(ExchangeDataWriter& w, const ActContact& c) {
    Header(w);
    for (const ACTFieldInfo& f : ACTAddrFields()) {
        if (f.Kind == kACTFieldText) {
            const auto it = c.text.find(f.FieldID);
            w.Text(it != c.text.end() ? it->second : std::string());
        } else if (f.Kind == kACTFieldFlag) {
            const auto it = c.flag.find(f.FieldID);
            w.Flag(it != c.flag.end() && it->second);
        } else {
            const auto it = c.date.find(f.FieldID);
            w.Date(it != c.date.end() ? it->second : 0.0);
        }
    }
}

inline void Write(ExchangeDataWriter& w, const ActActivity& a) {
    Header(w);
    w.Text(a.id);
    w.Text(a.description);
    w.Text(a.location);
    w.Text(a.notes);
    w.Int(a.type);
    w.Date(a.start);
    w.Date(a.end);
    w.Date(a.created);
    w.Date(a.edited);
    for (int v : {a.kept, a.dayValue, a.onDate, a.interval, a.instance, a.month, a.recurrence}) w.Int(v);
    w.Date(a.recurrenceEnd);
    w.Flag(a.isPrivate);
    w.Flag(a.allDay);
}

inline void Write(ExchangeDataWriter& w, const ActTodo& t) {
    Header(w);
    w.Text(t.id);
    w.Text(t.description);
    w.Text(t.regarding);
    w.Text(t.notes);
    w.Date(t.created);
    w.Date(t.edited);
    w.Int(t.priority);
    for (int v : t.kept) w.Int(v);
    w.Date(t.keptDate);
    w.Flag(t.isPrivate);
    w.Date(t.due);
    w.Flag(t.completed);
}

inline void Write(ExchangeDataWriter& w, const ActNote& n) {
    Header(w);
    w.Text(n.id);
    w.Text(n.createUser);
    w.Text(n.editUser);
    w.Text(n.manageUser);
    w.Text(n.text);
    w.Flag(n.isPrivate);
    w.Date(n.created);
    w.Date(n.edited);
}

}  // namespace actdetail

// Writes the records of one kind into its data file.
template <class Rec>
bool WriteActFile(const std::string& path, const std::vector<Rec>& records) {
    ExchangeDataWriter w;
    if (!w.Open(path)) return false;
    for (const Rec& r : records) {
        actdetail::Write(w, r);
        w.EndRecord();
    }
    return w.Commit();
}

}  // namespace fwtest
