// Contacts and calendars read from a real CardDAV/CalDAV server (Radicale,
// started per test on a loopback port), filled over HTTP first.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "helpers/dav/DavFetch.h"
#include "helpers/dav/HttpClient.h"
#include "tests/dav/DebugLogCapture.h"
#include "tests/support/DavFiller.h"
#include "tests/support/RadicaleServer.h"
#include "tests/support/ServerProcess.h"

namespace {

constexpr const char* kUser = "alice@example.org";
constexpr const char* kPassword = "s3cret:pa ss";

std::string Card(int i) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:card-" + std::to_string(i) + "\r\nFN:Person " + std::to_string(i) +
           "\r\nN:" + std::to_string(i) + ";Person;;;\r\nEMAIL;TYPE=INTERNET:p" + std::to_string(i) +
           "@example.org\r\nNOTE:line one\\nline two & <three>\r\nEND:VCARD\r\n";
}

std::string Event(const std::string& uid, const char* component = "VEVENT") {
    return std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:") + component +
           "\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240105T093000Z\r\n" +
           (std::string(component) == "VEVENT" ? "DTEND:20240105T103000Z\r\n" : "") + "SUMMARY:" + uid +
           "\r\nEND:" + component + "\r\nEND:VCALENDAR\r\n";
}

std::string UidOf(const std::string& text) {
    const auto at = text.find("\nUID:");
    return at == std::string::npos ? "" : text.substr(at + 5, text.find_first_of("\r\n", at + 5) - at - 5);
}

class DavServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = std::make_unique<fwtest::RadicaleServer>(kUser, kPassword);
        ASSERT_TRUE(server->Ok()) << server->Log();
        fwtest::DavFiller fill(server->Url(), kUser, kPassword);
        const std::string home = std::string(kUser) + "/";
        ASSERT_EQ(fill.AddressBook(home + "book/"), 201);
        for (int i = 0; i < kCards; ++i)
            ASSERT_EQ(fill.Put(home + "book/card-" + std::to_string(i) + ".vcf", Card(i), "text/vcard"), 201);
        ASSERT_EQ(fill.Calendar(home + "work/", "Work &amp; Co", "#FF8800FF"), 201);
        ASSERT_EQ(fill.Calendar(home + "home/", "Home", "#00aa33", "Europe/Berlin"), 201);
        for (const char* uid : {"w1", "w2", "w3"})
            ASSERT_EQ(fill.Put(home + "work/" + uid + ".ics", Event(uid), "text/calendar"), 201);
        ASSERT_EQ(fill.Put(home + "home/h1.ics", Event("h1"), "text/calendar"), 201);
        // A task in a calendar is no event: it stays out.
        ASSERT_EQ(fill.Put(home + "home/t1.ics", Event("t1", "VTODO"), "text/calendar"), 201);
    }
    static void TearDownTestSuite() { server.reset(); }

    dav::Account AccountAt(const std::string& path) const {
        dav::Account a;
        a.email = kUser;
        a.password = kPassword;
        a.serverUrl = server->Url() + path;
        return a;
    }

    static constexpr int kCards = 130;
    static std::unique_ptr<fwtest::RadicaleServer> server;
};

std::unique_ptr<fwtest::RadicaleServer> DavServer::server;

TEST_F(DavServer, EveryContactArrivesOnceFromEveryKindOfStartAddress) {
    // The server's root (principal, home set, collections), the principal,
    // the well-known address (a redirect), and the address book itself.
    for (const std::string& path :
         {std::string(), std::string(kUser) + "/", std::string(".well-known/carddav"), std::string(kUser) + "/book/"}) {
        std::vector<std::string> cards;
        dav::Error error;
        int lastDone = -1, lastTotal = -1;
        ASSERT_TRUE(dav::FetchContacts(AccountAt(path), cards, error, nullptr,
                                       [&](int done, int total) {
                                           lastDone = done;
                                           lastTotal = total;
                                       }))
            << path << ": " << error.detail;
        std::set<std::string> uids;
        for (const std::string& c : cards) {
            EXPECT_TRUE(uids.insert(UidOf(c)).second) << "twice: " << UidOf(c);
            EXPECT_NE(c.find("END:VCARD"), std::string::npos);
        }
        EXPECT_EQ(uids.size(), std::size_t(kCards)) << path;
        EXPECT_TRUE(uids.count("card-0") && uids.count("card-129"));
        EXPECT_EQ(lastDone, kCards);
        EXPECT_EQ(lastTotal, kCards);
        // The XML escapes of the answer are undone in the texts.
        EXPECT_NE(cards.front().find("line two & <three>"), std::string::npos);
    }
}

