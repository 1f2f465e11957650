#include "helpers/dav/DavFetch.h"

#include "common/misc/CxDebugUtil.h"
#include "helpers/dav/DavClient.h"
#include "helpers/dav/GoogleOAuth.h"
#include "helpers/dav/HttpClient.h"
#include "helpers/dav/Url.h"
#include "platform/text/AsciiCase.h"

namespace dav {

namespace {

constexpr const char* kGoogleCardDav = "https://www.googleapis.com/.well-known/carddav";
constexpr const char* kGoogleCalDav = "https://apidata.googleusercontent.com/caldav/v2/";

std::string DomainOf(const std::string& email) {
    const std::size_t at = email.rfind('@');
    return at == std::string::npos ? std::string() : platform::ToLowerAscii(email.substr(at + 1));
}

// A Google account: a Google mail domain without a server address, or a
// server address on Google's hosts (a Google Workspace domain).
bool IsGoogle(const Account& account) {
    if (account.serverUrl.empty()) {
        const std::string domain = DomainOf(account.email);
        return domain == "gmail.com" || domain == "googlemail.com";
    }
    const std::string host = HostOf(account.serverUrl);
    return host == "googleapis.com" || platform::EndsWithNoCase(host, ".googleapis.com") ||
           host == "googleusercontent.com" || platform::EndsWithNoCase(host, ".googleusercontent.com");
}

// Where the search for the collections of `kind` starts.
std::string StartOf(const Account& account, DavKind kind, bool google) {
    if (google) {
        return kind == DavKind::AddressBook ? std::string(kGoogleCardDav)
                                            : kGoogleCalDav + PercentEncode(account.email) + "/user";
    }
    if (!account.serverUrl.empty()) return account.serverUrl;
    const std::string domain = DomainOf(account.email);
    if (domain.empty()) return {};
    // The well-known service addresses of the e-mail's domain; a domain
    // whose service lives elsewhere redirects from there.
    return "https://" + domain + (kind == DavKind::AddressBook ? "/.well-known/carddav" : "/.well-known/caldav");
}

// Everything a fetch shares: the HTTP client, the credentials, the
// collections of one kind.
bool Prepare(const Account& account, DavKind kind, HttpClient& http, const StopCheck& stop,
             std::vector<DavCollection>& collections, DavCredentials& credentials, Error& error) {
    error = {};
    if (stop && stop()) {
        error = {Error::Kind::Stopped, "stopped"};
        return false;
    }
    const bool google = IsGoogle(account);
    const std::string start = StartOf(account, kind, google);
    if (start.empty()) {
        error = {Error::Kind::Protocol, "no server address and no e-mail domain to find one from"};
        return false;
    }
    std::string why;
    if (!IsAllowedUrl(start, why)) {
        error = {Error::Kind::Protocol, OriginOf(start) + ": " + why};
        CX_LOG(kLogCritical, "DAV: %s", error.detail.c_str());
        return false;
    }
    if (google) {
        GoogleOAuth oauth(account, http, stop);
        if (!oauth.AccessToken(credentials.bearer, error)) return false;
    } else if (!account.email.empty() || !account.password.empty()) {
        credentials.user = account.email;
        credentials.password = account.password;
    }
    CX_LOG(kLogDetail, "DAV: reading %s from %s (%s)", kind == DavKind::AddressBook ? "contacts" : "calendars",
           OriginOf(start).c_str(), google ? "OAuth" : "Basic");
    DavClient client(http, credentials, kind);
    const bool found = client.FindCollections(start, collections, error);
    // When Google's calendar principal leads to no calendar, the primary
    // calendar is read where Google publishes it.
    if (google && kind == DavKind::Calendar && collections.empty() && (found || error.kind == Error::Kind::Protocol)) {
        CX_LOG(kLogDetail, "DAV: no calendar list from Google (%s); reading the primary calendar",
               found ? "none named" : error.detail.c_str());
        error = {};
        collections.push_back({kGoogleCalDav + PercentEncode(account.email) + "/events", account.email, {}, {}});
        return true;
    }
    return found;
}

}  // namespace

bool FetchContacts(const Account& account, std::vector<std::string>& cards, Error& error, const StopCheck& stop,
                   const Progress& progress) {
    cards.clear();
    HttpClient http(stop);
    std::vector<DavCollection> books;
    DavCredentials credentials;
    if (!Prepare(account, DavKind::AddressBook, http, stop, books, credentials, error)) return false;
    DavClient client(http, credentials, DavKind::AddressBook);
    int done = 0;
    const auto step = [&](std::size_t n) {
        done += static_cast<int>(n);
        if (progress) progress(done, 0);
    };
    for (const DavCollection& book : books) {
        std::vector<std::string> texts;
        done = static_cast<int>(cards.size());
        if (!client.ReadObjects(book.url, texts, error, step)) return false;
        cards.insert(cards.end(), texts.begin(), texts.end());
    }
    if (progress) progress(static_cast<int>(cards.size()), static_cast<int>(cards.size()));
    CX_LOG(kLogDetail, "DAV: %zu contact(s) read from %zu address book(s)", cards.size(), books.size());
    return true;
}

bool FetchCalendars(const Account& account, std::vector<Calendar>& calendars, Error& error, const StopCheck& stop,
                    const Progress& progress) {
    calendars.clear();
    HttpClient http(stop);
    std::vector<DavCollection> found;
    DavCredentials credentials;
    if (!Prepare(account, DavKind::Calendar, http, stop, found, credentials, error)) return false;
    DavClient client(http, credentials, DavKind::Calendar);
    int before = 0, done = 0;
    const auto step = [&](std::size_t n) {
        done += static_cast<int>(n);
        if (progress) progress(done, 0);
    };
    for (const DavCollection& c : found) {
        Calendar calendar{c.url, c.displayName, c.colour, c.timeZone, {}};
        done = before;
        if (!client.ReadObjects(c.url, calendar.objects, error, step)) return false;
        before += static_cast<int>(calendar.objects.size());
        calendars.push_back(std::move(calendar));
    }
    if (progress) progress(before, before);
    CX_LOG(kLogDetail, "DAV: %d event object(s) read from %zu calendar(s)", before, calendars.size());
    return true;
}

}  // namespace dav
