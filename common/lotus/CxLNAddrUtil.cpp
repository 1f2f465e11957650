#include "common/lotus/CxLNAddrUtil.h"

#include <array>
#include <cstring>

#include "common/bridge/CxExchangeRead.h"
#include "common/records/CommKinds.h"
#include "common/records/CommTextCopier.h"
#include "common/records/CommTypes.h"

namespace {

constexpr CxLoadTexts kContactTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading Lotus Notes Contacts.";
    t.reading = "Start loading Lotus Notes Contacts from temperary file: %s";
    t.count = "There are %d Contact records in total.";
    t.afterReading = "Load Lotus Notes Contact information from file successfully.";
    t.success = "Load Lotus Notes Contacts information successfully.";
    t.failure = "Failed to load Lotus Notes Contacts information.";
    return t;
}();

// The offsets of the fields 1 to 44, from their catalogue sizes.
const std::array<int, kLNLastPlainField>& Offsets() {
    static const std::array<int, kLNLastPlainField> offsets = [] {
        std::array<int, kLNLastPlainField> o{};
        int at = 0;
        for (std::size_t i = 0; i < o.size(); ++i) {
            o[i] = at;
            at += LNAddrFields()[i].Size;
        }
        return o;
    }();
    return offsets;
}

void CopyAddress(const CommTextCopier& copy, const LNAddrRec& r, int streetId, CommAddress& a) {
    auto text = [&](int part) { return CxLNAddrUtil::GetFieldText(r, streetId + part); };
    auto label = [&](int part) { return CxLNAddrUtil::FindFieldInfo(streetId + part)->Label; };
    copy(a.Street, text(kLNAddrStreet), label(kLNAddrStreet));
    copy(a.City, text(kLNAddrCity), label(kLNAddrCity));
    copy(a.State, text(kLNAddrState), label(kLNAddrState));
    copy(a.Country, text(kLNAddrCountry), label(kLNAddrCountry));
    copy(a.PostalCode, text(kLNAddrPostal), label(kLNAddrPostal));
}

}  // namespace

int LNAddrFieldOffset(int fieldId) {
    if (fieldId < 1 || fieldId > kLNLastPlainField) return -1;
    return Offsets()[static_cast<std::size_t>(fieldId - 1)];
}

CxLNAddrUtil::CxLNAddrUtil() : CxHelperKindBridge(kHelperLNAddr) {}

bool CxLNAddrUtil::Load() { return LoadWithTexts_(kContactTexts); }

bool CxLNAddrUtil::SetCustomFieldMap(int slot, int fieldId) {
    if (slot < 0 || slot >= kCustomMapSlots) return false;
    m_customMap[slot] = fieldId;
    return true;
}

int CxLNAddrUtil::GetCustomFieldMap(int slot) const {
    return slot >= 0 && slot < kCustomMapSlots ? m_customMap[slot] : 0;
}

int CxLNAddrUtil::GetFieldCount() { return kLNFieldCount; }

const LNFieldInfo* CxLNAddrUtil::GetFieldInfo(int index) {
    return index >= 0 && index < kLNFieldCount ? &LNAddrFields()[static_cast<std::size_t>(index)] : nullptr;
}

int CxLNAddrUtil::GetFieldID(int index) {
    const LNFieldInfo* f = GetFieldInfo(index);
    return f ? f->FieldID : 0;
}

const char* CxLNAddrUtil::GetFieldLabel(int index) {
    const LNFieldInfo* f = GetFieldInfo(index);
    return f ? f->Label : "N/A";
}

const LNFieldInfo* CxLNAddrUtil::FindFieldInfo(int fieldId) {
    return fieldId >= 1 && fieldId <= kLNFieldCount ? &LNAddrFields()[static_cast<std::size_t>(fieldId - 1)] : nullptr;
}

const void* CxLNAddrUtil::GetFieldValue(const LNAddrRec& rec, int fieldId, int* size) {
    const LNFieldInfo* info = FindFieldInfo(fieldId);
    if (info == nullptr) return nullptr;
    const void* value = nullptr;
    if (fieldId <= kLNLastPlainField)
        value = rec.Fields + LNAddrFieldOffset(fieldId);
    else if (fieldId == kLNNote)
        value = rec.Note;
    else if (fieldId == kLNCategory)
        value = rec.Category;
    else if (fieldId == kLNBirthDate)
        value = &rec.BirthDate;
    else if (fieldId == kLNAnniversary)
        value = &rec.Anniversary;
    if (value != nullptr && size != nullptr) *size = info->Size;
    return value;
}

