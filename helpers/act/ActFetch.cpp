#include "helpers/act/ActFetch.h"

// Placeholder until the Web API client lands: every read fails as an
// unreachable server.
namespace act {
namespace {
bool NotBuilt(Error& error) {
    error.kind = Error::Kind::Unreachable;
    error.detail = "the Act! Web API client is not built";
    return false;
}
}  // namespace

bool FetchContacts(const Account&, std::vector<Contact>&, Error& error, const StopCheck&, const Progress&) {
    return NotBuilt(error);
}
bool FetchCalendar(const Account&, std::vector<Activity>&, Error& error, const StopCheck&, const Progress&) {
    return NotBuilt(error);
}
bool FetchTodos(const Account&, bool, bool, std::vector<Todo>&, Error& error, const StopCheck&, const Progress&) {
    return NotBuilt(error);
}
bool FetchNotes(const Account&, std::vector<Note>&, Error& error, const StopCheck&, const Progress&) {
    return NotBuilt(error);
}
}  // namespace act
