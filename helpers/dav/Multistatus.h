#pragma once
// The WebDAV multistatus answer (PROPFIND, REPORT): per resource its href
// and the properties the server found, read by namespace and local name
// whatever prefixes the server chose.
#include <string>
#include <string_view>
#include <vector>

namespace dav {

inline constexpr const char* kNsDav = "DAV:";
inline constexpr const char* kNsCardDav = "urn:ietf:params:xml:ns:carddav";
inline constexpr const char* kNsCalDav = "urn:ietf:params:xml:ns:caldav";
inline constexpr const char* kNsApple = "http://apple.com/ns/ical/";

struct DavElement {
    std::string ns;
    std::string name;
    std::string nameAttribute;  // the "name" attribute (a calendar component)
};

struct DavProperty {
    std::string ns;
    std::string name;
    std::string text;                  // all text inside, trimmed
    std::vector<std::string> hrefs;    // DAV:href elements inside, trimmed
    std::vector<DavElement> children;  // the elements directly inside
    bool HasChild(std::string_view childNs, std::string_view childName) const;
};

struct DavResource {
    std::string href;  // as the server wrote it
    int status = 200;  // the response's own status, 200 when it has none
    // The properties of propstats with a 2xx status (or none).
    std::vector<DavProperty> properties;
    const DavProperty* Find(std::string_view ns, std::string_view name) const;
};

// Reads a multistatus document. False, with `why` set, when the text is not
// XML or its root is not DAV:multistatus. Responses without an href are left
// out.
bool ParseMultistatus(std::string_view xml, std::vector<DavResource>& resources, std::string& why);

}  // namespace dav
