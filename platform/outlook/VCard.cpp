#include "platform/outlook/VCard.h"

#include <cstddef>

#include "platform/text/AsciiCase.h"
#include "platform/text/CodeConverter.h"
#include "platform/text/Utf8.h"

namespace platform::outlook {

namespace {

// True when every character is UTF-8: no overlong form, no surrogate,
// nothing beyond U+10FFFF.
bool ValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t at = i;
        if (DecodeUtf8(s, i) == 0xFFFD && s.compare(at, 3, "\xEF\xBF\xBD") != 0) return false;
    }
    return true;
}

// Bytes of a legacy 8-bit text taken as windows-1252, the default of the
// Windows programs that write such cards; the five bytes that code page
// leaves undefined keep their ISO 8859-1 meaning.
std::string Windows1252ToUtf8(std::string_view s) {
    static constexpr unsigned short k80to9F[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
    };
    std::string out;
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        AppendUtf8(out, c >= 0x80 && c < 0xA0 ? k80to9F[c - 0x80] : char32_t{c});
    }
    return out;
}

bool IsUtf8Name(std::string_view name) {
    return EqualsNoCase(name, "UTF-8") || EqualsNoCase(name, "UTF8") || EqualsNoCase(name, "US-ASCII") ||
           EqualsNoCase(name, "ASCII");
}

// A value's bytes as UTF-8: converted from the character set its CHARSET
// parameter names; without one (or with one the system does not know)
// kept when they are UTF-8 already, else taken as windows-1252.
std::string ValueToUtf8(const VCardLine& line, std::string value) {
    const std::string charset = line.Param("CHARSET");
    if (!charset.empty() && !IsUtf8Name(charset)) {
        CodeConverter converter;
        std::string out;
        if (converter.Open("UTF-8", charset)) {
            converter.Convert(value, out, "\xEF\xBF\xBD");
            return out;
        }
    }
    if (ValidUtf8(value)) return value;
    return Windows1252ToUtf8(value);
}

std::string DecodeQuotedPrintable(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '=') {
            if (i + 2 < s.size() && HexDigitValue(s[i + 1]) >= 0 && HexDigitValue(s[i + 2]) >= 0) {
                out += static_cast<char>(HexDigitValue(s[i + 1]) * 16 + HexDigitValue(s[i + 2]));
                i += 2;
                continue;
            }
            if (i + 1 == s.size()) break;  // a soft break left at the end
        }
        out += s[i];
    }
    return out;
}

// Hands each part of "a;b;c", split at separators outside double quotes,
// to `take` until it answers true; whether it did.
template <class Take>
bool ForEachOutsideQuotes(std::string_view s, char sep, Take&& take) {
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') {
            quoted = !quoted;
        } else if (s[i] == sep && !quoted) {
            if (take(s.substr(start, i - start))) return true;
            start = i + 1;
        }
    }
    return take(s.substr(start));
}

std::string Unquote(std::string_view v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return std::string(v);
}

bool IsQuotedPrintable(const VCardLine& l) {
    for (const VCardParam& p : l.params) {
        if (p.name == "ENCODING" && !p.values.empty() && EqualsNoCase(p.values[0], "QUOTED-PRINTABLE")) return true;
        if (p.name.empty() && !p.values.empty() && EqualsNoCase(p.values[0], "QUOTED-PRINTABLE")) return true;
    }
    return false;
}

// Where the value of an unfolded content line starts: after the first
// colon outside quotes; npos when there is none.
std::size_t ValueStart(std::string_view text) {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == ':' && !quoted)
            return i + 1;
    }
    return std::string_view::npos;
}

// Parses one unfolded content line; false when it has no name or no colon.
bool ParseLine(std::string_view text, VCardLine& out) {
    const std::size_t start = ValueStart(text);
    if (start == std::string_view::npos) return false;
    const std::size_t colon = start - 1;
    const std::string_view head = text.substr(0, colon);
    out.value = std::string(text.substr(colon + 1));
    out.line = std::string(text);
    // The first part names the line; the others are its parameters.
    bool named = false;
    ForEachOutsideQuotes(head, ';', [&](std::string_view part) {
        if (!named) {
            std::string_view name = part;
            if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) {
                out.group = std::string(name.substr(0, dot));
                name = name.substr(dot + 1);
            }
            while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
            if (name.empty()) return true;
            out.name = ToUpperAscii(name);
            named = true;
            return false;
        }
        VCardParam p;
        const std::size_t eq = part.find('=');
        std::string_view values = part;
        if (eq != std::string_view::npos && part.substr(0, eq).find('"') == std::string_view::npos) {
            p.name = ToUpperAscii(part.substr(0, eq));
            values = part.substr(eq + 1);
        }
        ForEachOutsideQuotes(values, ',', [&](std::string_view v) {
            p.values.push_back(Unquote(v));
            return false;
        });
        out.params.push_back(std::move(p));
        return false;
    });
    if (!named) return false;
    if (IsQuotedPrintable(out)) out.value = DecodeQuotedPrintable(out.value);
    out.value = ValueToUtf8(out, std::move(out.value));
    return true;
}

