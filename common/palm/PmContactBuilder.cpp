#include "common/palm/PmContactBuilder.h"

#include <string_view>

#include "common/palm/PmAddrRec.h"
#include "common/records/CommKinds.h"
#include "platform/text/AsciiCase.h"

namespace {

bool SameAddress(const char* a, const char* b) { return a[0] != '\0' && platform::EqualsNoCase(a, b); }

}  // namespace

PmContactBuilder::PmContactBuilder(CommAddrRec& rec, std::int32_t recordId)
    : m_rec(rec), m_copy(CommKindAddr, recordId) {}

void PmContactBuilder::Address(CommAddress& out, const PmAddress& in, const char* which) {
    const std::string prefix = std::string(which) + " ";
    m_copy(out.Street, in.Street, (prefix + "Street").c_str());
    m_copy(out.City, in.City, (prefix + "City").c_str());
    m_copy(out.State, in.State, (prefix + "State").c_str());
    m_copy(out.PostalCode, in.ZipCode, (prefix + "Postal").c_str());
    m_copy(out.Country, in.Country, (prefix + "Country").c_str());
}

void PmContactBuilder::Line(const char* label, const char* value) {
    if (value == nullptr || value[0] == '\0') return;
    m_lines += "\r\n";
    m_lines += label;
    m_lines += ": ";
    m_lines += value;
}

void PmContactBuilder::Phone(std::int32_t label, const char* value) {
    if (value == nullptr || value[0] == '\0') return;
    CommAddrRec& r = m_rec;
    switch (label) {
    case kPmPhoneWork: Place(label, r.WorkPhone, sizeof r.WorkPhone, value, {r.WorkPhone2}); break;
    case kPmPhoneHome: Place(label, r.HomePhone, sizeof r.HomePhone, value, {r.HomePhone2}); break;
    case kPmPhoneFax: Place(label, r.WorkFax, sizeof r.WorkFax, value, {}); break;
    case kPmPhoneOther: Place(label, r.OtherPhone, sizeof r.OtherPhone, value, {}); break;
    case kPmPhoneEmail: Place(label, r.Email, sizeof r.Email, value, {r.Email2, r.Email3}); break;
    case kPmPhoneMain: Place(label, r.PrimaryPhone, sizeof r.PrimaryPhone, value, {}); break;
    case kPmPhonePager: Place(label, r.Pager, sizeof r.Pager, value, {}); break;
    case kPmPhoneMobile: Place(label, r.MobilePhone, sizeof r.MobilePhone, value, {}); break;
    default: Line(PmPhoneLabelText(label), value); break;
    }
}

void PmContactBuilder::Email(const char* label, const char* value) {
    if (value == nullptr || value[0] == '\0') return;
    char* members[] = {m_rec.Email, m_rec.Email2, m_rec.Email3};
    for (char* member : members)
        if (SameAddress(member, value)) return;
    for (char* member : members) {
        if (member[0] == '\0') {
            m_copy.Copy(member, sizeof m_rec.Email, value, label);
            return;
        }
    }
    Line(label, value);
}

void PmContactBuilder::Note(const char* note) {
    std::string text = note != nullptr ? note : "";
    if (!m_lines.empty()) text += text.empty() ? m_lines.substr(2) : m_lines;
    m_copy(m_rec.Note, std::string_view(text), "Note");
}

// The spare members of a label have the size of its main member.
void PmContactBuilder::Place(std::int32_t label, char* member, std::size_t size, const char* value,
                             std::initializer_list<char*> spares) {
    const char* field = PmPhoneLabelText(label);
    if (member[0] != '\0') {
        bool kept = false;
        for (char* spare : spares) {
            if (spare[0] == '\0') {
                m_copy.Copy(spare, size, member, field);
                kept = true;
                break;
            }
        }
        if (!kept) Line(field, member);
    }
    m_copy.Copy(member, size, value, field);
}
