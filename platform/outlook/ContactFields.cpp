#include "platform/outlook/ContactFields.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/outlook/DateText.h"

namespace platform::outlook {

namespace {

std::vector<std::string> EolKinds(const VCardLine& line) {
    for (const VCardParam& p : line.params)
        if (p.name == kEolParam) return p.values;
    return {};
}

std::string Join(const std::vector<std::string>& parts, std::size_t from, const char* sep) {
    std::string out;
    for (std::size_t i = from; i < parts.size(); ++i) {
        if (i > from) out += sep;
        out += parts[i];
    }
    return out;
}

// A date of a birthday or an anniversary: a date-time at midnight of its
// own zone stands for the date alone, so that it does not move with the
// local time zone.
bool ParseDay(std::string_view text, double& out) {
    const std::size_t t = text.find_first_of("Tt");
    if (t != std::string_view::npos) {
        const std::string_view time = text.substr(t + 1);
        if (time.rfind("000000", 0) == 0 || time.rfind("00:00:00", 0) == 0 || time == "0000" || time == "00:00")
            return ParseDateText(text.substr(0, t), out);
    }
    return ParseDateText(text, out);
}

}  // namespace

const std::vector<ContactSlot>& TelSlots() {
    static const std::vector<ContactSlot> slots = {
        {"BusinessTelephoneNumber", {"WORK", "VOICE"}, false},
        {"Business2TelephoneNumber", {"WORK", "VOICE"}, true},
        {"HomeTelephoneNumber", {"HOME", "VOICE"}, false},
        {"Home2TelephoneNumber", {"HOME", "VOICE"}, true},
        {"MobileTelephoneNumber", {"CELL", "VOICE"}, false},
        {"PrimaryTelephoneNumber", {"PREF", "VOICE"}, false},
        {"OtherTelephoneNumber", {"VOICE"}, false},
        {"BusinessFaxNumber", {"WORK", "FAX"}, false},
        {"HomeFaxNumber", {"HOME", "FAX"}, false},
        {"PagerNumber", {"PAGER"}, false},
        {"CarTelephoneNumber", {"CAR", "VOICE"}, false},
        {"ISDNNumber", {"ISDN"}, false},
        {"AssistantTelephoneNumber", {"X-ASSISTANT"}, false},
        {"CallbackTelephoneNumber", {"X-CALLBACK"}, false},
        {"CompanyMainTelephoneNumber", {"WORK", "X-COMPANY"}, false},
        {"RadioTelephoneNumber", {"X-RADIO"}, false},
    };
    return slots;
}

const std::vector<ContactSlot>& EmailSlots() {
    static const std::vector<ContactSlot> slots = {
        {"Email1Address", {"INTERNET"}, false},
        {"Email2Address", {"INTERNET"}, true},
        {"Email3Address", {"INTERNET"}, true},
    };
    return slots;
}

const std::vector<ContactSlot>& UrlSlots() {
    static const std::vector<ContactSlot> slots = {
        {"WebPage", {}, false},
        {"BusinessHomePage", {"WORK"}, false},
        {"PersonalHomePage", {"HOME"}, false},
        {"FTPSite", {"X-FTP"}, false},
    };
    return slots;
}

const std::vector<ContactSlot>& AddressSlots() {
    static const std::vector<ContactSlot> slots = {
        {"BusinessAddress", {"WORK"}, false},
        {"HomeAddress", {"HOME"}, false},
        {"OtherAddress", {}, true},
        {"MailingAddress", {"POSTAL"}, true},
    };
    return slots;
}

const std::vector<const char*>& AddressParts() {
    static const std::vector<const char*> parts = {"PostOfficeBox", "",           "Street", "City",
                                                   "State",         "PostalCode", "Country"};
    return parts;
}

const std::vector<std::vector<int>>& AddressPartPositions() {
    static const auto table = [] {
        std::vector<std::vector<int>> positions;
        for (const ContactSlot& s : AddressSlots()) {
            positions.emplace_back();
            for (const char* part : AddressParts())
                positions.back().push_back(*part ? FindProp(ItemKind::Contact, std::string(s.prop) + part) : -1);
        }
        return positions;
    }();
    return table;
}

const std::vector<const char*>& ExtraProps() {
    static const std::vector<const char*> props = {
        "Account",
        "AssistantName",
        "ComputerNetworkName",
        "CustomerID",
        "Email1AddressType",
        "Email1DisplayName",
        "Email2AddressType",
        "Email2DisplayName",
        "Email3AddressType",
        "Email3DisplayName",
        "Hobby",
        "IMAddress",
        "Initials",
        "Language",
        "ManagerName",
        "Spouse",
        "Gender",
        "CreationTime",
    };
    return props;
}

std::vector<std::string> BreakKinds(std::string_view text) {
    std::vector<std::string> kinds;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            kinds.emplace_back("CRLF");
            ++i;
        } else if (text[i] == '\r') {
            kinds.emplace_back("CR");
        } else if (text[i] == '\n') {
            kinds.emplace_back("LF");
        }
    }
    return kinds;
}

