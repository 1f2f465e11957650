#pragma once
// One HTTP exchange at a time through libcurl, within the client's rules:
// only addresses IsAllowedUrl accepts, redirects followed under the same
// rule, bounded waits, the stop check asked at least every second. No
// credential ever appears in an error detail or a log line.
#include <string>
#include <vector>

#include "helpers/dav/DavFetch.h"

namespace dav {

struct HttpRequest {
    std::string method = "GET";
    std::string url;
    std::vector<std::string> headers;  // "Name: value"
    std::string body;
    // Basic credentials, or a bearer token; neither is logged.
    std::string user;
    std::string password;
    std::string bearer;
    // Off: a redirect is the answer (its target in HttpResponse::location).
    bool followRedirects = true;
};

struct HttpResponse {
    long status = 0;
    std::string body;
    std::string url;       // where the answer came from, after redirects
    std::string location;  // a redirect's target, resolved, when not followed
};

class HttpClient {
public:
    explicit HttpClient(StopCheck stop) : m_stop(std::move(stop)) {}

    // Sends the request. False, with `error` set, when no HTTP answer came
    // (refused address, no connection, time-out, stop); any HTTP status is
    // an answer.
    bool Send(const HttpRequest& request, HttpResponse& response, Error& error);

    // Seconds for a connection and for an answer that stalls.
    void SetTimeouts(long connectSeconds, long stallSeconds) {
        m_connectSeconds = connectSeconds;
        m_stallSeconds = stallSeconds;
    }

    static constexpr int kMaxRedirects = 8;

private:
    bool SendOnce(const HttpRequest& request, HttpResponse& response, std::string& location, Error& error);

    StopCheck m_stop;
    long m_connectSeconds = 20;
    long m_stallSeconds = 60;
};

}  // namespace dav
