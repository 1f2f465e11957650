#pragma once
// Addresses as the DAV client uses them: which ones it may reach, hrefs
// resolved against the address they came from, and the pieces of a query.
#include <string>
#include <string_view>

namespace dav {

// True for an address the client may reach: HTTPS anywhere, plain HTTP
// only to the loopback interface (127.0.0.0/8, ::1, "localhost"). `why`
// says why not.
bool IsAllowedUrl(const std::string& url, std::string& why);
// `ref` (an absolute address, an absolute path or a relative reference)
// resolved against `base`; empty when either cannot be parsed.
std::string ResolveUrl(const std::string& base, const std::string& ref);
// The scheme, host and port of an absolute address ("https://host:443"),
// lower case; empty when it cannot be parsed.
std::string OriginOf(const std::string& url);
// The path of an absolute address, as written in it ("/a/b.vcf").
std::string PathOf(const std::string& url);
// The host name of an absolute address, lower case.
std::string HostOf(const std::string& url);
// True when two addresses name the same resource: same origin and the same
// path once percent escapes are decoded, a closing "/" aside.
bool SameResource(const std::string& a, const std::string& b);
// Percent-encodes everything but RFC 3986's unreserved characters.
std::string PercentEncode(std::string_view text);
std::string PercentDecode(std::string_view text);
// The decoded value of `name` in a query ("a=1&b=2", with or without a
// leading path and "?"); empty when absent.
std::string QueryValue(const std::string& target, const std::string& name);

}  // namespace dav
