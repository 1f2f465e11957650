// WebDAV multistatus reading: any bytes read as a server's answer. What is
// read is what the collection walk then uses: hrefs resolved against the
// address asked, resource types, colours and time zones.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "helpers/dav/DavClient.h"
#include "helpers/dav/Multistatus.h"
#include "helpers/dav/Url.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<dav::DavResource> resources;
    std::string why;
    if (!dav::ParseMultistatus(text, resources, why)) {
        if (why.empty()) __builtin_trap();
        return 0;
    }
    for (const dav::DavResource& r : resources) {
        if (r.href.empty()) __builtin_trap();
        const std::string url = dav::ResolveUrl("http://127.0.0.1:5232/user/book/", r.href);
        if (!url.empty()) {
            std::string refusal;
            dav::IsAllowedUrl(url, refusal);
            dav::SameResource(url, "http://127.0.0.1:5232/user/book/");
        }
        for (const dav::DavProperty& p : r.properties) {
            const std::string colour = dav::NormalizeColour(p.text);
            if (!colour.empty() && colour.size() != 7) __builtin_trap();
            dav::TimeZoneId(p.text);
            for (const std::string& h : p.hrefs) dav::ResolveUrl("https://dav.example.com/a/", h);
        }
    }
    return 0;
}
