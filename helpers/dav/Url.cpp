#include "helpers/dav/Url.h"

#include <curl/curl.h>

#include <memory>

#include "platform/text/AsciiCase.h"

namespace dav {

namespace {

struct UrlFree {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlFree>;

std::string Part(CURLU* u, CURLUPart part, unsigned flags = 0) {
    char* text = nullptr;
    if (curl_url_get(u, part, &text, flags) != CURLUE_OK || !text) return {};
    std::string out(text);
    curl_free(text);
    return out;
}

UrlHandle Parse(const std::string& url) {
    UrlHandle u(curl_url());
    if (!u || curl_url_set(u.get(), CURLUPART_URL, url.c_str(), CURLU_NON_SUPPORT_SCHEME) != CURLUE_OK) return {};
    return u;
}

bool IsLoopbackHost(const std::string& host) {
    if (host == "localhost" || host == "[::1]" || host == "::1") return true;
    // 127.a.b.c in dotted decimal, each part 0 to 255.
    if (host.rfind("127.", 0) != 0) return false;
    int parts = 0;
    std::size_t i = 0;
    while (i <= host.size()) {
        std::size_t j = host.find('.', i);
        if (j == std::string::npos) j = host.size();
        const std::string part = host.substr(i, j - i);
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(part) > 255)
            return false;
        ++parts;
        i = j + 1;
    }
    return parts == 4;
}

}  // namespace

bool IsAllowedUrl(const std::string& url, std::string& why) {
    const UrlHandle u = Parse(url);
    if (!u) {
        why = "not an address";
        return false;
    }
    const std::string scheme = platform::ToLowerAscii(Part(u.get(), CURLUPART_SCHEME));
    const std::string host = platform::ToLowerAscii(Part(u.get(), CURLUPART_HOST));
    if (scheme == "https") return true;
    if (scheme == "http" && IsLoopbackHost(host)) return true;
    why = scheme == "http" ? "plain HTTP is used only on this computer; the server needs an https:// address"
                           : "not an http(s) address";
    return false;
}

std::string ResolveUrl(const std::string& base, const std::string& ref) {
    const UrlHandle u = Parse(base);
    if (!u || curl_url_set(u.get(), CURLUPART_URL, ref.c_str(), CURLU_NON_SUPPORT_SCHEME) != CURLUE_OK) return {};
    return Part(u.get(), CURLUPART_URL);
}

std::string OriginOf(const std::string& url) {
    const UrlHandle u = Parse(url);
    if (!u) return {};
    return platform::ToLowerAscii(Part(u.get(), CURLUPART_SCHEME)) + "://" +
           platform::ToLowerAscii(Part(u.get(), CURLUPART_HOST)) + ":" +
           Part(u.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
}

std::string PathOf(const std::string& url) {
    const UrlHandle u = Parse(url);
    return u ? Part(u.get(), CURLUPART_PATH) : std::string();
}

std::string HostOf(const std::string& url) {
    const UrlHandle u = Parse(url);
    return u ? platform::ToLowerAscii(Part(u.get(), CURLUPART_HOST)) : std::string();
}

bool SameResource(const std::string& a, const std::string& b) {
    const UrlHandle ua = Parse(a), ub = Parse(b);
    if (!ua || !ub || OriginOf(a) != OriginOf(b)) return false;
    auto path = [](CURLU* u) {
        std::string p = PercentDecode(Part(u, CURLUPART_PATH));
        while (p.size() > 1 && p.back() == '/') p.pop_back();
        return p;
    };
    return path(ua.get()) == path(ub.get());
}

std::string PercentEncode(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string PercentDecode(std::string_view text) {
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && value(text[i + 1]) >= 0 && value(text[i + 2]) >= 0) {
            out += static_cast<char>(value(text[i + 1]) * 16 + value(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string QueryValue(const std::string& target, const std::string& name) {
    std::size_t start = target.find('?');
    start = start == std::string::npos ? 0 : start + 1;
    const std::string query = target.substr(start, target.find('#', start) - start);
    std::size_t i = 0;
    while (i <= query.size()) {
        std::size_t end = query.find('&', i);
        if (end == std::string::npos) end = query.size();
        const std::string pair = query.substr(i, end - i);
        const std::size_t eq = pair.find('=');
        if (PercentDecode(pair.substr(0, eq)) == name) {
            std::string value = eq == std::string::npos ? std::string() : pair.substr(eq + 1);
            for (char& c : value)
                if (c == '+') c = ' ';
            return PercentDecode(value);
        }
        i = end + 1;
    }
    return {};
}

}  // namespace dav
