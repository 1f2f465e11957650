#include "platform/jet/JetSql.h"

#include <cctype>

#include "platform/jet/JetNames.h"

namespace platform::jet {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    void SkipBlanks() {
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) ++m_pos;
    }
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    std::string_view Rest() const { return m_text.substr(m_pos); }

    // The keyword, when it stands here as a whole word.
    bool Keyword(std::string_view word) {
        SkipBlanks();
        if (m_text.size() - m_pos < word.size() || !SameName(m_text.substr(m_pos, word.size()), word)) return false;
        const std::size_t end = m_pos + word.size();
        if (end < m_text.size() && IsNameChar(m_text[end])) return false;
        m_pos = end;
        return true;
    }

    bool Char(char c) {
        SkipBlanks();
        if (Peek() != c) return false;
        ++m_pos;
        return true;
    }

    // A bracketed or plain name; false with `error` set when none stands here.
    bool Name(std::string& out, std::string& error) {
        SkipBlanks();
        if (Peek() == '[') {
            const std::size_t close = m_text.find(']', m_pos + 1);
            if (close == std::string_view::npos) {
                error = "a name in square brackets is not closed";
                return false;
            }
            out = std::string(m_text.substr(m_pos + 1, close - m_pos - 1));
            m_pos = close + 1;
            if (Trim(out).empty()) {
                error = "a name in square brackets is empty";
                return false;
            }
            return true;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && IsNameChar(m_text[m_pos])) ++m_pos;
        if (m_pos == start) {
            error = AtEnd() ? "a name is missing at the end"
                            : "a name is expected at \"" + std::string(Rest().substr(0, 20)) + "\"";
            return false;
        }
        out = std::string(m_text.substr(start, m_pos - start));
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

bool ParseConnectionString(std::string_view text, std::string& dataSource, std::string& error) {
    dataSource.clear();
    bool haveProvider = false, haveSource = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t eq = text.find('=', pos);
        const std::size_t semi = text.find(';', pos);
        if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
            const std::string_view stray =
                Trim(text.substr(pos, semi == std::string_view::npos ? text.size() - pos : semi - pos));
            if (!stray.empty()) {
                error = "Connection string part \"" + std::string(stray) + "\" has no \"=\".";
                return false;
            }
            if (semi == std::string_view::npos) break;
            pos = semi + 1;
            continue;
        }
        const std::string_view key = Trim(text.substr(pos, eq - pos));
        std::size_t v = eq + 1;
        while (v < text.size() && IsBlank(text[v])) ++v;
        std::string value;
        std::size_t next;
        if (v < text.size() && (text[v] == '"' || text[v] == '\'')) {
            const char quote = text[v];
            std::size_t i = v + 1;
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == quote) {
                    if (i + 1 < text.size() && text[i + 1] == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                value += text[i++];
            }
            if (!closed) {
                error = "Connection string value of \"" + std::string(key) + "\" has no closing quote.";
                return false;
            }
            while (i < text.size() && IsBlank(text[i])) ++i;
            if (i < text.size() && text[i] != ';') {
                error = "Connection string has text after the quoted value of \"" + std::string(key) + "\".";
                return false;
            }
            next = i < text.size() ? i + 1 : i;
        } else {
            const std::size_t end = text.find(';', v);
            value = std::string(Trim(text.substr(v, end == std::string_view::npos ? std::string_view::npos : end - v)));
            next = end == std::string_view::npos ? text.size() : end + 1;
        }
        if (SameName(key, "Provider")) {
            if (!SameName(value, "Microsoft.Jet.OLEDB.4.0")) {
                error = "Provider \"" + value + "\" is not available; only Microsoft.Jet.OLEDB.4.0 is.";
                return false;
            }
            haveProvider = true;
        } else if (SameName(key, "Data Source")) {
            dataSource = value;
            haveSource = true;
        } else {
            error = "Connection string keyword \"" + std::string(key) + "\" is not supported.";
            return false;
        }
        pos = next;
    }
    if (!haveProvider) {
        error = "Connection string names no provider.";
        return false;
    }
    if (!haveSource || dataSource.empty()) {
        error = "Connection string names no data source.";
        return false;
    }
    return true;
}

bool IsSelect(std::string_view sql) {
    Scanner s(sql);
    return s.Keyword("SELECT");
}

bool ParseSelect(std::string_view sql, SelectStatement& out, std::string& error) {
    out = SelectStatement{};
    Scanner s(sql);
    auto fail = [&](const std::string& why) {
        error = "Syntax error in SELECT statement: " + why + ".";
        return false;
    };
    if (!s.Keyword("SELECT")) return fail("it does not start with SELECT");
    if (s.Char('*')) {
        out.allColumns = true;
    } else {
        do {
            std::string name, why;
            if (!s.Name(name, why)) return fail(why);
            if (SameName(name, "FROM") && out.columns.empty()) return fail("no columns are named");
            out.columns.push_back(std::move(name));
        } while (s.Char(','));
    }
    if (!s.Keyword("FROM")) return fail("FROM is expected after the column list");
    std::string why;
    if (!s.Name(out.table, why)) return fail(why);
    s.Char(';');
    s.SkipBlanks();
    if (!s.AtEnd()) {
        error = "Only a SELECT of columns from one table is supported; unexpected \"" +
                std::string(s.Rest().substr(0, 40)) + "\".";
        return false;
    }
    return true;
}

}  // namespace platform::jet
