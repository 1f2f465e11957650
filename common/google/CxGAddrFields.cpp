// The Google contact field catalogue and the value of each of its fields in
// a raw contact record.
#include <array>

#include "common/google/CxGAddrUtil.h"
#include "common/misc/CxDateTime.h"

namespace {

constexpr GFieldInfo T(std::int32_t id, const char* label, int size) { return {id, label, kGFieldText, size}; }
constexpr GFieldInfo D(std::int32_t id, const char* label) { return {id, label, kGFieldDate, 8}; }

constexpr std::array<GFieldInfo, 91> kFields = {{
    T(1, "First Name", 64),
    T(2, "Middle Name", 64),
    T(3, "Last Name", 64),
    T(4, "Display Name", 64),
    T(5, "Nick Name", 64),
    T(6, "Company Name", 64),
    T(7, "Job Title", 64),
    T(8, "Email(Home)", 64),
    T(9, "Email(Work)", 64),
    T(10, "Email(Other)", 64),
    T(11, "Email(Primary)", 64),
    T(12, "Address(Home)", 256),
    T(13, "Address(Work)", 256),
    T(14, "Address(Other)", 256),
    T(15, "City(Home)", 32),
    T(16, "City(Work)", 32),
    T(17, "City(Other)", 32),
    T(18, "State(Home)", 16),
    T(19, "State(Work)", 16),
    T(20, "State(Other)", 16),
    T(21, "Country(Home)", 16),
    T(22, "Country(Work)", 16),
    T(23, "Country(Other)", 16),
    T(24, "Postal(Home)", 32),
    T(25, "Postal(Work)", 32),
    T(26, "Postal(Other)", 32),
    T(27, "Street(Home)", 128),
    T(28, "Street(Work)", 128),
    T(29, "Street(Other)", 128),
    T(30, "P.O.Box(Home)", 32),
    T(31, "P.O.Box(Work)", 32),
    T(32, "P.O.Box(Other)", 32),
    T(33, "Neighborhood(Home)", 64),
    T(34, "Neighborhood(Work)", 64),
    T(35, "Neighborhood(Other)", 64),
    T(36, "Phone(Home)", 32),
    T(37, "Phone(Work)", 32),
    T(38, "Phone(Mobile)", 32),
    T(39, "Fax(Home)", 32),
    T(40, "Fax(Work)", 32),
    T(41, "Pager", 32),
    T(42, "Phone(Other)", 32),
    T(43, "Phone(Primary)", 32),
    T(44, "Web Site(Home)", 256),
    T(45, "Web Site(Work)", 256),
    T(46, "Home Page", 256),
    T(47, "FTP", 256),
    T(48, "Blog", 256),
    T(49, "Profile", 256),
    T(50, "Web Site(Other)", 256),
    T(51, "Web Site(Primary)", 256),
    T(52, "IM(GTalk)", 64),
    T(53, "IM(AIM)", 64),
    T(54, "IM(Yahoo)", 64),
    T(55, "IM(Skype)", 64),
    T(56, "IM(QQ)", 64),
    T(57, "IM(MSN)", 64),
    T(58, "IM(ICQ)", 64),
    T(59, "IM(Jabber)", 64),
    T(60, "IM(Primary)", 64),
    T(61, "Custom Label 1", 64),
    T(62, "Custom Label 2", 64),
    T(63, "Custom Label 3", 64),
    T(64, "Custom Label 4", 64),
    T(65, "Custom Label 5", 64),
    T(66, "Custom Label 6", 64),
    T(67, "Custom Label 7", 64),
    T(68, "Custom Label 8", 64),
    T(69, "Custom Label 9", 64),
    T(70, "Custom Label 10", 64),
    T(71, "Custom Field 1", 64),
    T(72, "Custom Field 2", 64),
    T(73, "Custom Field 3", 64),
    T(74, "Custom Field 4", 64),
    T(75, "Custom Field 5", 64),
    T(76, "Custom Field 6", 64),
    T(77, "Custom Field 7", 64),
    T(78, "Custom Field 8", 64),
    T(79, "Custom Field 9", 64),
    T(80, "Custom Field 10", 64),
    D(81, "Birthday"),
    D(82, "Anniversary"),
    D(83, "Date(Other)"),
    T(84, "Spouse", 64),
    T(85, "Mother", 64),
    T(86, "Father", 64),
    T(87, "Manager", 64),
    T(88, "Assistant", 64),
    T(90, "Note", 10240),
    D(91, "Creation Time"),
    D(92, "Last Modification Time"),
}};

// An address member of the slot typed `code` (1 home, 2 work, 3 other).
template <std::size_t M>
const char* AddressPart(const GAddrRec& r, const char (&values)[5][M], int code) {
    return CxGAddrUtil::Typed(r.AddressType, values, code);
}

const char* TextOf(const GAddrRec& r, int id) {
    using U = CxGAddrUtil;
    switch (id) {
    case 1: return r.FirstName;
    case 2: return r.MiddleName;
    case 3: return r.LastName;
    case 4: return r.DisplayName;
    case 5: return r.NickName;
    case 6: return r.CompanyName;
    case 7: return r.JobTitle;
    case 11: return r.PrimaryEmail;
    case 43: return r.PrimaryPhone;
    case 51: return r.PrimaryWeb;
    case 60: return r.PrimaryIm;
    case 84: return U::Typed(r.RelationType, r.Relation, 1);
    case 85: return U::Typed(r.RelationType, r.Relation, 3);
    case 86: return U::Typed(r.RelationType, r.Relation, 4);
    case 87: return U::Typed(r.RelationType, r.Relation, 11);
    case 88: return U::Typed(r.RelationType, r.Relation, 12);
    case 90: return r.Notes;
    default: break;
    }
    if (id >= 8 && id <= 10) return U::Typed(r.EmailType, r.Email, id - 7);
    if (id >= 12 && id <= 35) {
        const int group = (id - 12) / 3;
        const int code = (id - 12) % 3 + 1;
        switch (group) {
        case 0: return AddressPart(r, r.FormattedAddress, code);
        case 1: return AddressPart(r, r.City, code);
        case 2: return AddressPart(r, r.State, code);
        case 3: return AddressPart(r, r.Country, code);
        case 4: return AddressPart(r, r.PostalCode, code);
        case 5: return AddressPart(r, r.Street, code);
        case 6: return AddressPart(r, r.PoBox, code);
        default: return AddressPart(r, r.Neighborhood, code);
        }
    }
    if (id >= 36 && id <= 42) return U::Typed(r.PhoneType, r.Phone, id - 35);
    if (id >= 44 && id <= 50) return U::Typed(r.WebType, r.Web, id - 43);
    if (id >= 52 && id <= 59) return U::Typed(r.ImType, r.Im, id - 51);
    if (id >= 61 && id <= 70) return r.CustomLabel[id - 61];
    if (id >= 71 && id <= 80) return r.CustomValue[id - 71];
    return nullptr;
}

// The date of a date field: the slot typed 1, 2 or 3, or a record time.
bool DateOf(const GAddrRec& r, int id, double& date, bool& withTime) {
    withTime = id == 91 || id == 92;
    if (id == 91) date = r.CreationTime;
    if (id == 92) date = r.LastModificationTime;
    if (id >= 81 && id <= 83) {
        for (int i = 0; i < 5; ++i)
            if (r.DateType[i] == id - 80) {
                date = r.Date[i];
                return date != 0.0;
            }
        return false;
    }
    return withTime && date != 0.0;
}

}  // namespace

