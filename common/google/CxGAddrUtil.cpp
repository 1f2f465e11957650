#include "common/google/CxGAddrUtil.h"

#include "common/bridge/CxExchangeRead.h"
#include "common/google/CxGTextCopier.h"
#include "common/records/CommKinds.h"

namespace {

constexpr CxLoadTexts kContactTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading Google Contacts.";
    t.reading = "Start loading Google Contacts from temperary file: %s";
    t.count = "There are %d Contact records in total.";
    t.afterReading = "Load Google Contacts information from file successfully.";
    t.success = "Load Google Contacts successfully.";
    t.failure = "Error loading Google Contacts.";
    return t;
}();

// The seven address members of the slot typed `code`.
void CopyAddress(const CxGTextCopier& copy, const GAddrRec& r, int code, const char* which, CommAddress& a) {
    const std::string prefix = std::string(which) + " ";
    using U = CxGAddrUtil;
    copy(a.Street, U::Typed(r.AddressType, r.Street, code), (prefix + "Street").c_str());
    copy(a.City, U::Typed(r.AddressType, r.City, code), (prefix + "City").c_str());
    copy(a.State, U::Typed(r.AddressType, r.State, code), (prefix + "State").c_str());
    copy(a.PostalCode, U::Typed(r.AddressType, r.PostalCode, code), (prefix + "Postal Code").c_str());
    copy(a.Country, U::Typed(r.AddressType, r.Country, code), (prefix + "Country").c_str());
    copy(a.PoBox, U::Typed(r.AddressType, r.PoBox, code), (prefix + "P.O.Box").c_str());
    copy(a.Neighborhood, U::Typed(r.AddressType, r.Neighborhood, code), (prefix + "Neighborhood").c_str());
}

}  // namespace

CxGAddrUtil::CxGAddrUtil() : CxHelperKindBridge(kHelperGAddr) {}

bool CxGAddrUtil::Load() { return LoadWithTexts_(kContactTexts); }

bool CxGAddrUtil::SetCustomFieldMap(int slot, int fieldId) {
    if (slot < 0 || slot >= kCustomMapSlots) return false;
    m_customMap[slot] = fieldId;
    return true;
}

int CxGAddrUtil::GetCustomFieldMap(int slot) const {
    return slot >= 0 && slot < kCustomMapSlots ? m_customMap[slot] : 0;
}

bool CxGAddrUtil::LoadRecFromFile_(CxFile& file, GAddrRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    ReadText(file, r.FirstName);
    ReadText(file, r.MiddleName);
    ReadText(file, r.LastName);
    ReadText(file, r.DisplayName);
    ReadText(file, r.NickName);
    ReadText(file, r.CompanyName);
    ReadText(file, r.JobTitle);
    ReadInts(file, r.EmailType);
    ReadTexts(file, r.Email);
    ReadText(file, r.PrimaryEmail);
    ReadInts(file, r.AddressType);
    ReadTexts(file, r.FormattedAddress);
    ReadTexts(file, r.City);
    ReadTexts(file, r.State);
    ReadTexts(file, r.Country);
    ReadTexts(file, r.PostalCode);
    ReadTexts(file, r.Street);
    ReadTexts(file, r.PoBox);
    ReadTexts(file, r.Neighborhood);
    ReadInts(file, r.PhoneType);
    ReadTexts(file, r.Phone);
    ReadText(file, r.PrimaryPhone);
    ReadInts(file, r.WebType);
    ReadTexts(file, r.Web);
    ReadText(file, r.PrimaryWeb);
    ReadInts(file, r.ImType);
    ReadTexts(file, r.Im);
    ReadText(file, r.PrimaryIm);
    ReadTexts(file, r.CustomLabel);
    ReadTexts(file, r.CustomValue);
    ReadInts(file, r.DateType);
    ReadDates(file, r.Date);
    ReadInts(file, r.RelationType);
    ReadTexts(file, r.Relation);
    ReadText(file, r.Extra);
    ReadText(file, r.Notes);
    ReadText(file, r.Group);
    ReadDate(file, r.CreationTime);
    ReadDate(file, r.LastModificationTime);
    return true;
}

