#include "helpers/lotus/DxlMime.h"

#include <cstdint>

#include "common/misc/Base64.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/CodeConverter.h"
#include "platform/text/LittleEndian.h"
#include "platform/text/Utf8.h"

namespace lotus_helper {

namespace {

// The MIME_PART structure (little-endian, packed).
constexpr std::size_t kPartHeaderSize = 20;
constexpr std::size_t kFlagsAt = 2, kPartTypeAt = 6, kByteCountAt = 8, kBoundaryLenAt = 10, kHeadersLenAt = 12;
constexpr std::uint32_t kHasBoundary = 0x1, kHasHeaders = 0x2, kBodyInObject = 0x4;
constexpr unsigned kPartEpilog = 3, kPartRetrieveInfo = 4;
constexpr unsigned kMimePartItemType = 25;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

struct Part {
    std::string type = "text/plain";  // lower case, without parameters
    std::string charset;
    std::string encoding;  // Content-Transfer-Encoding, lower case
    bool attachment = false;
    std::string_view content;
};

// A parameter of a header value ("charset=utf-8", "charset=\"utf-8\"").
std::string Parameter(std::string_view value, std::string_view name) {
    std::size_t at = value.find(';');
    while (at != std::string_view::npos) {
        const std::size_t next = value.find(';', at + 1);
        const std::string_view segment = value.substr(at + 1, next == std::string_view::npos ? next : next - at - 1);
        const std::size_t eq = segment.find('=');
        if (eq != std::string_view::npos && platform::EqualsNoCase(Trim(segment.substr(0, eq)), name)) {
            std::string_view v = Trim(value.substr(at + 1 + eq + 1));
            if (!v.empty() && v.front() == '"') {
                v.remove_prefix(1);
                return std::string(v.substr(0, v.find('"')));
            }
            return std::string(Trim(v.substr(0, v.find(';'))));
        }
        at = next;
    }
    return {};
}

// Reads the headers of a part (folded lines joined) into `part`.
void ReadHeaders(std::string_view headers, Part& part) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < headers.size()) {
        std::size_t to = headers.find('\n', from);
        if (to == std::string_view::npos) to = headers.size();
        std::string_view line = headers.substr(from, to - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t') && !lines.empty())
            lines.back() += line;
        else if (!line.empty())
            lines.emplace_back(line);
        from = to + 1;
    }
    for (const std::string& line : lines) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string_view name = Trim(std::string_view(line).substr(0, colon));
        const std::string_view value = Trim(std::string_view(line).substr(colon + 1));
        if (platform::EqualsNoCase(name, "Content-Type")) {
            part.type = platform::ToLowerAscii(Trim(value.substr(0, value.find(';'))));
            part.charset = Parameter(value, "charset");
        } else if (platform::EqualsNoCase(name, "Content-Transfer-Encoding")) {
            part.encoding = platform::ToLowerAscii(value);
        } else if (platform::EqualsNoCase(name, "Content-Disposition")) {
            part.attachment = platform::StartsWithNoCase(value, "attachment");
        }
    }
}

// The part a raw MIME_PART item holds; false for parts without readable
// content of their own.
bool ReadPart(std::string_view raw, Part& part) {
    const platform::LittleEndianReader in(raw);
    if (raw.size() < kPartHeaderSize) return false;
    const std::uint32_t flags = *in.U32(kFlagsAt);
    const unsigned partType = static_cast<unsigned char>(raw[kPartTypeAt]);
    if (partType == kPartEpilog || partType == kPartRetrieveInfo) return false;
    std::string_view data = raw.substr(kPartHeaderSize);
    data = data.substr(0, *in.U16(kByteCountAt));
    const std::size_t boundary = (flags & kHasBoundary) ? *in.U16(kBoundaryLenAt) : 0;
    const std::size_t headers = (flags & kHasHeaders) ? *in.U16(kHeadersLenAt) : 0;
    if (boundary + headers > data.size()) return false;
    ReadHeaders(data.substr(boundary, headers), part);
    // The content lies in an attachment of the document, which the export
    // does not give with the item.
    if (flags & kBodyInObject) return false;
    part.content = data.substr(boundary + headers);
    return true;
}

