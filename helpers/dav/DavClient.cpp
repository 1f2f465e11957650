#include "helpers/dav/DavClient.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "common/misc/CxDebugUtil.h"
#include "helpers/dav/Url.h"

namespace dav {

namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

const char* const kFindProps =
    "<d:propfind xmlns:d=\"DAV:\" xmlns:card=\"urn:ietf:params:xml:ns:carddav\" "
    "xmlns:cal=\"urn:ietf:params:xml:ns:caldav\" xmlns:ical=\"http://apple.com/ns/ical/\"><d:prop>"
    "<d:resourcetype/><d:current-user-principal/><d:displayname/><card:addressbook-home-set/>"
    "<cal:calendar-home-set/><cal:supported-calendar-component-set/><cal:calendar-timezone/>"
    "<ical:calendar-color/></d:prop></d:propfind>";

const char* const kMemberProps =
    "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:resourcetype/><d:getetag/></d:prop></d:propfind>";

std::string WithLineEnd(std::string text) {
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    return text;
}

std::string XmlEscape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string NormalizeColour(const std::string& value) {
    if ((value.size() != 7 && value.size() != 9) || value[0] != '#') return {};
    std::string out = "#";
    for (std::size_t i = 1; i < 7; ++i) {
        char c = value[i];
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return {};
        out += c;
    }
    for (std::size_t i = 7; i < value.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(value[i]))) return {};
    return out;
}

std::string TimeZoneId(const std::string& calendarText) {
    const std::size_t zone = calendarText.find("BEGIN:VTIMEZONE");
    if (zone == std::string::npos) return {};
    std::size_t at = zone;
    while ((at = calendarText.find("TZID", at)) != std::string::npos) {
        const bool lineStart = at > 0 && calendarText[at - 1] == '\n';
        const std::size_t colon = at + 4;
        at = colon;
        if (!lineStart || colon >= calendarText.size() || (calendarText[colon] != ':' && calendarText[colon] != ';'))
            continue;
        const std::size_t valueStart = calendarText.find(':', colon);
        const std::size_t end = calendarText.find_first_of("\r\n", valueStart);
        if (valueStart == std::string::npos) return {};
        return calendarText.substr(valueStart + 1, end == std::string::npos ? end : end - valueStart - 1);
    }
    return {};
}

bool DavClient::Wanted(const std::string& text) const {
    // Objects read without the server's filter: of a calendar, those with
    // an event (a task list's objects stay out).
    if (text.empty()) return false;
    return m_kind == DavKind::AddressBook || text.find("BEGIN:VEVENT") != std::string::npos;
}

const char* DavClient::DataNamespace() const { return m_kind == DavKind::AddressBook ? kNsCardDav : kNsCalDav; }
const char* DavClient::DataName() const { return m_kind == DavKind::AddressBook ? "address-data" : "calendar-data"; }

bool DavClient::Multistatus(const std::string& method, const std::string& url, const char* depth,
                            const std::string& body, std::vector<DavResource>& resources, std::string& answered,
                            long& status, Error& error) {
    HttpRequest request;
    request.method = method;
    request.url = url;
    request.headers = {std::string("Depth: ") + depth, "Content-Type: application/xml; charset=utf-8"};
    request.body = kXmlHead + body;
    request.user = m_credentials.user;
    request.password = m_credentials.password;
    request.bearer = m_credentials.bearer;
    HttpResponse response;
    status = 0;
    if (!m_http.Send(request, response, error)) return false;
    status = response.status;
    answered = response.url;
    if (status == 401 || status == 403) {
        error = {Error::Kind::Unauthorized, "the server refused the sign-in (" + std::to_string(status) + ")"};
        CX_LOG(kLogHigh, "DAV: %s %s: %ld", method.c_str(), OriginOf(url).c_str(), status);
        return false;
    }
    if (status != 207) {
        error = {Error::Kind::Protocol, method + " answered " + std::to_string(status)};
        CX_LOG(kLogHigh, "DAV: %s %s: %ld", method.c_str(), OriginOf(url).c_str(), status);
        return false;
    }
    std::string why;
    if (!ParseMultistatus(response.body, resources, why)) {
        error = {Error::Kind::Protocol, method + ": " + why};
        CX_LOG(kLogHigh, "DAV: %s %s: %s", method.c_str(), OriginOf(url).c_str(), why.c_str());
        return false;
    }
    return true;
}

