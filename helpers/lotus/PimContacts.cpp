#include "helpers/lotus/PimContacts.h"

#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "common/lotus/CxLNAddrFields.h"
#include "helpers/pim/JoinText.h"
#include "helpers/pim/VCardReader.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/Utf8.h"

namespace lotus_helper {

namespace {

bool LabelIs(const std::string& label, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (platform::EqualsNoCase(label, w)) return true;
    return false;
}

// A text as UTF-8: labels may come from the parameters of a line, which
// keep the bytes the file gave them.
std::string Utf8(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) platform::AppendUtf8(out, platform::DecodeUtf8(text, i));
    return out;
}

class Builder {
public:
    explicit Builder(LnContact& r) : m_r(r) {}

    // Puts `value` into the first of `ids` that is still empty; false when
    // none is.
    bool Put(std::initializer_list<std::int32_t> ids, const std::string& value) {
        if (value.empty()) return true;
        for (std::int32_t id : ids) {
            std::string& field = m_r.text[id];
            if (field.empty()) {
                field = value;
                return true;
            }
        }
        return false;
    }

    // A value without a field of its own: the next custom pair, else a
    // line at the end of the note.
    void Custom(const std::string& label, const std::string& value) {
        if (value.empty()) return;
        if (m_customs < m_r.customValue.size()) {
            m_r.customLabel[m_customs] = Utf8(label);
            m_r.customValue[m_customs] = Utf8(value);
            ++m_customs;
            return;
        }
        m_overflow.push_back(Utf8(label + ": " + value));
    }

    void PutOrCustom(std::initializer_list<std::int32_t> ids, const std::string& label, const std::string& value) {
        if (!Put(ids, value)) Custom(label, value);
    }

    void Finish(const std::string& note) {
        std::vector<std::string> parts{note};
        for (std::string& line : m_overflow) parts.push_back(std::move(line));
        m_r.note = pim::JoinNonEmpty(parts, "\r\n");
    }

private:
    LnContact& m_r;
    std::size_t m_customs = 0;
    std::vector<std::string> m_overflow;
};

enum class Place { Work, Home, Other, None };

template <typename T>
Place PlaceOf(const T& v) {
    if (v.Has("WORK") || LabelIs(v.label, {"work", "business", "office"})) return Place::Work;
    if (v.Has("HOME") || LabelIs(v.label, {"home", "personal"})) return Place::Home;
    if (v.Has("OTHER") || LabelIs(v.label, {"other"})) return Place::Other;
    return Place::None;
}

void Emails(Builder& b, const std::vector<pim::Value>& emails) {
    // The first work and home addresses take their fields; an untyped one
    // the first of them still free; the rest the third e-mail, then
    // custom values.
    std::vector<const pim::Value*> rest;
    for (const pim::Value& v : emails) {
        const Place place = PlaceOf(v);
        if (place == Place::Work && b.Put({kLNBusinessEmail}, v.value)) continue;
        if (place == Place::Home && b.Put({kLNPersonalEmail}, v.value)) continue;
        rest.push_back(&v);
    }
    for (const pim::Value* v : rest) {
        if (PlaceOf(*v) == Place::None && b.Put({kLNBusinessEmail, kLNPersonalEmail}, v->value)) continue;
        b.PutOrCustom({kLNAssistantPhone}, "Email", v->value);
    }
}

void Phones(Builder& b, const std::vector<pim::Value>& phones) {
    std::vector<const pim::Value*> rest;
    for (const pim::Value& v : phones) {
        const bool fax = v.Has("FAX") || LabelIs(v.label, {"fax", "work fax", "home fax"});
        const Place place = PlaceOf(v);
        std::int32_t id = 0;
        if (fax)
            id = place == Place::Home || LabelIs(v.label, {"home fax"}) ? kLNHomeFax : kLNBusinessFax;
        else if (v.Has("CELL") || v.Has("MOBILE") || LabelIs(v.label, {"mobile", "cell"}))
            id = kLNMobilePhone;
        else if (v.Has("PAGER") || LabelIs(v.label, {"pager"}))
            id = kLNPager;
        else if (place == Place::Work)
            id = kLNBusinessPhone;
        else if (place == Place::Home)
            id = kLNHomePhone;
        else
            id = kLNPrimaryPhone;
        if (!b.Put({id}, v.value)) rest.push_back(&v);
    }
    for (const pim::Value* v : rest) b.PutOrCustom({kLNPrimaryPhone}, v->label.empty() ? "Phone" : v->label, v->value);
}

std::string Street(const pim::Address& a) {
    std::string street = pim::JoinNonEmpty({a.street, a.extended, a.poBox}, "\r\n");
    if (street.empty() && a.city.empty() && a.region.empty() && a.postalCode.empty() && a.country.empty())
        street = a.formatted;
    return street;
}

void Addresses(Builder& b, LnContact& r, const std::vector<pim::Address>& addresses) {
    auto empty = [&](std::int32_t first) {
        for (std::int32_t id = first; id <= first + kLNAddrPostal; ++id)
            if (!r.text[id].empty()) return false;
        return true;
    };
    auto put = [&](std::int32_t first, const pim::Address& a) {
        r.text[first + kLNAddrStreet] = Street(a);
        r.text[first + kLNAddrCity] = a.city;
        r.text[first + kLNAddrState] = a.region;
        r.text[first + kLNAddrCountry] = a.country;
        r.text[first + kLNAddrPostal] = a.postalCode;
    };
    std::vector<const pim::Address*> rest;
    for (const pim::Address& a : addresses) {
        const Place place = PlaceOf(a);
        const std::int32_t first = place == Place::Work   ? kLNBusinessStreet
                                   : place == Place::Home ? kLNHomeStreet
                                                          : kLNOtherStreet;
        if (empty(first))
            put(first, a);
        else
            rest.push_back(&a);
    }
    for (const pim::Address* a : rest) {
        bool placed = false;
        for (std::int32_t first : {kLNOtherStreet, kLNBusinessStreet, kLNHomeStreet}) {
            if (!placed && empty(first)) {
                put(first, *a);
                placed = true;
            }
        }
        if (placed) continue;
        const std::string cityLine = pim::JoinNonEmpty({a->postalCode, a->city, a->region}, " ");
        b.Custom(a->label.empty() ? "Address" : a->label,
                 pim::JoinNonEmpty({Street(*a), cityLine, a->country}, "\r\n"));
    }
}

void Relations(Builder& b, LnContact& r, const std::vector<pim::Value>& relations) {
    for (const pim::Value& v : relations) {
        const std::string& l = v.label;
        if (LabelIs(l, {"spouse", "partner", "wife", "husband"}))
            b.PutOrCustom({kLNSpouseName}, l, v.value);
        else if (LabelIs(l, {"child", "children", "son", "daughter", "kid"}))
            r.text[kLNChildrensNames] = pim::JoinNonEmpty({r.text[kLNChildrensNames], v.value}, ", ");
        else if (LabelIs(l, {"manager"}))
            b.PutOrCustom({kLNManagerName}, l, v.value);
        else if (LabelIs(l, {"assistant"}))
            b.PutOrCustom({kLNAssistantName}, l, v.value);
        else
            b.Custom(l.empty() ? "Relation" : l, v.value);
    }
}

}  // namespace

