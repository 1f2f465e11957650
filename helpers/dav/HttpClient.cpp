#include "helpers/dav/HttpClient.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "common/misc/CxDebugUtil.h"
#include "helpers/dav/Url.h"

namespace dav {

namespace {

// Answers larger than this are refused rather than held in memory.
constexpr std::size_t kMaxBody = 512u * 1024 * 1024;

struct CurlFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct ListFree {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    std::string* body;
    bool tooLarge = false;
    const StopCheck* stop;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (t->body->size() + n > kMaxBody) {
        t->tooLarge = true;
        return 0;
    }
    t->body->append(data, n);
    return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* t = static_cast<Transfer*>(user);
    return (*t->stop && (*t->stop)()) ? 1 : 0;
}

bool IsRedirect(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

bool HttpClient::SendOnce(const HttpRequest& request, HttpResponse& response, std::string& location, Error& error) {
    GlobalInit();
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl) {
        error = {Error::Kind::Unreachable, "the HTTP library could not start"};
        return false;
    }
    CURL* c = curl.get();
    response.body.clear();
    Transfer transfer{&response.body, false, &m_stop};
    std::unique_ptr<curl_slist, ListFree> headers;
    for (const std::string& h : request.headers) headers.reset(curl_slist_append(headers.release(), h.c_str()));
    std::string bearer;
    if (!request.bearer.empty()) {
        bearer = "Authorization: Bearer " + request.bearer;
        headers.reset(curl_slist_append(headers.release(), bearer.c_str()));
    }
    curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    if (request.method == "HEAD") curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    if (!request.body.empty() || request.method == "POST" || request.method == "PUT") {
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }
    if (headers) curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    if (!request.user.empty()) {
        curl_easy_setopt(c, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
        curl_easy_setopt(c, CURLOPT_USERNAME, request.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, request.password.c_str());
    }
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Ferrywise/1.0");
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, m_connectSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, m_stallSeconds);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode code = curl_easy_perform(c);
    if (code != CURLE_OK) {
        if (code == CURLE_ABORTED_BY_CALLBACK) {
            error = {Error::Kind::Stopped, "stopped"};
        } else if (transfer.tooLarge) {
            error = {Error::Kind::Protocol, "the answer of " + OriginOf(request.url) + " is too large"};
        } else {
            error = {Error::Kind::Unreachable,
                     std::string(curl_easy_strerror(code)) + " (" + OriginOf(request.url) + ")"};
        }
        return false;
    }
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &response.status);
    response.url = request.url;
    // The redirect's target, resolved against the address asked.
    char* target = nullptr;
    location.clear();
    if (curl_easy_getinfo(c, CURLINFO_REDIRECT_URL, &target) == CURLE_OK && target) location = target;
    return true;
}

bool HttpClient::Send(const HttpRequest& request, HttpResponse& response, Error& error) {
    HttpRequest current = request;
    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        std::string why;
        if (!IsAllowedUrl(current.url, why)) {
            error = {Error::Kind::Protocol, OriginOf(current.url) + ": " + why};
            CX_LOG(kLogHigh, "DAV: refused %s: %s", OriginOf(current.url).c_str(), why.c_str());
            return false;
        }
        if (m_stop && m_stop()) {
            error = {Error::Kind::Stopped, "stopped"};
            return false;
        }
        std::string location;
        if (!SendOnce(current, response, location, error)) {
            CX_LOG(kLogHigh, "DAV: %s %s failed: %s", current.method.c_str(), OriginOf(current.url).c_str(),
                   error.detail.c_str());
            return false;
        }
        if (!IsRedirect(response.status) || location.empty()) return true;
        const std::string& next = location;
        if (!current.followRedirects) {
            response.location = next;
            return true;
        }
        if (next.empty()) {
            error = {Error::Kind::Protocol, "a redirect to an address that cannot be read"};
            return false;
        }
        // A password goes along only to the same origin or over HTTPS (a
        // domain's service address may point at its provider); a token
        // only to the same origin.
        if (OriginOf(next) != OriginOf(current.url)) {
            current.bearer.clear();
            if (next.rfind("https://", 0) != 0) {
                current.user.clear();
                current.password.clear();
            }
        }
        if (response.status == 303) {
            current.method = "GET";
            current.body.clear();
        }
        CX_LOG(kLogDetail, "DAV: %ld redirect to %s", response.status, OriginOf(next).c_str());
        current.url = next;
    }
    error = {Error::Kind::Protocol, "too many redirects"};
    return false;
}

}  // namespace dav
