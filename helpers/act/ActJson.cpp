#include "helpers/act/ActJson.h"

#include <cctype>
#include <nlohmann/json.hpp>
#include <string_view>

#include "helpers/act/ActTime.h"
#include "platform/text/AsciiCase.h"

namespace act {

namespace {

using Json = nlohmann::json;

Json Parse(const std::string& body) { return Json::parse(body, nullptr, false); }

const Json* Member(const Json& object, const char* name) {
    if (!object.is_object()) return nullptr;
    const auto it = object.find(name);
    return it == object.end() || it->is_null() ? nullptr : &*it;
}

// A member as text: strings as they are, numbers written out, flags as
// "Yes" or "No"; empty for anything else.
std::string Text(const Json& object, const char* name) {
    const Json* v = Member(object, name);
    if (!v) return {};
    if (v->is_string()) return v->get<std::string>();
    if (v->is_boolean()) return v->get<bool>() ? "Yes" : "No";
    if (v->is_number()) return v->dump();
    return {};
}

bool Flag(const Json& object, const char* name) {
    const Json* v = Member(object, name);
    if (!v) return false;
    if (v->is_boolean()) return v->get<bool>();
    if (v->is_number_integer()) return v->get<long long>() != 0;
    if (v->is_string()) {
        const std::string s = platform::ToLowerAscii(v->get<std::string>());
        return s == "true" || s == "yes" || s == "1";
    }
    return false;
}

long long Integer(const Json& object, const char* name, long long fallback = 0) {
    const Json* v = Member(object, name);
    if (!v) return fallback;
    if (v->is_number_integer()) return v->get<long long>();
    if (v->is_number_float()) {
        const double d = v->get<double>();
        return d > -1e9 && d < 1e9 ? static_cast<long long>(d) : fallback;
    }
    if (v->is_string()) {
        const std::string s = v->get<std::string>();
        if (!s.empty() && s.size() < 10 && s.find_first_not_of("0123456789") == std::string::npos) return std::stoll(s);
    }
    return fallback;
}

double Time(const Json& object, const char* name) {
    double date = 0;
    const Json* v = Member(object, name);
    if (v && v->is_string()) ApiTimeToLocal(v->get<std::string>(), date);
    return date;
}

// The records of a page, or null when the body is not one.
const Json* Records(const Json& json, PageInfo& page) {
    page = {};
    const Json* list = nullptr;
    if (json.is_array()) {
        list = &json;
    } else if (json.is_object()) {
        const auto it = json.find("value");
        if (it == json.end() || !it->is_array()) return nullptr;
        list = &*it;
        for (const char* name : {"@odata.count", "odata.count", "@count", "count", "total"}) {
            const long long n = Integer(json, name, -1);
            if (n >= 0 && n < 0x7fffffff) {
                page.total = static_cast<int>(n);
                break;
            }
        }
    }
    if (list) page.items = list->size() < 0x7fffffff ? static_cast<int>(list->size()) : 0x7fffffff;
    return list;
}

// Calls `each` with every record object of a page; false when the body
// is not a page.
template <class Each>
bool ForEachRecord(const std::string& body, PageInfo& page, Each each) {
    const Json json = Parse(body);
    const Json* list = Records(json, page);
    if (!list) return false;
    for (const Json& record : *list)
        if (record.is_object()) each(record);
    return true;
}

struct TextField {
    const char* name;
    int id;
};

constexpr TextField kContactTexts[] = {
    {"id", kACTRecordID},
    {"editedBy", 3},
    {"recordManager", 4},
    {"idStatus", kACTCategory},
    {"namePrefix", kACTNamePrefix},
    {"nameSuffix", kACTNameSuffix},
    {"firstName", kACTFirstName},
    {"middleName", kACTMiddleName},
    {"lastName", kACTLastName},
    {"fullName", kACTFullName},
    {"salutation", kACTSalutation},
    {"referredBy", 13},
    {"company", kACTCompany},
    {"department", kACTDepartment},
    {"jobTitle", kACTTitle},
    {"businessPhone", kACTBusinessPhone},
    {"homePhone", kACTHomePhone},
    {"mobilePhone", kACTMobilePhone},
    {"pagerPhone", kACTPager},
    {"faxPhone", kACTFax},
    {"alternatePhone", kACTAlternatePhone},
    {"faxExtension", kACTFaxExtension},
    {"pagerExtension", kACTPagerExtension},
    {"businessExtension", kACTBusinessPhoneExtension},
    {"homeExtension", kACTHomePhoneExtension},
    {"mobileExtension", kACTMobilePhoneExtension},
    {"alternateExtension", kACTAlternatePhoneExtension},
    {"emailAddress", kACTBusinessEmail},
    {"personalEmailAddress", kACTPersonalEmail},
    {"website", kACTWebsite},
    {"messengerID", kACTInstantMessenger},
    {"lastResults", kACTLastResults},
};

constexpr TextField kContactFlags[] = {
    {"isUser", kACTIsUser},
    {"isImported", kACTIsImported},
    {"isPrivate", kACTIsPrivate},
};

constexpr TextField kContactTimes[] = {
    {"created", kACTCreateDate}, {"edited", kACTEditDate}, {"lastAttempt", 65},    {"lastEmail", 66},
    {"lastMeeting", 67},         {"lastReach", 68},        {"lastLetterSent", 69},
};

void ReadAddress(const Json& contact, const char* name, int countryId, Contact& out) {
    const Json* a = Member(contact, name);
    if (!a || !a->is_object()) return;
    const TextField parts[] = {{"country", kACTAddrCountry},  {"state", kACTAddrState}, {"city", kACTAddrCity},
                               {"line1", kACTAddrLine1},      {"line2", kACTAddrLine2}, {"line3", kACTAddrLine3},
                               {"postalCode", kACTAddrPostal}};
    for (const TextField& p : parts) out.text[countryId + p.id] = Text(*a, p.name);
}

// Fields that ACT! keeps as custom fields of the contact ("spouse",
// "user1" to "user10", ...), by their names without regard to case.
void ReadCustomFields(const Json& contact, Contact& out) {
    const Json* custom = Member(contact, "customFields");
    if (!custom || !custom->is_object()) return;
    for (auto it = custom->begin(); it != custom->end(); ++it) {
        std::string key;
        for (const char c : it.key())
            if (std::isalnum(static_cast<unsigned char>(c))) key += static_cast<char>(std::tolower(c));
        int id = 0;
        if (key == "spouse" || key == "spousename") id = kACTSpouseName;
        if (key == "category" && out.text[kACTCategory].empty()) id = kACTCategory;
        if (key == "altemailaddress" && out.text[kACTPersonalEmail].empty()) id = kACTPersonalEmail;
        for (int n = 1; n <= 10; ++n) {
            const std::string number = std::to_string(n);
            if (key == "user" + number || key == "userdefined" + number || key == "userfield" + number)
                id = kACTUserDefined1 + n - 1;
        }
        if (id) out.text[id] = Text(*custom, it.key().c_str());
    }
}

void ReadContact(const Json& c, Contact& out) {
    for (const TextField& f : kContactTexts) out.text[f.id] = Text(c, f.name);
    for (const TextField& f : kContactFlags) out.flag[f.id] = Flag(c, f.name);
    for (const TextField& f : kContactTimes) out.date[f.id] = Time(c, f.name);
    if (out.text[kACTPersonalEmail].empty()) out.text[kACTPersonalEmail] = Text(c, "altEmailAddress");
    const Json* birthday = Member(c, "birthday");
    if (birthday && birthday->is_string()) ApiDayToDate(birthday->get<std::string>(), out.date[kACTBirthday]);
    ReadAddress(c, "businessAddress", kACTBusinessCountry, out);
    ReadAddress(c, "homeAddress", kACTHomeCountry, out);
    ReadCustomFields(c, out);
}

// Weekday mask of a list of day names (1 Sunday ... 64 Saturday).
int WeekdayMask(const Json& day) {
    static const char* const kNames[] = {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
    int mask = 0;
    const Json* days = Member(day, "daysOfWeek");
    if (days && days->is_array()) {
        for (const Json& d : *days) {
            for (int i = 0; i < 7; ++i) {
                if (d.is_string() && platform::ToLowerAscii(d.get<std::string>()) == kNames[i]) mask |= 1 << i;
                if (d.is_number_integer() && d.get<long long>() == i) mask |= 1 << i;
            }
        }
    }
    if (!mask) {
        // A typed day: any day, a weekday or a weekend day.
        const std::string typed = platform::ToLowerAscii(Text(day, "typedDay"));
        if (typed == "day") mask = 127;
        if (typed == "weekday") mask = 62;
        if (typed == "weekendday") mask = 65;
    }
    return mask;
}

int Instance(const Json& day) {
    const std::string ordinal = platform::ToLowerAscii(Text(day, "ordinal"));
    if (ordinal == "first") return 1;
    if (ordinal == "second") return 2;
    if (ordinal == "third") return 3;
    if (ordinal == "fourth") return 4;
    if (ordinal == "last") return 5;
    return 0;
}

void ReadRecurrence(const Json& a, Activity& out) {
    const Json* pattern = Member(a, "recurSpec");
    if (!pattern || !pattern->is_object()) return;
    const std::string type = platform::ToLowerAscii(Text(*pattern, "recurType"));
    if (type == "daily") out.recurrence = kDaily;
    if (type == "weekly") out.recurrence = kWeekly;
    if (type == "monthly") out.recurrence = kMonthly;
    if (type == "yearly") out.recurrence = kYearly;
    if (out.recurrence == kNoRecurrence) return;
    const long long frequency = Integer(*pattern, "frequency", 1);
    out.interval = frequency >= 1 && frequency <= 999 ? static_cast<int>(frequency) : 1;
    const Json* found = Member(*pattern, "day");
    const Json day = found && found->is_object() ? *found : Json::object();
    const std::string dayType = platform::ToLowerAscii(Text(day, "dayType"));
    if (out.recurrence == kWeekly) {
        out.dayValue = WeekdayMask(day);
    } else if (out.recurrence == kMonthly || out.recurrence == kYearly) {
        if (dayType == "named" || dayType == "typed") {
            out.dayValue = WeekdayMask(day);
            out.instance = Instance(day);
        } else {
            out.onDate = true;
            const long long dayOfMonth = Integer(day, "dayAsInt");
            out.dayValue = dayOfMonth >= 1 && dayOfMonth <= 31 ? static_cast<int>(dayOfMonth) : 0;
        }
        if (out.recurrence == kYearly) {
            const long long month = Integer(*pattern, "month");
            out.month = month >= 1 && month <= 12 ? static_cast<int>(month) : 0;
        }
    }
    if (!Flag(*pattern, "isEndless")) out.recurrenceEnd = Time(*pattern, "seriesEnd");
}

int PriorityOf(const Json& a) {
    const std::string name = platform::ToLowerAscii(Text(a, "activityPriorityName"));
    if (name.find("high") != std::string::npos) return kHigh;
    if (name.find("low") != std::string::npos) return kLow;
    return kNormal;
}

void ReadTodoActivity(const Json& a, Todo& out) {
    out.id = Text(a, "id");
    out.description = Text(a, "subject");
    out.notes = Text(a, "details");
    out.created = Time(a, "created");
    out.edited = Time(a, "edited");
    out.priority = PriorityOf(a);
    out.isPrivate = Flag(a, "isPrivate");
    out.due = Time(a, "startTime");
    out.completed = Flag(a, "isCleared");
}

void ReadCalendarActivity(const Json& a, int type, Activity& out) {
    out.id = Text(a, "id");
    out.description = Text(a, "subject");
    out.location = Text(a, "location");
    out.notes = Text(a, "details");
    out.type = type;
    out.start = Time(a, "startTime");
    out.end = Time(a, "endTime");
    out.created = Time(a, "created");
    out.edited = Time(a, "edited");
    out.isPrivate = Flag(a, "isPrivate");
    out.allDay = Flag(a, "isAllDay");
    ReadRecurrence(a, out);
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

int ActivityTypeOf(const std::string& typeName, int typeId) {
    std::string name;
    for (const char c : platform::ToLowerAscii(typeName))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    if (Contains(name, "todo")) return kTodo;
    if (Contains(name, "call")) return kCall;
    if (Contains(name, "meeting")) return kMeeting;
    if (!name.empty()) return kAppointment;
    // ACT!'s own types by their ids when no name came.
    if (typeId == 1) return kCall;
    if (typeId == 2) return kMeeting;
    if (typeId == 3) return kTodo;
    return kAppointment;
}

bool ReadToken(const std::string& body, std::string& token) {
    token.clear();
    const Json json = Parse(body);
    if (json.is_string()) {
        token = json.get<std::string>();
    } else if (json.is_object()) {
        token = Text(json, "access_token");
        if (token.empty()) token = Text(json, "token");
    } else if (json.is_discarded()) {
        // The bare token as text.
        std::string_view text(body);
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
        token = std::string(text);
    }
    // A token goes into a header: printable ASCII without blanks only.
    for (const char c : token) {
        if (c <= ' ' || c > '~') {
            token.clear();
            break;
        }
    }
    return !token.empty();
}

std::string ReadApiMessage(const std::string& body) {
    const Json json = Parse(body);
    if (json.is_string()) return json.get<std::string>();
    for (const char* name : {"Message", "message", "error_description", "ExceptionMessage", "error"}) {
        const Json* v = Member(json, name);
        if (v && v->is_string() && !v->get<std::string>().empty()) return v->get<std::string>();
        if (v && v->is_object()) {
            const std::string inner = Text(*v, "message");
            if (!inner.empty()) return inner;
        }
    }
    return {};
}

bool ReadContactsPage(const std::string& body, std::vector<Contact>& contacts, PageInfo& page) {
    return ForEachRecord(body, page, [&](const Json& c) {
        contacts.emplace_back();
        ReadContact(c, contacts.back());
    });
}

bool ReadActivitiesPage(const std::string& body, std::vector<Activity>& calendar, std::vector<Todo>& todos,
                        PageInfo& page) {
    return ForEachRecord(body, page, [&](const Json& a) {
        const int type = ActivityTypeOf(Text(a, "activityTypeName"), static_cast<int>(Integer(a, "activityTypeId")));
        if (type == kTodo) {
            todos.emplace_back();
            ReadTodoActivity(a, todos.back());
        } else {
            calendar.emplace_back();
            ReadCalendarActivity(a, type, calendar.back());
        }
    });
}

bool ReadOpportunitiesPage(const std::string& body, std::vector<Todo>& todos, PageInfo& page) {
    return ForEachRecord(body, page, [&](const Json& o) {
        Todo t;
        t.id = Text(o, "id");
        t.description = Text(o, "name");
        t.created = Time(o, "created");
        t.edited = Time(o, "edited");
        t.isPrivate = Flag(o, "isPrivate");
        t.due = Time(o, "estimatedCloseDate");
        // Closed as won or lost (status 1 or 2, or its name).
        const Json* status = Member(o, "status");
        std::string name = platform::ToLowerAscii(Text(o, "statusName"));
        if (status && status->is_string()) name += " " + platform::ToLowerAscii(status->get<std::string>());
        const long long code = status && status->is_number_integer() ? status->get<long long>() : -1;
        t.completed =
            code == 1 || code == 2 || Contains(name, "won") || Contains(name, "lost") || Contains(name, "closed");
        todos.push_back(std::move(t));
    });
}

bool ReadNotesPage(const std::string& body, std::vector<Note>& notes, PageInfo& page) {
    return ForEachRecord(body, page, [&](const Json& n) {
        Note note;
        note.id = Text(n, "id");
        note.createUser = Text(n, "createUser");
        if (note.createUser.empty()) note.createUser = Text(n, "createdBy");
        note.editUser = Text(n, "editedBy");
        note.manageUser = Text(n, "recordManager");
        note.text = Text(n, "noteText");
        note.isPrivate = Flag(n, "isPrivate");
        note.created = Time(n, "created");
        note.edited = Time(n, "edited");
        notes.push_back(std::move(note));
    });
}

}  // namespace act
