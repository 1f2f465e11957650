#pragma once
// The four records of the Lotus Notes data files ("LNAddr.dat",
// "LNDate.dat", "LNTask.dat", "LNNote.dat") as the helpers fill them from a
// database export: every field in file order, texts in UTF-8, dates as
// local OLE dates (0 for none). Fields the program keeps without reading
// them stay empty or 0.
#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace lotus_helper {

// The kind of data a helper reads, one per helper program.
enum class LnKind { Contacts, Calendar, Tasks, Notebook };

// A contact: the catalogue texts 1 to 44 by id, then the fields that
// follow them in the file.
struct LnContact {
    std::map<std::int32_t, std::string> text;  // ids 1 to 44
    std::string note, category;
    std::array<std::string, 10> customValue, customLabel;
    double birthDate = 0.0, anniversary = 0.0;
};

// A calendar entry. `start` and `end` are the ones the program converts;
// the displayed pair is what its detail window shows.
struct LnEntry {
    std::string id, subject, location, body;
    std::string repeats;  // "1" when the entry repeats
    std::string resources, startZone, endZone;
    double displayStart = 0.0, displayEnd = 0.0;
    std::array<double, 2> keptDates{};
    double start = 0.0, end = 0.0;
    // "D", "W", "MD", "MP", "Y"; the interval and the repeat-on value
    // (weekday mask, bit 0 Sunday, for "W" and "MP"; day of month for "MD")
    // as decimal texts.
    std::string unit, interval, repeatOn;
    std::string kept1;
    double keptDate1 = 0.0;
    std::string kept2;
    double until = 0.0;
    std::string kept3;
    int keptValue = 0;
    std::string kept4;
    double keptDate2 = 0.0;
    std::array<std::string, 2> keptTexts;
    bool isPrivate = false;
};

struct LnTodo {
    std::string id, subject, body, kept1, category;
    int priority = 1;  // 0 high, 2 low, else normal
    bool isPrivate = false;
    std::string kept2;
    double due = 0.0, keptDate = 0.0, completed = 0.0;  // keptDate: the start
    std::array<int, 2> keptValues{};
    std::array<std::string, 3> keptTexts;
    int keptValue = 0;
    std::string kept6;
};

// A notebook (journal) document. The fields after the body are what the
// detail window shows of it: the categories, the border colour and the
// diary, creation and edit dates.
struct LnDocument {
    std::string id, subject, body, kept;
    int keptValue = 0;
    std::array<double, 3> keptDates{};
};

}  // namespace lotus_helper
