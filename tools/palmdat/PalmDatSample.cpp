// Sample data: the four files of one generation with a few dozen records
// each, texts in windows-1252 as Palm Desktop on a western Windows writes
// them.
#include <ctime>
#include <string>

#include "platform/text/CodeConverter.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace palmdat {

std::string Ansi(const std::string& utf8) {
    platform::CodeConverter converter;
    if (!converter.Open("WINDOWS-1252//TRANSLIT", "UTF-8")) return utf8;
    std::string out;
    converter.Convert(utf8, out, "?");
    return out;
}

namespace {

std::int32_t Epoch(int year, int month, int day, int hour, int minute) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    return static_cast<std::int32_t>(::timegm(&tm));
}

const char* const kFirstNames[] = {"Zoë",    "Anaïs", "Björn", "Søren", "José", "François",
                                   "Jürgen", "Åsa",   "Chloé", "Mário", "Inês", "Renée"};
const char* const kLastNames[] = {"Müller", "Ødegård", "Peña", "Lefèvre", "Straße", "Núñez"};
const char* const kCities[] = {"Zürich", "Malmö", "São Paulo", "Genève", "Köln", "Montréal"};

void AddCategories(DatFile& f) {
    f.categories = {
        {1, 1, 0, Ansi("Business"), ""}, {2, 2, 0, Ansi("Personal"), ""}, {3, 3, 0, Ansi("Clubs & Vereine"), ""}};
}

DatFile Contacts(Format format) {
    DatFile f = NewFile(Kind::Address, format);
    AddCategories(f);
    const bool ex = format == Format::V414;
    int id = 1;
    for (const char* last : kLastNames) {
        for (const char* first : kFirstNames) {
            if (id > 36) break;
            Record r = NewRecord(Kind::Address, format);
            const std::string phone = "+41 44 555 " + std::to_string(1000 + id);
            const std::string email = std::string("contact") + std::to_string(id) + "@example.org";
            const char* city = kCities[id % 6];
            const std::int32_t category = id % 4;
            const std::string note = Ansi(std::string("Met at the café in ") + city + ".\r\nSecond line.");
            r[0] = Value::Long(id);
            if (ex) {
                r[5] = Value::Long(category);
                r[13] = Value::Text(Ansi(first));
                r[14] = Value::Text(Ansi(last));
                r[15] = Value::Text(Ansi("Directrice générale"));
                r[16] = Value::Text(Ansi(std::string("Société ") + last));
                r[18] = Value::Text(note);
                r[19] = Value::Text(phone);
                r[20] = Value::Text(email);
                r[21] = Value::Text("+41 79 555 " + std::to_string(2000 + id));
                r[26] = Value::Long(0);
                r[27] = Value::Long(4);
                r[28] = Value::Long(7);
                r[33] = Value::Text(Ansi("Größe L"));
                r[43] = Value::Text(Ansi(std::to_string(id) + " Rue de l'Église"));
                r[44] = Value::Text(Ansi(city));
                r[46] = Value::Text(std::to_string(8000 + id));
                r[47] = Value::Text(Ansi("Schweiz"));
                r[49] = Value::Text(Ansi("Hauptstraße " + std::to_string(id)));
                r[50] = Value::Text(Ansi(city));
                r[60] = Value::Text("im" + std::to_string(id));
                r[62] = Value::Long(1);
                r[64] = Value::Text("https://example.org/" + std::to_string(id));
            } else {
                r[3] = Value::Text(Ansi(last));
                r[4] = Value::Text(Ansi(first));
                r[5] = Value::Text(Ansi("Directrice générale"));
                r[6] = Value::Text(Ansi(std::string("Société ") + last));
                r[7] = Value::Long(0);
                r[8] = Value::Text(phone);
                r[9] = Value::Long(4);
                r[10] = Value::Text(email);
                r[11] = Value::Long(7);
                r[12] = Value::Text("+41 79 555 " + std::to_string(2000 + id));
                r[17] = Value::Text(Ansi(std::to_string(id) + " Rue de l'Église"));
                r[18] = Value::Text(Ansi(city));
                r[20] = Value::Text(std::to_string(8000 + id));
                r[21] = Value::Text(Ansi("Schweiz"));
                r[22] = Value::Text(note);
                r[24] = Value::Long(category);
                r[25] = Value::Text(Ansi("Größe L"));
            }
            f.records.push_back(std::move(r));
            ++id;
        }
    }
    return f;
}

Repeat RuleOfKind(int kind, int n, std::int32_t end) {
    Repeat r;
    if (kind == 0) return r;
    r.marker = n % 2 == 0 ? Repeat::Marker::Named : Repeat::Marker::Bare;
    r.kind = kind;
    r.interval = 1 + n % 2;
    r.endDate = n % 3 == 0 ? Epoch(2031, 12, 31, 0, 0) : end;
    r.dayIndex = 2;       // Tuesday
    r.dayMask = 0x2A;     // Monday, Wednesday, Friday
    r.weekIndex = n % 5;  // first to last week
    r.dayNumber = 15;
    r.monthIndex = 5;  // June
    if (n % 4 == 1) r.exceptions = {Epoch(2026, 3, 10, 0, 0)};
    return r;
}

