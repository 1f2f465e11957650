#pragma once
// A CardDAV or CalDAV conversation with one server: from a start address to
// the collections of one kind (the address itself when it is one, else the
// user's principal and its home set), and every object of a collection.
#include <string>
#include <vector>

#include "helpers/dav/DavFetch.h"
#include "helpers/dav/HttpClient.h"
#include "helpers/dav/Multistatus.h"

namespace dav {

enum class DavKind { AddressBook, Calendar };

struct DavCredentials {
    std::string user;
    std::string password;
    std::string bearer;
};

struct DavCollection {
    std::string url;
    std::string displayName;
    std::string colour;    // "#RRGGBB" or empty
    std::string timeZone;  // TZID of the calendar's zone, or empty
};

class DavClient {
public:
    DavClient(HttpClient& http, DavCredentials credentials, DavKind kind)
        : m_http(http), m_credentials(std::move(credentials)), m_kind(kind) {}

    // The collections of this kind reached from `start`. An account with
    // none gives true and an empty list.
    bool FindCollections(const std::string& start, std::vector<DavCollection>& collections, Error& error);
    // The texts of every object in the collection (for calendars, those
    // holding events). `progress` is told each batch read.
    bool ReadObjects(const std::string& collection, std::vector<std::string>& texts, Error& error,
                     const std::function<void(std::size_t)>& progress);

    // Objects asked for by one multiget.
    static constexpr std::size_t kMultigetBatch = 100;

private:
    // A PROPFIND or REPORT whose answer must be a multistatus. `answered` is
    // the address the answer came from, against which hrefs resolve. A
    // status other than 207 gives false with `status` set and a Protocol
    // error (401 and 403: Unauthorized).
    bool Multistatus(const std::string& method, const std::string& url, const char* depth, const std::string& body,
                     std::vector<DavResource>& resources, std::string& answered, long& status, Error& error);
    bool IsCollectionOfKind(const DavResource& resource) const;
    DavCollection Describe(const DavResource& resource, const std::string& answered) const;
    bool ListMembers(const std::string& collection, std::vector<std::string>& hrefs, Error& error);
    bool Multiget(const std::string& collection, const std::vector<std::string>& hrefs, std::vector<std::string>& texts,
                  Error& error, const std::function<void(std::size_t)>& progress);
    bool GetEach(const std::vector<std::string>& hrefs, std::vector<std::string>& texts, Error& error,
                 const std::function<void(std::size_t)>& progress);
    bool Wanted(const std::string& text) const;
    const char* DataNamespace() const;
    const char* DataName() const;

    HttpClient& m_http;
    DavCredentials m_credentials;
    DavKind m_kind;
};

// "#RRGGBB" from a colour value ("#RRGGBB", "#RRGGBBAA", any case); empty
// for anything else.
std::string NormalizeColour(const std::string& value);
// The TZID of the first VTIMEZONE in an iCalendar text; empty when none.
std::string TimeZoneId(const std::string& calendarText);

}  // namespace dav
