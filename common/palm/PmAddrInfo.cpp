#include "common/palm/PmAddrInfo.h"

#include <initializer_list>

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmConvert.h"
#include "platform/text/TextCopy.h"

using platform::CopyText;

const PmInfoLines PmAddrTraits::kLines = {
    CommKindAddr,
    "Load Palm Desktop Contacts by user: %d",
    "Unknown Palm Desktop version",
    "Could not open Palm Desktop Contacts database by User: %d",
    false,
    true,
    "Load Palm Desktop Contacts by file: %s",
    "Failed to load Palm Desktop Contacts data file: %s",
    true,
    "Contacts",
    "Contacts",
    "Failed to check Palm Desktop Contacts file type: (%s)",
};

namespace {

// Puts a value into its member; a value already there moves to the first
// empty spare member of the same label, since a later slot of a label
// takes the main member.
template <std::size_t N>
void Place(char (&member)[N], const char* value, std::initializer_list<char*> spares, std::size_t spareSize) {
    if (member[0] != '\0') {
        bool kept = false;
        for (char* spare : spares) {
            if (spare[0] == '\0') {
                CopyText(spare, spareSize, member);
                kept = true;
                break;
            }
        }
        if (!kept) CX_LOG(kLogDetail, "Palm phone value \"%s\" has no free member of its label; replaced.", member);
    }
    CopyText(member, value);
}

// Routes one phone slot by its label code.
void RoutePhone(CommAddrRec& rec, std::int32_t label, const char* value) {
    if (value == nullptr || value[0] == '\0') return;
    switch (label) {
    case kPmPhoneWork: Place(rec.WorkPhone, value, {rec.WorkPhone2}, sizeof rec.WorkPhone2); break;
    case kPmPhoneHome: Place(rec.HomePhone, value, {rec.HomePhone2}, sizeof rec.HomePhone2); break;
    case kPmPhoneFax: Place(rec.WorkFax, value, {}, 0); break;
    case kPmPhoneOther: Place(rec.OtherPhone, value, {}, 0); break;
    case kPmPhoneEmail: Place(rec.Email, value, {rec.Email2, rec.Email3}, sizeof rec.Email2); break;
    case kPmPhoneMain: Place(rec.PrimaryPhone, value, {}, 0); break;
    case kPmPhonePager: Place(rec.Pager, value, {}, 0); break;
    case kPmPhoneMobile: Place(rec.MobilePhone, value, {}, 0); break;
    default: CX_LOG(kLogDetail, "Palm phone value with unknown label %d left out.", label); break;
    }
}

void CopyAddress(CommAddress& out, const PmAddress& in) {
    CopyText(out.Street, in.Street);
    CopyText(out.City, in.City);
    CopyText(out.State, in.State);
    CopyText(out.PostalCode, in.ZipCode);
    CopyText(out.Country, in.Country);
}

void ConvertEarly(const PmAddrRec& p, CommAddrRec& rec) {
    CopyText(rec.FirstName, p.FirstName);
    CopyText(rec.LastName, p.LastName);
    CopyText(rec.Company, p.Company);
    CopyText(rec.Title, p.Title);
    CopyText(rec.WorkAddress.Street, p.Street);
    CopyText(rec.WorkAddress.City, p.City);
    CopyText(rec.WorkAddress.State, p.State);
    CopyText(rec.WorkAddress.PostalCode, p.ZipCode);
    CopyText(rec.WorkAddress.Country, p.Country);
    CopyText(rec.Note, p.Note);
    for (int i = 0; i < 4; ++i) CopyText(rec.CustomValue[i], p.Custom[i]);
    for (int i = 0; i < 5; ++i) RoutePhone(rec, p.PhoneLabel[i], p.Phone[i]);
    CopyText(rec.Category, p.CategoryName);
    rec.Status = p.Status;
}

void ConvertEx(const PmAddrExRec& p, CommAddrRec& rec) {
    CopyText(rec.FirstName, p.FirstName);
    CopyText(rec.LastName, p.LastName);
    CopyText(rec.Company, p.Company);
    CopyText(rec.Title, p.Title);
    CopyAddress(rec.WorkAddress, p.WorkAddress);
    CopyAddress(rec.HomeAddress, p.HomeAddress);
    CopyAddress(rec.OtherAddress, p.OtherAddress);
    CopyText(rec.Note, p.Note);
    for (int i = 0; i < 9; ++i) CopyText(rec.CustomValue[i], p.Custom[i]);
    for (int i = 0; i < 7; ++i) RoutePhone(rec, p.PhoneLabel[i], p.Phone[i]);
    rec.Birthday = PmPackedDateToOle(p.Birthday);
    CopyText(rec.Category, p.CategoryName);
    rec.Status = p.Status;
}

void ConvertEx2(const PmAddrEx2Rec& p, CommAddrRec& rec) {
    CopyText(rec.FirstName, p.FirstName);
    CopyText(rec.LastName, p.LastName);
    CopyText(rec.MiddleName, p.MiddleName);
    CopyText(rec.Prefix, p.Prefix);
    CopyText(rec.Suffix, p.Suffix);
    CopyText(rec.NickName, p.NickName);
    CopyText(rec.DisplayName, p.EnglishName);
    CopyText(rec.Company, p.Company);
    CopyText(rec.Title, p.JobTitle);
    CopyAddress(rec.WorkAddress, p.WorkAddress);
    CopyAddress(rec.HomeAddress, p.HomeAddress);
    CopyAddress(rec.OtherAddress, p.OtherAddress);
    CopyText(rec.Note, p.Note);
    for (int i = 0; i < 10; ++i) CopyText(rec.CustomValue[i], p.Custom[i]);
    // The seven phone columns in their order, each routed by its label.
    for (int i = 0; i < 7; ++i) RoutePhone(rec, p.PhoneLabel[i], p.Phone[i]);
    CopyText(rec.Im1, p.Chat[0]);
    CopyText(rec.Im2, p.Chat[1]);
    CopyText(rec.AssistantName, p.AssistantName);
    CopyText(rec.AssistantPhone, p.AssistantPhone);
    rec.Birthday = PmPackedDateToOle(static_cast<std::uint32_t>(p.Birthday));
    rec.Anniversary = PmPackedDateToOle(static_cast<std::uint32_t>(p.Anniversary));
    CopyText(rec.Category, p.CategoryName);
    rec.Status = p.Status;
}

int g_installedAddrGeneration = -1;

}  // namespace