void CxGAddrUtil::ConvertRecord_(const GAddrRec& r, CommAddrRec& rec) {
    const CxGTextCopier copy(CommKindAddr, r.Header[0]);
    copy(rec.FirstName, r.FirstName, "First Name");
    copy(rec.MiddleName, r.MiddleName, "Middle Name");
    copy(rec.LastName, r.LastName, "Last Name");
    copy(rec.DisplayName, r.DisplayName, "Display Name");
    copy(rec.NickName, r.NickName, "Nick Name");
    copy(rec.Company, r.CompanyName, "Company Name");
    copy(rec.Title, r.JobTitle, "Job Title");

    const char* work = Typed(r.EmailType, r.Email, 2);
    copy(rec.Email, work != nullptr && work[0] != '\0' ? work : r.PrimaryEmail, "Email");
    copy(rec.Email2, Typed(r.EmailType, r.Email, 1), "Email(Home)");
    copy(rec.Email3, Typed(r.EmailType, r.Email, 3), "Email(Other)");

    CopyAddress(copy, r, 2, "Work", rec.WorkAddress);
    CopyAddress(copy, r, 1, "Home", rec.HomeAddress);
    CopyAddress(copy, r, 3, "Other", rec.OtherAddress);

    copy(rec.HomePhone, Typed(r.PhoneType, r.Phone, 1), "Phone(Home)");
    copy(rec.WorkPhone, Typed(r.PhoneType, r.Phone, 2), "Phone(Work)");
    copy(rec.MobilePhone, Typed(r.PhoneType, r.Phone, 3), "Phone(Mobile)");
    copy(rec.HomeFax, Typed(r.PhoneType, r.Phone, 4), "Fax(Home)");
    copy(rec.WorkFax, Typed(r.PhoneType, r.Phone, 5), "Fax(Work)");
    copy(rec.Pager, Typed(r.PhoneType, r.Phone, 6), "Pager");
    copy(rec.OtherPhone, Typed(r.PhoneType, r.Phone, 7), "Phone(Other)");
    copy(rec.PrimaryPhone, r.PrimaryPhone, "Phone(Primary)");

    // The first slot of a type gives the date, even when it holds none.
    for (int code = 1; code <= 2; ++code) {
        for (int i = 0; i < 5; ++i) {
            if (r.DateType[i] != code) continue;
            (code == 1 ? rec.Birthday : rec.Anniversary) = r.Date[i];
            break;
        }
    }

    copy(rec.Im1, Typed(r.ImType, r.Im, 1), "IM(GTalk)");
    copy(rec.Im2, Typed(r.ImType, r.Im, 6), "IM(MSN)");
    copy(rec.SpouseName, Typed(r.RelationType, r.Relation, 1), "Spouse");
    copy(rec.ManagerName, Typed(r.RelationType, r.Relation, 11), "Manager");
    copy(rec.AssistantName, Typed(r.RelationType, r.Relation, 12), "Assistant");

    for (int i = 0; i < 10; ++i) {
        copy(rec.CustomValue[i], r.CustomValue[i], "Custom Field");
        copy(rec.CustomLabel[i], r.CustomLabel[i], "Custom Label");
    }
    copy(rec.Note, r.Notes, "Note");
    copy(rec.Category, r.Group, "Category");

    for (int slot = 0; slot < kCustomMapSlots; ++slot) {
        const GFieldInfo* info = m_customMap[slot] != 0 ? FindFieldInfo(m_customMap[slot]) : nullptr;
        if (info == nullptr || info->Kind != kGFieldText) continue;
        const std::string value = GetFieldText(r, info->FieldID);
        if (!value.empty()) copy(rec.MappedCustomValue[slot], value, info->Label);
    }
    rec.SourceType = CommSourceGoogle;
}
