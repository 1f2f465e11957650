#pragma once
// OAuth 2.0 for an installed application on Google's endpoints: the user
// signs in in the browser, which returns to a listener on the loopback
// interface with a code; the code (bound to this run by PKCE, S256) is
// exchanged for an access token and, when the user lets it be kept, a
// refresh token that later runs use instead of the browser.
//
// FRWY_GOOGLE_OAUTH_BASE, when set, replaces Google's authorisation and
// token endpoints by "<base>/auth" and "<base>/token" (a stand-in server
// in tests). It must be an https:// address or one on this computer.
#include <string>

#include "helpers/dav/DavFetch.h"
#include "helpers/dav/HttpClient.h"

namespace dav {

struct OAuthEndpoints {
    std::string authorize;
    std::string token;
};

OAuthEndpoints GoogleOAuthEndpoints();

// What the token covers: Google's CardDAV and CalDAV services, so that one
// sign-in serves both the contacts and the calendar.
inline constexpr const char* kGoogleScopes =
    "https://www.googleapis.com/auth/carddav https://www.googleapis.com/auth/calendar";

// The S256 code challenge of a code verifier: the unpadded base64url text
// of its SHA-256 digest.
std::string PkceChallenge(const std::string& verifier);

// What a token endpoint answered (RFC 6749 5.1 and 5.2): the access token
// and any refresh token of a success, else the error code. False when the
// text is no answer with an access token.
struct TokenAnswer {
    std::string accessToken;
    std::string refreshToken;
    std::string error;
};
bool ReadTokenAnswer(const std::string& body, TokenAnswer& answer);

class GoogleOAuth {
public:
    GoogleOAuth(const Account& account, HttpClient& http, StopCheck stop)
        : m_account(account), m_http(http), m_stop(std::move(stop)) {}

    // An access token: by the kept refresh token when there is a good one,
    // else through the browser. False with `error` set otherwise.
    bool AccessToken(std::string& token, Error& error);

    // How long the browser sign-in may take.
    static constexpr int kSignInMs = 5 * 60 * 1000;
    void SetSignInTimeout(int ms) { m_signInMs = ms; }

private:
    bool Refresh(const std::string& refreshToken, std::string& token, Error& error, bool& refused);
    bool SignIn(std::string& token, Error& error);
    bool AskTokenEndpoint(const std::string& form, std::string& token, std::string& refreshToken, Error& error,
                          bool& refused);
    std::string KeptRefreshToken() const;
    void KeepRefreshToken(const std::string& refreshToken) const;
    void ForgetRefreshToken() const;

    Account m_account;
    HttpClient& m_http;
    StopCheck m_stop;
    int m_signInMs = kSignInMs;
};

}  // namespace dav
