#include "common/records/CommCompare.h"

#include <cstdio>

#include "platform/text/AsciiCase.h"

namespace {

using platform::ToUpperAscii;
inline bool IsBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool CompareText(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return false;
    while (*a != '\0' && *b != '\0') {
        while (IsBreak(*a)) ++a;
        while (IsBreak(*b)) ++b;
        if (*a == '\0' && *b == '\0') return true;
        if (ToUpperAscii(*a) != ToUpperAscii(*b)) return false;
        ++a;
        ++b;
    }
    return *a == '\0' && *b == '\0';
}

bool EqualNoCase(const char* a, const char* b, std::size_t limit) {
    if (a == nullptr || b == nullptr) return false;
    for (std::size_t i = 0; i < limit; ++i) {
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
        if (a[i] == '\0') return true;
    }
    return true;
}

void AppendCompareTextKey(std::string& key, const char* text) {
    bool endsInBreak = false;
    for (const char* p = text; p && *p; ++p) {
        endsInBreak = IsBreak(*p);
        if (!endsInBreak) key.push_back(ToUpperAscii(*p));
    }
    key.push_back('\0');
    key.push_back(endsInBreak ? '1' : '0');
    key.push_back('\0');
}

void AppendNoCaseKey(std::string& key, const char* text, std::size_t limit) {
    for (std::size_t i = 0; text && i < limit && text[i] != '\0'; ++i) key.push_back(ToUpperAscii(text[i]));
    key.push_back('\0');
}

void AppendNumberKey(std::string& key, long long value) {
    char buf[24];
    const int n = std::snprintf(buf, sizeof buf, "%lld", value);
    key.append(buf, static_cast<std::size_t>(n));
    key.push_back('\0');
}
