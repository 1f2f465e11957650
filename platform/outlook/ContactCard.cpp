#include "platform/outlook/ContactCard.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/outlook/DateText.h"
#include "platform/outlook/VCard.h"

namespace platform::outlook {

namespace {

struct Slot {
    const char* prop;
    std::vector<std::string> types;
    bool marked;  // written with its field name, as its types alone do not tell it
};

const std::vector<Slot> kTel = {
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

const std::vector<Slot> kEmail = {
    {"Email1Address", {"INTERNET"}, false},
    {"Email2Address", {"INTERNET"}, true},
    {"Email3Address", {"INTERNET"}, true},
};

const std::vector<Slot> kUrl = {
    {"WebPage", {}, false},
    {"BusinessHomePage", {"WORK"}, false},
    {"PersonalHomePage", {"HOME"}, false},
    {"FTPSite", {"X-FTP"}, false},
};

const std::vector<Slot> kAdr = {
    {"BusinessAddress", {"WORK"}, false},
    {"HomeAddress", {"HOME"}, false},
    {"OtherAddress", {}, true},
    {"MailingAddress", {"POSTAL"}, true},
};

// Written as X-OUTLOOK-<NAME>.
const std::vector<const char*> kExtra = {
    "Account", "AssistantName", "ComputerNetworkName", "CustomerID", "Email1AddressType", "Email1DisplayName",
    "Email2AddressType", "Email2DisplayName", "Email3AddressType", "Email3DisplayName", "Hobby", "IMAddress",
    "Initials", "Language", "ManagerName", "Spouse", "Gender", "CreationTime",
};

constexpr const char* kAdrParts[] = {"PostOfficeBox", "", "Street", "City", "State", "PostalCode", "Country"};

const char* kField = "X-OUTLOOK-FIELD";
const char* kEol = "X-OUTLOOK-EOL";

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) { return Upper(a) == Upper(b); }

// LF-only line breaks are marked so that they read back as they were.
void AddEolParam(std::vector<VCardParam>& params, std::string_view text) {
    if (text.find('\n') != std::string_view::npos && text.find('\r') == std::string_view::npos)
        params.push_back({kEol, {"LF"}});
}

void AddText(std::string& out, const char* name, std::vector<VCardParam> params, std::string_view text,
             bool escapeComma = true) {
    AddEolParam(params, text);
    out += FormatLine(name, params, EscapeText(text, escapeComma));
}

std::string FormatNumber(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string DateValue(double d) { return IsMidnight(d) ? FormatIsoDate(d) : FormatLocalDateTime(d); }

std::string Join(const std::vector<std::string>& parts, std::size_t from, const char* sep) {
    std::string out;
    for (std::size_t i = from; i < parts.size(); ++i) {
        if (i > from) out += sep;
        out += parts[i];
    }
    return out;
}

class Reader {
public:
    explicit Reader(ItemData& item) : m_item(item) {}

    bool Consume(const VCardLine& line) {
        const bool crlf = !EqualNoCase(line.Param(kEol), "LF");
        const std::string& n = line.name;
        if (n == "FN") return SetIfEmpty("FullName", UnescapeText(line.value, crlf));
        if (n == "N") return ReadName(line, crlf);
        if (n == "NICKNAME") return SetIfEmpty("NickName", UnescapeText(line.value, crlf));
        if (n == "TITLE") return SetIfEmpty("JobTitle", UnescapeText(line.value, crlf));
        if (n == "ROLE") return SetIfEmpty("Profession", UnescapeText(line.value, crlf));
        if (n == "NOTE") return SetIfEmpty("Body", UnescapeText(line.value, crlf));
        if (n == "ORG") return ReadOrg(line, crlf);
        if (n == "BDAY") return SetDateIfEmpty("Birthday", line.value);
        if (n == "ANNIVERSARY" || n == "X-ANNIVERSARY" || n == "X-EVOLUTION-ANNIVERSARY")
            return SetDateIfEmpty("Anniversary", line.value);
        if (n == "CATEGORIES") return ReadCategories(line, crlf);
        if (n == "TEL") return ReadSlot(line, kTel, TelCandidates(line), crlf);
        if (n == "EMAIL") return ReadSlot(line, kEmail, {"Email1Address", "Email2Address", "Email3Address"}, crlf);
        if (n == "URL") return ReadSlot(line, kUrl, UrlCandidates(line), crlf);
        if (n == "ADR") return ReadAddress(line, crlf);
        if (n == "GENDER") return ReadGender(line);
        if (n == "IMPP") return SetIfEmpty("IMAddress", UnescapeText(line.value, crlf));
        if (n == "LANG") return SetIfEmpty("Language", UnescapeText(line.value, crlf));
        if (n == "REV") return SetDateIfEmpty("LastModificationTime", line.value);
        if (n == "X-SPOUSE" || n == "X-EVOLUTION-SPOUSE") return SetIfEmpty("Spouse", UnescapeText(line.value, crlf));
        if (n == "X-MANAGER" || n == "X-EVOLUTION-MANAGER")
            return SetIfEmpty("ManagerName", UnescapeText(line.value, crlf));
        if (n == "X-ASSISTANT" || n == "X-EVOLUTION-ASSISTANT")
            return SetIfEmpty("AssistantName", UnescapeText(line.value, crlf));
        if (n == "X-OUTLOOK-ORDER") return ReadOrder(line.value);
        if (n == "X-OUTLOOK-USERPROPERTY") return ReadUserProperty(line, crlf);
        if (n.rfind("X-OUTLOOK-", 0) == 0) return ReadExtra(line, n.substr(10), crlf);
        return false;
    }

private:
    bool Empty(const char* prop) const {
        const int i = FindProp(m_item.kind, prop);
        if (i < 0) return false;
        const PropValue& v = m_item.At(i);
        return v.s.empty() && v.i == 0 && v.d == 0.0;
    }

    bool SetIfEmpty(const char* prop, std::string value) {
        if (!Empty(prop)) return false;
        m_item.SetText(prop, std::move(value));
        return true;
    }

    bool SetDateIfEmpty(const char* prop, std::string_view text) {
        double d = 0;
        if (!Empty(prop) || !ParseDateText(text, d) || NormalizeDate(d) == 0.0) return false;
        m_item.SetDate(prop, d);
        return true;
    }

    bool ReadName(const VCardLine& line, bool crlf) {
        static const char* parts[] = {"LastName", "FirstName", "MiddleName", "Title", "Suffix"};
        for (const char* p : parts)
            if (!Empty(p)) return false;
        const auto values = SplitValue(line.value, ';', crlf);
        if (values.size() > 5) return false;
        for (std::size_t i = 0; i < values.size(); ++i) m_item.SetText(parts[i], values[i]);
        return true;
    }

    bool ReadOrg(const VCardLine& line, bool crlf) {
        if (!Empty("CompanyName") || !Empty("Department")) return false;
        const auto values = SplitValue(line.value, ';', crlf);
        m_item.SetText("CompanyName", values[0]);
        m_item.SetText("Department", Join(values, 1, ";"));
        return true;
    }

    bool ReadCategories(const VCardLine& line, bool crlf) {
        std::string text = Join(SplitValue(line.value, ',', crlf), 0, ",");
        std::string now = m_item.Text("Categories");
        m_item.SetText("Categories", now.empty() ? text : now + ", " + text);
        return true;
    }

    bool ReadGender(const VCardLine& line) {
        if (!Empty("Gender") || line.value.empty()) return false;
        const char g = static_cast<char>(std::toupper(static_cast<unsigned char>(line.value[0])));
        if (g != 'M' && g != 'F') return false;
        m_item.SetInt("Gender", g == 'M' ? 2 : 1);
        return true;
    }

    bool ReadOrder(std::string_view text) {
        char* end = nullptr;
        const std::string s(text);
        const long long v = std::strtoll(s.c_str(), &end, 10);
        if (end == s.c_str() || *end != '\0' || v < 0 || m_item.order >= 0) return false;
        m_item.order = v;
        return true;
    }

    bool ReadUserProperty(const VCardLine& line, bool crlf) {
        const auto parts = SplitValue(line.value, ';', crlf);
        if (parts.size() != 3 || parts[1].empty()) return false;
        UserProperty up;
        up.type = std::atoi(parts[0].c_str());
        up.name = parts[1];
        switch (up.type) {
            case kUserText:
            case kUserKeywords: up.text = parts[2]; break;
            case kUserDateTime: {
                double d = 0;
                if (!parts[2].empty() && !ParseDateText(parts[2], d)) return false;
                up.number = d;
                break;
            }
            case kUserNumber:
            case kUserYesNo:
            case kUserDuration:
            case kUserPercent:
            case kUserCurrency:
            case kUserInteger: {
                char* end = nullptr;
                up.number = std::strtod(parts[2].c_str(), &end);
                if (end == parts[2].c_str() || *end != '\0' || !std::isfinite(up.number)) return false;
                break;
            }
            default: return false;
        }
        m_item.userProps.push_back(std::move(up));
        return true;
    }

    bool ReadExtra(const VCardLine& line, std::string_view name, bool crlf) {
        const int i = FindProp(m_item.kind, name);
        if (i < 0 || Schema(m_item.kind)[static_cast<std::size_t>(i)].name == std::string_view("EntryID")) return false;
        const PropDef& def = Schema(m_item.kind)[static_cast<std::size_t>(i)];
        if (!Empty(def.name)) return false;
        switch (def.type) {
            case PropType::Text: m_item.At(i).s = UnescapeText(line.value, crlf); return true;
            case PropType::Int:
            case PropType::Bool: {
                char* end = nullptr;
                const long v = std::strtol(line.value.c_str(), &end, 10);
                if (end == line.value.c_str() || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
                m_item.At(i).i = static_cast<std::int32_t>(v);
                return true;
            }
            case PropType::Date: return SetDateIfEmpty(def.name, line.value);
        }
        return false;
    }

    std::vector<const char*> TelCandidates(const VCardLine& line) const {
        auto has = [&](const char* t) { return line.HasType(t); };
        if (has("X-ASSISTANT")) return {"AssistantTelephoneNumber"};
        if (has("X-CALLBACK")) return {"CallbackTelephoneNumber"};
        if (has("X-COMPANY")) return {"CompanyMainTelephoneNumber"};
        if (has("X-RADIO")) return {"RadioTelephoneNumber"};
        if (has("ISDN")) return {"ISDNNumber"};
        if (has("PAGER")) return {"PagerNumber"};
        if (has("CAR")) return {"CarTelephoneNumber"};
        if (has("CELL")) return {"MobileTelephoneNumber"};
        if (has("FAX")) return {has("WORK") ? "BusinessFaxNumber" : "HomeFaxNumber"};
        if (has("WORK")) return {"BusinessTelephoneNumber", "Business2TelephoneNumber"};
        if (has("HOME")) return {"HomeTelephoneNumber", "Home2TelephoneNumber"};
        if (has("PREF")) return {"PrimaryTelephoneNumber"};
        return {"OtherTelephoneNumber"};
    }

    std::vector<const char*> UrlCandidates(const VCardLine& line) const {
        if (line.HasType("X-FTP")) return {"FTPSite"};
        if (line.HasType("WORK")) return {"BusinessHomePage"};
        if (line.HasType("HOME")) return {"PersonalHomePage"};
        return {"WebPage"};
    }

    // A line marked with its field goes there; others to the first free candidate.
    bool ReadSlot(const VCardLine& line, const std::vector<Slot>& slots, std::vector<const char*> candidates,
                  bool crlf) {
        std::string value = UnescapeText(line.value, crlf);
        // A telephone number given as a "tel:" address (version 4.0).
        if (line.name == "TEL" && EqualNoCase(line.Param("VALUE"), "uri") && value.size() > 4 &&
            EqualNoCase(value.substr(0, 4), "tel:"))
            value.erase(0, 4);
        const std::string field = line.Param(kField);
        if (!field.empty()) {
            for (const Slot& s : slots)
                if (EqualNoCase(field, s.prop)) candidates = {s.prop};
        }
        for (const char* c : candidates)
            if (SetIfEmpty(c, value)) return true;
        return false;
    }

    bool ReadAddress(const VCardLine& line, bool crlf) {
        const char* target = nullptr;
        const std::string field = line.Param(kField);
        for (const Slot& s : kAdr)
            if (!field.empty() && EqualNoCase(field, s.prop)) target = s.prop;
        if (target == nullptr) {
            if (line.HasType("WORK")) target = "BusinessAddress";
            else if (line.HasType("HOME")) target = "HomeAddress";
            else if (line.HasType("POSTAL")) target = "MailingAddress";
            else target = "OtherAddress";
        }
        const std::string prefix = target;
        for (const char* part : kAdrParts)
            if (*part && !Empty((prefix + part).c_str())) return false;
        auto values = SplitValue(line.value, ';', crlf);
        if (values.size() > 7) return false;
        values.resize(7);
        if (!values[1].empty()) values[2] = values[2].empty() ? values[1] : values[1] + "\r\n" + values[2];
        for (std::size_t i = 0; i < 7; ++i)
            if (*kAdrParts[i]) m_item.SetText(prefix + kAdrParts[i], values[i]);
        return true;
    }

    ItemData& m_item;
};

void WriteSlots(std::string& out, const ItemData& item, const char* name, const std::vector<Slot>& slots) {
    for (const Slot& s : slots) {
        const std::string& value = item.Text(s.prop);
        if (value.empty()) continue;
        std::vector<VCardParam> params;
        if (!s.types.empty()) params.push_back({"TYPE", s.types});
        if (s.marked) params.push_back({kField, {s.prop}});
        AddText(out, name, params, value);
    }
}

void WriteAddresses(std::string& out, const ItemData& item) {
    for (const Slot& s : kAdr) {
        std::string value;
        bool any = false;
        std::string eolProbe;
        for (std::size_t i = 0; i < 7; ++i) {
            if (i > 0) value += ';';
            if (!*kAdrParts[i]) continue;
            const std::string& part = item.Text(std::string(s.prop) + kAdrParts[i]);
            any = any || !part.empty();
            eolProbe += part;
            value += EscapeText(part);
        }
        if (!any) continue;
        std::vector<VCardParam> params;
        if (!s.types.empty()) params.push_back({"TYPE", s.types});
        if (s.marked) params.push_back({kField, {s.prop}});
        AddEolParam(params, eolProbe);
        out += FormatLine("ADR", params, value);
    }
}

std::string UserPropertyValue(const UserProperty& up) {
    switch (up.type) {
        case kUserText:
        case kUserKeywords: return EscapeText(up.text);
        case kUserDateTime: return FormatLocalDateTime(up.number);
        default: return FormatNumber(up.number);
    }
}

bool KeptHas(std::string_view kept, std::string_view name) {
    std::size_t pos = 0;
    while (pos < kept.size()) {
        std::size_t end = kept.find('\n', pos);
        if (end == std::string_view::npos) end = kept.size();
        std::string_view line = kept.substr(pos, end - pos);
        const std::size_t stop = line.find_first_of(";:");
        std::string_view head = line.substr(0, stop);
        if (const std::size_t dot = head.find('.'); dot != std::string_view::npos) head = head.substr(dot + 1);
        if (EqualNoCase(head, name)) return true;
        pos = end + 1;
    }
    return false;
}

}  // namespace

std::string ContactToVCard(const ItemData& item) {
    std::string out = "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//norrbek//Ferrywise Outlook store//EN\r\n";
    if (!KeptHas(item.kept, "UID") && !item.entryId.empty()) AddText(out, "UID", {}, item.entryId);
    AddText(out, "FN", {}, item.Text("FullName"));
    {
        std::string n;
        std::string probe;
        for (const char* p : {"LastName", "FirstName", "MiddleName", "Title", "Suffix"}) {
            if (!n.empty() || p[0] != 'L') n += ';';
            n += EscapeText(item.Text(p));
            probe += item.Text(p);
        }
        std::vector<VCardParam> params;
        AddEolParam(params, probe);
        out += FormatLine("N", params, n);
    }
    if (!item.Text("NickName").empty()) AddText(out, "NICKNAME", {}, item.Text("NickName"));
    if (!item.Text("CompanyName").empty() || !item.Text("Department").empty()) {
        std::vector<VCardParam> params;
        AddEolParam(params, item.Text("CompanyName") + item.Text("Department"));
        out += FormatLine("ORG", params, EscapeText(item.Text("CompanyName")) + ";" + EscapeText(item.Text("Department")));
    }
    if (!item.Text("JobTitle").empty()) AddText(out, "TITLE", {}, item.Text("JobTitle"));
    if (!item.Text("Profession").empty()) AddText(out, "ROLE", {}, item.Text("Profession"));
    if (item.Date("Birthday") != 0.0) out += FormatLine("BDAY", {}, DateValue(item.Date("Birthday")));
    if (item.Date("Anniversary") != 0.0) out += FormatLine("X-ANNIVERSARY", {}, DateValue(item.Date("Anniversary")));
    WriteSlots(out, item, "TEL", kTel);
    WriteSlots(out, item, "EMAIL", kEmail);
    WriteAddresses(out, item);
    WriteSlots(out, item, "URL", kUrl);
    if (!item.Text("Body").empty()) AddText(out, "NOTE", {}, item.Text("Body"));
    if (!item.Text("Categories").empty()) AddText(out, "CATEGORIES", {}, item.Text("Categories"), false);
    for (const char* name : kExtra) {
        const int i = FindProp(item.kind, name);
        const PropValue& v = item.At(i);
        const std::string xname = "X-OUTLOOK-" + Upper(name);
        switch (Schema(item.kind)[static_cast<std::size_t>(i)].type) {
            case PropType::Text:
                if (!v.s.empty()) AddText(out, xname.c_str(), {}, v.s);
                break;
            case PropType::Int:
            case PropType::Bool:
                if (v.i != 0) out += FormatLine(xname, {}, std::to_string(v.i));
                break;
            case PropType::Date:
                if (v.d != 0.0) out += FormatLine(xname, {}, FormatLocalDateTime(v.d));
                break;
        }
    }
    for (const UserProperty& up : item.userProps) {
        std::vector<VCardParam> params;
        AddEolParam(params, up.name + up.text);
        out += FormatLine("X-OUTLOOK-USERPROPERTY", params,
                          std::to_string(up.type) + ";" + EscapeText(up.name) + ";" + UserPropertyValue(up));
    }
    if (item.Date("LastModificationTime") != 0.0) {
        const std::string rev = FormatUtcDateTime(item.Date("LastModificationTime"));
        if (!rev.empty()) out += FormatLine("REV", {}, rev);
    }
    if (item.order >= 0) out += FormatLine("X-OUTLOOK-ORDER", {}, std::to_string(item.order));
    std::size_t pos = 0;
    while (pos < item.kept.size()) {
        std::size_t end = item.kept.find('\n', pos);
        if (end == std::string::npos) end = item.kept.size();
        if (end > pos) out += FoldLine(std::string_view(item.kept).substr(pos, end - pos));
        pos = end + 1;
    }
    out += "END:VCARD\r\n";
    out += item.keptTrailer;
    return out;
}

bool ContactFromVCard(std::string_view text, ItemData& item) {
    const std::vector<VCard> cards = ParseVCards(text);
    if (cards.empty()) return false;
    Reader reader(item);
    for (const VCardLine& line : cards[0].lines) {
        if (line.name == "PRODID") continue;  // ours is written anew
        if (!reader.Consume(line)) {
            item.kept += line.line;
            item.kept += '\n';
        }
    }
    for (std::size_t c = 1; c < cards.size(); ++c) {
        item.keptTrailer += "BEGIN:VCARD\r\n";
        if (!cards[c].version.empty()) item.keptTrailer += FoldLine("VERSION:" + cards[c].version);
        for (const VCardLine& line : cards[c].lines) item.keptTrailer += FoldLine(line.line);
        item.keptTrailer += "END:VCARD\r\n";
    }
    return true;
}

}  // namespace platform::outlook
