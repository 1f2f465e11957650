#pragma once
// Reading an account's contacts and calendars online: CardDAV and CalDAV
// over HTTPS (plain HTTP only to loopback addresses), the service found from
// a server address or from the e-mail's domain, HTTP Basic authentication
// where the server takes it and OAuth 2.0 for installed applications on
// Google's endpoints. What comes back is the servers' own texts: one vCard
// text per contact object, one iCalendar text per calendar object.
#include <functional>
#include <string>
#include <vector>

namespace dav {

struct Account {
    std::string email;
    std::string password;      // never logged, never on a command line
    std::string serverUrl;     // empty: found from the e-mail's domain
    std::string clientId;      // OAuth client of this program (Google)
    std::string clientSecret;  // may be empty for clients that have none
    // Where a refresh token is kept (readable by its owner only), and
    // whether it may be kept at all ("Save Password").
    std::string tokenFile;
    bool keepToken = false;
};

struct Calendar {
    std::string url;
    std::string displayName;
    std::string colour;                // "#RRGGBB" or empty
    std::string timeZone;              // the calendar's time-zone identifier, or empty
    std::vector<std::string> objects;  // iCalendar texts, one per resource
};

struct Error {
    enum class Kind {
        None,
        Unauthorized,  // the server refused the e-mail and password (or token)
        NoClientId,    // a Google account without an OAuth client identifier
        Unreachable,   // no connection, DNS, TLS, time-out
        Protocol,      // an answer that is not what the protocol says
        Stopped,       // the program asked the helper to stop
    };
    Kind kind = Kind::None;
    std::string detail;  // for the debug log; holds no secret
};

// Called often; true stops the work within a second.
using StopCheck = std::function<bool()>;
// Progress: objects read so far and in all (0 while unknown).
using Progress = std::function<void(int done, int total)>;

// Every contact of the account's address books.
bool FetchContacts(const Account& account, std::vector<std::string>& cards, Error& error, const StopCheck& stop,
                   const Progress& progress);
// Every calendar of the account with its objects.
bool FetchCalendars(const Account& account, std::vector<Calendar>& calendars, Error& error, const StopCheck& stop,
                    const Progress& progress);

}  // namespace dav