LnContact ContactRecord(const pim::Contact& c) {
    LnContact r;
    Builder b(r);
    r.text[kLNID] = c.uid;
    r.text[kLNFirstName] = c.first;
    r.text[kLNMiddleName] = c.middle;
    r.text[kLNLastName] = c.last;
    r.text[kLNSuffix] = c.suffix;
    r.text[kLNDisplayName] = c.display;
    r.text[kLNCompanyName] = c.company;
    r.text[kLNDepartment] = c.department;
    r.text[kLNJobTitle] = c.title;
    Emails(b, c.emails);
    Phones(b, c.phones);
    Addresses(b, r, c.addresses);
    for (const pim::Value& v : c.ims)
        b.PutOrCustom({kLNInstantMessenger}, v.types.empty() ? "IM" : v.types.front(), v.value);
    for (const pim::Value& v : c.webs) {
        const bool blog = v.Has("BLOG") || v.Has("HOME") || LabelIs(v.label, {"blog", "home", "personal"});
        if (blog ? !b.Put({kLNBlogSite, kLNWebSite}, v.value) : !b.Put({kLNWebSite, kLNBlogSite}, v.value))
            b.Custom(v.label.empty() ? "Web" : v.label, v.value);
    }
    Relations(b, r, c.relations);
    b.Custom("Nickname", c.nick);
    for (const pim::Date& d : c.dates) {
        const bool birthday = platform::EqualsNoCase(d.types.empty() ? d.label : d.types.front(), "BIRTHDAY");
        const bool anniversary = platform::EqualsNoCase(d.types.empty() ? d.label : d.types.front(), "ANNIVERSARY");
        double& slot = birthday ? r.birthDate : r.anniversary;
        if ((birthday || anniversary) && slot == 0 && (slot = pim::LocalDate(d)) != 0) continue;
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
        b.Custom(d.label.empty() ? "Date" : d.label, d.year > 0 ? text : text + 5);
    }
    for (const pim::Value& v : c.customs) b.Custom(v.label, v.value);
    r.category = pim::JoinNonEmpty(c.groups, ", ");
    b.Finish(c.note);
    // Only the catalogue's texts: fields left empty are written empty.
    for (auto it = r.text.begin(); it != r.text.end();) it = it->second.empty() ? r.text.erase(it) : std::next(it);
    return r;
}

}  // namespace lotus_helper
