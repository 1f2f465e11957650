#include "platform/text/AsciiCase.h"

namespace platform {

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    ToUpperAsciiInPlace(out);
    return out;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    ToLowerAsciiInPlace(out);
    return out;
}

void ToUpperAsciiInPlace(std::string& text) {
    for (char& c : text) c = ToUpperAscii(c);
}

void ToLowerAsciiInPlace(std::string& text) {
    for (char& c : text) c = ToLowerAscii(c);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;  // the common case, compared as a whole
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        // Bytes that differ are the same only as the two cases of a letter,
        // which differ in the bit 0x20 alone.
        const char lower = static_cast<char>(a[i] | 0x20);
        if (lower != static_cast<char>(b[i] | 0x20) || lower < 'a' || lower > 'z') return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at)
        if (EqualsNoCase(text.substr(at, part.size()), part)) return true;
    return false;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(ToLowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(ToLowerAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace platform
