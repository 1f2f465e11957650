#include "platform/outlook/ContactRender.h"

#include <algorithm>
#include <cstdio>

#include "platform/outlook/ContactFields.h"
#include "platform/outlook/DateText.h"
#include "platform/text/AsciiCase.h"

namespace platform::outlook {

namespace {

CardField Text(std::string key, std::string name, const std::string& text) {
    CardField f;
    f.key = std::move(key);
    f.name = std::move(name);
    f.parts.push_back({text});
    return f;
}

CardField Verbatim(std::string key, std::string name, std::string text) {
    CardField f;
    f.key = std::move(key);
    f.name = std::move(name);
    f.parts.push_back({std::move(text), 1, true});
    return f;
}

std::string FormatNumber(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// A date-only value is a date; one with a time of day is a local time.
std::string DayValue(double d, CardDialect dialect) {
    if (!IsMidnight(d)) return FormatLocalDateTime(d);
    return dialect == CardDialect::V40 ? FormatDateOnly(d) : FormatIsoDate(d);
}

// What FN says when the contact has no full name: its name, else its
// company, else an e-mail address, else a telephone number.
std::string MadeUpName(const ItemData& item) {
    std::string name;
    for (const char* part : {"Title", "FirstName", "MiddleName", "LastName", "Suffix"}) {
        const std::string& p = item.Text(part);
        if (p.empty()) continue;
        if (!name.empty()) name += ' ';
        name += p;
    }
    if (!name.empty()) return name;
    std::vector<const char*> props = {"CompanyName", "Email1Address", "Email2Address", "Email3Address"};
    for (const ContactSlot& s : TelSlots()) props.push_back(s.prop);
    for (const char* p : props)
        if (!item.Text(p).empty()) return item.Text(p);
    return item.entryId.empty() ? std::string("Contact") : item.entryId;
}

void AddSlots(std::vector<CardField>& out, const ItemData& item, const char* name,
              const std::vector<ContactSlot>& slots) {
    for (const ContactSlot& s : slots) {
        const std::string& value = item.Text(s.prop);
        if (value.empty()) continue;
        CardField f = Text(s.prop, name, value);
        f.types = s.types;
        if (s.marked) f.slot = s.prop;
        out.push_back(std::move(f));
    }
}

void AddAddresses(std::vector<CardField>& out, const ItemData& item) {
    const auto& slots = AddressSlots();
    const auto& parts = AddressParts();
    for (std::size_t n = 0; n < slots.size(); ++n) {
        const ContactSlot& s = slots[n];
        const std::vector<int>& at = AddressPartPositions()[n];
        if (std::none_of(at.begin(), at.end(), [&](int i) { return i >= 0 && !item.At(i).s.empty(); })) continue;
        CardField f;
        f.key = s.prop;
        f.name = "ADR";
        f.types = s.types;
        if (s.marked) f.slot = s.prop;
        for (std::size_t k = 0; k < parts.size(); ++k)
            if (at[k] >= 0) f.parts.push_back({item.At(at[k]).s, std::string_view(parts[k]) == "Street" ? 2u : 1u});
        out.push_back(std::move(f));
    }
}

void AddExtras(std::vector<CardField>& out, const ItemData& item, CardDialect dialect) {
    struct Extra {
        const char* name;
        int index;
        PropType type;
        std::string xname;
    };
    static const auto extras = [] {
        std::vector<Extra> list;
        for (const char* name : ExtraProps()) {
            const int i = FindProp(ItemKind::Contact, name);
            list.push_back({name, i, Schema(ItemKind::Contact)[static_cast<std::size_t>(i)].type,
                            "X-OUTLOOK-" + ToUpperAscii(name)});
        }
        return list;
    }();
    for (const Extra& extra : extras) {
        const PropValue& v = item.At(extra.index);
        const PropType type = extra.type;
        const bool empty = type == PropType::Text ? v.s.empty() : type == PropType::Date ? v.d == 0.0 : v.i == 0;
        if (empty) continue;
        const char* name = extra.name;
        const std::string& xname = extra.xname;
        const std::string_view n = name;
        switch (type) {
        case PropType::Text:
            if (dialect == CardDialect::V40 && n == "IMAddress")
                out.push_back(Text(name, "IMPP", v.s));
            else if (dialect == CardDialect::V40 && n == "Language")
                out.push_back(Text(name, "LANG", v.s));
            else
                out.push_back(Text(name, xname, v.s));
            break;
        case PropType::Int:
        case PropType::Bool:
            if (dialect == CardDialect::V40 && (v.i == olFemale || v.i == olMale))
                out.push_back(Verbatim(name, "GENDER", v.i == olMale ? "M" : "F"));
            else
                out.push_back(Verbatim(name, xname, std::to_string(v.i)));
            break;
        case PropType::Date:
            out.push_back(Verbatim(name, xname, FormatLocalDateTime(v.d)));
            break;
        }
    }
}

// Appends a field's parameters to the head of its new line.
void AppendTypeParams(std::string& out, const CardField& field, CardDialect dialect) {
    const bool v40 = dialect == CardDialect::V40;
    if (v40) {
        for (const std::string& t : field.types)
            if (t == "PREF") out += ";PREF=1";
    }
    const char* before = dialect == CardDialect::V21 ? ";" : ";TYPE=";
    for (const std::string& t : field.types) {
        if (v40 && (t == "PREF" || t == "INTERNET")) continue;
        out += before;
        before = dialect == CardDialect::V21 ? ";" : ",";
        for (char c : t) out += v40 ? ToLowerAscii(c) : c;
    }
    if (!field.slot.empty()) out.append(";").append(kFieldParam).append("=").append(field.slot);
    // A number of version 4.0 is a "tel:" address unless said otherwise.
    if (v40 && field.name == "TEL") out += ";VALUE=TEXT";
}

// Escaping of version 2.1: only backslashes and semicolons; line breaks
// and other bytes are left to quoted-printable.
std::string Escape21(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == ';') out += '\\';
        out += c;
    }
    return out;
}

// A raw component that ends in a backslash of its own would escape the
// separator written after it.
bool OpenEscape(std::string_view raw) {
    std::size_t n = 0;
    while (n < raw.size() && raw[raw.size() - 1 - n] == '\\') ++n;
    return n % 2 == 1;
}

}  // namespace