int CxGAddrUtil::GetFieldCount() { return static_cast<int>(kFields.size()); }

const GFieldInfo* CxGAddrUtil::GetFieldInfo(int index) {
    return index >= 0 && index < GetFieldCount() ? &kFields[static_cast<std::size_t>(index)] : nullptr;
}

int CxGAddrUtil::GetFieldID(int index) {
    const GFieldInfo* f = GetFieldInfo(index);
    return f ? f->FieldID : 0;
}

const char* CxGAddrUtil::GetFieldLabel(int index) {
    const GFieldInfo* f = GetFieldInfo(index);
    return f ? f->Label : "N/A";
}

const GFieldInfo* CxGAddrUtil::FindFieldInfo(int fieldId) {
    for (const GFieldInfo& f : kFields)
        if (f.FieldID == fieldId) return &f;
    return nullptr;
}

std::string CxGAddrUtil::GetFieldText(const GAddrRec& rec, int fieldId) {
    const GFieldInfo* info = FindFieldInfo(fieldId);
    if (info == nullptr) return {};
    if (info->Kind == kGFieldText) {
        const char* text = TextOf(rec, fieldId);
        return text ? std::string(text) : std::string();
    }
    double date = 0.0;
    bool withTime = false;
    if (!DateOf(rec, fieldId, date, withTime)) return {};
    char buffer[32] = {};
    const CxDateTime value(date);
    if (withTime)
        value.FormatDateTime(buffer, sizeof buffer);
    else
        value.FormatDate(buffer, sizeof buffer);
    return buffer;
}
