#include "helpers/dav/GoogleOAuth.h"

#include <openssl/rand.h>
#include <openssl/sha.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "common/misc/Base64.h"
#include "common/misc/CxDebugUtil.h"
#include "helpers/dav/Browser.h"
#include "helpers/dav/Url.h"
#include "platform/file/AtomicFile.h"
#include "platform/net/LoopbackListener.h"
#include "platform/process/Environment.h"

namespace dav {

namespace {

constexpr const char* kPage =
    "<html><head><meta charset=\"utf-8\"><title>Ferrywise</title></head><body>"
    "<p>Ferrywise may now read your Google account. You can close this window.</p></body></html>";

std::string Base64Url(std::string_view bytes) {
    std::string text = Base64Encode(bytes);
    while (!text.empty() && text.back() == '=') text.pop_back();
    for (char& c : text) {
        if (c == '+') c = '-';
        if (c == '/') c = '_';
    }
    return text;
}

// A random text of unreserved characters (43 to 128 of them for a code
// verifier), from the system's strong random source.
bool RandomText(std::size_t length, std::string& out) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
    std::string bytes(length, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(length)) != 1) return false;
    out.clear();
    for (const unsigned char b : bytes) out += alphabet[b % 66];
    return true;
}

std::string Form(std::initializer_list<std::pair<const char*, std::string>> fields) {
    std::string out;
    for (const auto& [name, value] : fields) {
        if (value.empty()) continue;
        if (!out.empty()) out += '&';
        out += name;
        out += '=';
        out += PercentEncode(value);
    }
    return out;
}

// The text member `name` of a JSON object; empty when absent or no text.
std::string TextMember(const nlohmann::json& object, const char* name) {
    if (!object.is_object()) return {};
    const auto it = object.find(name);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

bool ReadTokenAnswer(const std::string& body, TokenAnswer& answer) {
    const nlohmann::json json = nlohmann::json::parse(body, nullptr, false);
    answer.accessToken = TextMember(json, "access_token");
    answer.refreshToken = TextMember(json, "refresh_token");
    answer.error = TextMember(json, "error");
    return !answer.accessToken.empty();
}

OAuthEndpoints GoogleOAuthEndpoints() {
    std::string base = platform::EnvironmentValue("FRWY_GOOGLE_OAUTH_BASE");
    if (base.empty()) return {"https://accounts.google.com/o/oauth2/v2/auth", "https://oauth2.googleapis.com/token"};
    while (!base.empty() && base.back() == '/') base.pop_back();
    return {base + "/auth", base + "/token"};
}

std::string PkceChallenge(const std::string& verifier) {
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(verifier.data()), verifier.size(), digest);
    return Base64Url(std::string_view(reinterpret_cast<const char*>(digest), sizeof digest));
}

std::string GoogleOAuth::KeptRefreshToken() const {
    if (m_account.tokenFile.empty() || !m_account.keepToken) return {};
    std::ifstream in(m_account.tokenFile, std::ios::binary);
    if (!in) return {};
    std::stringstream text;
    text << in.rdbuf();
    const nlohmann::json kept = nlohmann::json::parse(text.str(), nullptr, false);
    const std::string refreshToken = TextMember(kept, "refresh_token");
    if (refreshToken.empty()) {
        CX_LOG(kLogHigh, "DAV: the kept Google sign-in cannot be read; signing in afresh");
        return {};
    }
    // A token belongs to the client it was given to.
    if (TextMember(kept, "client_id") != m_account.clientId) return {};
    return refreshToken;
}

void GoogleOAuth::KeepRefreshToken(const std::string& refreshToken) const {
    if (m_account.tokenFile.empty() || !m_account.keepToken || refreshToken.empty()) return;
    const nlohmann::json kept = {{"client_id", m_account.clientId}, {"refresh_token", refreshToken}};
    platform::file::AtomicOptions options;
    options.mode = 0600;
    std::string why;
    if (!platform::file::WriteFileAtomically(m_account.tokenFile, kept.dump() + "\n", options, &why))
        CX_LOG(kLogCritical, "DAV: the Google sign-in could not be kept: %s", why.c_str());
}