CardDialect DialectOf(std::string_view version) {
    if (version == "4.0") return CardDialect::V40;
    if (version == "2.1") return CardDialect::V21;
    return CardDialect::V30;
}

std::vector<CardField> RenderContact(const ItemData& item, CardDialect dialect) {
    std::vector<CardField> out;
    if (!item.Text("FullName").empty()) {
        out.push_back(Text("FullName", "FN", item.Text("FullName")));
    } else {
        out.push_back(Text("FullName", "FN", MadeUpName(item)));
        out.back().madeUp = true;
    }
    {
        CardField n;
        n.key = kNameKey;
        n.name = "N";
        for (const char* p : {"LastName", "FirstName", "MiddleName", "Title", "Suffix"})
            n.parts.push_back({item.Text(p)});
        out.push_back(std::move(n));
    }
    if (!item.Text("NickName").empty()) out.push_back(Text("NickName", "NICKNAME", item.Text("NickName")));
    if (!item.Text("CompanyName").empty() || !item.Text("Department").empty()) {
        CardField org;
        org.key = kOrgKey;
        org.name = "ORG";
        org.parts.push_back({item.Text("CompanyName")});
        org.parts.push_back({item.Text("Department"), 0});
        out.push_back(std::move(org));
    }
    if (!item.Text("JobTitle").empty()) out.push_back(Text("JobTitle", "TITLE", item.Text("JobTitle")));
    if (!item.Text("Profession").empty()) out.push_back(Text("Profession", "ROLE", item.Text("Profession")));
    if (item.Date("Birthday") != 0.0)
        out.push_back(Verbatim("Birthday", "BDAY", DayValue(item.Date("Birthday"), dialect)));
    if (item.Date("Anniversary") != 0.0)
        out.push_back(Verbatim("Anniversary", dialect == CardDialect::V40 ? "ANNIVERSARY" : "X-ANNIVERSARY",
                               DayValue(item.Date("Anniversary"), dialect)));
    AddSlots(out, item, "TEL", TelSlots());
    AddSlots(out, item, "EMAIL", EmailSlots());
    AddAddresses(out, item);
    AddSlots(out, item, "URL", UrlSlots());
    if (!item.Text("Body").empty()) out.push_back(Text("Body", "NOTE", item.Text("Body")));
    if (!item.Text("Categories").empty()) {
        out.push_back(Text("Categories", "CATEGORIES", item.Text("Categories")));
        out.back().list = true;
    }
    AddExtras(out, item, dialect);
    for (const UserProperty& up : item.userProps) {
        CardField f;
        f.key = kUserPropKey;
        f.name = "X-OUTLOOK-USERPROPERTY";
        f.parts.push_back({std::to_string(up.type), 1, true});
        f.parts.push_back({up.name});
        if (up.type == olText || up.type == olKeywords)
            f.parts.push_back({up.text});
        else if (up.type == olDateTime)
            f.parts.push_back({FormatLocalDateTime(up.number), 1, true});
        else
            f.parts.push_back({FormatNumber(up.number), 1, true});
        out.push_back(std::move(f));
    }
    if (item.Date("LastModificationTime") != 0.0) {
        const std::string rev = FormatUtcDateTime(item.Date("LastModificationTime"));
        if (!rev.empty()) out.push_back(Verbatim("LastModificationTime", "REV", rev));
    }
    if (item.order >= 0) out.push_back(Verbatim(kOrderKey, "X-OUTLOOK-ORDER", std::to_string(item.order)));
    return out;
}