DatFile Events(Format format) {
    DatFile f = NewFile(Kind::Datebook, format);
    AddCategories(f);
    const bool ex = format == Format::V414;
    const char* const kSubjects[] = {"Réunion d'équipe",   "Zahnarzt", "Café mit Björn",  "Board meeting",
                                     "Fête de la musique", "Yoga",     "Quarterly review"};
    for (int i = 0; i < 28; ++i) {
        Record r = NewRecord(Kind::Datebook, format);
        const std::int32_t start = Epoch(2026, 1 + i % 12, 1 + i, 9 + i % 8, (i % 2) * 30);
        const std::int32_t end = start + 3600;
        const int kind = i % 7;  // every repeat kind, 0 to 6
        const bool untimed = i % 9 == 4;
        r[0] = Value::Long(100 + i);
        const int s = ex ? 13 : 3;
        r[s] = Value::Long(start, 3);
        r[s + 1] = Value::Long(end, ex ? 3 : 1);
        r[ex ? 15 : 5] = Value::Text(Ansi(kSubjects[i % 7]));
        r[ex ? 17 : 7] = Value::Text(Ansi("Agenda:\r\n1. Überblick\r\n2. Prochaines étapes"));
        r[ex ? 18 : 8] = Value::Long(untimed ? 1 : 0, 6);
        r[ex ? 19 : 11] = Value::Long(i % 3 == 0 ? 1 : 0, 6);
        r[ex ? 20 : 12] = Value::Long(i % 3 == 0 ? 15 : 0);
        r[ex ? 21 : 13] = Value::Long(i % 3);
        r[ex ? 22 : 14] = Value::RepeatEvent(RuleOfKind(kind, i, Epoch(2026, 12, 31, 0, 0)));
        if (ex) {
            r[5] = Value::Long(i % 4);
            r[23] = Value::Text(Ansi(kCities[i % 6]));
        } else {
            r[10] = Value::Long(i % 4);
        }
        f.records.push_back(std::move(r));
    }
    return f;
}

DatFile Todos(Format format) {
    DatFile f = NewFile(Kind::Todo, format);
    AddCategories(f);
    const bool ex = format == Format::V414;
    const char* const kTasks[] = {"Rapport trimestriel", "Steuererklärung", "Buy crème fraîche",
                                  "Call Søren",          "Renew passport",  "Prepare Präsentation"};
    for (int i = 0; i < 24; ++i) {
        Record r = NewRecord(Kind::Todo, format);
        r[0] = Value::Long(200 + i);
        const std::int32_t due = i % 5 == 0 ? -1 : Epoch(2026, 2 + i % 10, 1 + i, 0, 0);
        if (ex) {
            r[5] = Value::Long(i % 4);
            r[6] = Value::Long(i % 6 == 5 ? 1 : 0, 6);
            r[13] = Value::Text(Ansi(kTasks[i % 6]));
            r[14] = Value::Long(due, 3);
            r[15] = Value::Long(i % 4 == 3 ? 1 : 0, 6);
            r[16] = Value::Long(1 + i % 5);
            r[17] = Value::Text(Ansi("Notiz: nicht vergessen"));
            r[20] = Value::Long(i % 3 == 0 ? 1 : 0, 6);
            r[24] = Value::RepeatEvent(RuleOfKind(i % 7, i, Epoch(2027, 6, 30, 0, 0)));
        } else {
            r[3] = Value::Text(Ansi(kTasks[i % 6]));
            r[4] = Value::Long(due, 3);
            r[5] = Value::Long(i % 4 == 3 ? 1 : 0, 6);
            r[6] = Value::Long(1 + i % 5);
            r[7] = Value::Long(i % 6 == 5 ? 1 : 0, 6);
            r[8] = Value::Long(i % 4);
            r[9] = Value::Text(Ansi("Notiz: nicht vergessen"));
        }
        f.records.push_back(std::move(r));
    }
    return f;
}

DatFile Memos(Format format) {
    DatFile f = NewFile(Kind::Memo, format);
    AddCategories(f);
    const bool ex = format == Format::V414;
    for (int i = 0; i < 20; ++i) {
        Record r = NewRecord(Kind::Memo, format);
        r[0] = Value::Long(300 + i);
        std::string text = "Mémo " + std::to_string(i + 1) + " – Einkaufsliste\r\nÄpfel, Birnen, Crème brûlée";
        if (i % 5 == 4) text += "\r\n" + std::string(300, 'x');
        if (ex) {
            r[5] = Value::Long(i % 4);
            r[6] = Value::Long(i % 7 == 6 ? 1 : 0, 6);
            r[13] = Value::Text(Ansi(text));
        } else {
            r[3] = Value::Text(Ansi(text));
            r[4] = Value::Long(i % 7 == 6 ? 1 : 0, 6);
            r[5] = Value::Long(i % 4);
        }
        f.records.push_back(std::move(r));
    }
    return f;
}

}  // namespace

DatFile SampleFile(Kind kind, Format format) {
    switch (kind) {
    case Kind::Address: return Contacts(format);
    case Kind::Datebook: return Events(format);
    case Kind::Todo: return Todos(format);
    case Kind::Memo: break;
    }
    return Memos(format);
}

bool WriteSample(const std::string& folder, Format format, std::string* error) {
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    const DatFile files[] = {Contacts(format), Events(format), Todos(format), Memos(format)};
    for (const DatFile& file : files) {
        const std::string path = dir + FileName(file.kind);
        if (!Write(path, file)) {
            if (error != nullptr) *error = "cannot write " + path;
            return false;
        }
    }
    return true;
}

}  // namespace palmdat