std::string UnescapeBreaks(std::string_view raw, const std::vector<std::string>& kinds, std::size_t& next) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            const char n = raw[++i];
            if (n == 'n' || n == 'N') {
                const std::string& kind = kinds.empty() ? std::string("CRLF") : kinds[std::min(next, kinds.size() - 1)];
                ++next;
                out += EqualsNoCase(kind, "LF") ? "\n" : EqualsNoCase(kind, "CR") ? "\r" : "\r\n";
            } else {
                out += n;
            }
        } else {
            out += raw[i];
        }
    }
    return out;
}

bool ContactLineReader::Claim(const std::string& key) { return m_claimed.insert(key).second; }

std::string ContactLineReader::Text(const VCardLine& line) const {
    std::size_t next = 0;
    return UnescapeBreaks(line.value, EolKinds(line), next);
}

std::string ContactLineReader::SetText(const std::string& key, const VCardLine& line) {
    if (!Claim(key)) return std::string();
    m_item.SetText(key, Text(line));
    return key;
}

std::string ContactLineReader::SetDate(const std::string& key, const VCardLine& line) {
    // A date that cannot be read (a birthday without a year) still holds
    // the field: a new date takes its line.
    if (!Claim(key)) return std::string();
    double d = 0;
    const bool day = key == "Birthday" || key == "Anniversary";
    if (day ? ParseDay(line.value, d) : ParseDateText(line.value, d)) m_item.SetDate(key, d);
    return key;
}

std::string ContactLineReader::Consume(const VCardLine& line) {
    const std::string_view n = line.name;
    if (EqualsNoCase(line.Param(kFieldParam), "NONE")) return std::string();
    if (n == "FN") {
        if (!Claim("FullName")) return std::string();
        // An FN made of other values is no name of its own.
        if (!EqualsNoCase(line.Param(kMadeUpParam), "TRUE")) m_item.SetText("FullName", Text(line));
        return "FullName";
    }
    if (n == "N") return ReadName(line);
    if (n == "NICKNAME") return SetText("NickName", line);
    if (n == "TITLE") return SetText("JobTitle", line);
    if (n == "ROLE") return SetText("Profession", line);
    if (n == "NOTE") return SetText("Body", line);
    if (n == "ORG") return ReadOrg(line);
    if (n == "BDAY") return SetDate("Birthday", line);
    if (n == "ANNIVERSARY" || n == "X-ANNIVERSARY" || n == "X-EVOLUTION-ANNIVERSARY")
        return SetDate("Anniversary", line);
    if (n == "CATEGORIES") {
        m_claimed.insert("Categories");
        std::size_t next = 0;
        const auto kinds = EolKinds(line);
        std::vector<std::string> values;
        for (const std::string& raw : SplitRaw(line.value, ',')) values.push_back(UnescapeBreaks(raw, kinds, next));
        const std::string& now = m_item.Text("Categories");
        m_item.SetText("Categories", now.empty() ? Join(values, 0, ",") : now + ", " + Join(values, 0, ","));
        return "Categories";
    }
    if (n == "TEL") return ReadSlot(line, TelSlots(), {});
    if (n == "EMAIL") return ReadSlot(line, EmailSlots(), {"Email1Address", "Email2Address", "Email3Address"});
    if (n == "URL") return ReadSlot(line, UrlSlots(), {});
    if (n == "ADR") return ReadAddress(line);
    if (n == "GENDER") return ReadGender(line);
    if (n == "IMPP") return SetText("IMAddress", line);
    if (n == "LANG") return SetText("Language", line);
    if (n == "REV") return SetDate("LastModificationTime", line);
    if (n == "X-SPOUSE" || n == "X-EVOLUTION-SPOUSE") return SetText("Spouse", line);
    if (n == "X-MANAGER" || n == "X-EVOLUTION-MANAGER") return SetText("ManagerName", line);
    if (n == "X-ASSISTANT" || n == "X-EVOLUTION-ASSISTANT") return SetText("AssistantName", line);
    if (n == "X-OUTLOOK-ORDER") return ReadOrder(line);
    if (n == "X-OUTLOOK-USERPROPERTY") return ReadUserProperty(line);
    if (n.substr(0, 10) == "X-OUTLOOK-") return ReadExtra(line, n.substr(10));
    return std::string();
}

