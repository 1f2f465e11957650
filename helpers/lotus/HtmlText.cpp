#include "helpers/lotus/HtmlText.h"

#include <iterator>

#include "platform/text/AsciiCase.h"
#include "platform/text/AsciiSpace.h"
#include "platform/text/Utf8.h"

namespace lotus_helper {

namespace {

bool NameIs(std::string_view tag, std::string_view name) { return platform::EqualsNoCase(tag, name); }

// The element name of a tag's text ("p class=x" gives "p", "/p" gives "p").
std::string_view TagName(std::string_view tag) {
    if (!tag.empty() && tag.front() == '/') tag.remove_prefix(1);
    std::size_t end = 0;
    while (end < tag.size() && tag[end] != ' ' && tag[end] != '\t' && tag[end] != '\r' && tag[end] != '\n' &&
           tag[end] != '/' && tag[end] != '>')
        ++end;
    return tag.substr(0, end);
}

void AppendEntity(std::string& out, std::string_view entity) {
    static constexpr struct {
        std::string_view name;
        char32_t cp;
    } kNamed[] = {{"amp", U'&'},       {"lt", U'<'},         {"gt", U'>'},        {"quot", U'"'},
                  {"apos", U'\''},     {"nbsp", U' '},       {"copy", U'\xA9'},   {"reg", U'\xAE'},
                  {"euro", U'\x20AC'}, {"ndash", U'\x2013'}, {"mdash", U'\x2014'}};
    if (entity.size() > 1 && entity[0] == '#') {
        const bool hex = entity[1] == 'x' || entity[1] == 'X';
        const std::size_t first = hex ? 2 : 1;
        char32_t cp = 0;
        std::size_t i = first;
        for (; i < entity.size(); ++i) {
            const int digit = hex ? platform::HexDigitValue(entity[i])
                                  : (entity[i] >= '0' && entity[i] <= '9' ? entity[i] - '0' : -1);
            if (digit < 0) break;
            if (cp <= 0x10FFFF) cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(digit);
        }
        if (i == entity.size() && i > first) {
            if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
            platform::AppendUtf8(out, cp);
            return;
        }
    }
    for (const auto& named : kNamed)
        if (named.name == entity) return platform::AppendUtf8(out, named.cp);
    out += '&';
    out += entity;
    out += ';';
}

// The next place of a text (without regard to case) at or after a
// position, remembered: asked again from a position before the place found,
// it answers at once; "none" stays the answer for every later position.
class Ahead {
public:
    explicit Ahead(std::string_view what) : m_what(what) {}

    std::size_t From(std::string_view text, std::size_t from) {
        if (m_searched && (m_found == std::string_view::npos || m_found >= from)) return m_found;
        m_searched = true;
        m_found = std::string_view::npos;
        for (std::size_t at = from; at + m_what.size() <= text.size(); ++at) {
            if (platform::StartsWithNoCase(text.substr(at), m_what)) {
                m_found = at;
                break;
            }
        }
        return m_found;
    }

private:
    std::string_view m_what;
    bool m_searched = false;
    std::size_t m_found = std::string_view::npos;
};

// Whether the byte after a '<' starts a tag (a name, an end tag, a
// declaration); otherwise the '<' is text.
bool StartsTag(std::string_view html, std::size_t at) {
    if (at >= html.size()) return false;
    const char c = html[at];
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '/' || c == '!' || c == '?';
}

}  // namespace

std::string HtmlToText(std::string_view html) {
    std::string out;
    bool space = false;  // a space is due before the next word
    const auto newline = [&out, &space] {
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += '\n';
        space = false;
    };
    // Where the next '>' and the next end of each skipped element are, once
    // looked for: every search goes forward from the last, so that a text
    // of many unclosed tags costs no more than its length.
    Ahead tagEnd{">"};
    Ahead skippedEnds[] = {Ahead("</style"), Ahead("</script"), Ahead("</title")};
    constexpr std::string_view kSkipped[] = {"style", "script", "title"};
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<' && html.compare(i, 4, "<!--") == 0) {
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        const std::size_t end = c == '<' && StartsTag(html, i + 1) ? tagEnd.From(html, i) : std::string_view::npos;
        if (end != std::string_view::npos) {
            const std::string_view tag = html.substr(i + 1, end - i - 1);
            const std::string_view name = TagName(tag);
            i = end + 1;
            // Content that is no text is passed over to its end tag, when
            // it has one.
            for (std::size_t k = 0; k < std::size(kSkipped) && tag.front() != '/'; ++k) {
                if (!NameIs(name, kSkipped[k])) continue;
                const std::size_t close = skippedEnds[k].From(html, i);
                if (close != std::string_view::npos) {
                    const std::size_t gt = tagEnd.From(html, close);
                    i = gt == std::string_view::npos ? html.size() : gt + 1;
                }
                break;
            }
            if (NameIs(name, "br") || NameIs(name, "p") || NameIs(name, "div") || NameIs(name, "tr") ||
                NameIs(name, "li") || NameIs(name, "h1") || NameIs(name, "h2") || NameIs(name, "h3") ||
                NameIs(name, "table") || NameIs(name, "blockquote")) {
                // A line ends at a break, and before and after a block
                // unless it is empty.
                if (NameIs(name, "br") || (!out.empty() && out.back() != '\n')) newline();
            } else if (NameIs(name, "td") || NameIs(name, "th")) {
                space = !out.empty() && out.back() != '\n';
            }
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            space = !out.empty() && out.back() != '\n';
            ++i;
            continue;
        }
        if (space) out += ' ';
        space = false;
        if (c == '&') {
            // An entity is short: no search beyond its longest form.
            const std::size_t semi = html.substr(i, 12).find(';');
            if (semi != std::string_view::npos) {
                AppendEntity(out, html.substr(i + 1, semi - 1));
                i += semi + 1;
                continue;
            }
        }
        out += c;  // a '<' that starts no tag is text
        ++i;
    }
    // Paragraphs: runs of empty lines become one.
    std::string tidy;
    std::size_t from = 0;
    int empties = 0;
    while (from <= out.size()) {
        std::size_t to = out.find('\n', from);
        if (to == std::string::npos) to = out.size();
        const std::string_view line = platform::TrimAsciiSpace(std::string_view(out).substr(from, to - from));
        if (line.empty()) {
            ++empties;
        } else {
            if (!tidy.empty()) tidy += empties > 0 ? "\n\n" : "\n";
            tidy += line;
            empties = 0;
        }
        from = to + 1;
    }
    return tidy;
}

}  // namespace lotus_helper
