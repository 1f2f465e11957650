#include "helpers/act/ActFetch.h"

#include <functional>
#include <memory>
#include <unordered_set>

#include "common/misc/CxDebugUtil.h"
#include "helpers/act/ActJson.h"
#include "helpers/act/ActPad.h"
#include "helpers/act/ActWebClient.h"
#include "helpers/dav/Url.h"

namespace act {

namespace {

constexpr int kPageSize = 100;
// Notes are read as plain text rather than as ACT!'s rich text.
constexpr const char* kPlainText = "format=text&";

bool Stopped(const StopCheck& stop, Error& error) {
    if (!stop || !stop()) return false;
    error.kind = Error::Kind::Stopped;
    error.message.clear();
    error.detail = "stopped";
    return true;
}

bool Connect(const Account& account, std::unique_ptr<WebClient>& client, Error& error, const StopCheck& stop) {
    std::string base, database;
    if (!ResolveEndpoint(account, base, database, error)) return false;
    CX_LOG(kLogDetail, "ACT!: reading database \"%s\" at %s", database.c_str(), dav::OriginOf(base).c_str());
    client = std::make_unique<WebClient>(base, database, stop);
    return client->LogIn(account.user, account.password, error);
}

// Reads `resource` page by page with OData's $top and $skip until a page
// comes back empty. `read` appends a page's records and returns the ids of
// those it read (records without an id count as new); a page of ids all
// seen before, or the same answer again, ends the reading, so that a server
// which ignores $skip cannot keep the loop going.
template <class Read>
bool ReadPages(WebClient& client, const std::string& resource, const std::string& query, Read read, Error& error,
               const StopCheck& stop, const std::function<void(int items, int total)>& onPage) {
    int skip = 0;
    std::unordered_set<std::string> seen;
    std::string previous;
    for (;;) {
        if (Stopped(stop, error)) return false;
        std::string body;
        const std::string path =
            resource + "?" + query + "$top=" + std::to_string(kPageSize) + "&$skip=" + std::to_string(skip);
        if (!client.Get(path, body, error)) return false;
        if (skip > 0 && body == previous) {
            CX_LOG(kLogHigh, "ACT!: %s repeats its last page; reading ends", resource.c_str());
            return true;
        }
        PageInfo page;
        std::vector<std::string> ids;
        if (!read(body, page, ids)) {
            error.kind = Error::Kind::Protocol;
            error.message =
                "The ACT! server " + dav::HostOf(client.BaseUrl()) + " did not answer as the Act! Web API does.";
            error.detail = resource + ": the answer is not a JSON list";
            CX_LOG(kLogCritical, "ACT!: %s", error.detail.c_str());
            return false;
        }
        if (page.items == 0) return true;
        bool fresh = false;
        for (const std::string& id : ids) fresh |= id.empty() || seen.insert(id).second;
        if (!fresh) {
            CX_LOG(kLogHigh, "ACT!: %s repeats its records; reading ends", resource.c_str());
            return true;
        }
        skip += page.items;
        previous = std::move(body);
        if (onPage) onPage(page.items, page.total);
    }
}

const std::string& IdOf(const Contact& c) { return c.text[kACTRecordID]; }
template <class Record>
const std::string& IdOf(const Record& r) {
    return r.id;
}

// Keeps the records of `from` whose ids were not kept before, and their ids.
template <class Record>
void KeepNew(std::vector<Record>& from, std::vector<Record>& to, std::unordered_set<std::string>& kept,
             std::vector<std::string>& ids) {
    for (Record& r : from) {
        const std::string& id = IdOf(r);
        ids.push_back(id);
        if (!id.empty() && !kept.insert(id).second) continue;
        to.push_back(std::move(r));
    }
    from.clear();
}

// Every record of a resource of one kind, each once.
template <class Record>
bool ReadList(WebClient& client, const std::string& resource, const std::string& query,
              bool (*readPage)(const std::string&, std::vector<Record>&, PageInfo&), std::vector<Record>& out,
              Error& error, const StopCheck& stop, const std::function<void(int, int)>& onPage) {
    std::unordered_set<std::string> kept;
    auto read = [&](const std::string& body, PageInfo& page, std::vector<std::string>& ids) {
        std::vector<Record> records;
        if (!readPage(body, records, page)) return false;
        KeepNew(records, out, kept, ids);
        return true;
    };
    return ReadPages(client, resource, query, read, error, stop, onPage);
}

// Reports records read and the total of the answer, when it says.
std::function<void(int, int)> Counter(const Progress& progress, int& done) {
    return [&progress, &done](int items, int total) {
        done += items;
        if (progress) progress(done, total > done ? total : 0);
    };
}

bool ReadActivities(WebClient& client, std::vector<Activity>* calendar, std::vector<Todo>* todos, Error& error,
                    const StopCheck& stop, const Progress& progress) {
    std::unordered_set<std::string> keptCalendar, keptTodos;
    int done = 0;
    auto read = [&](const std::string& body, PageInfo& page, std::vector<std::string>& ids) {
        std::vector<Activity> pageCalendar;
        std::vector<Todo> pageTodos;
        if (!ReadActivitiesPage(body, pageCalendar, pageTodos, page)) return false;
        std::vector<Activity> ignoredCalendar;
        std::vector<Todo> ignoredTodos;
        KeepNew(pageCalendar, calendar ? *calendar : ignoredCalendar, keptCalendar, ids);
        KeepNew(pageTodos, todos ? *todos : ignoredTodos, keptTodos, ids);
        return true;
    };
    return ReadPages(client, "/api/activities", kPlainText, read, error, stop, Counter(progress, done));
}

std::string JoinedNotes(const std::vector<Note>& notes) {
    std::string out;
    for (const Note& n : notes) {
        if (n.text.empty()) continue;
        if (!out.empty()) out += "\r\n\r\n";
        out += n.text;
    }
    return out;
}

}  // namespace

bool FetchContacts(const Account& account, std::vector<Contact>& contacts, Error& error, const StopCheck& stop,
                   const Progress& progress) {
    std::unique_ptr<WebClient> client;
    if (!Connect(account, client, error, stop)) return false;
    int done = 0;
    return ReadList(*client, "/api/contacts", "", ReadContactsPage, contacts, error, stop, Counter(progress, done));
}

bool FetchCalendar(const Account& account, std::vector<Activity>& activities, Error& error, const StopCheck& stop,
                   const Progress& progress) {
    std::unique_ptr<WebClient> client;
    if (!Connect(account, client, error, stop)) return false;
    return ReadActivities(*client, &activities, nullptr, error, stop, progress);
}

bool FetchTodos(const Account& account, bool opportunities, bool opportunityNotes, std::vector<Todo>& todos,
                Error& error, const StopCheck& stop, const Progress& progress) {
    std::unique_ptr<WebClient> client;
    if (!Connect(account, client, error, stop)) return false;
    if (!ReadActivities(*client, nullptr, &todos, error, stop, progress)) return false;
    if (!opportunities) return true;
    const std::size_t first = todos.size();
    int done = 0;
    if (!ReadList(*client, "/api/opportunities", "", ReadOpportunitiesPage, todos, error, stop,
                  Counter(progress, done)))
        return false;
    if (!opportunityNotes) return true;
    for (std::size_t i = first; i < todos.size(); ++i) {
        if (todos[i].id.empty()) continue;
        std::vector<Note> notes;
        const std::string resource = "/api/opportunities/" + dav::PercentEncode(todos[i].id) + "/notes";
        if (!ReadList(*client, resource, kPlainText, ReadNotesPage, notes, error, stop, nullptr)) return false;
        todos[i].notes = JoinedNotes(notes);
    }
    return true;
}

bool FetchNotes(const Account& account, std::vector<Note>& notes, Error& error, const StopCheck& stop,
                const Progress& progress) {
    std::unique_ptr<WebClient> client;
    if (!Connect(account, client, error, stop)) return false;
    int done = 0;
    return ReadList(*client, "/api/notes", kPlainText, ReadNotesPage, notes, error, stop, Counter(progress, done));
}

}  // namespace act