bool DavClient::IsCollectionOfKind(const DavResource& resource) const {
    const DavProperty* type = resource.Find(kNsDav, "resourcetype");
    if (!type) return false;
    if (m_kind == DavKind::AddressBook) return type->HasChild(kNsCardDav, "addressbook");
    if (!type->HasChild(kNsCalDav, "calendar")) return false;
    // A calendar that says which components it holds must hold events.
    const DavProperty* comps = resource.Find(kNsCalDav, "supported-calendar-component-set");
    if (!comps || comps->children.empty()) return true;
    for (const DavElement& e : comps->children)
        if (e.name == "comp" && e.nameAttribute == "VEVENT") return true;
    return false;
}

DavCollection DavClient::Describe(const DavResource& resource, const std::string& answered) const {
    DavCollection c;
    c.url = ResolveUrl(answered, resource.href);
    if (const DavProperty* p = resource.Find(kNsDav, "displayname")) c.displayName = p->text;
    if (const DavProperty* p = resource.Find(kNsApple, "calendar-color")) c.colour = NormalizeColour(p->text);
    if (const DavProperty* p = resource.Find(kNsCalDav, "calendar-timezone")) c.timeZone = TimeZoneId(p->text);
    return c;
}

bool DavClient::FindCollections(const std::string& start, std::vector<DavCollection>& collections, Error& error) {
    collections.clear();
    std::vector<DavResource> found;
    std::string answered;
    long status = 0;
    if (!Multistatus("PROPFIND", start, "0", kFindProps, found, answered, status, error)) return false;
    const DavResource* self = found.empty() ? nullptr : &found.front();
    if (self && IsCollectionOfKind(*self)) {
        collections.push_back(Describe(*self, answered));
        return true;
    }
    const char* homeNs = m_kind == DavKind::AddressBook ? kNsCardDav : kNsCalDav;
    const char* homeName = m_kind == DavKind::AddressBook ? "addressbook-home-set" : "calendar-home-set";
    std::string home;
    auto homeOf = [&](const DavResource* r, const std::string& base) {
        const DavProperty* p = r ? r->Find(homeNs, homeName) : nullptr;
        return p && !p->hrefs.empty() ? ResolveUrl(base, p->hrefs.front()) : std::string();
    };
    home = homeOf(self, answered);
    if (home.empty()) {
        const DavProperty* principal = self ? self->Find(kNsDav, "current-user-principal") : nullptr;
        std::string principalUrl =
            principal && !principal->hrefs.empty() ? ResolveUrl(answered, principal->hrefs.front()) : std::string();
        if (!principalUrl.empty() && !SameResource(principalUrl, answered)) {
            std::vector<DavResource> p;
            std::string pAnswered;
            if (!Multistatus("PROPFIND", principalUrl, "0", kFindProps, p, pAnswered, status, error)) return false;
            home = homeOf(p.empty() ? nullptr : &p.front(), pAnswered);
            if (home.empty()) home = pAnswered;
        }
    }
    if (home.empty()) home = answered;
    std::vector<DavResource> members;
    std::string homeAnswered;
    if (!Multistatus("PROPFIND", home, "1", kFindProps, members, homeAnswered, status, error)) return false;
    for (const DavResource& r : members)
        if (IsCollectionOfKind(r)) collections.push_back(Describe(r, homeAnswered));
    CX_LOG(kLogDetail, "DAV: %zu %s found at %s", collections.size(),
           m_kind == DavKind::AddressBook ? "address book(s)" : "calendar(s)", OriginOf(home).c_str());
    return true;
}

bool DavClient::ListMembers(const std::string& collection, std::vector<std::string>& hrefs, Error& error) {
    std::vector<DavResource> members;
    std::string answered;
    long status = 0;
    if (!Multistatus("PROPFIND", collection, "1", kMemberProps, members, answered, status, error)) return false;
    for (const DavResource& r : members) {
        const std::string url = ResolveUrl(answered, r.href);
        const DavProperty* type = r.Find(kNsDav, "resourcetype");
        if (url.empty() || SameResource(url, collection) || (type && type->HasChild(kNsDav, "collection"))) continue;
        hrefs.push_back(url);
    }
    return true;
}

