#include "platform/profile/PrivateProfile.h"

#include <fstream>
#include <sstream>

#include "platform/file/AtomicFile.h"
#include "platform/paths/Paths.h"
#include "platform/text/AsciiCase.h"

namespace platform {

namespace {

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

// The section name of a "[name]" line, or nothing for other lines.
std::optional<std::string_view> SectionOf(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// Splits a "key=value" line; false for lines without an equals sign.
bool SplitKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return true;
}

}  // namespace

void ProfileDocument::Parse(std::string_view text) {
    m_lines.clear();
    m_crlf = false;
    std::size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        const bool hadCr = !line.empty() && line.back() == '\r';
        if (hadCr) line.remove_suffix(1);
        if (first && end != std::string_view::npos) m_crlf = hadCr;
        first = false;
        m_lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
}

bool ProfileDocument::Load(const std::string& path) {
    m_lines.clear();
    std::ifstream in(ResolvePath(path), std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    Parse(ss.str());
    return true;
}

std::string ProfileDocument::Text() const {
    std::string out;
    const char* eol = m_crlf ? "\r\n" : "\n";
    for (const auto& line : m_lines) {
        out += line;
        out += eol;
    }
    return out;
}

bool ProfileDocument::Save(const std::string& path) const {
    // Settings and exchange files hold account data: the owner's only,
    // also when the file replaced was readable by others.
    file::AtomicOptions options;
    options.mode = 0600;
    return file::WriteFileAtomically(ResolvePath(path), Text(), options);
}

std::optional<std::string> ProfileDocument::Get(std::string_view section, std::string_view key) const {
    const std::string_view wantKey = Trim(key);
    bool inSection = false;
    for (const auto& line : m_lines) {
        if (auto name = SectionOf(line)) {
            inSection = EqualsNoCase(*name, Trim(section));
            continue;
        }
        std::string_view k, v;
        if (!inSection || !SplitKeyLine(line, k, v) || !EqualsNoCase(k, wantKey)) continue;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return std::string(v);
    }
    return std::nullopt;
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string newLine = std::string(Trim(key)) + "=" + std::string(value);
    bool inSection = false;
    std::size_t insertAt = 0;  // after the last non-blank line of the section
    bool sectionFound = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (auto name = SectionOf(m_lines[i])) {
            if (sectionFound && inSection) break;  // the section ended
            inSection = EqualsNoCase(*name, Trim(section));
            if (inSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        std::string_view k, v;
        if (SplitKeyLine(m_lines[i], k, v) && EqualsNoCase(k, Trim(key))) {
            m_lines[i] = newLine;
            return;
        }
        if (!Trim(m_lines[i]).empty()) insertAt = i + 1;
    }
    if (sectionFound) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
        return;
    }
    if (!m_lines.empty() && !Trim(m_lines.back()).empty()) m_lines.emplace_back();
    m_lines.push_back("[" + std::string(Trim(section)) + "]");
    m_lines.push_back(newLine);
}

std::optional<std::string> ReadProfileString(const std::string& path, std::string_view section, std::string_view key) {
    ProfileDocument doc;
    if (!doc.Load(path)) return std::nullopt;
    return doc.Get(section, key);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileDocument doc;
    doc.Load(path);  // a missing file starts empty
    doc.Set(section, key, value);
    return doc.Save(path);
}

}  // namespace platform