const char* CxLNAddrUtil::GetFieldText(const LNAddrRec& rec, int fieldId) {
    const LNFieldInfo* info = FindFieldInfo(fieldId);
    if (info == nullptr || info->Kind != kLNFieldText) return nullptr;
    return static_cast<const char*>(GetFieldValue(rec, fieldId, nullptr));
}

double CxLNAddrUtil::GetFieldDate(const LNAddrRec& rec, int fieldId) {
    if (fieldId == kLNBirthDate) return rec.BirthDate;
    if (fieldId == kLNAnniversary) return rec.Anniversary;
    return 0.0;
}

bool CxLNAddrUtil::LoadRecFromFile_(CxFile& file, LNAddrRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    for (int id = 1; id <= kLNLastPlainField; ++id)
        file.ReadString(r.Fields + LNAddrFieldOffset(id), static_cast<std::size_t>(FindFieldInfo(id)->Size));
    ReadText(file, r.Note);
    ReadText(file, r.Category);
    ReadTexts(file, r.CustomValue);
    ReadTexts(file, r.CustomLabel);
    ReadDate(file, r.BirthDate);
    ReadDate(file, r.Anniversary);
    return true;
}

void CxLNAddrUtil::ConvertRecord_(const LNAddrRec& r, CommAddrRec& rec) {
    const CommTextCopier copy(CommKindAddr, "Lotus Notes contact", static_cast<std::int32_t>(GetRecordCount() + 1));
    auto field = [&](auto& dst, int id) { copy(dst, GetFieldText(r, id), FindFieldInfo(id)->Label); };

    field(rec.FirstName, kLNFirstName);
    field(rec.MiddleName, kLNMiddleName);
    field(rec.LastName, kLNLastName);
    field(rec.Suffix, kLNSuffix);
    field(rec.DisplayName, kLNDisplayName);
    field(rec.Company, kLNCompanyName);
    field(rec.Department, kLNDepartment);
    field(rec.Title, kLNJobTitle);
    field(rec.Location, kLNLocation);
    field(rec.ManagerName, kLNManagerName);
    field(rec.AssistantName, kLNAssistantName);
    // The e-mail group's third text is what the helpers fill as the third
    // address, whatever the catalogue calls it.
    field(rec.Email, kLNBusinessEmail);
    field(rec.Email2, kLNPersonalEmail);
    field(rec.Email3, kLNAssistantPhone);
    field(rec.PrimaryPhone, kLNPrimaryPhone);
    field(rec.WorkPhone, kLNBusinessPhone);
    field(rec.HomePhone, kLNHomePhone);
    field(rec.MobilePhone, kLNMobilePhone);
    field(rec.WorkFax, kLNBusinessFax);
    field(rec.HomeFax, kLNHomeFax);
    field(rec.Pager, kLNPager);
    CopyAddress(copy, r, kLNBusinessStreet, rec.WorkAddress);
    CopyAddress(copy, r, kLNHomeStreet, rec.HomeAddress);
    CopyAddress(copy, r, kLNOtherStreet, rec.OtherAddress);
    field(rec.Im1, kLNInstantMessenger);
    field(rec.WorkHomePage, kLNWebSite);
    field(rec.PersonalHomePage, kLNBlogSite);
    field(rec.SpouseName, kLNSpouseName);
    field(rec.ChildrensNames, kLNChildrensNames);
    field(rec.Category, kLNCategory);
    field(rec.Note, kLNNote);
    rec.Birthday = r.BirthDate;
    rec.Anniversary = r.Anniversary;
    for (int i = 0; i < 10; ++i) {
        copy(rec.CustomValue[i], r.CustomValue[i], "Custom Field");
        copy(rec.CustomLabel[i], r.CustomLabel[i], "Custom Label");
    }
    for (int slot = 0; slot < kCustomMapSlots; ++slot) {
        const LNFieldInfo* info = m_customMap[slot] != 0 ? FindFieldInfo(m_customMap[slot]) : nullptr;
        const char* value = info != nullptr ? GetFieldText(r, info->FieldID) : nullptr;
        if (value == nullptr) continue;
        copy(rec.MappedCustomValue[slot], value, info->Label);
    }
    rec.SourceType = CommSourceDomino;
}
