// The multistatus reader and the address rules, on answers written the ways
// different servers write them.
#include <gtest/gtest.h>

#include <chrono>

#include "helpers/dav/DavClient.h"
#include "helpers/dav/HttpClient.h"
#include "helpers/dav/Multistatus.h"
#include "helpers/dav/Url.h"
#include "platform/net/LoopbackListener.h"

namespace {

using dav::DavResource;

std::vector<DavResource> Parse(const std::string& xml) {
    std::vector<DavResource> out;
    std::string why;
    EXPECT_TRUE(dav::ParseMultistatus(xml, out, why)) << why << "\n" << xml;
    return out;
}

TEST(Multistatus, PrefixesDefaultNamespacesAndStatusesAreReadAlike) {
    // The same answer with the DAV namespace as default, as "d:", and as
    // an unusual prefix; CardDAV data in CDATA or escaped.
    const std::string forms[] = {
        "<multistatus xmlns='DAV:'><response><href>/a/1.vcf</href><propstat><prop><getetag>\"e\"</getetag>"
        "<address-data xmlns='urn:ietf:params:xml:ns:carddav'><![CDATA[BEGIN:VCARD\r\nFN:A&B\r\nEND:VCARD\r\n]]>"
        "</address-data></prop><status>HTTP/1.1 200 OK</status></propstat>"
        "<propstat><prop><displayname/></prop><status>HTTP/1.1 404 Not Found</status></propstat></response>"
        "</multistatus>",
        "<?xml version='1.0'?>\n<d:multistatus xmlns:d=\"DAV:\" xmlns:card=\"urn:ietf:params:xml:ns:carddav\">\n"
        "  <d:response>\n    <d:href>\n /a/1.vcf \n</d:href>\n    <d:propstat>\n      <d:prop>\n"
        "        <d:getetag>\"e\"</d:getetag>\n        <card:address-data>BEGIN:VCARD&#13;\nFN:A&amp;B&#13;\n"
        "END:VCARD&#13;\n</card:address-data>\n      <d:displayname/>\n      </d:prop>\n"
        "      <d:status>HTTP/1.1 200 OK</d:status>\n    </d:propstat>\n  </d:response>\n</d:multistatus>",
        "<X:multistatus xmlns:X='DAV:'><X:response><X:href>/a/1.vcf</X:href><X:propstat><X:prop>"
        "<Y:address-data xmlns:Y='urn:ietf:params:xml:ns:carddav'>BEGIN:VCARD\nFN:A&amp;B\nEND:VCARD</Y:address-data>"
        "</X:prop></X:propstat></X:response></X:multistatus>",
    };
    for (const std::string& xml : forms) {
        const auto found = Parse(xml);
        ASSERT_EQ(found.size(), 1u) << xml;
        EXPECT_EQ(found[0].href, "/a/1.vcf");
        const auto* data = found[0].Find(dav::kNsCardDav, "address-data");
        ASSERT_NE(data, nullptr) << xml;
        EXPECT_EQ(data->text.rfind("BEGIN:VCARD", 0), 0u);
        EXPECT_NE(data->text.find("FN:A&B"), std::string::npos);
        EXPECT_EQ(found[0].Find(dav::kNsDav, "getetag") == nullptr, xml.find("getetag") == std::string::npos);
    }
    // Only a property of a 2xx propstat counts.
    EXPECT_EQ(Parse(forms[0])[0].Find(dav::kNsDav, "displayname"), nullptr);
}

TEST(Multistatus, ResponsesWithTheirOwnStatusOrWithoutHrefAndResourceTypes) {
    const auto found = Parse(
        "<d:multistatus xmlns:d='DAV:' xmlns:c='urn:ietf:params:xml:ns:caldav'>"
        "<d:response><d:href>/gone.ics</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>"
        "<d:response><d:propstat><d:prop><d:displayname>no href</d:displayname></d:prop></d:propstat></d:response>"
        "<d:response><d:href>http://h.example/cal/</d:href><d:propstat><d:prop><d:resourcetype><d:collection/>"
        "<c:calendar/></d:resourcetype><c:supported-calendar-component-set><c:comp name='VTODO'/>"
        "</c:supported-calendar-component-set><d:current-user-principal><d:href>/p/</d:href>"
        "</d:current-user-principal></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
        "<d:response><d:href>x</d:href><d:status>garbage</d:status></d:response>"
        "</d:multistatus>");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].status, 404);
    EXPECT_EQ(found[1].href, "http://h.example/cal/");
    const auto* type = found[1].Find(dav::kNsDav, "resourcetype");
    ASSERT_NE(type, nullptr);
    EXPECT_TRUE(type->HasChild(dav::kNsCalDav, "calendar"));
    EXPECT_FALSE(type->HasChild(dav::kNsCardDav, "addressbook"));
    EXPECT_EQ(found[1].Find(dav::kNsCalDav, "supported-calendar-component-set")->children.at(0).nameAttribute, "VTODO");
    EXPECT_EQ(found[1].Find(dav::kNsDav, "current-user-principal")->hrefs, std::vector<std::string>{"/p/"});
    EXPECT_EQ(found[2].status, 0);
}

