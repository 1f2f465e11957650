#include "common/ACT/CxACTAddrUtil.h"

#include <array>
#include <cstring>
#include <string>

#include "common/bridge/CxExchangeRead.h"
#include "common/records/CommKinds.h"
#include "common/records/CommTextCopier.h"
#include "common/records/CommTypes.h"

namespace {

constexpr CxLoadTexts kContactTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading ACT! Contacts.";
    t.reading = "Start loading ACT! Contacts from temperary file: %s";
    t.count = "There are %d Contact records in total.";
    t.afterReading = "Load ACT! Contacts information from file successfully.";
    t.success = "Load ACT! Contacts information successfully.";
    t.failure = "Failed to load ACT! Contacts information.";
    t.startBeforeClear = true;
    return t;
}();

// The offsets of the fields in id order, from their catalogue sizes.
const std::array<int, kACTFieldCount>& Offsets() {
    static const std::array<int, kACTFieldCount> offsets = [] {
        std::array<int, kACTFieldCount> o{};
        int at = 0;
        for (std::size_t i = 0; i < kACTFieldCount; ++i) {
            o[i] = at;
            at += ACTAddrFields()[i].Size;
        }
        return o;
    }();
    return offsets;
}

// A phone and its extension: "%sx%s" when both are set.
std::string JoinPhone(const char* phone, const char* extension) {
    if (phone == nullptr || phone[0] == '\0') return {};
    if (extension == nullptr || extension[0] == '\0') return phone;
    return std::string(phone) + "x" + extension;
}

// The non-empty address lines in order, separated by CR LF.
std::string JoinLines(const ACTAddrRec& r, int countryId) {
    std::string street;
    for (int part = kACTAddrLine1; part <= kACTAddrLine3; ++part) {
        const char* line = CxACTAddrUtil::GetFieldText(r, countryId + part);
        if (line == nullptr || line[0] == '\0') continue;
        if (!street.empty()) street += "\r\n";
        street += line;
    }
    return street;
}

void CopyAddress(const CommTextCopier& copy, const ACTAddrRec& r, int countryId, CommAddress& a) {
    auto text = [&](int part) { return CxACTAddrUtil::GetFieldText(r, countryId + part); };
    auto label = [&](int part) { return CxACTAddrUtil::FindFieldInfo(countryId + part)->Label; };
    copy(a.Country, text(kACTAddrCountry), label(kACTAddrCountry));
    copy(a.State, text(kACTAddrState), label(kACTAddrState));
    copy(a.City, text(kACTAddrCity), label(kACTAddrCity));
    copy(a.PostalCode, text(kACTAddrPostal), label(kACTAddrPostal));
    copy(a.Street, JoinLines(r, countryId), label(kACTAddrLine1));
}

}  // namespace

int ACTAddrFieldOffset(int fieldId) {
    if (fieldId < 1 || fieldId > kACTFieldCount) return -1;
    return Offsets()[static_cast<std::size_t>(fieldId - 1)];
}

CxACTAddrUtil::CxACTAddrUtil() : CxHelperKindBridge(kHelperACTAddr) {}

bool CxACTAddrUtil::Load() { return LoadWithTexts_(kContactTexts); }

bool CxACTAddrUtil::SetCustomFieldMap(int slot, int fieldId) {
    if (slot < 0 || slot >= kCustomMapSlots) return false;
    m_customMap[slot] = fieldId;
    return true;
}

int CxACTAddrUtil::GetCustomFieldMap(int slot) const {
    return slot >= 0 && slot < kCustomMapSlots ? m_customMap[slot] : 0;
}

int CxACTAddrUtil::GetFieldCount() { return kACTFieldCount; }

const ACTFieldInfo* CxACTAddrUtil::GetFieldInfo(int index) {
    return index >= 0 && index < kACTFieldCount ? &ACTAddrFields()[static_cast<std::size_t>(index)] : nullptr;
}

int CxACTAddrUtil::GetFieldID(int index) {
    const ACTFieldInfo* f = GetFieldInfo(index);
    return f ? f->FieldID : 0;
}

const char* CxACTAddrUtil::GetFieldLabel(int index) {
    const ACTFieldInfo* f = GetFieldInfo(index);
    return f ? f->Label : "N/A";
}

const ACTFieldInfo* CxACTAddrUtil::FindFieldInfo(int fieldId) {
    for (const ACTFieldInfo& f : ACTAddrFields())
        if (f.FieldID == fieldId) return &f;
    return nullptr;
}

const void* CxACTAddrUtil::GetFieldValue(const ACTAddrRec& rec, int fieldId, int* size) {
    const ACTFieldInfo* info = FindFieldInfo(fieldId);
    const int offset = ACTAddrFieldOffset(fieldId);
    if (info == nullptr || offset < 0) return nullptr;
    if (size != nullptr) *size = info->Size;
    return rec.Fields + offset;
}

