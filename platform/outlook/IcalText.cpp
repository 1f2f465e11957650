#include "platform/outlook/IcalText.h"

#include "platform/text/AsciiCase.h"

namespace platform::outlook {

namespace {

// The logical lines of a text: folded lines joined, any line end accepted.
std::vector<std::string> Unfold(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty())
            lines.back().append(line.substr(1));
        else if (!line.empty())
            lines.emplace_back(line);
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    return lines;
}

// Splits a content line into name, parameters and value; false when it has
// no value part.
bool SplitLine(const std::string& line, RawProperty& out) {
    std::size_t nameEnd = line.find_first_of(";:");
    if (nameEnd == std::string::npos || nameEnd == 0) return false;
    bool quoted = false;
    std::size_t colon = std::string::npos;
    for (std::size_t i = nameEnd; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string::npos) return false;
    std::string name = ToUpperAscii(std::string_view(line).substr(0, nameEnd));
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(0, dot + 1);
    out.name = std::move(name);
    out.params = line.substr(nameEnd, colon - nameEnd);
    out.value = line.substr(colon + 1);
    return true;
}

}  // namespace

std::vector<RawProperty> RawComponentProperties(std::string_view text, std::string_view component) {
    const std::string wanted = ToUpperAscii(component);
    std::vector<std::string> stack;
    std::vector<RawProperty> current;
    bool inWanted = false, hasRecurrenceId = false;
    std::size_t depth = 0;  // of the component being read
    for (const std::string& line : Unfold(text)) {
        RawProperty p;
        if (!SplitLine(line, p)) continue;
        if (p.name == "BEGIN") {
            const std::string what = ToUpperAscii(p.value);
            const bool top = stack.empty() || (stack.size() == 1 && stack[0] == "VCALENDAR");
            stack.push_back(what);
            if (top && what == wanted) {
                inWanted = true;
                depth = stack.size();
                hasRecurrenceId = false;
                current.clear();
            }
            continue;
        }
        if (p.name == "END") {
            if (stack.empty()) continue;
            stack.pop_back();
            const bool top = stack.empty() || (stack.size() == 1 && stack[0] == "VCALENDAR");
            if (inWanted && top) {
                inWanted = false;
                if (!hasRecurrenceId) return current;
            }
            continue;
        }
        if (!inWanted || stack.size() != depth) continue;
        if (p.name == "RECURRENCE-ID") hasRecurrenceId = true;
        current.push_back(std::move(p));
    }
    return {};
}

const RawProperty* FindRaw(const std::vector<RawProperty>& props, std::string_view name) {
    for (const RawProperty& p : props)
        if (p.name == name) return &p;
    return nullptr;
}

std::string UnescapeText(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        const char next = raw[++i];
        if (next == 'n' || next == 'N')
            out += '\n';
        else if (next == '\\' || next == ';' || next == ',')
            out += next;
        else {
            out += '\\';
            out += next;
        }
    }
    return out;
}

std::vector<std::string> SplitTextList(std::string_view raw) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= raw.size(); ++i) {
        if (i < raw.size() && raw[i] == '\\') {
            ++i;
            continue;
        }
        if (i == raw.size() || raw[i] == ',') {
            items.push_back(UnescapeText(raw.substr(start, i - start)));
            start = i + 1;
        }
    }
    return items;
}

std::string BreaksToLf(std::string_view text, std::string& code) {
    std::string out, kinds;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            kinds += 'B';
            ++i;
        } else if (text[i] == '\r') {
            kinds += 'C';
        } else if (text[i] == '\n') {
            kinds += 'L';
        } else {
            out += text[i];
            continue;
        }
        out += '\n';
    }
    code.clear();
    if (kinds.find_first_not_of('B') == std::string::npos) return out;
    if (kinds.find_first_not_of('L') == std::string::npos)
        code = "LF";
    else if (kinds.find_first_not_of('C') == std::string::npos)
        code = "CR";
    else
        code = kinds;
    return out;
}

std::string BreaksFromLf(std::string_view text, std::string_view code) {
    std::size_t breaks = 0;
    for (char c : text) breaks += c == '\n' ? 1 : 0;
    const std::string upper = ToUpperAscii(code);
    const bool sequence =
        upper != "LF" && upper != "CR" && upper.size() == breaks && upper.find_first_not_of("BLC") == std::string::npos;
    std::string out;
    out.reserve(text.size() + breaks);
    std::size_t n = 0;
    for (char c : text) {
        if (c != '\n') {
            out += c;
            continue;
        }
        const char kind = sequence ? upper[n] : upper == "LF" ? 'L' : upper == "CR" ? 'C' : 'B';
        ++n;
        out += kind == 'L' ? "\n" : kind == 'C' ? "\r" : "\r\n";
    }
    return out;
}

}  // namespace platform::outlook