std::string ContactLineReader::ReadName(const VCardLine& line) {
    static const char* parts[] = {"LastName", "FirstName", "MiddleName", "Title", "Suffix"};
    const auto raw = SplitRaw(line.value, ';');
    if (raw.size() > 5 || !Claim(kNameKey)) return std::string();
    std::size_t next = 0;
    const auto kinds = EolKinds(line);
    for (std::size_t i = 0; i < raw.size(); ++i) m_item.SetText(parts[i], UnescapeBreaks(raw[i], kinds, next));
    return kNameKey;
}

std::string ContactLineReader::ReadOrg(const VCardLine& line) {
    if (!Claim(kOrgKey)) return std::string();
    std::size_t next = 0;
    const auto kinds = EolKinds(line);
    std::vector<std::string> values;
    for (const std::string& raw : SplitRaw(line.value, ';')) values.push_back(UnescapeBreaks(raw, kinds, next));
    m_item.SetText("CompanyName", values[0]);
    m_item.SetText("Department", Join(values, 1, ";"));
    return kOrgKey;
}

std::string ContactLineReader::ReadAddress(const VCardLine& line) {
    const auto& slots = AddressSlots();
    const char* target = nullptr;
    const std::string field = line.Param(kFieldParam);
    for (const ContactSlot& s : slots)
        if (!field.empty() && EqualsNoCase(field, s.prop)) target = s.prop;
    if (target == nullptr) {
        if (line.HasType("WORK"))
            target = "BusinessAddress";
        else if (line.HasType("HOME"))
            target = "HomeAddress";
        else if (line.HasType("POSTAL"))
            target = "MailingAddress";
        else
            target = "OtherAddress";
    }
    std::size_t slot = 0;
    while (std::string_view(slots[slot].prop) != target) ++slot;
    const auto raw = SplitRaw(line.value, ';');
    if (raw.size() > 7 || !Claim(target)) return std::string();
    std::size_t next = 0;
    const auto kinds = EolKinds(line);
    std::vector<std::string> values;
    for (const std::string& r : raw) values.push_back(UnescapeBreaks(r, kinds, next));
    values.resize(7);
    // The extended address goes before the street, on a line of its own.
    if (!values[1].empty()) values[2] = values[2].empty() ? values[1] : values[1] + "\r\n" + values[2];
    const std::vector<int>& positions = AddressPartPositions()[slot];
    for (std::size_t i = 0; i < 7; ++i)
        if (positions[i] >= 0) m_item.At(positions[i]).s = std::move(values[i]);
    return target;
}