TEST_F(DavServer, EveryCalendarWithItsNameColourAndEventsButNoTasks) {
    std::vector<dav::Calendar> calendars;
    dav::Error error;
    ASSERT_TRUE(dav::FetchCalendars(AccountAt(""), calendars, error, nullptr, nullptr)) << error.detail;
    std::map<std::string, const dav::Calendar*> byName;
    for (const dav::Calendar& c : calendars) byName[c.displayName] = &c;
    ASSERT_EQ(byName.size(), 2u);
    ASSERT_TRUE(byName.count("Work & Co") && byName.count("Home"));
    EXPECT_EQ(byName["Work & Co"]->colour, "#FF8800");
    EXPECT_EQ(byName["Home"]->colour, "#00AA33");
    EXPECT_EQ(byName["Home"]->timeZone, "Europe/Berlin");
    EXPECT_EQ(byName["Work & Co"]->timeZone, "");
    std::set<std::string> work, home;
    for (const std::string& o : byName["Work & Co"]->objects) work.insert(UidOf(o));
    for (const std::string& o : byName["Home"]->objects) home.insert(UidOf(o));
    EXPECT_EQ(work, (std::set<std::string>{"w1", "w2", "w3"}));
    EXPECT_EQ(home, (std::set<std::string>{"h1"}));
    EXPECT_NE(byName["Home"]->url.find("/home/"), std::string::npos);
}

TEST_F(DavServer, RefusalsAndFailuresAreReportedByKindWithoutTheSecret) {
    struct Case {
        const char* what;
        dav::Account account;
        dav::Error::Kind kind;
    };
    dav::Account wrong = AccountAt("");
    wrong.password = "not-the-password-xyz";
    dav::Account closed = AccountAt("");
    closed.serverUrl = "http://127.0.0.1:" + std::to_string(fwtest::FreeLoopbackPort()) + "/";
    dav::Account outside = AccountAt("");
    outside.serverUrl = "http://192.0.2.10/dav/";
    dav::Account lookalike = AccountAt("");
    lookalike.serverUrl = "http://127.0.0.1.example.com/";
    dav::Account notDav = AccountAt("");
    notDav.serverUrl = server->Url() + "no-such-user/nothing/";
    DebugLogCapture log;
    const Case cases[] = {
        {"wrong password", wrong, dav::Error::Kind::Unauthorized},
        {"closed port", closed, dav::Error::Kind::Unreachable},
        {"plain HTTP off this computer", outside, dav::Error::Kind::Protocol},
        {"a name that only starts like loopback", lookalike, dav::Error::Kind::Protocol},
        {"someone else's collection", notDav, dav::Error::Kind::Unauthorized},
    };
    for (const Case& c : cases) {
        std::vector<std::string> cards;
        std::vector<dav::Calendar> calendars;
        dav::Error error, calendarError;
        EXPECT_FALSE(dav::FetchContacts(c.account, cards, error, nullptr, nullptr)) << c.what;
        EXPECT_FALSE(dav::FetchCalendars(c.account, calendars, calendarError, nullptr, nullptr)) << c.what;
        EXPECT_EQ(error.kind, c.kind) << c.what << ": " << error.detail;
        EXPECT_EQ(calendarError.kind, c.kind) << c.what << ": " << calendarError.detail;
        EXPECT_TRUE(cards.empty() && calendars.empty()) << c.what;
        for (const std::string& detail : {error.detail, calendarError.detail}) {
            EXPECT_EQ(detail.find(c.account.password), std::string::npos) << c.what;
            EXPECT_FALSE(detail.empty()) << c.what;
        }
    }
    // The debug log tells what failed, never with the password.
    const std::string text = log.Text();
    EXPECT_NE(text.find("DAV:"), std::string::npos);
    for (const Case& c : cases) EXPECT_EQ(text.find(c.account.password), std::string::npos) << c.what;
}

TEST_F(DavServer, AStopEndsTheReadingAsStopped) {
    int asked = 0;
    std::vector<std::string> cards;
    dav::Error error;
    // Stops once the first request is under way.
    EXPECT_FALSE(dav::FetchContacts(
        AccountAt(""), cards, error, [&] { return ++asked > 1; }, nullptr));
    EXPECT_EQ(error.kind, dav::Error::Kind::Stopped) << error.detail;
}

}  // namespace
