#include "tools/palmdat/PalmDatGenerated.h"

#include <cstdint>

#include "platform/file/AtomicFile.h"

namespace palmdat {

namespace {

constexpr std::int32_t kFirstDay = 1767225600;  // 2026-01-01 00:00 UTC

std::string Number(int index) { return std::to_string(index); }

void FillContact(Record& r, bool ex, int i) {
    const std::string n = Number(i);
    r[ex ? 5 : 24] = Value::Long(0);
    r[ex ? 13 : 4] = Value::Text(GeneratedName(Kind::Address, i));
    r[ex ? 14 : 3] = Value::Text("M\xFCller-Lef\xE8vre " + Number(i % 977));
    r[ex ? 16 : 6] = Value::Text("Soci\xE9t\xE9 G\xE9n\xE9rale " + Number(i % 500));
    r[ex ? 18 : 22] = Value::Text("Met at the fair in K\xF6ln.\r\nPrefers e-mail; call after 10:00 only. " + n);
    r[ex ? 19 : 8] = Value::Text("+49 221 555 " + n);
    r[ex ? 20 : 10] = Value::Text("j" + n + "@example.org");
    r[ex ? 21 : 12] = Value::Text("+49 171 555 " + n);
    r[ex ? 26 : 7] = Value::Long(0);   // work phone
    r[ex ? 27 : 9] = Value::Long(4);   // e-mail
    r[ex ? 28 : 11] = Value::Long(7);  // mobile
    r[ex ? 43 : 17] = Value::Text(
        "Hohe Stra\xDF"
        "e " +
        n);
    r[ex ? 44 : 18] = Value::Text("K\xF6ln");
    r[ex ? 46 : 20] = Value::Text("50667");
    r[ex ? 47 : 21] = Value::Text("Deutschland");
}

void FillEvent(Record& r, bool ex, int i) {
    const std::int32_t start = kFirstDay + (i / 10) * 86400 + (8 + i % 10) * 3600;
    r[ex ? 13 : 3] = Value::Long(start, 3);
    r[ex ? 14 : 4] = Value::Long(start + 1800, ex ? 3 : 1);
    r[ex ? 15 : 5] = Value::Text(GeneratedName(Kind::Datebook, i));
    r[ex ? 17 : 7] = Value::Text("Agenda item " + Number(i));
    if (ex) r[23] = Value::Text("Room " + Number(i % 40));
}

void FillTodo(Record& r, bool ex, int i) {
    r[ex ? 13 : 3] = Value::Text(GeneratedName(Kind::Todo, i));
    r[ex ? 14 : 4] = Value::Long(kFirstDay + (i % 365) * 86400, 3);
    r[ex ? 16 : 6] = Value::Long(1 + i % 5);
    r[ex ? 17 : 9] = Value::Text("Details of task " + Number(i));
}

}  // namespace

std::string GeneratedName(Kind kind, int index) {
    switch (kind) {
    case Kind::Address: return "Person" + Number(index);
    case Kind::Datebook: return "Meeting " + Number(index);
    case Kind::Todo: return "Task " + Number(index);
    case Kind::Memo: return "Memo " + Number(index);
    }
    return {};
}

Record GeneratedRecord(Kind kind, Format format, int index) {
    Record r = NewRecord(kind, format);
    const bool ex = format == Format::V414;
    r[0] = Value::Long(index + 1);
    switch (kind) {
    case Kind::Address: FillContact(r, ex, index); break;
    case Kind::Datebook: FillEvent(r, ex, index); break;
    case Kind::Todo: FillTodo(r, ex, index); break;
    case Kind::Memo:
        r[ex ? 13 : 3] = Value::Text(GeneratedName(Kind::Memo, index) + "\r\nSecond line of memo " + Number(index));
        break;
    }
    return r;
}

bool WriteGenerated(const std::string& path, Kind kind, Format format, int count, std::string* error) {
    DatFile file = NewFile(kind, format);
    file.totalFields = count * file.fieldsPerRow;
    std::string bytes = Build(file);
    for (int i = 0; i < count; ++i)
        for (const Value& v : GeneratedRecord(kind, format, i)) bytes += EncodeValue(v);
    return platform::file::WriteFileAtomically(path, bytes, nullptr, error);
}

}  // namespace palmdat
