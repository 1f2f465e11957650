#pragma once
// What the ACT! helpers read from the Act! Web API or a text export, before
// it is written as records of the ACT! data files. Dates are OLE dates in
// local time, 0 for none; texts are UTF-8 and not yet cut to the fields'
// capacities (the writers cut them on whole characters).
#include <array>
#include <string>

#include "common/ACT/CxACTAddrFields.h"

namespace act {

// A contact: every catalogue field by its id (1 to 89). Only the member of
// the field's kind is used: text for text fields, flag for flag fields,
// date for date fields.
struct Contact {
    std::array<std::string, kACTFieldCount + 1> text{};
    std::array<bool, kACTFieldCount + 1> flag{};
    std::array<double, kACTFieldCount + 1> date{};
};

// Activity types of the calendar file.
enum ActivityType : int { kAppointment = 0, kMeeting = 1, kCall = 2, kTodo = 3 };
// Recurrence codes of the calendar file.
enum Recurrence : int { kNoRecurrence = 0, kDaily = 1, kWeekly = 2, kMonthly = 3, kYearly = 4 };

// A calendar activity, field for field as the calendar file holds it.
struct Activity {
    std::string id;
    std::string description;
    std::string location;
    std::string notes;
    int type = kAppointment;
    double start = 0;
    double end = 0;
    double created = 0;
    double edited = 0;
    // Weekly, and monthly or yearly on a weekday: weekday mask (1 Sunday,
    // 2 Monday ... 64 Saturday); monthly or yearly on a date: day of month.
    int dayValue = 0;
    bool onDate = false;  // monthly or yearly on a date
    int interval = 0;
    int instance = 0;  // which week of the month: 1 to 4, 5 the last
    int month = 0;     // 1 to 12, yearly only
    int recurrence = kNoRecurrence;
    double recurrenceEnd = 0;
    bool isPrivate = false;
    bool allDay = false;
};

// Priorities of the tasks file.
enum Priority : int { kHigh = 0, kNormal = 1, kLow = 2 };

// A to-do activity, or an opportunity read as a to-do.
struct Todo {
    std::string id;
    std::string description;
    std::string regarding;  // kept in the file, not used by the program
    std::string notes;
    double created = 0;
    double edited = 0;
    int priority = kNormal;
    bool isPrivate = false;
    double due = 0;
    bool completed = false;
};

struct Note {
    std::string id;
    std::string createUser;
    std::string editUser;
    std::string manageUser;
    std::string text;
    bool isPrivate = false;
    double created = 0;
    double edited = 0;
};

}  // namespace act
