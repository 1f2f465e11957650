#pragma once
// One session with the Act! Web API: a log-in at "/authorize" (HTTP Basic
// with the ACT! user name and password, the database in the
// "Act-Database-Name" header) that answers a bearer token, then GET
// requests with that token. A token that the server stops taking is
// renewed once. Errors come back as `act::Error`, worded for the user,
// without any credential or token.
#include <string>

#include "helpers/act/ActFetch.h"
#include "helpers/dav/HttpClient.h"

namespace act {

class WebClient {
public:
    WebClient(std::string baseUrl, std::string database, const StopCheck& stop);

    bool LogIn(const std::string& user, const std::string& password, Error& error);
    // GETs `pathAndQuery` below the base address ("/api/contacts?..."); the
    // body of a 200 answer.
    bool Get(const std::string& pathAndQuery, std::string& body, Error& error);

    const std::string& BaseUrl() const { return m_base; }

private:
    bool Authorize(Error& error);
    bool Transport(const dav::HttpRequest& request, dav::HttpResponse& response, Error& error);
    bool Refused(const dav::HttpResponse& response, const std::string& what, Error& error) const;

    std::string m_base;
    std::string m_database;
    std::string m_user;
    std::string m_password;  // kept for renewing the token; never logged
    std::string m_token;
    dav::HttpClient m_http;
};

}  // namespace act