void GoogleOAuth::ForgetRefreshToken() const {
    if (m_account.tokenFile.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(m_account.tokenFile, ignored);
}

bool GoogleOAuth::AskTokenEndpoint(const std::string& form, std::string& token, std::string& refreshToken, Error& error,
                                   bool& refused) {
    refused = false;
    HttpRequest request;
    request.method = "POST";
    request.url = GoogleOAuthEndpoints().token;
    request.headers = {"Content-Type: application/x-www-form-urlencoded", "Accept: application/json"};
    request.body = form;
    HttpResponse response;
    if (!m_http.Send(request, response, error)) return false;
    TokenAnswer answer;
    const bool granted = ReadTokenAnswer(response.body, answer);
    if (response.status == 200 && granted) {
        token = answer.accessToken;
        refreshToken = answer.refreshToken;
        return true;
    }
    const std::string code = CxDebugUtil::OneLine(answer.error.substr(0, 64));
    if (response.status == 400 || response.status == 401) {
        refused = true;
        error = {Error::Kind::Unauthorized, "the token endpoint refused the grant" + (code.empty() ? "" : ": " + code)};
    } else {
        error = {Error::Kind::Protocol, "the token endpoint answered " + std::to_string(response.status)};
    }
    CX_LOG(kLogHigh, "DAV: %s", error.detail.c_str());
    return false;
}

bool GoogleOAuth::Refresh(const std::string& refreshToken, std::string& token, Error& error, bool& refused) {
    std::string renewed;
    if (!AskTokenEndpoint(Form({{"grant_type", "refresh_token"},
                                {"refresh_token", refreshToken},
                                {"client_id", m_account.clientId},
                                {"client_secret", m_account.clientSecret}}),
                          token, renewed, error, refused))
        return false;
    if (!renewed.empty() && renewed != refreshToken) KeepRefreshToken(renewed);
    return true;
}

bool GoogleOAuth::SignIn(std::string& token, Error& error) {
    platform::net::LoopbackListener listener;
    std::string verifier, state;
    if (!listener.Open() || !RandomText(64, verifier) || !RandomText(32, state)) {
        error = {Error::Kind::Protocol, "the sign-in could not be prepared on this computer"};
        return false;
    }
    const std::string redirect = "http://127.0.0.1:" + std::to_string(listener.Port()) + "/";
    const std::string url = GoogleOAuthEndpoints().authorize + "?" +
                            Form({{"client_id", m_account.clientId},
                                  {"redirect_uri", redirect},
                                  {"response_type", "code"},
                                  {"scope", kGoogleScopes},
                                  {"code_challenge", PkceChallenge(verifier)},
                                  {"code_challenge_method", "S256"},
                                  {"state", state},
                                  {"login_hint", m_account.email},
                                  // A refresh token is asked for only when it may be kept.
                                  {"access_type", m_account.keepToken ? "offline" : "online"},
                                  {"prompt", m_account.keepToken ? "consent" : ""}});
    CX_LOG(kLogDetail, "DAV: Google sign-in through the browser, answer on port %d", listener.Port());
    if (!OpenInBrowser(url)) {
        error = {Error::Kind::Protocol, "the browser could not be opened for the Google sign-in"};
        return false;
    }
    std::string target;
    switch (listener.WaitForRequest(target, kPage, m_signInMs, m_stop)) {
    case platform::net::LoopbackListener::Result::Request: break;
    case platform::net::LoopbackListener::Result::Stopped: error = {Error::Kind::Stopped, "stopped"}; return false;
    case platform::net::LoopbackListener::Result::TimedOut:
        error = {Error::Kind::Unauthorized, "the Google sign-in in the browser was not finished in time"};
        return false;
    case platform::net::LoopbackListener::Result::Failed:
        error = {Error::Kind::Protocol, "the browser's answer could not be received"};
        return false;
    }
    if (QueryValue(target, "state") != state) {
        error = {Error::Kind::Protocol, "the browser's answer belongs to another sign-in"};
        return false;
    }
    const std::string code = QueryValue(target, "code");
    if (code.empty()) {
        const std::string why = QueryValue(target, "error");
        error = {Error::Kind::Unauthorized, "the Google sign-in was refused" + (why.empty() ? "" : ": " + why)};
        return false;
    }
    std::string refreshToken;
    bool refused = false;
    if (!AskTokenEndpoint(Form({{"grant_type", "authorization_code"},
                                {"code", code},
                                {"redirect_uri", redirect},
                                {"client_id", m_account.clientId},
                                {"client_secret", m_account.clientSecret},
                                {"code_verifier", verifier}}),
                          token, refreshToken, error, refused))
        return false;
    KeepRefreshToken(refreshToken);
    return true;
}

bool GoogleOAuth::AccessToken(std::string& token, Error& error) {
    if (m_account.clientId.empty()) {
        error = {Error::Kind::NoClientId, "a Google account needs an OAuth client identifier"};
        return false;
    }
    if (!m_account.keepToken) ForgetRefreshToken();
    const std::string kept = KeptRefreshToken();
    if (!kept.empty()) {
        bool refused = false;
        if (Refresh(kept, token, error, refused)) return true;
        if (!refused) return false;
        CX_LOG(kLogHigh, "DAV: the kept Google sign-in is no longer valid; signing in afresh");
        ForgetRefreshToken();
    }
    return SignIn(token, error);
}

}  // namespace dav