std::string ContactLineReader::ReadSlot(const VCardLine& line, const std::vector<ContactSlot>& slots,
                                        std::vector<const char*> candidates) {
    auto has = [&](const char* t) { return line.HasType(t); };
    if (candidates.empty() && line.name == "TEL") {
        if (has("X-ASSISTANT"))
            candidates = {"AssistantTelephoneNumber"};
        else if (has("X-CALLBACK"))
            candidates = {"CallbackTelephoneNumber"};
        else if (has("X-COMPANY"))
            candidates = {"CompanyMainTelephoneNumber"};
        else if (has("X-RADIO"))
            candidates = {"RadioTelephoneNumber"};
        else if (has("ISDN"))
            candidates = {"ISDNNumber"};
        else if (has("PAGER"))
            candidates = {"PagerNumber"};
        else if (has("CAR"))
            candidates = {"CarTelephoneNumber"};
        else if (has("CELL"))
            candidates = {"MobileTelephoneNumber"};
        else if (has("FAX"))
            candidates = {has("WORK") ? "BusinessFaxNumber" : "HomeFaxNumber"};
        else if (has("WORK"))
            candidates = {"BusinessTelephoneNumber", "Business2TelephoneNumber"};
        else if (has("HOME"))
            candidates = {"HomeTelephoneNumber", "Home2TelephoneNumber"};
        else if (has("PREF"))
            candidates = {"PrimaryTelephoneNumber"};
        else
            candidates = {"OtherTelephoneNumber"};
    } else if (candidates.empty()) {
        if (has("X-FTP"))
            candidates = {"FTPSite"};
        else if (has("WORK"))
            candidates = {"BusinessHomePage"};
        else if (has("HOME"))
            candidates = {"PersonalHomePage"};
        else
            candidates = {"WebPage"};
    }
    const std::string field = line.Param(kFieldParam);
    if (!field.empty()) {
        for (const ContactSlot& s : slots)
            if (EqualsNoCase(field, s.prop)) candidates = {s.prop};
    }
    std::string value = Text(line);
    // A telephone number given as a "tel:" address (version 4.0).
    if (line.name == "TEL" && EqualsNoCase(line.Param("VALUE"), "uri") && value.size() >= 4 &&
        EqualsNoCase(value.substr(0, 4), "tel:"))
        value.erase(0, 4);
    for (const char* c : candidates) {
        if (!Claim(c)) continue;
        m_item.SetText(c, std::move(value));
        return c;
    }
    return std::string();
}

std::string ContactLineReader::ReadGender(const VCardLine& line) {
    if (!Claim("Gender")) return std::string();
    // Other vCard sexes than male and female have no value here.
    const std::string& v = line.value;
    if (!v.empty()) {
        const char g = static_cast<char>(std::toupper(static_cast<unsigned char>(v[0])));
        char* end = nullptr;
        const long number = std::strtol(v.c_str(), &end, 10);
        if (g == 'M' || g == 'F')
            m_item.SetInt("Gender", g == 'M' ? olMale : olFemale);
        else if (end != v.c_str() && *end == '\0' && number >= INT32_MIN && number <= INT32_MAX)
            m_item.SetInt("Gender", static_cast<std::int32_t>(number));
    }
    return "Gender";
}

std::string ContactLineReader::ReadOrder(const VCardLine& line) {
    char* end = nullptr;
    const long long v = std::strtoll(line.value.c_str(), &end, 10);
    if (end == line.value.c_str() || *end != '\0' || v < 0 || !Claim(kOrderKey)) return std::string();
    m_item.order = v;
    return kOrderKey;
}

std::string ContactLineReader::ReadUserProperty(const VCardLine& line) {
    std::size_t next = 0;
    const auto kinds = EolKinds(line);
    std::vector<std::string> parts;
    for (const std::string& raw : SplitRaw(line.value, ';')) parts.push_back(UnescapeBreaks(raw, kinds, next));
    if (parts.size() != 3 || parts[1].empty()) return std::string();
    UserProperty up;
    up.type = std::atoi(parts[0].c_str());
    up.name = parts[1];
    switch (up.type) {
    case olText:
    case olKeywords: up.text = parts[2]; break;
    case olDateTime: {
        double d = 0;
        if (!parts[2].empty() && !ParseDateText(parts[2], d)) return std::string();
        up.number = d;
        break;
    }
    case olNumber:
    case olYesNo:
    case olDuration:
    case olPercent:
    case olCurrency:
    case olInteger: {
        char* end = nullptr;
        up.number = std::strtod(parts[2].c_str(), &end);
        if (end == parts[2].c_str() || *end != '\0' || !std::isfinite(up.number)) return std::string();
        break;
    }
    default: return std::string();
    }
    m_item.userProps.push_back(std::move(up));
    return kUserPropKey;
}

std::string ContactLineReader::ReadExtra(const VCardLine& line, std::string_view name) {
    const char* prop = nullptr;
    for (const char* p : ExtraProps())
        if (EqualsNoCase(p, name)) prop = p;
    if (prop == nullptr) return std::string();
    const int i = FindProp(m_item.kind, prop);
    switch (Schema(m_item.kind)[static_cast<std::size_t>(i)].type) {
    case PropType::Text: return SetText(prop, line);
    case PropType::Date: return SetDate(prop, line);
    case PropType::Int:
    case PropType::Bool: return ReadGender(line);  // Gender is the one number among them
    }
    return std::string();
}

}  // namespace platform::outlook
