// Google's sign-in for installed applications against a stand-in of its
// authorisation and token endpoints: the browser seam visits the
// authorisation address and follows its redirect to the loopback listener.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "helpers/dav/Browser.h"
#include "helpers/dav/DavClient.h"
#include "helpers/dav/DavFetch.h"
#include "helpers/dav/GoogleOAuth.h"
#include "helpers/dav/Url.h"
#include "tests/dav/DebugLogCapture.h"
#include "tests/support/ServerProcess.h"
#include "tests/support/TempDir.h"

namespace {

constexpr const char* kClient = "1234-test.apps.googleusercontent.com";
constexpr const char* kSecret = "GOCSPX-test-secret";

class StandIn {
public:
    StandIn() {
        const char* source = std::getenv("FW_SOURCE_DIR");
        const std::string script = std::string(source ? source : ".") + "/tests/dav/oauth_standin.py";
        m_process.Start({"/usr/bin/python3", script, m_folder.File("port"), kClient, kSecret}, m_folder.File("log"));
        for (int i = 0; i < 300 && m_port == 0 && m_process.Running(); ++i) {
            const std::string port = fwtest::ReadFile(m_folder.File("port"));
            if (!port.empty())
                m_port = std::stoi(port);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    bool Ok() const { return m_port != 0; }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    std::string Log() const { return fwtest::ReadFile(m_folder.File("log")); }

private:
    fwtest::TempDir m_folder;
    fwtest::ServerProcess m_process;
    int m_port = 0;
};

// A browser: fetches the address and follows the redirects, as a user who
// consents at once would. Runs on its own thread, since the program waits
// for the browser's return after opening it. `tamper` may change the
// address the browser returns to.
class TestBrowser {
public:
    explicit TestBrowser(std::function<std::string(std::string)> tamper = nullptr) : m_tamper(std::move(tamper)) {
        dav::SetBrowserOpener([this](const std::string& url) {
            ++m_opened;
            m_lastUrl = url;
            m_threads.emplace_back([this, url] { Visit(url); });
            return true;
        });
    }
    ~TestBrowser() {
        dav::SetBrowserOpener(nullptr);
        for (std::thread& t : m_threads) t.join();
    }
    int Opened() const { return m_opened; }
    const std::string& LastUrl() const { return m_lastUrl; }

private:
    void Visit(const std::string& url) {
        dav::HttpClient http(nullptr);
        dav::HttpRequest request;
        request.url = url;
        dav::HttpResponse response;
        dav::Error error;
        if (!m_tamper) {
            http.Send(request, response, error);
            return;
        }
        // Stop at the authorisation answer, then go where the tamperer says.
        request.followRedirects = false;
        http.Send(request, response, error);
        request.url = m_tamper(response.location);
        request.followRedirects = true;
        http.Send(request, response, error);
    }

    std::function<std::string(std::string)> m_tamper;
    int m_opened = 0;
    std::string m_lastUrl;
    std::vector<std::thread> m_threads;
};

dav::Account GoogleAccount(const fwtest::TempDir& dir, bool keep) {
    dav::Account a;
    a.email = "someone@gmail.com";
    a.clientId = kClient;
    a.clientSecret = kSecret;
    a.tokenFile = dir.File("GGToken.dat");
    a.keepToken = keep;
    return a;
}

class GoogleSignIn : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(standIn.Ok()) << standIn.Log(); }
    bool Token(const dav::Account& account, std::string& token, dav::Error& error) {
        dav::HttpClient http(nullptr);
        dav::GoogleOAuth oauth(account, http, nullptr);
        oauth.SetSignInTimeout(20000);  // a browser that never returns fails the test, not hangs it
        return oauth.AccessToken(token, error);
    }

