#pragma once
// One document of a DXL export as the reader holds it: its form, its
// universal id and its items by name, each item's values as texts (texts,
// numbers, rich text as plain text with one line per paragraph) or as the
// date-time texts Notes writes. Item names are matched without regard to
// case, as Notes does.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lotus_helper {

struct DxlItem {
    std::vector<std::string> values;     // texts and numbers, in order
    std::vector<std::string> times;      // date-time texts; a pair gives two
    std::vector<std::string> mimeParts;  // raw MIME parts (see DxlMime.h), in order
};

struct DxlDocument {
    std::string form, unid;
    std::map<std::string, DxlItem> items;  // by lower-case name

    const DxlItem* Find(std::string_view name) const;
    // The values joined with ", " (a text list), or with CR LF; Lines
    // gives the text of an item kept as MIME parts when it has no values.
    std::string Text(std::string_view name) const;
    std::string Lines(std::string_view name) const;
    std::string First(std::string_view name) const;
    std::vector<std::string> List(std::string_view name) const;
    std::vector<std::string> Times(std::string_view name) const;
};

// The times the document was created and last changed (its note
// information), kept as items of names no item of Notes can have.
inline constexpr std::string_view kDxlCreatedItem = "<created>";
inline constexpr std::string_view kDxlModifiedItem = "<modified>";

// A date-time text of DXL: "20260315T090000,00-05", "20260315" (a date),
// "T090000,00" (a time of day), with an optional zone: "Z", "+01",
// "-0530" or "+05:30".
struct DxlTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    bool hasDate = false, hasTime = false, hasZone = false;
    int offsetMinutes = 0;  // east of UTC
};

std::optional<DxlTime> ParseDxlTime(std::string_view text);

// The time as a local date value of this machine: a zoned time is moved
// from its offset, a time without zone is taken as local time, a date is
// its local midnight. Nullopt for a time of day without a date and for
// dates the program cannot hold.
std::optional<double> DxlTimeToLocal(const DxlTime& t);
// The calendar day of the time as written (no zone conversion), at local
// midnight; for dates that stand for whole days.
std::optional<double> DxlDayToLocal(const DxlTime& t);

// The first date-time of an item, converted as above.
std::optional<double> LocalTimeOf(const DxlDocument& doc, std::string_view name);
std::optional<double> LocalDayOf(const DxlDocument& doc, std::string_view name);

// Lower-case ASCII copy.
std::string DxlLower(std::string_view text);

}  // namespace lotus_helper
