#include "helpers/pim/VCardReader.h"

#include <libical/ical.h>

#include <cctype>
#include <map>

#include "platform/clock/SystemTime.h"
#include "platform/outlook/IcalTime.h"
#include "platform/outlook/VCard.h"
#include "platform/text/AsciiCase.h"

namespace pim {

namespace po = platform::outlook;

namespace {

bool HasIn(const std::vector<std::string>& types, const char* type) {
    for (const std::string& t : types)
        if (platform::EqualsNoCase(t, type)) return true;
    return false;
}

std::string Text(const po::VCardLine& line) { return po::UnescapeText(line.value, true); }

std::vector<std::string> Parts(const po::VCardLine& line, char separator) {
    return po::SplitValue(line.value, separator, true);
}

std::string Part(const std::vector<std::string>& parts, std::size_t i) {
    return i < parts.size() ? parts[i] : std::string();
}

// Types without the ones that say nothing about the slot.
Value TypedValue(const po::VCardLine& line, const std::string& label, std::string value) {
    Value v;
    for (const std::string& t : line.Types()) {
        if (t == "PREF")
            v.pref = true;
        else if (t != "INTERNET" && t != "VOICE" && t != "X400")
            v.types.push_back(t);
    }
    if (!line.Param("PREF").empty()) v.pref = true;
    v.label = label;
    v.value = std::move(value);
    return v;
}

// The service of an IMPP value ("aim:name", "xmpp:name@host") or of an
// X-SERVICE-TYPE parameter, and the handle without its scheme.
std::string ImService(const po::VCardLine& line, std::string& handle) {
    std::string service = platform::ToUpperAscii(line.Param("X-SERVICE-TYPE"));
    const std::size_t colon = handle.find(':');
    if (colon != std::string::npos && colon > 0 && handle.find('@') > colon) {
        const std::string scheme = platform::ToLowerAscii(handle.substr(0, colon));
        static const std::map<std::string, const char*> schemes = {
            {"aim", "AIM"}, {"ymsgr", "YAHOO"}, {"skype", "SKYPE"}, {"msnim", "MSN"},   {"msn", "MSN"},
            {"icq", "ICQ"}, {"qq", "QQ"},       {"xmpp", "JABBER"}, {"gtalk", "GTALK"}, {"jabber", "JABBER"},
            {"sip", "SIP"}, {"im", ""},         {"x-apple", ""},
        };
        auto it = schemes.find(scheme);
        if (it != schemes.end()) {
            if (service.empty()) service = it->second;
            handle.erase(0, colon + 1);
        }
    }
    if (service == "GOOGLETALK" || service == "GOOGLE TALK" || service == "HANGOUTS") service = "GTALK";
    return service;
}

const char* ImPropertyService(const std::string& name) {
    static const std::map<std::string, const char*> names = {
        {"X-GTALK", "GTALK"}, {"X-GOOGLE-TALK", "GTALK"},    {"X-AIM", "AIM"}, {"X-YAHOO", "YAHOO"},
        {"X-SKYPE", "SKYPE"}, {"X-SKYPE-USERNAME", "SKYPE"}, {"X-QQ", "QQ"},   {"X-MSN", "MSN"},
        {"X-ICQ", "ICQ"},     {"X-JABBER", "JABBER"},
    };
    auto it = names.find(name);
    return it == names.end() ? nullptr : it->second;
}

void AddDate(Contact& c, const po::VCardLine& line, const std::string& label, const char* type) {
    Date d;
    if (!ParseDate(Text(line), d)) return;
    if (type) d.types.emplace_back(type);
    d.label = label;
    c.dates.push_back(d);
}

void ReadLine(Contact& c, const po::VCardLine& line, const std::string& label) {
    const std::string& n = line.name;
    if (n == "FN") {
        c.display = Text(line);
    } else if (n == "N") {
        const auto p = Parts(line, ';');
        c.last = Part(p, 0);
        c.first = Part(p, 1);
        c.middle = Part(p, 2);
        c.suffix = Part(p, 4);
    } else if (n == "NICKNAME") {
        c.nick = Part(Parts(line, ','), 0);
    } else if (n == "ORG") {
        const auto p = Parts(line, ';');
        c.company = Part(p, 0);
        c.department = Part(p, 1);
    } else if (n == "TITLE") {
        c.title = Text(line);
    } else if (n == "NOTE") {
        c.note = c.note.empty() ? Text(line) : c.note + "\r\n" + Text(line);
    } else if (n == "UID") {
        c.uid = Text(line);
    } else if (n == "REV") {
        c.modified = ParseStamp(Text(line));
    } else if (n == "X-CREATED" || n == "CREATED") {
        c.created = ParseStamp(Text(line));
    } else if (n == "CATEGORIES") {
        for (std::string& g : Parts(line, ','))
            if (!g.empty()) c.groups.push_back(std::move(g));
    } else if (n == "EMAIL") {
        c.emails.push_back(TypedValue(line, label, Text(line)));
    } else if (n == "TEL") {
        c.phones.push_back(TypedValue(line, label, Text(line)));
    } else if (n == "URL") {
        c.webs.push_back(TypedValue(line, label, Text(line)));
    } else if (n == "ADR") {
        const Value typed = TypedValue(line, label, {});
        const auto p = Parts(line, ';');
        Address a;
        a.types = typed.types;
        a.label = label;
        a.pref = typed.pref;
        a.poBox = Part(p, 0);
        a.extended = Part(p, 1);
        a.street = Part(p, 2);
        a.city = Part(p, 3);
        a.region = Part(p, 4);
        a.postalCode = Part(p, 5);
        a.country = Part(p, 6);
        a.formatted = po::UnescapeText(line.Param("LABEL"), true);
        c.addresses.push_back(std::move(a));
    } else if (n == "LABEL") {
        // Version 2.1 and 3.0 give the formatted address a line of its own,
        // with the types of its address.
        const Value typed = TypedValue(line, label, Text(line));
        for (Address& a : c.addresses) {
            if (a.formatted.empty() && a.types == typed.types) {
                a.formatted = typed.value;
                return;
            }
        }
    } else if (n == "BDAY") {
        AddDate(c, line, label, "BIRTHDAY");
    } else if (n == "ANNIVERSARY" || n == "X-ANNIVERSARY" || n == "X-MS-ANNIVERSARY" ||
               n == "X-EVOLUTION-ANNIVERSARY") {
        AddDate(c, line, label, "ANNIVERSARY");
    } else if (n == "X-ABDATE") {
        AddDate(c, line, label, platform::EqualsNoCase(label, "anniversary") ? "ANNIVERSARY" : nullptr);
    } else if (n == "X-ABRELATEDNAMES" || n == "RELATED") {
        Value v = TypedValue(line, label, Text(line));
        if (v.label.empty() && !v.types.empty()) v.label = platform::ToLowerAscii(v.types.front());
        c.relations.push_back(std::move(v));
    } else if (n == "X-SPOUSE" || n == "X-MS-SPOUSE" || n == "X-EVOLUTION-SPOUSE") {
        c.relations.push_back(TypedValue(line, "spouse", Text(line)));
    } else if (n == "X-MANAGER" || n == "X-MS-MANAGER" || n == "X-EVOLUTION-MANAGER") {
        c.relations.push_back(TypedValue(line, "manager", Text(line)));
    } else if (n == "X-ASSISTANT" || n == "X-MS-ASSISTANT" || n == "X-EVOLUTION-ASSISTANT") {
        c.relations.push_back(TypedValue(line, "assistant", Text(line)));
    } else if (n == "IMPP") {
        std::string handle = Text(line);
        Value v = TypedValue(line, label, {});
        const std::string service = ImService(line, handle);
        v.types.clear();
        if (!service.empty()) v.types.push_back(service);
        v.value = handle;
        c.ims.push_back(std::move(v));
    } else if (const char* service = ImPropertyService(n)) {
        Value v = TypedValue(line, label, Text(line));
        v.types.assign(1, service);
        c.ims.push_back(std::move(v));
    } else if (!label.empty() && n != "X-ABLABEL") {
        Value v;
        v.label = label;
        v.value = Text(line);
        c.customs.push_back(std::move(v));
    }
}

Contact ReadCard(const po::VCard& card) {
    std::map<std::string, std::string, platform::LessNoCase> labels;
    for (const po::VCardLine& line : card.lines)
        if (line.name == "X-ABLABEL" && !line.group.empty()) labels[line.group] = PlainLabel(Text(line));
    Contact c;
    for (const po::VCardLine& line : card.lines) {
        std::string label;
        if (!line.group.empty()) {
            auto it = labels.find(line.group);
            if (it != labels.end()) label = it->second;
        }
        ReadLine(c, line, label);
    }
    return c;
}

bool Digits(std::string_view text, std::size_t at, std::size_t n, int& out) {
    if (text.size() < at + n) return false;
    out = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

bool Value::Has(const char* type) const { return HasIn(types, type); }
bool Address::Has(const char* type) const { return HasIn(types, type); }

std::vector<Contact> ReadVCards(std::string_view text) {
    std::vector<Contact> contacts;
    for (const po::VCard& card : po::ParseVCards(text)) contacts.push_back(ReadCard(card));
    return contacts;
}

bool ReadVCards(std::string_view text, std::vector<Contact>& contacts, const std::function<bool()>& stop) {
    constexpr std::size_t kPart = 256 * 1024;
    std::size_t from = 0;
    while (from < text.size()) {
        if (stop && stop()) return false;
        // A part ends where a line "BEGIN:VCARD" starts after its size.
        std::size_t to = text.size();
        for (std::size_t at = from + kPart; at < text.size();) {
            const std::size_t nl = text.find('\n', at);
            if (nl == std::string_view::npos) break;
            if (platform::StartsWithNoCase(text.substr(nl + 1), "BEGIN:VCARD")) {
                to = nl + 1;
                break;
            }
            at = nl + 1;
        }
        for (Contact& c : ReadVCards(text.substr(from, to - from))) contacts.push_back(std::move(c));
        from = to;
    }
    return true;
}

std::string PlainLabel(std::string_view label) {
    if (label.size() >= 8 && label.substr(0, 4) == "_$!<" && label.substr(label.size() - 4) == ">!$_")
        return std::string(label.substr(4, label.size() - 8));
    return std::string(label);
}

bool ParseDate(std::string_view text, Date& date) {
    std::string digits;
    const bool noYear = text.substr(0, 2) == "--";
    for (std::size_t i = noYear ? 2 : 0; i < text.size() && text[i] != 'T'; ++i)
        if (text[i] != '-') digits.push_back(text[i]);
    int y = 0, m = 0, d = 0;
    if (noYear) {
        if (digits.size() != 4 || !Digits(digits, 0, 2, m) || !Digits(digits, 2, 2, d)) return false;
    } else if (digits.size() != 8 || !Digits(digits, 0, 4, y) || !Digits(digits, 4, 2, m) || !Digits(digits, 6, 2, d)) {
        return false;
    }
    if (m < 1 || m > 12 || d < 1 || d > 31) return false;
    date.year = y;
    date.month = m;
    date.day = d;
    return true;
}

double LocalDate(const Date& date) {
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(date.year > 0 ? date.year : 1604);
    st.wMonth = static_cast<std::uint16_t>(date.month);
    st.wDay = static_cast<std::uint16_t>(date.day);
    double out = 0;
    return platform::SystemTimeToVariantTime(st, out) ? out : 0;
}

double ParseStamp(std::string_view text) {
    std::string compact;
    bool inTime = false;
    for (char ch : text) {
        if (ch == 'T') inTime = true;
        if (ch == '-' && !inTime) continue;
        if (ch == ':' && inTime) continue;
        if (ch == '.' || ch == '+' || (ch == '-' && inTime)) break;  // fractions and offsets
        compact.push_back(ch);
    }
    if (compact.size() != 8 && compact.size() != 15 && compact.size() != 16) return 0;
    for (std::size_t i = 0; i < compact.size(); ++i) {
        const char ch = compact[i];
        const bool ok = (i == 8)    ? ch == 'T'
                        : (i == 15) ? ch == 'Z'
                                    : std::isdigit(static_cast<unsigned char>(ch)) != 0;
        if (!ok) return 0;
    }
    const icaltimetype t = icaltime_from_string(compact.c_str());
    double out = 0;
    if (icaltime_is_null_time(t) || !po::TimeToLocal(t, out)) return 0;
    return out;
}

}  // namespace pim
