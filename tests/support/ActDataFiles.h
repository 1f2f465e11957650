#pragma once
// Reads the ACT! helpers' data files field by field in their published
// layouts ("ACTAddr.dat", "ACTDate.dat", "ACTTask.dat", "ACTNote.dat"),
// independent of the program's own readers, for the tests of the helper
// programs.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/GoogleDataFiles.h"

namespace fwtest {

// A contact: the 89 fields by id (1 to 89), each read by the kind the
// layout gives it: kinds[id] 1 text, 3 flag, 6 date.
struct ActContactData {
    std::array<std::int32_t, 2> header{};
    std::array<std::string, 90> text;
    std::array<std::int32_t, 90> flag{};
    std::array<double, 90> date{};
};

struct ActActivityData {
    std::array<std::int32_t, 2> header{};
    std::string id, description, location, notes;
    std::int32_t type = 0;
    double start = 0, end = 0, created = 0, edited = 0;
    std::int32_t kept = 0, dayValue = 0, onDate = 0, interval = 0, instance = 0, month = 0, recurrence = 0;
    double recurrenceEnd = 0;
    std::int32_t isPrivate = 0, allDay = 0;
};

struct ActTodoData {
    std::array<std::int32_t, 2> header{};
    std::string id, description, regarding, notes;
    double created = 0, edited = 0;
    std::int32_t priority = 0;
    std::array<std::int32_t, 6> kept{};
    double keptDate = 0;
    std::int32_t isPrivate = 0;
    double due = 0;
    std::int32_t completed = 0;
};

struct ActNoteData {
    std::array<std::int32_t, 2> header{};
    std::string id;
    std::array<std::string, 3> users;
    std::string text;
    std::int32_t isPrivate = 0;
    double created = 0, edited = 0;
};

// The kind of each contact field by id, as the contacts layout has them:
// texts but for the flags 59 to 61 and 89 and the dates 62 to 69.
inline int ActFieldKind(int id) {
    if ((id >= 59 && id <= 61) || id == 89) return 3;
    if (id >= 62 && id <= 69) return 6;
    return 1;
}

// Every record of a file; `ok` false when the file is missing, cut short
// or longer than its records.
template <class Record, class ReadOne>
std::vector<Record> ReadActRecords(const std::string& path, bool& ok, ReadOne readOne) {
    ExchangeCursor in(ReadFile(path));
    std::vector<Record> out;
    const std::int32_t count = in.Int();
    for (std::int32_t i = 0; i < count && !in.Bad(); ++i) {
        Record r;
        r.header = in.Ints<2>();
        readOne(in, r);
        out.push_back(std::move(r));
    }
    ok = !in.Bad() && in.AtEnd() && count >= 0;
    return out;
}

inline std::vector<ActContactData> ReadActContacts(const std::string& path, bool& ok) {
    return ReadActRecords<ActContactData>(path, ok, [](ExchangeCursor& in, ActContactData& c) {
        for (int id = 1; id <= 89; ++id) {
            switch (ActFieldKind(id)) {
            case 3: c.flag[id] = in.Int(); break;
            case 6: c.date[id] = in.Date(); break;
            default: c.text[id] = in.Text(); break;
            }
        }
    });
}

inline std::vector<ActActivityData> ReadActActivities(const std::string& path, bool& ok) {
    return ReadActRecords<ActActivityData>(path, ok, [](ExchangeCursor& in, ActActivityData& a) {
        a.id = in.Text();
        a.description = in.Text();
        a.location = in.Text();
        a.notes = in.Text();
        a.type = in.Int();
        a.start = in.Date();
        a.end = in.Date();
        a.created = in.Date();
        a.edited = in.Date();
        for (std::int32_t* v : {&a.kept, &a.dayValue, &a.onDate, &a.interval, &a.instance, &a.month, &a.recurrence})
            *v = in.Int();
        a.recurrenceEnd = in.Date();
        a.isPrivate = in.Int();
        a.allDay = in.Int();
    });
}

inline std::vector<ActTodoData> ReadActTodos(const std::string& path, bool& ok) {
    return ReadActRecords<ActTodoData>(path, ok, [](ExchangeCursor& in, ActTodoData& t) {
        t.id = in.Text();
        t.description = in.Text();
        t.regarding = in.Text();
        t.notes = in.Text();
        t.created = in.Date();
        t.edited = in.Date();
        t.priority = in.Int();
        t.kept = in.Ints<6>();
        t.keptDate = in.Date();
        t.isPrivate = in.Int();
        t.due = in.Date();
        t.completed = in.Int();
    });
}

inline std::vector<ActNoteData> ReadActNotes(const std::string& path, bool& ok) {
    return ReadActRecords<ActNoteData>(path, ok, [](ExchangeCursor& in, ActNoteData& n) {
        n.id = in.Text();
        n.users = in.Texts<3>();
        n.text = in.Text();
        n.isPrivate = in.Int();
        n.created = in.Date();
        n.edited = in.Date();
    });
}

}  // namespace fwtest