// The head is found as ParseLine finds it, colons inside quotes skipped.
bool IsQuotedPrintableHead(std::string_view line) {
    const std::size_t start = ValueStart(line);
    const std::string_view head = start == std::string_view::npos ? line : line.substr(0, start - 1);
    return ContainsNoCase(head, "QUOTED-PRINTABLE");
}

// The logical lines of a text: folded lines joined, quoted-printable soft
// breaks joined; each with the span of text it was read from.
std::vector<SourceLine> LogicalLines(std::string_view text, std::size_t pos) {
    std::vector<SourceLine> lines;
    bool continueQp = false;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view physical = text.substr(pos, end - pos);
        if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);
        if (!lines.empty() && continueQp) {
            lines.back().text.pop_back();  // the soft break's '='
            lines.back().text.append(physical);
            lines.back().end = next;
        } else if (!lines.empty() && !physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
            lines.back().text.append(physical.substr(1));
            lines.back().end = next;
        } else {
            lines.push_back({std::string(physical), pos, next});
        }
        pos = next;
        const std::string& last = lines.back().text;
        continueQp = !last.empty() && last.back() == '=' && IsQuotedPrintableHead(last);
    }
    if (continueQp) {
        // A soft break with nothing after it means nothing; an "=" left
        // before it stood for itself and is written so that it cannot be
        // taken for a soft break.
        lines.back().openSoftBreak = true;
        std::string& last = lines.back().text;
        last.pop_back();
        if (!last.empty() && last.back() == '=') {
            last.pop_back();
            last += "=3D";
        }
    }
    return lines;
}

}  // namespace

bool ParseContentLine(std::string_view text, VCardLine& out) { return ParseLine(text, out); }

std::vector<SourceLine> SourceLines(std::string_view text) {
    const bool bom = text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF";
    return LogicalLines(text, bom ? 3 : 0);
}

bool VCardLine::QuotedPrintable() const { return IsQuotedPrintable(*this); }

std::string LineHead(const VCardLine& line, const std::vector<std::string>& drop) {
    const std::size_t start = ValueStart(line.line);
    const std::string_view head = std::string_view(line.line).substr(0, start == std::string::npos ? 0 : start - 1);
    std::string out;
    bool named = false;
    ForEachOutsideQuotes(head, ';', [&](std::string_view part) {
        if (!named) {
            named = true;
            out = part;
            return false;
        }
        const std::size_t eq = part.find('=');
        // A bare 2.1 parameter is known by its value, as "QUOTED-PRINTABLE".
        const std::string key = ToUpperAscii(eq == std::string_view::npos ? part : part.substr(0, eq));
        bool dropped = false;
        for (const std::string& d : drop) dropped = dropped || key == d;
        if (!dropped) {
            out += ';';
            out.append(part);
        }
        return false;
    });
    return out;
}

std::vector<std::string> SplitRaw(std::string_view raw, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\') {
            ++i;
        } else if (raw[i] == separator) {
            parts.emplace_back(raw.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.emplace_back(raw.substr(start < raw.size() ? start : raw.size()));
    return parts;
}

std::string QuotedPrintableLine(std::string_view head, std::string_view value) {
    std::string encoded;
    static const char* hex = "0123456789ABCDEF";
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        // Blanks are encoded too: a physical line must not start with one,
        // which some readers take for a folded line.
        if (c >= 33 && c <= 126 && c != '=') {
            encoded += static_cast<char>(c);
        } else {
            encoded += '=';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        }
    }
    std::string out(head);
    out += ':';
    std::size_t room = out.size() < 71 ? 75 - out.size() : 4;
    std::size_t i = 0;
    while (encoded.size() - i > room) {
        // A soft break never splits an "=XX" triplet.
        std::size_t take = room - 1;
        if (encoded[i + take - 1] == '=')
            take -= 1;
        else if (take >= 2 && encoded[i + take - 2] == '=')
            take -= 2;
        out.append(encoded, i, take);
        out += "=\r\n";
        i += take;
        room = 75;
    }
    out.append(encoded, i, std::string::npos);
    out += "\r\n";
    return out;
}