std::string DecodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i];
            continue;
        }
        // A soft line break: "=" at the end of a line, maybe after spaces.
        std::size_t j = i + 1;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t')) ++j;
        if (j == text.size() || text[j] == '\r' || text[j] == '\n') {
            if (j < text.size() && text[j] == '\r') ++j;
            if (j < text.size() && text[j] == '\n') ++j;
            i = j - 1;
            continue;
        }
        const int high = i + 2 < text.size() ? platform::HexDigitValue(text[i + 1]) : -1;
        const int low = high >= 0 ? platform::HexDigitValue(text[i + 2]) : -1;
        if (low < 0) {
            out += '=';  // not an escape: kept as written
            continue;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

// Bytes that are no UTF-8 become U+FFFD.
std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) platform::AppendUtf8(out, platform::DecodeUtf8(text, i));
    return out;
}

std::string ToUtf8(std::string_view bytes, const std::string& charset) {
    const std::string lower = platform::ToLowerAscii(charset);
    if (lower.empty() || lower == "utf-8" || lower == "utf8" || lower == "us-ascii") return ValidUtf8(bytes);
    platform::CodeConverter converter;
    if (!converter.Open("UTF-8", charset)) return ValidUtf8(bytes);
    std::string out;
    converter.Convert(bytes, out, "\xEF\xBF\xBD");
    return out;
}

std::string PartText(const Part& part) {
    std::string bytes;
    if (part.encoding == "base64")
        bytes = DecodeBase64Lines(part.content);
    else if (part.encoding == "quoted-printable")
        bytes = DecodeQuotedPrintable(part.content);
    else
        bytes = std::string(part.content);
    return ToUtf8(bytes, part.charset);
}

void AppendParagraph(std::string& out, std::string_view text) {
    text = Trim(text);
    if (text.empty()) return;
    if (!out.empty()) out += '\n';
    out += text;
}

// LF line ends.
std::string UnixLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

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

}  // namespace

std::string DecodeBase64Lines(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n' && c != ' ' && c != '\t') compact += c;
    std::string bytes;
    Base64Decode(compact, bytes);
    return bytes;
}

bool IsMimePartType(std::string_view typeAttribute) {
    typeAttribute = Trim(typeAttribute);
    if (typeAttribute.empty() || typeAttribute.size() > 8) return false;
    unsigned value = 0;
    for (char c : typeAttribute) {
        const int digit = platform::HexDigitValue(c);
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value == kMimePartItemType;
}

std::string HtmlToText(std::string_view html) {
    std::string out;
    bool space = false;  // a space is due before the next word
    std::size_t i = 0;
    const auto newline = [&out, &space] {
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += '\n';
        space = false;
    };
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            if (html.compare(i, 4, "<!--") == 0) {
                const std::size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            const std::size_t end = html.find('>', i);
            if (end == std::string_view::npos) break;
            const std::string_view tag = html.substr(i + 1, end - i - 1);
            const std::string_view name = TagName(tag);
            i = end + 1;
            if (tag.empty() || tag.front() != '/') {
                // Content that is no text: skipped to its end tag.
                for (std::string_view skipped : {"style", "script", "head", "title"}) {
                    if (!NameIs(name, skipped)) continue;
                    const std::string close = "</" + std::string(skipped);
                    std::size_t at = i;
                    while (at < html.size() && !platform::StartsWithNoCase(html.substr(at), close)) ++at;
                    const std::size_t gt = html.find('>', at);
                    i = gt == std::string_view::npos ? html.size() : gt + 1;
                    break;
                }
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
        out += c;
        ++i;
    }
    // Paragraphs: runs of empty lines become one.
    std::string tidy;
    std::size_t from = 0;
    int empties = 0;
    while (from <= out.size()) {
        std::size_t to = out.find('\n', from);
        if (to == std::string::npos) to = out.size();
        const std::string_view line = Trim(std::string_view(out).substr(from, to - from));
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

std::string MimePartsText(const std::vector<std::string>& rawParts) {
    std::string plain, html;
    for (const std::string& raw : rawParts) {
        Part part;
        if (!ReadPart(raw, part) || part.attachment) continue;
        if (part.type == "text/plain")
            AppendParagraph(plain, UnixLines(PartText(part)));
        else if (part.type == "text/html")
            AppendParagraph(html, HtmlToText(PartText(part)));
    }
    return plain.empty() ? html : plain;
}

}  // namespace lotus_helper
