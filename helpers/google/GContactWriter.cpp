#include "helpers/google/GContactWriter.h"

#include <array>
#include <string>
#include <vector>

#include "helpers/pim/JoinText.h"
#include "helpers/pim/VCardReader.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/TextCopy.h"

namespace google_helper {

namespace {

void Text(ExchangeDataWriter& out, std::string_view text, std::size_t capacity) {
    out.Text(text.substr(0, platform::Utf8PrefixLength(text, capacity)));
}

bool LabelIs(const std::string& label, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (platform::EqualsNoCase(label, w)) return true;
    return false;
}

// Values in slots of a fixed number, each with its type code.
template <typename T, std::size_t N>
struct Slots {
    std::array<int, N> codes{};
    std::array<const T*, N> items{};
    std::size_t used = 0;
    bool Add(int code, const T& item) {
        if (used == N || code == 0) return false;
        codes[used] = code;
        items[used] = &item;
        ++used;
        return true;
    }
};

int PlaceCode(const std::vector<std::string>& types, const std::string& label) {
    for (const std::string& t : types) {
        if (t == "HOME") return 1;
        if (t == "WORK") return 2;
    }
    if (LabelIs(label, {"home"})) return 1;
    if (LabelIs(label, {"work"})) return 2;
    return 3;
}

int PhoneCode(const pim::Value& v) {
    const bool fax = v.Has("FAX") || LabelIs(v.label, {"fax", "home fax", "work fax", "other fax"});
    const bool home = v.Has("HOME") || LabelIs(v.label, {"home", "home fax"});
    const bool work = v.Has("WORK") || LabelIs(v.label, {"work", "work fax"});
    if (fax) return home ? 4 : 5;
    if (v.Has("CELL") || v.Has("IPHONE") || LabelIs(v.label, {"mobile", "cell", "iphone"})) return 3;
    if (v.Has("PAGER") || LabelIs(v.label, {"pager"})) return 6;
    if (home) return 1;
    if (work) return 2;
    return 7;
}

int WebCode(const pim::Value& v) {
    if (v.Has("HOMEPAGE") || LabelIs(v.label, {"home page", "homepage"})) return 3;
    if (v.Has("FTP") || LabelIs(v.label, {"ftp"})) return 4;
    if (v.Has("BLOG") || LabelIs(v.label, {"blog"})) return 5;
    if (v.Has("PROFILE") || LabelIs(v.label, {"profile"})) return 6;
    if (v.Has("HOME") || LabelIs(v.label, {"home"})) return 1;
    if (v.Has("WORK") || LabelIs(v.label, {"work"})) return 2;
    return 7;
}

int ImCode(const pim::Value& v) {
    static const char* const services[] = {"GTALK", "AIM", "YAHOO", "SKYPE", "QQ", "MSN", "ICQ", "JABBER"};
    for (int i = 0; i < 8; ++i)
        if (v.Has(services[i]) || platform::EqualsNoCase(v.label, services[i])) return i + 1;
    if (LabelIs(v.label, {"google talk", "hangouts", "gtalk"})) return 1;
    if (LabelIs(v.label, {"windows live", "live messenger"})) return 6;
    if (LabelIs(v.label, {"xmpp"})) return 8;
    return 0;
}

int DateCode(const pim::Date& d) {
    for (const std::string& t : d.types) {
        if (t == "BIRTHDAY") return 1;
        if (t == "ANNIVERSARY") return 2;
    }
    if (LabelIs(d.label, {"birthday"})) return 1;
    if (LabelIs(d.label, {"anniversary"})) return 2;
    return 3;
}

int RelationCode(const pim::Value& v) {
    const std::string label = platform::ToLowerAscii(v.label);
    if (label == "spouse" || label == "wife" || label == "husband") return 1;
    if (label == "mother") return 3;
    if (label == "father") return 4;
    if (label == "manager") return 11;
    if (label == "assistant") return 12;
    return 0;
}

template <typename T, std::size_t N>
const T* Primary(const Slots<T, N>& slots) {
    for (std::size_t i = 0; i < slots.used; ++i)
        if (slots.items[i]->pref) return slots.items[i];
    return nullptr;
}

template <std::size_t N>
void WriteValues(ExchangeDataWriter& out, const Slots<pim::Value, N>& slots, std::size_t capacity,
                 const pim::Value* primary) {
    for (int code : slots.codes) out.Int(code);
    for (std::size_t i = 0; i < N; ++i) Text(out, i < slots.used ? slots.items[i]->value : "", capacity);
    Text(out, primary ? primary->value : "", capacity);
}

std::string Formatted(const pim::Address& a) {
    if (!a.formatted.empty()) return a.formatted;
    std::string cityLine = pim::JoinNonEmpty({a.city, a.region, a.postalCode}, " ");
    return pim::JoinNonEmpty({a.poBox, a.street, a.extended, cityLine, a.country}, "\r\n");
}

}  // namespace

double ContactDate(const pim::Date& date) { return pim::LocalDate(date); }

void WriteContact(ExchangeDataWriter& out, const pim::Contact& c, int number) {
    std::vector<pim::Value> customs = c.customs;  // relations and services without a slot join them

    // The program takes the work address, else the primary one, as the
    // first e-mail, and the home and other addresses as the second and
    // third: a primary address that is not a work one is given as the
    // primary alone, so that it does not arrive twice.
    const pim::Value* primaryEmail = nullptr;
    for (const pim::Value& v : c.emails) {
        if (v.pref) {
            primaryEmail = &v;
            break;
        }
    }
    Slots<pim::Value, 5> emails;
    for (const pim::Value& v : c.emails) {
        const int code = PlaceCode(v.types, v.label);
        if (&v != primaryEmail || code == 2) emails.Add(code, v);
    }
    Slots<pim::Address, 5> addresses;
    for (const pim::Address& a : c.addresses) addresses.Add(PlaceCode(a.types, a.label), a);
    Slots<pim::Value, 10> phones, webs, ims;
    for (const pim::Value& v : c.phones) phones.Add(PhoneCode(v), v);
    for (const pim::Value& v : c.webs) webs.Add(WebCode(v), v);
    for (const pim::Value& v : c.ims)
        if (!ims.Add(ImCode(v), v)) customs.push_back({{}, v.types.empty() ? "IM" : v.types.front(), v.value, false});
    Slots<pim::Date, 5> dates;
    for (const pim::Date& d : c.dates) dates.Add(DateCode(d), d);
    Slots<pim::Value, 20> relations;
    for (const pim::Value& v : c.relations)
        if (!relations.Add(RelationCode(v), v))
            customs.push_back({{}, v.label.empty() ? "Relation" : v.label, v.value, false});

    out.Int(number);
    out.Int(0);
    out.Int(0);
    for (const std::string* s : {&c.first, &c.middle, &c.last, &c.display, &c.nick, &c.company, &c.title})
        Text(out, *s, 63);
    WriteValues(out, emails, 63, primaryEmail);

    for (int code : addresses.codes) out.Int(code);
    auto each = [&](std::size_t capacity, auto member) {
        for (std::size_t i = 0; i < 5; ++i) Text(out, i < addresses.used ? member(*addresses.items[i]) : "", capacity);
    };
    each(255, [](const pim::Address& a) { return Formatted(a); });
    each(31, [](const pim::Address& a) { return a.city; });
    each(15, [](const pim::Address& a) { return a.region; });
    each(15, [](const pim::Address& a) { return a.country; });
    each(31, [](const pim::Address& a) { return a.postalCode; });
    each(127, [](const pim::Address& a) { return a.extended.empty() ? a.street : a.street + "\r\n" + a.extended; });
    each(31, [](const pim::Address& a) { return a.poBox; });
    each(63, [](const pim::Address&) { return std::string(); });  // neighbourhood: no vCard part holds it

    WriteValues(out, phones, 31, Primary(phones));
    WriteValues(out, webs, 255, Primary(webs));
    WriteValues(out, ims, 63, Primary(ims));

    for (std::size_t i = 0; i < 10; ++i) Text(out, i < customs.size() ? customs[i].label : "", 63);
    for (std::size_t i = 0; i < 10; ++i) Text(out, i < customs.size() ? customs[i].value : "", 63);

    for (int code : dates.codes) out.Int(code);
    for (std::size_t i = 0; i < 5; ++i) out.Date(i < dates.used ? ContactDate(*dates.items[i]) : 0.0);
    for (int code : relations.codes) out.Int(code);
    for (std::size_t i = 0; i < 20; ++i) Text(out, i < relations.used ? relations.items[i]->value : "", 63);

    Text(out, "", 4095);
    Text(out, c.note, 10239);
    std::vector<std::string> groups;
    for (const std::string& g : c.groups)
        if (!platform::EqualsNoCase(g, "myContacts") && !platform::EqualsNoCase(g, "* myContacts")) groups.push_back(g);
    Text(out, pim::JoinNonEmpty(groups, ", "), 255);
    out.Date(c.created);
    out.Date(c.modified);
    out.EndRecord();
}

}  // namespace google_helper