bool DavClient::GetEach(const std::vector<std::string>& hrefs, std::vector<std::string>& texts, Error& error,
                        const std::function<void(std::size_t)>& progress) {
    for (const std::string& url : hrefs) {
        HttpRequest request;
        request.url = url;
        request.user = m_credentials.user;
        request.password = m_credentials.password;
        request.bearer = m_credentials.bearer;
        HttpResponse response;
        if (!m_http.Send(request, response, error)) return false;
        if (response.status == 401 || response.status == 403) {
            error = {Error::Kind::Unauthorized, "the server refused the sign-in"};
            return false;
        }
        if (response.status == 404 || response.status == 410) continue;  // gone since it was listed
        if (response.status != 200) {
            error = {Error::Kind::Protocol, "GET answered " + std::to_string(response.status)};
            return false;
        }
        if (Wanted(response.body)) texts.push_back(WithLineEnd(response.body));
        if (progress) progress(1);
    }
    return true;
}

bool DavClient::Multiget(const std::string& collection, const std::vector<std::string>& hrefs,
                         std::vector<std::string>& texts, Error& error,
                         const std::function<void(std::size_t)>& progress) {
    const bool card = m_kind == DavKind::AddressBook;
    for (std::size_t first = 0; first < hrefs.size(); first += kMultigetBatch) {
        const std::size_t last = std::min(hrefs.size(), first + kMultigetBatch);
        std::string body =
            card ? "<card:addressbook-multiget xmlns:d=\"DAV:\" xmlns:card=\"urn:ietf:params:xml:ns:carddav\">"
                   "<d:prop><d:getetag/><card:address-data/></d:prop>"
                 : "<cal:calendar-multiget xmlns:d=\"DAV:\" xmlns:cal=\"urn:ietf:params:xml:ns:caldav\">"
                   "<d:prop><d:getetag/><cal:calendar-data/></d:prop>";
        for (std::size_t i = first; i < last; ++i) body += "<d:href>" + XmlEscape(PathOf(hrefs[i])) + "</d:href>";
        body += card ? "</card:addressbook-multiget>" : "</cal:calendar-multiget>";
        std::vector<DavResource> found;
        std::string answered;
        long status = 0;
        if (!Multistatus("REPORT", collection, "1", body, found, answered, status, error)) {
            if (error.kind != Error::Kind::Protocol || status == 0) return false;
            // A server without multiget: each object on its own.
            CX_LOG(kLogDetail, "DAV: multiget refused (%ld); reading each object", status);
            return GetEach(std::vector<std::string>(hrefs.begin() + static_cast<std::ptrdiff_t>(first), hrefs.end()),
                           texts, error, progress);
        }
        for (const DavResource& r : found) {
            const DavProperty* data = r.Find(DataNamespace(), DataName());
            if (data && Wanted(data->text)) texts.push_back(WithLineEnd(data->text));
        }
        if (progress) progress(last - first);
    }
    return true;
}

bool DavClient::ReadObjects(const std::string& collection, std::vector<std::string>& texts, Error& error,
                            const std::function<void(std::size_t)>& progress) {
    const bool card = m_kind == DavKind::AddressBook;
    const std::string query =
        card ? "<card:addressbook-query xmlns:d=\"DAV:\" xmlns:card=\"urn:ietf:params:xml:ns:carddav\">"
               "<d:prop><d:getetag/><card:address-data/></d:prop></card:addressbook-query>"
             : "<cal:calendar-query xmlns:d=\"DAV:\" xmlns:cal=\"urn:ietf:params:xml:ns:caldav\">"
               "<d:prop><d:getetag/><cal:calendar-data/></d:prop><cal:filter>"
               "<cal:comp-filter name=\"VCALENDAR\"><cal:comp-filter name=\"VEVENT\"/></cal:comp-filter>"
               "</cal:filter></cal:calendar-query>";
    std::vector<DavResource> found;
    std::string answered;
    long status = 0;
    std::vector<std::string> missing;  // listed without their data
    if (Multistatus("REPORT", collection, "1", query, found, answered, status, error)) {
        std::set<std::string> seen;
        for (const DavResource& r : found) {
            const std::string url = ResolveUrl(answered, r.href);
            if (url.empty() || SameResource(url, collection) || r.status == 404 || !seen.insert(url).second) continue;
            const DavProperty* data = r.Find(DataNamespace(), DataName());
            if (data && !data->text.empty())
                texts.push_back(WithLineEnd(data->text));
            else
                missing.push_back(url);
        }
        if (progress) progress(texts.size());
    } else {
        if (error.kind != Error::Kind::Protocol || status == 0) return false;
        // A server without the query REPORT: list the members, then fetch.
        CX_LOG(kLogDetail, "DAV: query refused (%ld); listing the collection", status);
        if (!ListMembers(collection, missing, error)) return false;
    }
    if (missing.empty()) return true;
    return Multiget(collection, missing, texts, error, progress);
}

}  // namespace dav
