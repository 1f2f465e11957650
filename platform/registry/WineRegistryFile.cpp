#include "platform/registry/WineRegistryFile.h"

#include "platform/text/AsciiCase.h"
#include "platform/text/Utf8.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

// Collects the decoded text: plain bytes pass through, escaped UTF-16 units
// become UTF-8, a surrogate pair is joined and a lone surrogate becomes
// U+FFFD.
class TextBuilder {
public:
    void Byte(char c) {
        FlushSurrogate();
        m_out.push_back(c);
    }
    void Unit(std::uint32_t unit) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            FlushSurrogate();
            m_high = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (m_high != 0) {
                AppendUtf8(m_out, 0x10000 + ((m_high - 0xD800) << 10) + (unit - 0xDC00));
                m_high = 0;
            } else {
                AppendUtf8(m_out, 0xFFFD);
            }
            return;
        }
        FlushSurrogate();
        AppendUtf8(m_out, unit);
    }
    std::string Take() {
        FlushSurrogate();
        return std::move(m_out);
    }

private:
    void FlushSurrogate() {
        if (m_high != 0) AppendUtf8(m_out, 0xFFFD);
        m_high = 0;
    }
    std::string m_out;
    std::uint32_t m_high = 0;
};

// Decodes an escaped text that starts at `pos` and ends at the first
// unescaped `terminator`; `pos` is left after the terminator. Nothing when
// the line ends first.
std::optional<std::string> ParseEscaped(std::string_view line, std::size_t& pos, char terminator) {
    TextBuilder text;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == terminator) return text.Take();
        if (c != '\\') {
            text.Byte(c);
            continue;
        }
        if (pos >= line.size()) return std::nullopt;
        const char e = line[pos++];
        switch (e) {
        case 'a': text.Unit(0x07); break;
        case 'b': text.Unit(0x08); break;
        case 'e': text.Unit(0x1B); break;
        case 'f': text.Unit(0x0C); break;
        case 'n': text.Unit(0x0A); break;
        case 'r': text.Unit(0x0D); break;
        case 't': text.Unit(0x09); break;
        case 'v': text.Unit(0x0B); break;
        case 'x': {
            std::uint32_t unit = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && HexDigitValue(line[pos]) >= 0) {
                unit = unit * 16 + static_cast<std::uint32_t>(HexDigitValue(line[pos++]));
                ++digits;
            }
            if (digits == 0)
                text.Byte('x');
            else
                text.Unit(unit);
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                std::uint32_t unit = static_cast<std::uint32_t>(e - '0');
                for (int i = 0; i < 2 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++i)
                    unit = unit * 8 + static_cast<std::uint32_t>(line[pos++] - '0');
                text.Unit(unit);
            } else {
                text.Byte(e);
            }
            break;
        }
    }
    return std::nullopt;
}

bool EndsWithBackslash(std::string_view line) { return !line.empty() && line.back() == '\\'; }

}  // namespace

std::string WineRegistryFile::NormalizeKey(std::string_view keyPath) {
    std::string out;
    out.reserve(keyPath.size());
    for (char c : keyPath) {
        if (c == '\\') {
            if (!out.empty() && out.back() != '\\') out.push_back('\\');
        } else {
            out.push_back(ToLowerAscii(c));
        }
    }
    if (!out.empty() && out.back() == '\\') out.pop_back();
    return out;
}

bool WineRegistryFile::Parse(std::string_view text) {
    m_keys.clear();
    std::size_t pos = 0;
    bool first = true;
    bool continuation = false;
    Values* current = nullptr;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (first) {
            first = false;
            if (line.substr(0, kHeader.size()) != kHeader) return false;
            continue;
        }
        if (continuation) {  // the rest of a hex value spread over lines
            continuation = EndsWithBackslash(line);
            continue;
        }
        if (line.empty()) continue;
        const char lead = line.front();
        if (lead == '[') {
            std::size_t at = 1;
            std::optional<std::string> name = ParseEscaped(line, at, ']');
            current = name ? &m_keys[NormalizeKey(*name)] : nullptr;
            continue;
        }
        if (lead != '"' && lead != '@') continue;  // comments, options and stray lines
        std::size_t at = 1;
        std::string valueName;
        if (lead == '"') {
            std::optional<std::string> name = ParseEscaped(line, at, '"');
            if (!name) continue;
            valueName = ToLowerAscii(*name);
        }
        if (at >= line.size() || line[at] != '=') continue;
        ++at;
        std::string_view data = line.substr(at);
        std::size_t textStart = std::string_view::npos;
        if (data.substr(0, 1) == "\"")
            textStart = at + 1;
        else if (data.substr(0, 8) == "str(2):\"")
            textStart = at + 8;
        if (textStart == std::string_view::npos) {
            continuation = EndsWithBackslash(line);
            if (current) current->erase(valueName);  // a later non-text value replaces a text
            continue;
        }
        std::size_t valuePos = textStart;
        std::optional<std::string> value = ParseEscaped(line, valuePos, '"');
        if (value && current) (*current)[valueName] = std::move(*value);
    }
    return !first;
}

bool WineRegistryFile::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_keys.clear();
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(text);
}

std::optional<std::string> WineRegistryFile::Get(std::string_view keyPath, std::string_view name) const {
    const auto key = m_keys.find(NormalizeKey(keyPath));
    if (key == m_keys.end()) return std::nullopt;
    const auto value = key->second.find(ToLowerAscii(name));
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

bool WineRegistryFile::HasKey(std::string_view keyPath) const {
    return m_keys.find(NormalizeKey(keyPath)) != m_keys.end();
}

}  // namespace platform