void PmConvertContact(PmAddrEntry& entry, CommAddrRec& rec) {
    switch (entry.Generation) {
    case kPmGenEarly: ConvertEarly(entry.Record.Early, rec); break;
    case kPmGenEx: ConvertEx(entry.Record.Ex, rec); break;
    case kPmGenEx2: ConvertEx2(entry.Record.Ex2, rec); break;
    default: break;
    }
    rec.SourceType = CommSourcePalm;
}

PmAddrInfo::PmAddrInfo() { g_installedAddrGeneration = GetInstalledGeneration(); }

bool PmAddrInfo::SetCustomMapSlot(int slot, int fieldId) {
    if (slot < 0 || slot >= kCustomMapSlots) return false;
    m_customMap[slot] = fieldId;
    return true;
}

int PmAddrInfo::GetCustomMapSlot(int slot) const {
    return (slot >= 0 && slot < kCustomMapSlots) ? m_customMap[slot] : 0;
}

int PmAddrInfo::GetInstalledAddrGeneration() {
    if (g_installedAddrGeneration < 0)
        g_installedAddrGeneration = PmInstalledGeneration(CommKindAddr, GetPalmDesktopVersion());
    return g_installedAddrGeneration;
}

void PmAddrInfo::ForgetInstalledAddrGeneration() { g_installedAddrGeneration = -1; }

void PmAddrInfo::Convert(PmAddrEntry& entry, CommAddrRec& rec) {
    PmConvertContact(entry, rec);
    for (int slot = 0; slot < kCustomMapSlots; ++slot) {
        if (m_customMap[slot] == 0) continue;
        const PmFieldInfo* row = FindFieldInfo(m_customMap[slot]);
        if (row == nullptr || row->Kind != kPmFieldText) continue;
        int size = 0;
        const char* text = GetFieldText(entry, m_customMap[slot], &size);
        if (text != nullptr && size > 1) CopyText(rec.MappedCustomValue[slot], text);
    }
}
