#include "helpers/act/ActWebClient.h"

#include "common/misc/CxDebugUtil.h"
#include "helpers/act/ActJson.h"
#include "helpers/dav/Url.h"

namespace act {

WebClient::WebClient(std::string baseUrl, std::string database, const StopCheck& stop)
    : m_base(std::move(baseUrl)), m_database(std::move(database)), m_http(stop) {
    while (!m_base.empty() && m_base.back() == '/') m_base.pop_back();
}

bool WebClient::Transport(const dav::HttpRequest& request, dav::HttpResponse& response, Error& error) {
    dav::Error failure;
    if (m_http.Send(request, response, failure)) return true;
    const std::string host = dav::HostOf(m_base);
    error.detail = failure.detail;
    switch (failure.kind) {
    case dav::Error::Kind::Stopped:
        error.kind = Error::Kind::Stopped;
        error.message.clear();
        break;
    case dav::Error::Kind::Unreachable:
        error.kind = Error::Kind::Unreachable;
        error.message = "The ACT! server " + host +
                        " cannot be reached. Check that this computer is connected to it and that its Act! "
                        "Web API is running, or set the API's address in the setting \"ACTWebAPIURL\". "
                        "Contacts can also be read from a text export that ACT! makes (File, Export).";
        break;
    default: {
        error.kind = Error::Kind::Protocol;
        std::string why;
        if (!dav::IsAllowedUrl(request.url, why)) {
            error.kind = Error::Kind::Unreachable;
            error.message = "The address of the Act! Web API (" + dav::OriginOf(request.url) +
                            ") cannot be used: it must begin with https:// (plain http is used only for "
                            "this computer). Correct the setting \"ACTWebAPIURL\".";
        } else {
            error.message = "The ACT! server " + host + " did not answer as the Act! Web API does.";
        }
        break;
    }
    }
    CX_LOG(kLogCritical, "ACT!: %s: %s", dav::OriginOf(request.url).c_str(), error.detail.c_str());
    return false;
}

bool WebClient::Refused(const dav::HttpResponse& response, const std::string& what, Error& error) const {
    const std::string message = ReadApiMessage(response.body);
    error.detail = what + ": HTTP " + std::to_string(response.status);
    if (response.status == 404) {
        error.kind = Error::Kind::Protocol;
        error.message = "There is no Act! Web API at " + m_base +
                        ". Check the API's address (the setting \"ACTWebAPIURL\") and the database name.";
    } else {
        error.kind = Error::Kind::Protocol;
        error.message = "The ACT! server " + dav::HostOf(m_base) + " reported an error (HTTP " +
                        std::to_string(response.status) + ")" + (message.empty() ? "." : ": " + message);
    }
    CX_LOG(kLogCritical, "ACT!: %s", error.detail.c_str());
    return false;
}

bool WebClient::Authorize(Error& error) {
    dav::HttpRequest request;
    request.url = m_base + "/authorize";
    request.user = m_user;
    request.password = m_password;
    request.headers = {"Act-Database-Name: " + m_database, "Accept: application/json, text/plain"};
    dav::HttpResponse response;
    if (!Transport(request, response, error)) return false;
    if (response.status == 401 || response.status == 403) {
        error.kind = Error::Kind::Unauthorized;
        error.message = ReadApiMessage(response.body);
        error.detail = "log-in refused: HTTP " + std::to_string(response.status);
        CX_LOG(kLogCritical, "ACT!: %s", error.detail.c_str());
        return false;
    }
    if (response.status != 200) return Refused(response, "log-in", error);
    if (!ReadToken(response.body, m_token)) {
        error.kind = Error::Kind::Protocol;
        error.message =
            "The ACT! server " + dav::HostOf(m_base) + " did not answer the log-in as the Act! Web API does.";
        error.detail = "log-in answer without a token";
        CX_LOG(kLogCritical, "ACT!: %s", error.detail.c_str());
        return false;
    }
    CX_LOG(kLogDetail, "ACT!: logged in at %s", dav::OriginOf(m_base).c_str());
    return true;
}

bool WebClient::LogIn(const std::string& user, const std::string& password, Error& error) {
    m_user = user;
    m_password = password;
    return Authorize(error);
}

bool WebClient::Get(const std::string& pathAndQuery, std::string& body, Error& error) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        dav::HttpRequest request;
        request.url = m_base + pathAndQuery;
        request.bearer = m_token;
        request.headers = {"Act-Database-Name: " + m_database, "Accept: application/json"};
        dav::HttpResponse response;
        if (!Transport(request, response, error)) return false;
        if (response.status == 200) {
            body = std::move(response.body);
            return true;
        }
        if (response.status != 401) return Refused(response, dav::PathOf(request.url), error);
        // The token ran out: log in again once.
        CX_LOG(kLogDetail, "ACT!: the token was refused; logging in again");
        if (attempt == 0 && !Authorize(error)) return false;
    }
    error.kind = Error::Kind::Unauthorized;
    error.message.clear();
    error.detail = "requests refused after a new log-in";
    CX_LOG(kLogCritical, "ACT!: %s", error.detail.c_str());
    return false;
}

}  // namespace act
