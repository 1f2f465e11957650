#pragma once
// An ACT! database as the Act! Web API answers it (the API's own JSON
// field names), to seed the stand-in of tests/helpers/act_webapi.py: a
// contact with every field the API gives and plain ones after it, calendar
// activities of each type and repeat kind, to-dos, opportunities with
// notes, and notes.
#include <nlohmann/json.hpp>
#include <string>

namespace fwtest::actseed {

using Json = nlohmann::json;

inline constexpr const char* kPassword = "s3cr3t-Pässword";

inline Json BaseSeed() { return {{"database", "Sales"}, {"users", {{"chris", kPassword}}}}; }

// A contact with every field the API gives, and many plain ones after it.
inline Json Contacts(int count) {
    Json list = Json::array();
    list.push_back({
        {"id", "c-full"},
        {"namePrefix", "Dr."},
        {"firstName", "Zoë"},
        {"middleName", "A."},
        {"lastName", "Müller"},
        {"nameSuffix", "PhD"},
        {"fullName", "Dr. Zoë A. Müller PhD"},
        {"salutation", "Zoë"},
        {"referredBy", "Ana"},
        {"idStatus", "Customer"},
        {"company", "Acme, Inc."},
        {"department", "R&D"},
        {"jobTitle", "Chief"},
        {"businessAddress",
         {{"line1", "1 Main St"},
          {"line2", "Suite 5"},
          {"line3", nullptr},
          {"city", "Springfield"},
          {"state", "IL"},
          {"postalCode", "62701"},
          {"country", "USA"},
          {"latitude", 39.8}}},
        {"homeAddress", {{"line2", "Flat 2"}, {"city", "Köln"}, {"postalCode", "50667"}, {"country", "DE"}}},
        {"businessPhone", "+1 555 0100"},
        {"businessExtension", "12"},
        {"homePhone", "555 0101"},
        {"mobilePhone", "555 0102"},
        {"mobileExtension", ""},
        {"faxPhone", "555 0103"},
        {"faxExtension", "9"},
        {"pagerPhone", "555 0104"},
        {"alternatePhone", "555 0105"},
        {"alternateExtension", "7"},
        {"emailAddress", "zoe@acme.example"},
        {"personalEmailAddress", "zoe@home.example"},
        {"website", "https://acme.example"},
        {"messengerID", "zoe.im"},
        {"lastResults", "Called"},
        {"isUser", false},
        {"isImported", true},
        {"isPrivate", true},
        {"birthday", "1980-02-29T00:00:00"},
        {"created", "2026-01-15T14:30:00Z"},
        {"edited", "2026-07-01T14:30:00Z"},
        {"lastReach", "2026-03-02T08:00:00+01:00"},
        {"editedBy", "Chris"},
        {"recordManager", "Chris Manager"},
        {"customFields",
         {{"spouse", "Max"}, {"user1", "first"}, {"User10", "tenth"}, {"user5", 42}, {"other", "ignored"}}},
    });
    for (int i = 1; i < count; ++i)
        list.push_back({{"id", "c" + std::to_string(i)}, {"firstName", "First" + std::to_string(i)}});
    return list;
}

inline Json Activity(const std::string& id, const std::string& type, const Json& more = Json::object()) {
    Json a = {{"id", id},
              {"subject", "Subject " + id},
              {"details", "Details of " + id},
              {"location", "Room " + id},
              {"activityTypeName", type},
              {"startTime", "2026-07-01T14:30:00Z"},
              {"endTime", "2026-07-01T15:30:00Z"},
              {"created", "2026-01-15T14:30:00Z"},
              {"edited", "2026-01-16T00:00:00Z"},
              {"isPrivate", false},
              {"isAllDay", false}};
    a.update(more);
    return a;
}

inline Json Recur(const std::string& type, int frequency, const Json& day, const Json& more = Json::object()) {
    Json r = {{"recurType", type}, {"frequency", frequency}, {"day", day}, {"isEndless", true}};
    r.update(more);
    return r;
}

inline Json Activities() {
    Json named = {{"dayType", "Named"}, {"ordinal", "Last"}, {"daysOfWeek", {"Monday", "Friday"}}};
    return Json::array({
        Activity("appt", "Personal Activity", {{"isPrivate", true}}),
        Activity("meet", "Meeting", {{"startTime", "2026-01-15T14:30:00Z"}, {"endTime", "2026-01-15T16:00:00Z"}}),
        Activity("call", "Call"),
        Activity("todo1", "To-do",
                 {{"activityPriorityName", "High"}, {"isCleared", true}, {"startTime", "2026-01-15T17:00:00Z"}}),
        Activity("allday", "Vacation", {{"isAllDay", true}, {"startTime", "2026-07-03T04:00:00Z"}}),
        Activity("daily", "Meeting",
                 {{"recurSpec",
                   Recur("Daily", 2, Json::object(), {{"isEndless", false}, {"seriesEnd", "2026-12-31T05:00:00Z"}})}}),
        Activity("weekly", "Call",
                 {{"recurSpec", Recur("Weekly", 1, {{"dayType", "Named"}, {"daysOfWeek", {"Sunday", "Saturday"}}})}}),
        Activity("monthDate", "Meeting",
                 {{"recurSpec", Recur("Monthly", 3, {{"dayType", "Numbered"}, {"dayAsInt", 15}})}}),
        Activity("monthDay", "Meeting", {{"recurSpec", Recur("Monthly", 1, named)}}),
        Activity("yearDate", "Meeting",
                 {{"recurSpec", Recur("Yearly", 1, {{"dayType", "Numbered"}, {"dayAsInt", 29}}, {{"month", 2}})}}),
        Activity("yearDay", "Meeting",
                 {{"recurSpec",
                   Recur("Yearly", 1, {{"dayType", "Named"}, {"ordinal", "Second"}, {"daysOfWeek", {"Tuesday"}}},
                         {{"month", 11}})}}),
        Activity("todo2", "To-Do", {{"activityPriorityName", "Low"}}),
    });
}

inline Json Opportunities() {
    return Json::array({
        {{"id", "opp 1/a"},
         {"name", "Big deal"},
         {"estimatedCloseDate", "2026-07-01T14:30:00Z"},
         {"status", "Won"},
         {"isPrivate", true},
         {"created", "2026-01-15T14:30:00Z"}},
        {{"id", "opp2"}, {"name", "Small deal"}, {"status", "Open"}},
        {{"id", "opp3"}, {"name", "Lost deal"}, {"statusName", "Closed - Lost"}},
    });
}

inline Json Seed() {
    Json seed = BaseSeed();
    seed["maxTop"] = 60;  // the server gives fewer than asked
    seed["contacts"] = Contacts(250);
    seed["activities"] = Activities();
    seed["opportunities"] = Opportunities();
    seed["opportunityNotes"] = {{"opp 1/a", Json::array({{{"id", "n1"}, {"noteText", "Called them."}},
                                                         {{"id", "n2"}, {"noteText", "Sent offer.\r\nTwo pages."}}})}};
    seed["notes"] = Json::array({
        {{"id", "note1"},
         {"noteText", "Lunch with Zoë\r\nAt noon"},
         {"isPrivate", true},
         {"created", "2026-07-01T14:30:00Z"},
         {"edited", "2026-01-15T14:30:00Z"},
         {"recordManager", "Chris"},
         {"editedBy", "Ana"}},
        {{"id", "note2"}, {"noteText", ""}},
    });
    return seed;
}

}  // namespace fwtest::actseed
