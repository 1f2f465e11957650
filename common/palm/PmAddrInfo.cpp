#include "common/palm/PmAddrInfo.h"

#include "common/palm/PmContactBuilder.h"
#include "common/palm/PmConvert.h"
#include "common/records/CommKinds.h"
#include "platform/text/TextCopy.h"

namespace {

const char* const kCustomLabels[14] = {"Custom 1",  "Custom 2",  "Custom 3",  "Custom 4", "Custom 5",
                                       "Custom 6",  "Custom 7",  "Custom 8",  "Custom 9", "Custom 10",
                                       "Custom 11", "Custom 12", "Custom 13", "Custom 14"};

}  // namespace

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

void ConvertEarly(const PmAddrRec& p, CommAddrRec& rec) {
    PmContactBuilder b(rec, p.RecordID);
    b.Text(rec.FirstName, p.FirstName, "First Name");
    b.Text(rec.LastName, p.LastName, "Last Name");
    b.Text(rec.Company, p.Company, "Company");
    b.Text(rec.Title, p.Title, "Title");
    b.Text(rec.WorkAddress.Street, p.Street, "Work Street");
    b.Text(rec.WorkAddress.City, p.City, "Work City");
    b.Text(rec.WorkAddress.State, p.State, "Work State");
    b.Text(rec.WorkAddress.PostalCode, p.ZipCode, "Work Postal");
    b.Text(rec.WorkAddress.Country, p.Country, "Work Country");
    for (int i = 0; i < 4; ++i) b.Text(rec.CustomValue[i], p.Custom[i], kCustomLabels[i]);
    for (int i = 0; i < 5; ++i) b.Phone(p.PhoneLabel[i], p.Phone[i]);
    b.Text(rec.Category, p.CategoryName, "Category");
    b.Note(p.Note);
    rec.Status = p.Status;
}

void ConvertEx(const PmAddrExRec& p, CommAddrRec& rec) {
    PmContactBuilder b(rec, p.RecordID);
    b.Text(rec.FirstName, p.FirstName, "First Name");
    b.Text(rec.LastName, p.LastName, "Last Name");
    b.Text(rec.Company, p.Company, "Company");
    b.Text(rec.Title, p.Title, "Title");
    b.Address(rec.WorkAddress, p.WorkAddress, "Work");
    b.Address(rec.HomeAddress, p.HomeAddress, "Home");
    b.Address(rec.OtherAddress, p.OtherAddress, "Other");
    for (int i = 0; i < 9; ++i) b.Text(rec.CustomValue[i], p.Custom[i], kCustomLabels[i]);
    for (int i = 0; i < 7; ++i) b.Phone(p.PhoneLabel[i], p.Phone[i]);
    b.Text(rec.Im1, p.Im[0], "IM 1");
    b.Text(rec.Im2, p.Im[1], "IM 2");
    b.Text(rec.PersonalHomePage, p.HomePage, "Home Page");
    rec.Birthday = PmPackedDateToOle(p.Birthday);
    b.Text(rec.Category, p.CategoryName, "Category");
    b.Note(p.Note);
    rec.Status = p.Status;
}

void ConvertEx2(const PmAddrEx2Rec& p, CommAddrRec& rec) {
    PmContactBuilder b(rec, p.RecordID);
    b.Text(rec.FirstName, p.FirstName, "First Name");
    b.Text(rec.LastName, p.LastName, "Last Name");
    b.Text(rec.MiddleName, p.MiddleName, "Middle Name");
    b.Text(rec.Prefix, p.Prefix, "Prefix");
    b.Text(rec.Suffix, p.Suffix, "Suffix");
    b.Text(rec.NickName, p.NickName, "NickName");
    b.Text(rec.DisplayName, p.EnglishName, "English Name");
    b.Text(rec.Company, p.Company, "Company");
    b.Text(rec.Title, p.JobTitle, "Job Title");
    b.Text(rec.Profession, p.Profession, "Profession");
    b.Address(rec.WorkAddress, p.WorkAddress, "Work");
    b.Address(rec.HomeAddress, p.HomeAddress, "Home");
    b.Address(rec.OtherAddress, p.OtherAddress, "Other");
    for (int i = 0; i < 10; ++i) b.Text(rec.CustomValue[i], p.Custom[i], kCustomLabels[i]);
    // The seven phone columns in their order, each routed by its label;
    // then the columns that name their own kind of number.
    for (int i = 0; i < 7; ++i) b.Phone(p.PhoneLabel[i], p.Phone[i]);
    b.Fill(rec.Pager, p.Pager, "Pager");
    b.Email("Work E-mail", p.WorkEmail);
    b.Email("E-mail 1", p.Email[0]);
    b.Email("E-mail 2", p.Email[1]);
    b.Email("E-mail 3", p.Email[2]);
    b.Text(rec.Im1, p.Chat[0], "Chat1");
    b.Text(rec.Im2, p.Chat[1], "Chat2");
    b.Text(rec.PersonalHomePage, p.Website, "Website");
    b.Text(rec.AssistantName, p.AssistantName, "Assistant Name");
    b.Text(rec.AssistantPhone, p.AssistantPhone, "Assistant Phone");
    rec.Birthday = PmPackedDateToOle(static_cast<std::uint32_t>(p.Birthday));
    rec.Anniversary = PmPackedDateToOle(static_cast<std::uint32_t>(p.Anniversary));
    b.Text(rec.Category, p.CategoryName, "Category");
    // Values without a member of their own, in a fixed order.
    b.Line("Other Fax", p.OtherFax);
    b.Line("Other Mobile", p.OtherMobile);
    for (int i = 10; i < 14; ++i) b.Line(kCustomLabels[i], p.Custom[i]);
    b.Line("First Yomi", p.FirstYomi);
    b.Line("Last Yomi", p.LastYomi);
    b.Line("Company Yomi", p.CompanyYomi);
    b.Note(p.Note);
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

namespace {

std::int32_t RecordIdOf(const PmAddrEntry& entry) {
    switch (entry.Generation) {
    case kPmGenEarly: return entry.Record.Early.RecordID;
    case kPmGenEx: return entry.Record.Ex.RecordID;
    case kPmGenEx2: return entry.Record.Ex2.RecordID;
    default: return 0;
    }
}

}  // namespace

int PmAddrInfo::CatalogueGeneration(bool useFile, const char* path) {
    if (useFile && path != nullptr && *path != '\0') {
        const int type = CheckFileType(path);
        if (type == kPmFileEarly || type == kPmFileEx || type == kPmFileEx2) return type;
    }
    return GetInstalledAddrGeneration();
}

void PmAddrInfo::Convert(PmAddrEntry& entry, CommAddrRec& rec) {
    PmConvertContact(entry, rec);
    const PmTextCopier copy(CommKindAddr, RecordIdOf(entry));
    // The IDs name fields of the loaded generation's catalogue: the one
    // offered for a file chosen by name, the installed one otherwise.
    const int generation = GetLoadedGeneration();
    for (int slot = 0; slot < kCustomMapSlots; ++slot) {
        if (m_customMap[slot] == 0) continue;
        const PmFieldInfo* row = FindFieldInfo(generation, m_customMap[slot]);
        if (row == nullptr || row->Kind != kPmFieldText) continue;
        int size = 0;
        const char* text = GetFieldText(entry, generation, m_customMap[slot], &size);
        if (text != nullptr && size > 1) copy(rec.MappedCustomValue[slot], text, row->Label);
    }
}