namespace {

// Hands each type of a line to `visit` as written (TYPE values, values of
// parameters without a name, and PREF for a PREF parameter) until it
// answers true; whether it did.
template <class Visit>
bool VisitTypes(const std::vector<VCardParam>& params, Visit&& visit) {
    for (const VCardParam& p : params) {
        if (p.name == "TYPE" || p.name.empty()) {
            for (const std::string& v : p.values)
                if (ForEachOutsideQuotes(v, ',', [&](std::string_view t) { return !t.empty() && visit(t); }))
                    return true;
        } else if (p.name == "PREF" && visit(std::string_view("PREF"))) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> VCardLine::Types() const {
    std::vector<std::string> types;
    VisitTypes(params, [&](std::string_view t) {
        types.push_back(ToUpperAscii(t));
        return false;
    });
    return types;
}

bool VCardLine::HasType(std::string_view type) const {
    return VisitTypes(params, [&](std::string_view t) { return EqualsNoCase(t, type); });
}

std::string VCardLine::Param(std::string_view name) const {
    for (const VCardParam& p : params)
        if (EqualsNoCase(p.name, name) && !p.values.empty()) return p.values[0];
    return std::string();
}

std::vector<VCard> ParseVCards(std::string_view text) {
    std::vector<VCard> cards;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    VCard* current = nullptr;
    for (const SourceLine& logical : LogicalLines(text, 0)) {
        VCardLine line;
        if (!ParseLine(logical.text, line)) continue;
        if (line.name == "BEGIN" && EqualsNoCase(line.value, "VCARD")) {
            // A card that begins before the last one ended ends that one.
            cards.emplace_back();
            current = &cards.back();
            continue;
        }
        if (current == nullptr) continue;
        if (line.name == "END" && EqualsNoCase(line.value, "VCARD")) {
            current = nullptr;
            continue;
        }
        if (line.name == "VERSION" && line.group.empty() && current->version.empty()) {
            current->version = line.value;
            continue;
        }
        current->lines.push_back(std::move(line));
    }
    return cards;
}

std::string EscapeText(std::string_view text, bool escapeComma) {
    std::string out;
    out.reserve(text.size() + 8);
    std::size_t plain = 0;  // the start of the bytes not yet copied
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Letters, digits and most punctuation lie above ';' and are copied
        // as they come, in runs.
        if (c > ';' && c != '\\') continue;
        if (c != '\\' && c != ';' && !(c == ',' && escapeComma) && c != '\r' && c != '\n') continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && plain < text.size() && text[plain] == '\n') {  // CR LF: one break
                ++plain;
                ++i;
            }
            out += "\\n";
        } else {
            out += '\\';
            out += c;
        }
    }
    out.append(text, plain);
    return out;
}

std::string UnescapeText(std::string_view text, bool crlf) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char n = text[++i];
            if (n == 'n' || n == 'N')
                out += crlf ? "\r\n" : "\n";
            else
                out += n;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> SplitValue(std::string_view raw, char separator, bool crlf) {
    std::vector<std::string> parts;
    for (const std::string& part : SplitRaw(raw, separator)) parts.push_back(UnescapeText(part, crlf));
    return parts;
}

std::string FoldLine(std::string_view line) {
    int qp = -1;  // whether the line is quoted-printable, once asked
    std::string out;
    out.reserve(line.size() + line.size() / 70 * 3 + 2);
    std::size_t room = 75;
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t take = line.size() - i < room ? line.size() - i : room;
        const std::size_t rest = line.size() - i;
        if (take < rest) {
            // Step back to the start of a character (a run of more than three
            // continuation bytes is no UTF-8; it is cut where the room ends).
            std::size_t t = take;
            for (int k = 0; k < 3 && t > 1 && (static_cast<unsigned char>(line[i + t]) & 0xC0) == 0x80; ++k) --t;
            if ((static_cast<unsigned char>(line[i + t]) & 0xC0) == 0x80) t = take;
            // In a quoted-printable line a physical line must not end with
            // "=", which would read as a soft break.
            if (qp < 0) qp = IsQuotedPrintableHead(line) ? 1 : 0;
            if (qp == 1) {
                while (t > 1 && line[i + t - 1] == '=') --t;
                if (line[i + t - 1] == '=')
                    while (t < rest && line[i + t - 1] == '=') ++t;
            }
            take = t;
        }
        out.append(line.substr(i, take));
        i += take;
        if (i < line.size()) {
            out += "\r\n ";
            room = 74;
        }
    }
    out += "\r\n";
    return out;
}

std::string FormatLine(std::string_view name, const std::vector<VCardParam>& params, std::string_view value,
                       std::string_view group) {
    std::string line;
    if (!group.empty()) {
        line.append(group);
        line += '.';
    }
    line.append(name);
    for (const VCardParam& p : params) {
        line += ';';
        if (!p.name.empty()) {
            line += p.name;
            line += '=';
        }
        for (std::size_t k = 0; k < p.values.size(); ++k) {
            if (k > 0) line += ',';
            const std::string& v = p.values[k];
            const bool quote = v.find_first_of(":;,") != std::string::npos;
            if (quote) line += '"';
            for (char c : v)
                if (c != '"' && c != '\r' && c != '\n') line += c;
            if (quote) line += '"';
        }
    }
    line += ':';
    line.append(value);
    return FoldLine(line);
}

}  // namespace platform::outlook