std::string FormatField(const CardField& field, CardDialect dialect, const VCardLine* old, const CardField* oldField,
                        bool markSlot) {
    const bool v21 = dialect == CardDialect::V21;
    // The components, each escaped or, where nothing changed, as written.
    std::vector<std::string> rawOld;
    const bool keepSpelling = old != nullptr && oldField != nullptr && field.parts.size() > 1 && !v21 &&
                              !old->QuotedPrintable() && oldField->parts.size() == field.parts.size();
    if (keepSpelling) rawOld = SplitRaw(old->value, ';');
    std::vector<std::string> components;
    components.reserve(field.parts.size());
    std::vector<std::string> kinds;  // of the escaped line breaks, part by part
    std::size_t r = 0;
    for (std::size_t i = 0; i < field.parts.size(); ++i) {
        const CardPart& p = field.parts[i];
        const std::size_t end = p.width == 0 ? std::max(r, rawOld.size()) : r + p.width;
        bool keep =
            keepSpelling && oldField->parts[i].text == p.text && p.text.find_first_of("\r\n") == std::string::npos;
        for (std::size_t k = r; keep && k < end && k < rawOld.size(); ++k) keep = !OpenEscape(rawOld[k]);
        if (keep) {
            for (std::size_t k = r; k < end; ++k) components.push_back(k < rawOld.size() ? rawOld[k] : std::string());
        } else {
            for (std::size_t k = 1; k < p.width; ++k) components.emplace_back();
            if (p.verbatim) {
                components.push_back(p.text);
            } else if (v21) {
                components.push_back(Escape21(p.text));
            } else {
                components.push_back(EscapeText(p.text, !field.list));
                for (std::string& k : BreakKinds(p.text)) kinds.push_back(std::move(k));
            }
        }
        r = end;
    }
    std::string value;
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0) value += ';';
        value += components[i];
    }

    std::string head;
    if (old != nullptr) {
        std::vector<std::string> drop = {kEolParam, kMadeUpParam, "ENCODING", "CHARSET", "QUOTED-PRINTABLE"};
        const bool day = field.key == "Birthday" || field.key == "Anniversary";
        if (day && !(EqualsNoCase(old->Param("VALUE"), "date") && value.find('T') == std::string::npos))
            drop.emplace_back("VALUE");
        head = LineHead(*old, drop);
        if (markSlot && !field.slot.empty() && old->Param(kFieldParam).empty())
            head += std::string(";") + kFieldParam + "=" + field.slot;
        if (field.name == "TEL" && EqualsNoCase(old->Param("VALUE"), "uri")) value = "tel:" + value;
    } else {
        head = field.name;
        AppendTypeParams(head, field, dialect);
    }
    if (field.madeUp) head += std::string(";") + kMadeUpParam + "=TRUE";
    bool plain = true;
    for (const std::string& k : kinds) plain = plain && k == "CRLF";
    if (!plain) {
        bool same = true;
        for (const std::string& k : kinds) same = same && k == kinds[0];
        head += std::string(";") + kEolParam + "=";
        for (std::size_t i = 0; i < (same ? 1 : kinds.size()); ++i) head += (i > 0 ? "," : "") + kinds[i];
    }
    if (v21) {
        bool eightBit = false, qp = false;
        for (char c : value) {
            const auto u = static_cast<unsigned char>(c);
            eightBit = eightBit || u >= 0x80;
            qp = qp || u >= 0x80 || u < 0x20 || u == 0x7F;
        }
        if (!value.empty() && (value.back() == ' ' || value.back() == '\t')) qp = true;
        if (qp)
            return QuotedPrintableLine(head + (eightBit ? ";CHARSET=UTF-8" : "") + ";ENCODING=QUOTED-PRINTABLE", value);
    }
    head += ':';
    head += value;
    return FoldLine(head);
}

}  // namespace platform::outlook
