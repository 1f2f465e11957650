#include "helpers/google/GoogleCsv.h"

#include <cctype>
#include <map>
#include <string>

#include "helpers/pim/CsvReader.h"
#include "helpers/pim/VCardReader.h"
#include "platform/text/AsciiCase.h"

namespace google_helper {

namespace {

// A numbered group of columns ("Phone 2 - Value"): its kind, number and part.
struct GroupColumn {
    std::string kind;  // lower case: "e-mail", "phone", ...
    int number = 0;
    std::string part;  // lower case: "type", "label", "value", ...
};

bool ParseGroupColumn(const std::string& header, GroupColumn& out) {
    const std::size_t dash = header.find(" - ");
    if (dash == std::string::npos) return false;
    std::size_t digits = dash;
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(header[digits - 1]))) --digits;
    if (digits == dash || digits == 0 || header[digits - 1] != ' ' || dash - digits > 4) return false;
    out.kind = platform::ToLowerAscii(header.substr(0, digits - 1));
    out.number = std::stoi(header.substr(digits, dash - digits));
    out.part = platform::ToLowerAscii(header.substr(dash + 3));
    return true;
}

std::vector<std::string> SplitValues(const std::string& cell) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = cell.find(" ::: ", from);
        out.push_back(cell.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) break;
        from = at + 5;
    }
    return out;
}

class Row {
public:
    Row(const std::map<std::string, std::size_t>& columns, const pim::CsvRow& cells)
        : m_columns(columns), m_cells(cells) {}
    std::string Get(const char* name) const {
        auto it = m_columns.find(name);
        return it != m_columns.end() && it->second < m_cells.size() ? m_cells[it->second] : std::string();
    }
    std::string Either(const char* a, const char* b) const {
        std::string v = Get(a);
        return v.empty() ? Get(b) : v;
    }

private:
    const std::map<std::string, std::size_t>& m_columns;
    const pim::CsvRow& m_cells;
};

// The label of a group ("* Home" is the primary home value).
void TakeLabel(std::string label, std::string& out, bool& pref) {
    if (label.rfind("* ", 0) == 0) {
        pref = true;
        label.erase(0, 2);
    }
    out = pim::PlainLabel(label);
}

using Group = std::map<std::string, std::string>;  // part -> cell

void AddGroup(pim::Contact& c, const std::string& kind, const Group& g) {
    auto part = [&](const char* name) {
        auto it = g.find(name);
        return it == g.end() ? std::string() : it->second;
    };
    std::string label;
    bool pref = false;
    TakeLabel(part("label").empty() ? part("type") : part("label"), label, pref);
    if (kind == "organization") {
        if (c.company.empty()) c.company = part("name");
        if (c.title.empty()) c.title = part("title");
        return;
    }
    if (kind == "address") {
        if (part("formatted").empty() && part("street").empty() && part("city").empty() && part("country").empty() &&
            part("postal code").empty() && part("po box").empty() && part("region").empty())
            return;
        pim::Address a;
        a.label = label;
        a.pref = pref;
        a.formatted = part("formatted");
        a.street = part("street");
        a.city = part("city");
        a.poBox = part("po box");
        a.region = part("region");
        a.postalCode = part("postal code");
        a.country = part("country");
        a.extended = part("extended address");
        c.addresses.push_back(std::move(a));
        return;
    }
    for (const std::string& value : SplitValues(part("value"))) {
        if (value.empty()) continue;
        pim::Value v;
        v.label = label;
        v.pref = pref;
        v.value = value;
        if (kind == "e-mail" || kind == "email") {
            c.emails.push_back(std::move(v));
        } else if (kind == "phone") {
            c.phones.push_back(std::move(v));
        } else if (kind == "website") {
            c.webs.push_back(std::move(v));
        } else if (kind == "relation") {
            c.relations.push_back(std::move(v));
        } else if (kind == "im") {
            const std::string service = part("service");
            v.types.push_back(platform::ToUpperAscii(service.empty() ? label : service));
            v.label = service.empty() ? label : service;
            c.ims.push_back(std::move(v));
        } else if (kind == "event") {
            pim::Date d;
            if (!pim::ParseDate(value, d)) continue;
            d.label = label;
            c.dates.push_back(d);
        } else if (kind == "custom field") {
            c.customs.push_back(std::move(v));
        }
        pref = false;  // the mark belongs to the first value
    }
}

pim::Contact ReadRow(const std::map<std::string, std::size_t>& columns,
                     const std::map<std::pair<std::string, int>, std::map<std::string, std::size_t>>& groups,
                     const pim::CsvRow& cells) {
    const Row row(columns, cells);
    pim::Contact c;
    c.first = row.Either("first name", "given name");
    c.middle = row.Either("middle name", "additional name");
    c.last = row.Either("last name", "family name");
    c.display = row.Get("name");
    if (c.display.empty()) {
        for (const std::string* s : {&c.first, &c.middle, &c.last})
            if (!s->empty()) c.display += (c.display.empty() ? "" : " ") + *s;
    }
    c.nick = row.Get("nickname");
    c.company = row.Get("organization name");
    c.title = row.Get("organization title");
    c.note = row.Get("notes");
    const std::string birthday = row.Get("birthday");
    pim::Date d;
    if (!birthday.empty() && pim::ParseDate(birthday, d)) {
        d.types.emplace_back("BIRTHDAY");
        c.dates.push_back(d);
    }
    for (const std::string& g : SplitValues(row.Either("labels", "group membership"))) {
        std::string name = g;
        if (name.rfind("* ", 0) == 0) name.erase(0, 2);
        if (!name.empty()) c.groups.push_back(name);
    }
    for (const auto& [key, parts] : groups) {
        Group g;
        for (const auto& [part, index] : parts)
            if (index < cells.size()) g[part] = cells[index];
        AddGroup(c, key.first, g);
    }
    return c;
}

}  // namespace

bool LooksLikeGoogleCsv(std::string_view text) {
    const std::string utf8 = pim::CsvTextAsUtf8(text.substr(0, 4096));
    const std::size_t end = utf8.find_first_of("\r\n");
    const std::string head = platform::ToLowerAscii(utf8.substr(0, end));
    return head.find("given name") != std::string::npos || head.find("first name") != std::string::npos ||
           head.find("e-mail 1 - value") != std::string::npos;
}

std::vector<pim::Contact> ReadGoogleCsv(std::string_view text) {
    const std::vector<pim::CsvRow> rows = pim::ReadCsv(pim::CsvTextAsUtf8(text));
    std::vector<pim::Contact> contacts;
    if (rows.empty()) return contacts;
    std::map<std::string, std::size_t> columns;
    std::map<std::pair<std::string, int>, std::map<std::string, std::size_t>> groups;
    for (std::size_t i = 0; i < rows[0].size(); ++i) {
        std::string header = rows[0][i];
        while (!header.empty() && header.back() == ' ') header.pop_back();
        while (!header.empty() && header.front() == ' ') header.erase(0, 1);
        GroupColumn gc;
        if (ParseGroupColumn(header, gc))
            groups[{gc.kind, gc.number}][gc.part] = i;
        else
            columns.emplace(platform::ToLowerAscii(header), i);
    }
    for (std::size_t r = 1; r < rows.size(); ++r) contacts.push_back(ReadRow(columns, groups, rows[r]));
    return contacts;
}

}  // namespace google_helper
