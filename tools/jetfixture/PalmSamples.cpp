#include "tools/jetfixture/PalmSamples.h"

#include <cstdint>
#include <vector>

namespace jetfixture {

namespace {

constexpr std::int64_t kMonday0900 = 1704704400;  // 2024-01-08 09:00:00
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 24 * kHour;

const char* const kFirstNames[] = {"Zoë", "José",  "François", "Ünal",  "Søren", "Chloé",  "Łukasz",
                                   "Ana", "Björn", "Renée",    "Ðorđe", "Inés",  "Mónica", "Håkon"};
const char* const kLastNames[] = {"Müller", "Østergaard", "García", "Dvořák",  "O'Brien", "Nuñez",
                                  "Šimić",  "Lefèvre",    "Çelik",  "Jónsson", "Weiß",    "Kowalczyk"};
const char* const kCities[] = {"Zürich", "Malmö", "Kraków", "São Paulo", "Besançon", "Reykjavík"};

void AddCategories(PalmDatabase& db) {
    db.AddCategory({1, "Business", 0, 1});
    db.AddCategory({2, "Personal", 0, 2});
    db.AddCategory({3, "Café & Bücher", 0, 3});
}

std::string LongText(const std::string& line, int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += line + " " + std::to_string(i + 1) + "\r\n";
    return text;
}

void Add(PalmDatabase& db, const PalmRecord& record) {
    std::string error;
    db.AddRecord(record, error);  // the sample columns all exist
}

void Contacts(PalmDatabase& db, int count) {
    for (int i = 0; i < count; ++i) {
        const std::string first = kFirstNames[i % std::size(kFirstNames)];
        const std::string last = kLastNames[(i * 7) % std::size(kLastNames)];
        PalmRecord r{{"Record ID", std::int64_t{1000 + i}},
                     {"Category", std::int64_t{i % 4}},  // 0: no category
                     {"First Name", first},
                     {"Last Name", last},
                     {"Company", i % 3 == 0 ? std::string("Ferrywise Ltd.") : std::string()},
                     {"Job Title", i % 3 == 0 ? std::string("Directrice générale") : std::string()},
                     {"Work City", std::string(kCities[i % std::size(kCities)])},
                     {"Work Phone", "+41 44 555 " + std::to_string(1000 + i)},
                     {"Phone Label1", std::int64_t{0}},
                     {"Home Phone", "+46 40 555 " + std::to_string(2000 + i)},
                     {"Phone Label4", std::int64_t{1}},
                     {"Home Mobile", "+48 12 555 " + std::to_string(3000 + i)},
                     {"Phone Label6", std::int64_t{7}},
                     {"E-mail 1", "contact" + std::to_string(i) + "@example.org"},
                     {"Private", i % 5 == 4},
                     {"Custom 1", std::string("Sprache: Deutsch")}};
        if (i % 10 == 0)
            r.push_back({"Note", LongText("Anmerkung für " + first + " " + last, 120)});
        else if (i % 2 == 0)
            r.push_back({"Note", "Notiz: " + first + " mag Kaffee."});
        Add(db, r);
    }
}

void Calendar(PalmDatabase& db, int count) {
    static const char* const kRules[] = {"",
                                         "D1 #0",
                                         "W1 MO WE FR #0",
                                         "W2 TU 20261231T000000Z",
                                         "MP1 2+ TU #0",
                                         "MD1 15 #0",
                                         "YM1 6 #0",
                                         "MP1 5+ FR 20251231T000000Z"};
    const int n = std::max<int>(count, static_cast<int>(std::size(kRules)));
    for (int i = 0; i < n; ++i) {
        const std::int64_t start = kMonday0900 + (i % 28) * kDay + (i % 5) * kHour;
        const bool untimed = i % 6 == 5;
        PalmRecord r{{"Record ID", std::int64_t{2000 + i}},
                     {"Category", std::int64_t{i % 3}},
                     {"Start Time", untimed ? start - 9 * kHour : start},
                     {"End Time", untimed ? start - 9 * kHour : start + kHour},
                     {"Untimed", untimed},
                     {"Location", std::string(kCities[i % std::size(kCities)])},
                     {"Summary", "Réunion n° " + std::to_string(i + 1)},
                     {"Alarm", i % 2 == 0},
                     {"Alarm Advance", std::int64_t{15}},
                     {"Alarm Unit", std::int64_t{0}},
                     {"Repeated Event", std::string(kRules[i % std::size(kRules)])}};
        if (i % 4 == 1) r.push_back({"Note", std::string("Tagesordnung: Budget, Planung, Verschiedenes")});
        Add(db, r);
    }
}

void Tasks(PalmDatabase& db, int count) {
    for (int i = 0; i < count; ++i) {
        PalmRecord r{{"Record ID", std::int64_t{3000 + i}},
                     {"Category", std::int64_t{i % 3}},
                     {"Description",
                      "Aufgabe " + std::to_string(i + 1) + ": Rückruf bei " + kLastNames[i % std::size(kLastNames)]},
                     {"Due Date", i % 4 == 3 ? std::int64_t{0} : kMonday0900 + i * kDay},
                     {"Completed", i % 3 == 2},
                     {"Priority", std::int64_t{1 + i % 5}},
                     {"Complete Date", i % 3 == 2 ? kMonday0900 + (i - 1) * kDay : std::int64_t{0}},
                     {"Alarm Set", i % 4 == 0},
                     {"Alarm Time", std::int64_t{9 * 3600}},
                     {"Alarm Advance", std::int64_t{1}},
                     {"Repeat Info", std::string(i % 5 == 0 ? "W1 MO #0" : "")}};
        if (i % 3 == 0) r.push_back({"Note", std::string("Unterlagen mitbringen.")});
        Add(db, r);
    }
}

void Memos(PalmDatabase& db, int count) {
    for (int i = 0; i < count; ++i) {
        std::string text = "Mémo " + std::to_string(i + 1) + "\r\n";
        text += i % 7 == 3 ? LongText("Eine lange Zeile der Notiz mit Umlauten äöü", 400) : "Kurze Notiz.";
        const int category = i % 3;
        Add(db, {{"Record ID", std::int64_t{4000 + i}},
                 {"Category", std::to_string(category)},
                 {"Private", i % 6 == 5},
                 {"Note", text}});
    }
}

}  // namespace

PalmDatabase MakePalmSample(PalmKind kind, int count) {
    PalmDatabase db(kind);
    AddCategories(db);
    switch (kind) {
    case PalmKind::Contacts: Contacts(db, count); break;
    case PalmKind::Calendar: Calendar(db, count); break;
    case PalmKind::Tasks: Tasks(db, count); break;
    case PalmKind::Memos: Memos(db, count); break;
    }
    return db;
}

bool WritePalmSamples(const std::string& folder, int count, std::string& error) {
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    for (PalmKind kind : {PalmKind::Contacts, PalmKind::Calendar, PalmKind::Tasks, PalmKind::Memos}) {
        if (!MakePalmSample(kind, count).Write(dir + PalmDatabaseFileName(kind), error)) return false;
    }
    return true;
}

}  // namespace jetfixture
