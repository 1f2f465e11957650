#pragma once
// Fills a CardDAV/CalDAV server (Radicale in the tests) through plain HTTP
// requests, as another client would: address books, calendars, objects.
#include <string>
#include <utility>

#include "helpers/dav/HttpClient.h"

namespace fwtest {

class DavFiller {
public:
    DavFiller(std::string base, std::string user, std::string password)
        : m_base(std::move(base)), m_user(std::move(user)), m_password(std::move(password)), m_http(nullptr) {}

    long Send(const std::string& method, const std::string& path, const std::string& body,
              const std::string& type = "application/xml; charset=utf-8") {
        dav::HttpRequest request;
        request.method = method;
        request.url = m_base + path;
        request.user = m_user;
        request.password = m_password;
        request.body = body;
        request.headers = {"Content-Type: " + type};
        dav::HttpResponse response;
        dav::Error error;
        return m_http.Send(request, response, error) ? response.status : -1;
    }
    long AddressBook(const std::string& path) {
        return Send("MKCOL", path,
                    "<?xml version=\"1.0\"?><d:mkcol xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\">"
                    "<d:set><d:prop><d:resourcetype><d:collection/><c:addressbook/></d:resourcetype>"
                    "<d:displayname>Contacts</d:displayname></d:prop></d:set></d:mkcol>");
    }
    long Calendar(const std::string& path, const std::string& name, const std::string& colour,
                  const std::string& zone = "") {
        const std::string timeZone =
            zone.empty()
                ? ""
                : "<c:calendar-timezone>BEGIN:VCALENDAR&#13;\nVERSION:2.0&#13;\nBEGIN:VTIMEZONE&#13;\nTZID:" + zone +
                      "&#13;\nBEGIN:STANDARD&#13;\nDTSTART:19701025T030000&#13;\nTZOFFSETFROM:+0200&#13;\n"
                      "TZOFFSETTO:+0100&#13;\nEND:STANDARD&#13;\nEND:VTIMEZONE&#13;\nEND:VCALENDAR&#13;\n"
                      "</c:calendar-timezone>";
        return Send("MKCALENDAR", path,
                    "<?xml version=\"1.0\"?><c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
                    "xmlns:i=\"http://apple.com/ns/ical/\"><d:set><d:prop><d:displayname>" +
                        name + "</d:displayname><i:calendar-color>" + colour + "</i:calendar-color>" + timeZone +
                        "</d:prop></d:set></c:mkcalendar>");
    }
    long Put(const std::string& path, const std::string& text, const char* type) {
        return Send("PUT", path, text, type);
    }

private:
    std::string m_base;
    std::string m_user;
    std::string m_password;
    dav::HttpClient m_http;
};

}  // namespace fwtest
