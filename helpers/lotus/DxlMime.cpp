#include "helpers/lotus/DxlMime.h"

#include <cstdint>

#include "common/misc/Base64.h"
#include "helpers/lotus/HtmlText.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/AsciiSpace.h"
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
        if (eq != std::string_view::npos &&
            platform::EqualsNoCase(platform::TrimAsciiSpace(segment.substr(0, eq)), name)) {
            std::string_view v = platform::TrimAsciiSpace(value.substr(at + 1 + eq + 1));
            if (!v.empty() && v.front() == '"') {
                v.remove_prefix(1);
                return std::string(v.substr(0, v.find('"')));
            }
            return std::string(platform::TrimAsciiSpace(v.substr(0, v.find(';'))));
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
        const std::string_view name = platform::TrimAsciiSpace(std::string_view(line).substr(0, colon));
        const std::string_view value = platform::TrimAsciiSpace(std::string_view(line).substr(colon + 1));
        if (platform::EqualsNoCase(name, "Content-Type")) {
            part.type = platform::ToLowerAscii(platform::TrimAsciiSpace(value.substr(0, value.find(';'))));
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
    text = platform::TrimAsciiSpace(text);
    if (text.empty()) return;
    if (!out.empty()) out += '\n';
    out += text;
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
    typeAttribute = platform::TrimAsciiSpace(typeAttribute);
    if (typeAttribute.empty() || typeAttribute.size() > 8) return false;
    unsigned value = 0;
    for (char c : typeAttribute) {
        const int digit = platform::HexDigitValue(c);
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value == kMimePartItemType;
}

std::string MimePartsText(const std::vector<std::string>& rawParts) {
    std::string plain, html;
    for (const std::string& raw : rawParts) {
        Part part;
        if (!ReadPart(raw, part) || part.attachment) continue;
        if (part.type == "text/plain")
            AppendParagraph(plain, PartText(part));
        else if (part.type == "text/html")
            AppendParagraph(html, HtmlToText(PartText(part)));
    }
    return plain.empty() ? html : plain;
}

}  // namespace lotus_helper