    StandIn standIn;
    fwtest::ScopedEnv base{"FRWY_GOOGLE_OAUTH_BASE", standIn.Url()};
    fwtest::TempDir dir;
};

TEST_F(GoogleSignIn, TheFirstRunSignsInThroughTheBrowserAndTheNextUsesTheKeptToken) {
    DebugLogCapture log;
    const dav::Account account = GoogleAccount(dir, true);
    std::string first, second;
    dav::Error error;
    {
        TestBrowser browser;
        ASSERT_TRUE(Token(account, first, error)) << error.detail << standIn.Log();
        EXPECT_EQ(browser.Opened(), 1);
        // The authorisation request of an installed application with PKCE.
        const std::string& url = browser.LastUrl();
        EXPECT_EQ(dav::QueryValue(url, "code_challenge_method"), "S256");
        EXPECT_EQ(dav::QueryValue(url, "code_challenge").size(), 43u);
        EXPECT_EQ(dav::QueryValue(url, "redirect_uri").rfind("http://127.0.0.1:", 0), 0u);
        EXPECT_NE(dav::QueryValue(url, "scope").find("auth/carddav"), std::string::npos);
        EXPECT_EQ(url.find(kSecret), std::string::npos);
    }
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(fwtest::FileMode(account.tokenFile), 0600);
    const std::string kept = fwtest::ReadFile(account.tokenFile);
    EXPECT_NE(kept.find("\"refresh_token\":\"1//"), std::string::npos) << kept;
    EXPECT_EQ(kept.find(first), std::string::npos) << "the access token is not kept";

    TestBrowser browser;
    ASSERT_TRUE(Token(account, second, error)) << error.detail;
    EXPECT_EQ(browser.Opened(), 0) << "the kept token serves without the browser";
    EXPECT_NE(second, first);
    EXPECT_EQ(fwtest::ReadFile(account.tokenFile), kept);
    // No token and no client secret in the debug log.
    const std::string text = log.Text();
    EXPECT_NE(text.find("DAV: Google sign-in"), std::string::npos);
    for (const std::string& secret : {first, second, std::string(kSecret), std::string("1//")})
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
}

TEST_F(GoogleSignIn, WithoutSavePasswordNoTokenIsKeptAndAnOldOneIsForgotten) {
    const dav::Account account = GoogleAccount(dir, false);
    fwtest::WriteFile(account.tokenFile, "{\"client_id\":\"x\",\"refresh_token\":\"1//old\"}");
    for (int run = 0; run < 2; ++run) {
        TestBrowser browser;
        std::string token;
        dav::Error error;
        ASSERT_TRUE(Token(account, token, error)) << error.detail;
        EXPECT_EQ(browser.Opened(), 1) << "every run signs in";
        EXPECT_EQ(dav::QueryValue(browser.LastUrl(), "access_type"), "online");
        EXPECT_FALSE(std::filesystem::exists(account.tokenFile));
    }
}

TEST_F(GoogleSignIn, ARevokedOrForeignKeptTokenLeadsToANewSignIn) {
    const dav::Account account = GoogleAccount(dir, true);
    for (const std::string& kept : {std::string("{\"client_id\":\"") + kClient + "\",\"refresh_token\":\"1//revoked\"}",
                                    std::string("{\"client_id\":\"another\",\"refresh_token\":\"1//x\"}"),
                                    std::string("not json at all"), std::string("{\"refresh_token\":42}"),
                                    std::string("{\"client_id\":7,\"refresh_token\":\"1//x\"}"), std::string("[1]")}) {
        fwtest::WriteFile(account.tokenFile, kept);
        TestBrowser browser;
        std::string token;
        dav::Error error;
        ASSERT_TRUE(Token(account, token, error)) << kept << ": " << error.detail;
        EXPECT_EQ(browser.Opened(), 1) << kept;
        EXPECT_NE(fwtest::ReadFile(account.tokenFile), kept);
    }
}

TEST_F(GoogleSignIn, RefusedOrForgedAnswersFailTheSignIn) {
    struct Case {
        const char* what;
        std::function<std::string(std::string)> tamper;
        const char* email;
        dav::Error::Kind kind;
    };
    const Case cases[] = {
        {"the user declines", nullptr, "deny@gmail.com", dav::Error::Kind::Unauthorized},
        {"another sign-in's state", [](std::string url) { return url.replace(url.find("state=") + 6, 4, "XXXX"); },
         "someone@gmail.com", dav::Error::Kind::Protocol},
        {"a code the token endpoint does not know",
         [](std::string url) { return url.replace(url.find("code=") + 5, 6, "4%2Fbad"); }, "someone@gmail.com",
         dav::Error::Kind::Unauthorized},
    };
    for (const Case& c : cases) {
        dav::Account account = GoogleAccount(dir, true);
        account.email = c.email;
        std::string token;
        dav::Error error;
        {
            TestBrowser browser(c.tamper);
            EXPECT_FALSE(Token(account, token, error)) << c.what;
        }
        EXPECT_EQ(error.kind, c.kind) << c.what << ": " << error.detail;
        EXPECT_TRUE(token.empty()) << c.what;
        EXPECT_FALSE(std::filesystem::exists(account.tokenFile)) << c.what;
    }
}

TEST_F(GoogleSignIn, ABrowserThatNeverReturnsEndsInTimeOrAtTheStop) {
    struct Case {
        bool opens;
        bool stop;
        dav::Error::Kind kind;
    };
    for (const Case c : {Case{true, false, dav::Error::Kind::Unauthorized}, Case{true, true, dav::Error::Kind::Stopped},
                         Case{false, false, dav::Error::Kind::Protocol}}) {
        dav::SetBrowserOpener([&](const std::string&) { return c.opens; });
        const auto start = std::chrono::steady_clock::now();
        dav::HttpClient http(nullptr);
        dav::GoogleOAuth oauth(GoogleAccount(dir, true), http, [&] {
            return c.stop && std::chrono::steady_clock::now() - start > std::chrono::milliseconds(200);
        });
        oauth.SetSignInTimeout(600);
        std::string token;
        dav::Error error;
        EXPECT_FALSE(oauth.AccessToken(token, error));
        EXPECT_EQ(error.kind, c.kind) << error.detail;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
        dav::SetBrowserOpener(nullptr);
    }
}

TEST_F(GoogleSignIn, AGoogleAccountWithoutAClientIdentifierAsksForOne) {
    for (const char* server : {"", "https://www.googleapis.com/.well-known/carddav"}) {
        dav::Account account = GoogleAccount(dir, true);
        account.clientId.clear();
        account.serverUrl = server;
        account.email = std::string(*server ? "me@workspace.example" : "me@GMail.com");
        TestBrowser browser;
        std::vector<std::string> cards;
        std::vector<dav::Calendar> calendars;
        dav::Error error, calendarError;
        EXPECT_FALSE(dav::FetchContacts(account, cards, error, nullptr, nullptr));
        EXPECT_FALSE(dav::FetchCalendars(account, calendars, calendarError, nullptr, nullptr));
        EXPECT_EQ(error.kind, dav::Error::Kind::NoClientId) << server;
        EXPECT_EQ(calendarError.kind, dav::Error::Kind::NoClientId) << server;
        EXPECT_EQ(browser.Opened(), 0);
    }
}

TEST_F(GoogleSignIn, TheAccessTokenOpensAnAddressBookThatOnlyTakesBearerTokens) {
    std::string token;
    dav::Error error;
    {
        TestBrowser browser;
        ASSERT_TRUE(Token(GoogleAccount(dir, false), token, error)) << error.detail;
    }
    // One address book refuses the query, so the cards come by listing and
    // a multiget; the other takes no REPORT, so each card is read alone.
    dav::HttpClient http(nullptr);
    dav::DavClient client(http, {"", "", token}, dav::DavKind::AddressBook);
    std::vector<dav::DavCollection> books;
    for (const char* path : {"/dav/book/", "/dav/plain/"}) {
        ASSERT_TRUE(client.FindCollections(standIn.Url() + path, books, error)) << error.detail;
        ASSERT_EQ(books.size(), 1u);
        EXPECT_EQ(books[0].displayName, "Contacts");
        std::vector<std::string> cards;
        ASSERT_TRUE(client.ReadObjects(books[0].url, cards, error, nullptr)) << path << ": " << error.detail;
        ASSERT_EQ(cards.size(), 2u) << path;
        EXPECT_NE(cards[0].find("FN:Ada One"), std::string::npos);
        EXPECT_NE(cards[1].find("FN:Bo Two"), std::string::npos);
    }

    // A calendar read object by object keeps its events and leaves tasks out.
    dav::DavClient calendars(http, {"", "", token}, dav::DavKind::Calendar);
    ASSERT_TRUE(calendars.FindCollections(standIn.Url() + "/dav/cal/", books, error)) << error.detail;
    ASSERT_EQ(books.size(), 1u);
    std::vector<std::string> events;
    ASSERT_TRUE(calendars.ReadObjects(books[0].url, events, error, nullptr)) << error.detail;
    ASSERT_EQ(events.size(), 1u);
    EXPECT_NE(events[0].find("UID:e1"), std::string::npos);

    dav::DavClient stranger(http, {"", "", "ya29.forged"}, dav::DavKind::AddressBook);
    EXPECT_FALSE(stranger.FindCollections(standIn.Url() + "/dav/book/", books, error));
    EXPECT_EQ(error.kind, dav::Error::Kind::Unauthorized);
}

}  // namespace
