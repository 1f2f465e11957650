// The Act! Web API's answers as the ACT! helpers read them: the log-in's
// token and refusal message, and pages of contacts, activities,
// opportunities and notes. The first byte picks which; the rest is the
// answer's body. A token read is always fit for a header, and a page's
// records never outnumber its items.
#include <cstddef>
#include <cstdint>
#include <string>

#include "helpers/act/ActJson.h"
#include "helpers/act/ActTime.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string body(reinterpret_cast<const char*>(data + 1), size - 1);
    act::PageInfo page;
    std::size_t records = 0;
    switch (data[0] % 6) {
    case 0: {
        std::string token;
        if (act::ReadToken(body, token) == token.empty()) __builtin_trap();
        for (const char c : token)
            if (c <= ' ' || c > '~') __builtin_trap();
        act::ReadApiMessage(body);
        return 0;
    }
    case 1: {
        std::vector<act::Contact> contacts;
        if (act::ReadContactsPage(body, contacts, page)) records = contacts.size();
        break;
    }
    case 2: {
        std::vector<act::Activity> calendar;
        std::vector<act::Todo> todos;
        if (act::ReadActivitiesPage(body, calendar, todos, page)) {
            records = calendar.size() + todos.size();
            for (const act::Activity& a : calendar)
                if (a.type == act::kTodo || a.recurrence < 0 || a.recurrence > 4 || a.month < 0 || a.month > 12 ||
                    a.instance < 0 || a.instance > 5)
                    __builtin_trap();
        }
        break;
    }
    case 3: {
        std::vector<act::Todo> todos;
        if (act::ReadOpportunitiesPage(body, todos, page)) records = todos.size();
        break;
    }
    case 4: {
        std::vector<act::Note> notes;
        if (act::ReadNotesPage(body, notes, page)) records = notes.size();
        break;
    }
    default: {
        double date = 0;
        act::ApiTimeToLocal(body, date);
        act::ApiDayToDate(body, date);
        return 0;
    }
    }
    if (records > static_cast<std::size_t>(page.items)) __builtin_trap();
    return 0;
}