TEST(Multistatus, WhatIsNoMultistatusIsRefusedAndEntitiesAreNotExpanded) {
    std::vector<DavResource> out;
    std::string why;
    for (const char* bad : {"", "<html><body>Sign in</body></html>", "<multistatus>no namespace</multistatus>",
                            "<d:multistatus xmlns:d='DAV:'><d:response>", "\xff\xfe<"}) {
        EXPECT_FALSE(dav::ParseMultistatus(bad, out, why)) << bad;
        EXPECT_FALSE(why.empty());
    }
    // An external entity is neither fetched nor expanded.
    const std::string xxe =
        "<?xml version='1.0'?><!DOCTYPE m [<!ENTITY x SYSTEM 'file:///etc/passwd'>]>"
        "<d:multistatus xmlns:d='DAV:'><d:response><d:href>/a</d:href><d:propstat><d:prop>"
        "<d:displayname>&x;</d:displayname></d:prop></d:propstat></d:response></d:multistatus>";
    if (dav::ParseMultistatus(xxe, out, why) && !out.empty() && out[0].Find(dav::kNsDav, "displayname")) {
        EXPECT_EQ(out[0].Find(dav::kNsDav, "displayname")->text.find("root:"), std::string::npos);
    }
}

TEST(DavAddresses, WhichAddressesMayBeReachedAndHowHrefsResolve) {
    struct Case {
        const char* url;
        bool allowed;
    };
    const Case cases[] = {
        {"https://dav.example.com/", true},
        {"https://192.0.2.1:8443/x", true},
        {"http://127.0.0.1:5232/", true},
        {"http://127.1.2.3/", true},
        {"http://localhost:8080/dav/", true},
        {"http://[::1]:5232/", true},
        {"HTTP://LOCALHOST/", true},
        {"http://dav.example.com/", false},
        {"http://127.0.0.1.nip.io/", false},
        {"http://128.0.0.1/", false},
        {"http://127.0.0.256/", false},
        {"http://[::2]/", false},
        {"ftp://127.0.0.1/", false},
        {"file:///etc/passwd", false},
        {"not an address", false},
        {"", false},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_EQ(dav::IsAllowedUrl(c.url, why), c.allowed) << c.url;
        EXPECT_EQ(why.empty(), c.allowed) << c.url;
    }
    EXPECT_EQ(dav::ResolveUrl("http://h:1/a/b/", "c.vcf"), "http://h:1/a/b/c.vcf");
    EXPECT_EQ(dav::ResolveUrl("http://h:1/a/b/", "/x/y/"), "http://h:1/x/y/");
    EXPECT_EQ(dav::ResolveUrl("http://h:1/a/b/", "https://o.example/z"), "https://o.example/z");
    EXPECT_TRUE(dav::SameResource("http://h:1/u%40x.org/", "http://H:1/u@x.org"));
    EXPECT_FALSE(dav::SameResource("http://h:1/a/", "http://h:2/a/"));
    EXPECT_FALSE(dav::SameResource("http://h:1/a/", "http://h:1/a/b"));
    EXPECT_EQ(dav::QueryValue("/?state=a%2Fb&code=4%2F0A+x&scope=", "code"), "4/0A x");
    EXPECT_EQ(dav::QueryValue("/?state=a%2Fb&code=4", "state"), "a/b");
    EXPECT_EQ(dav::QueryValue("/?codex=1", "code"), "");
    EXPECT_EQ(dav::PercentDecode(dav::PercentEncode("a b/ä%&=")), "a b/ä%&=");
}

TEST(DavAddresses, CalendarColoursAndTimeZones) {
    EXPECT_EQ(dav::NormalizeColour("#ff8800"), "#FF8800");
    EXPECT_EQ(dav::NormalizeColour("#FF8800CC"), "#FF8800");
    for (const char* bad : {"", "#FFF", "FF8800", "#GG8800", "#FF8800C", "#FF8800ZZ", "red"})
        EXPECT_EQ(dav::NormalizeColour(bad), "") << bad;
    EXPECT_EQ(dav::TimeZoneId("BEGIN:VCALENDAR\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nEND:VTIMEZONE\r\n"),
              "Europe/Berlin");
    EXPECT_EQ(dav::TimeZoneId("BEGIN:VTIMEZONE\nX-TZID:no\nTZID;X=1:America/New_York\nEND:VTIMEZONE"),
              "America/New_York");
    EXPECT_EQ(dav::TimeZoneId("BEGIN:VEVENT\nTZID:x\nEND:VEVENT"), "");
    EXPECT_EQ(dav::TimeZoneId("BEGIN:VTIMEZONE\nTZID"), "");
}

TEST(DavHttp, AServerThatNeverAnswersIsLeftWithinASecondOfTheStop) {
    // The listener takes connections into its backlog but never answers.
    platform::net::LoopbackListener silent;
    ASSERT_TRUE(silent.Open());
    const auto start = std::chrono::steady_clock::now();
    dav::HttpClient http([&] { return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(300); });
    dav::HttpRequest request;
    request.url = "http://127.0.0.1:" + std::to_string(silent.Port()) + "/";
    dav::HttpResponse response;
    dav::Error error;
    EXPECT_FALSE(http.Send(request, response, error));
    EXPECT_EQ(error.kind, dav::Error::Kind::Stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
}

}  // namespace
