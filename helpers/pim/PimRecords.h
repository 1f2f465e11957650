#pragma once
// Contacts and calendar events as vCard, iCalendar and CSV files hold them,
// before any helper turns them into the records of its data file. Labels and
// types stay as the file wrote them; dates are local OLE dates (0 for none).
#include <string>
#include <utility>
#include <vector>

namespace pim {

// One value of a contact with its types ("HOME", "CELL", upper case) and
// the label a program gave it (an X-ABLabel, a CSV "Type" or "Label").
struct Value {
    std::vector<std::string> types;
    std::string label;
    std::string value;
    bool pref = false;

    bool Has(const char* type) const;
};

struct Address {
    std::vector<std::string> types;
    std::string label;
    bool pref = false;
    std::string formatted;
    std::string poBox, extended, street, city, region, postalCode, country;

    bool Has(const char* type) const;
};

// A date of a contact; year 0 when the file gave none.
struct Date {
    std::vector<std::string> types;  // "BIRTHDAY", "ANNIVERSARY" or none
    std::string label;
    int year = 0, month = 0, day = 0;
};

struct Contact {
    std::string uid;
    std::string first, middle, last, suffix, display, nick;
    std::string company, department, title;
    std::vector<Value> emails, phones, webs;
    std::vector<Value> ims;        // types: the service ("AIM", "SKYPE", ...)
    std::vector<Value> relations;  // label: "spouse", "manager", ...
    std::vector<Value> customs;    // label and value of other labelled lines
    std::vector<Address> addresses;
    std::vector<Date> dates;
    std::vector<std::string> groups;
    std::string note;
    double created = 0, modified = 0;
};

// A repeat as the common records know it: type 0 none, 1 daily, 2 weekly,
// 3 monthly on the n-th weekday, 4 monthly on a day, 5 yearly on the n-th
// weekday of a month, 6 yearly on a date; weekday mask bit 0 Sunday.
struct Repeat {
    int type = 0;
    int interval = 0, weekdayMask = 0, dayOfMonth = 0, monthOfYear = 0, instance = 0;
    bool hasEnd = false;
    double endDate = 0;
};

struct Reminder {
    bool email = false;     // an e-mail alarm, else one that shows or sounds
    long long minutes = 0;  // before the start
};

struct Event {
    std::string uid;
    std::string summary, location, description;
    std::vector<std::string> categories;
    double start = 0, end = 0;  // local time
    bool allDay = false;
    bool isPrivate = false;  // CLASS PRIVATE or CONFIDENTIAL
    int busy = -1;           // 0 free, 1 tentative, 2 busy; -1 not given
    std::vector<Reminder> reminders;
    Repeat repeat;
    std::string recurrence;  // DTSTART, DTEND, RRULE, EXDATE, RDATE lines in local time
    bool overrides = false;  // an instance (RECURRENCE-ID) of a repeating event
    double instanceOf = 0;   // the local start of the instance it replaces
    // The local starts of its extra dates (RDATE), without those it
    // excludes (EXDATE) and its own start.
    std::vector<double> extraStarts;
    double created = 0, modified = 0;
};

struct Calendar {
    std::string name, id, description, colour, timeZone;
    std::vector<Event> events;
    // The cancelled instances of repeating events: the event's UID and the
    // local start of the instance.
    std::vector<std::pair<std::string, double>> cancelled;
};

}  // namespace pim
