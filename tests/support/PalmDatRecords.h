#pragma once
// Palm Desktop 4.1.4 records of each kind, for tests that write ".dat"
// files through tools/palmdat and read them with the real record sets.
// Times are epoch seconds; Palm's own status word is left 0.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/palmdat/PalmDatWriter.h"

namespace fwtest::palm {

inline palmdat::Record New(palmdat::Kind kind, std::int32_t id) {
    palmdat::Record r = palmdat::NewRecord(kind, palmdat::Format::V414);
    r[0].number = id;
    return r;
}

inline palmdat::Record Contact(std::int32_t id, const std::string& first, const std::string& last,
                               const std::string& company = "", const std::string& title = "") {
    palmdat::Record r = New(palmdat::Kind::Address, id);
    r[13] = palmdat::Value::Text(first);
    r[14] = palmdat::Value::Text(last);
    r[15] = palmdat::Value::Text(title);
    r[16] = palmdat::Value::Text(company);
    return r;
}

inline palmdat::Record Event(std::int32_t id, const std::string& subject, std::int32_t start, std::int32_t end,
                             const std::string& location = "", bool untimed = false) {
    palmdat::Record r = New(palmdat::Kind::Datebook, id);
    r[13].number = start;
    r[14].number = end;
    r[15] = palmdat::Value::Text(subject);
    r[18].number = untimed ? 1 : 0;
    r[23] = palmdat::Value::Text(location);
    return r;
}

// Palm priorities run from 1 (highest) to 5.
inline palmdat::Record Todo(std::int32_t id, const std::string& subject, std::int32_t due = 0,
                            std::int32_t priority = 3, const std::string& note = "") {
    palmdat::Record r = New(palmdat::Kind::Todo, id);
    r[13] = palmdat::Value::Text(subject);
    r[14].number = due;
    r[16].number = priority;
    r[17] = palmdat::Value::Text(note);
    return r;
}

inline palmdat::Record Memo(std::int32_t id, const std::string& text) {
    palmdat::Record r = New(palmdat::Kind::Memo, id);
    r[13] = palmdat::Value::Text(text);
    return r;
}

inline palmdat::DatFile File(palmdat::Kind kind, std::vector<palmdat::Record> records) {
    palmdat::DatFile f = palmdat::NewFile(kind, palmdat::Format::V414);
    f.records = std::move(records);
    return f;
}

}  // namespace fwtest::palm
