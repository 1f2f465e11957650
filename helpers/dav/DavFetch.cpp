#include "helpers/dav/DavFetch.h"

// Placeholder until the CardDAV/CalDAV client is built: every fetch fails as
// unreachable.
namespace dav {

bool FetchContacts(const Account&, std::vector<std::string>&, Error& error, const StopCheck&, const Progress&) {
    error = {Error::Kind::Unreachable, "online reading is not built yet"};
    return false;
}

bool FetchCalendars(const Account&, std::vector<Calendar>&, Error& error, const StopCheck&, const Progress&) {
    error = {Error::Kind::Unreachable, "online reading is not built yet"};
    return false;
}

}  // namespace dav