const char* CxACTAddrUtil::GetFieldText(const ACTAddrRec& rec, int fieldId) {
    const ACTFieldInfo* info = FindFieldInfo(fieldId);
    if (info == nullptr || info->Kind != kACTFieldText) return nullptr;
    return reinterpret_cast<const char*>(rec.Fields + ACTAddrFieldOffset(fieldId));
}

std::int32_t CxACTAddrUtil::GetFieldFlag(const ACTAddrRec& rec, int fieldId) {
    const ACTFieldInfo* info = FindFieldInfo(fieldId);
    if (info == nullptr || info->Kind != kACTFieldFlag) return 0;
    std::int32_t value = 0;
    std::memcpy(&value, rec.Fields + ACTAddrFieldOffset(fieldId), sizeof value);
    return value;
}

double CxACTAddrUtil::GetFieldDate(const ACTAddrRec& rec, int fieldId) {
    const ACTFieldInfo* info = FindFieldInfo(fieldId);
    if (info == nullptr || info->Kind != kACTFieldDate) return 0.0;
    double value = 0.0;
    std::memcpy(&value, rec.Fields + ACTAddrFieldOffset(fieldId), sizeof value);
    return value;
}

bool CxACTAddrUtil::LoadRecFromFile_(CxFile& file, ACTAddrRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    for (const ACTFieldInfo& f : ACTAddrFields()) {
        unsigned char* at = r.Fields + ACTAddrFieldOffset(f.FieldID);
        if (f.Kind == kACTFieldText) {
            file.ReadString(reinterpret_cast<char*>(at), static_cast<std::size_t>(f.Size));
        } else if (f.Kind == kACTFieldFlag) {
            std::int32_t flag = 0;
            ReadFlag(file, flag);
            std::memcpy(at, &flag, sizeof flag);
        } else {
            double date = 0.0;
            ReadDate(file, date);
            std::memcpy(at, &date, sizeof date);
        }
    }
    return true;
}

void CxACTAddrUtil::ConvertRecord_(const ACTAddrRec& r, CommAddrRec& rec) {
    const CommTextCopier copy(CommKindAddr, "ACT! contact", static_cast<std::int32_t>(GetRecordCount() + 1));
    auto text = [&](int id) { return GetFieldText(r, id); };
    auto label = [](int id) { return FindFieldInfo(id)->Label; };
    auto field = [&](auto& dst, int id) { copy(dst, text(id), label(id)); };

    field(rec.FirstName, kACTFirstName);
    field(rec.MiddleName, kACTMiddleName);
    field(rec.LastName, kACTLastName);
    field(rec.DisplayName, kACTFullName);
    field(rec.Salutation, kACTSalutation);
    field(rec.Company, kACTCompany);
    field(rec.Title, kACTTitle);
    field(rec.Department, kACTDepartment);
    field(rec.SpouseName, kACTSpouseName);

    const struct {
        char (&dst)[24];
        int phone;
        int extension;
    } phones[] = {
        {rec.WorkPhone, kACTBusinessPhone, kACTBusinessPhoneExtension},
        {rec.HomePhone, kACTHomePhone, kACTHomePhoneExtension},
        {rec.MobilePhone, kACTMobilePhone, kACTMobilePhoneExtension},
        {rec.WorkFax, kACTFax, kACTFaxExtension},
        {rec.Pager, kACTPager, kACTPagerExtension},
    };
    for (const auto& p : phones) copy(p.dst, JoinPhone(text(p.phone), text(p.extension)), label(p.phone));

    field(rec.Email, kACTBusinessEmail);
    field(rec.Email2, kACTPersonalEmail);
    CopyAddress(copy, r, kACTBusinessCountry, rec.WorkAddress);
    CopyAddress(copy, r, kACTHomeCountry, rec.HomeAddress);
    CopyAddress(copy, r, kACTSecondaryCountry, rec.OtherAddress);
    field(rec.WorkHomePage, kACTWebsite);
    field(rec.Im1, kACTInstantMessenger);
    rec.Birthday = GetFieldDate(r, kACTBirthday);
    rec.CreationTime = GetFieldDate(r, kACTCreateDate);
    rec.LastModificationTime = GetFieldDate(r, kACTEditDate);
    field(rec.Category, kACTCategory);
    for (int i = 0; i < 10; ++i) field(rec.CustomValue[i], kACTUserDefined1 + i);

    for (int slot = 0; slot < kCustomMapSlots; ++slot) {
        const ACTFieldInfo* info = m_customMap[slot] != 0 ? FindFieldInfo(m_customMap[slot]) : nullptr;
        if (info == nullptr || info->Kind != kACTFieldText) continue;
        copy(rec.MappedCustomValue[slot], text(info->FieldID), info->Label);
    }
    rec.SourceType = CommSourceAct;
}
