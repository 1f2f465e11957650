// The address field catalogues of the three generations and the reading of
// a catalogue field from an entry.
#include <cstring>

#include "common/palm/PmAddrInfo.h"

namespace {

using R = PmFieldRef;

#define PM_TEXT(id, label, size, ref, arg) \
    PmFieldInfo { id, label, kPmFieldText, size, R::ref, arg }

constexpr PmFieldInfo kEarlyFields[] = {
    PM_TEXT(1, "First Name", 32, FirstName, 0),
    PM_TEXT(2, "Last Name", 32, LastName, 0),
    PM_TEXT(3, "Company", 256, Company, 0),
    PM_TEXT(4, "Job Title", 32, JobTitle, 0),
    PM_TEXT(5, "Work Phone", 32, Phone, 0),
    PM_TEXT(6, "Home Phone", 32, Phone, 1),
    PM_TEXT(7, "Fax", 32, Phone, 2),
    PM_TEXT(8, "Other Phone", 32, Phone, 3),
    PM_TEXT(9, "E-mail", 32, Phone, 4),
    PM_TEXT(10, "Main Phone", 32, Phone, 5),
    PM_TEXT(11, "Pager", 32, Phone, 6),
    PM_TEXT(12, "Mobile Phone", 32, Phone, 7),
    PM_TEXT(13, "Street", 256, Street, 0),
    PM_TEXT(14, "City", 32, City, 0),
    PM_TEXT(15, "State", 32, State, 0),
    PM_TEXT(16, "Zip Code", 32, Zip, 0),
    PM_TEXT(17, "Country", 32, Country, 0),
    PM_TEXT(18, "Custom 1", 64, Custom, 0),
    PM_TEXT(19, "Custom 2", 64, Custom, 1),
    PM_TEXT(20, "Custom 3", 64, Custom, 2),
    PM_TEXT(21, "Custom 4", 64, Custom, 3),
    PM_TEXT(22, "Category", 16, Category, 0),
    PM_TEXT(23, "Note", 2048, Note, 0),
};

constexpr PmFieldInfo kExFields[] = {
    PM_TEXT(1, "First Name", 32, FirstName, 0),
    PM_TEXT(2, "Last Name", 32, LastName, 0),
    PM_TEXT(3, "Company", 256, Company, 0),
    PM_TEXT(4, "Job Title", 32, JobTitle, 0),
    PM_TEXT(5, "Work Phone", 32, Phone, 0),
    PM_TEXT(6, "Home Phone", 32, Phone, 1),
    PM_TEXT(7, "Fax", 32, Phone, 2),
    PM_TEXT(8, "Other Phone", 32, Phone, 3),
    PM_TEXT(9, "E-mail", 32, Phone, 4),
    PM_TEXT(10, "Main Phone", 32, Phone, 5),
    PM_TEXT(11, "Pager", 32, Phone, 6),
    PM_TEXT(12, "Mobile Phone", 32, Phone, 7),
    PM_TEXT(13, "Work Street", 256, Street, 0),
    PM_TEXT(14, "Work City", 32, City, 0),
    PM_TEXT(15, "Work State", 32, State, 0),
    PM_TEXT(16, "Work Zip", 32, Zip, 0),
    PM_TEXT(17, "Work Country", 32, Country, 0),
    PM_TEXT(18, "Home Street", 256, Street, 1),
    PM_TEXT(19, "Home City", 32, City, 1),
    PM_TEXT(20, "Home State", 32, State, 1),
    PM_TEXT(21, "Home Zip", 32, Zip, 1),
    PM_TEXT(22, "Home Country", 32, Country, 1),
    PM_TEXT(23, "Other Street", 256, Street, 2),
    PM_TEXT(24, "Other City", 32, City, 2),
    PM_TEXT(25, "Other State", 32, State, 2),
    PM_TEXT(26, "Other Zip", 32, Zip, 2),
    PM_TEXT(27, "Other Country", 32, Country, 2),
    PM_TEXT(28, "IM AIM", 32, Im, 1),
    PM_TEXT(29, "IM MSN", 32, Im, 2),
    PM_TEXT(30, "IM Yahoo", 32, Im, 3),
    PM_TEXT(31, "IM AOL", 32, Im, 4),
    PM_TEXT(32, "IM IM", 32, Im, 5),
    PM_TEXT(33, "Home Page", 256, HomePage, 0),
    PmFieldInfo{34, "Birthday", kPmFieldDouble, 8, R::Birthday, 0},
    PM_TEXT(35, "Custom 1", 256, Custom, 0),
    PM_TEXT(36, "Custom 2", 256, Custom, 1),
    PM_TEXT(37, "Custom 3", 256, Custom, 2),
    PM_TEXT(38, "Custom 4", 256, Custom, 3),
    PM_TEXT(39, "Custom 5", 256, Custom, 4),
    PM_TEXT(40, "Custom 6", 256, Custom, 5),
    PM_TEXT(41, "Custom 7", 256, Custom, 6),
    PM_TEXT(42, "Custom 8", 256, Custom, 7),
    PM_TEXT(43, "Custom 9", 256, Custom, 8),
    PM_TEXT(44, "Category", 16, Category, 0),
    PM_TEXT(45, "Note", 2048, Note, 0),
};

constexpr PmFieldInfo kEx2Fields[] = {
    PM_TEXT(1, "First Name", 64, FirstName, 0),
    PM_TEXT(2, "Middle Name", 64, MiddleName, 0),
    PM_TEXT(3, "Last Name", 64, LastName, 0),
    PM_TEXT(4, "English Name", 128, EnglishName, 0),
    PM_TEXT(5, "Prefix", 32, Prefix, 0),
    PM_TEXT(6, "Suffix", 32, Suffix, 0),
    PM_TEXT(7, "Nick Name", 64, NickName, 0),
    PM_TEXT(8, "Company", 128, Company, 0),
    PM_TEXT(9, "Job Title", 128, JobTitle, 0),
    PM_TEXT(10, "Profession", 128, Profession, 0),
    PM_TEXT(11, "Assistant Name", 64, AssistantName, 0),
    PM_TEXT(12, "Assistant Phone", 64, AssistantPhone, 0),
    PM_TEXT(13, "Work Phone", 32, Phone, 0),
    PM_TEXT(14, "Home Phone", 32, Phone, 1),
    PM_TEXT(15, "Fax", 32, Phone, 2),
    PM_TEXT(16, "Other Phone", 32, Phone, 3),
    PM_TEXT(17, "E-mail", 32, Phone, 4),
    PM_TEXT(18, "Main Phone", 32, Phone, 5),
    PM_TEXT(19, "Pager", 32, Phone, 6),
    PM_TEXT(20, "Mobile Phone", 32, Phone, 7),
    PM_TEXT(21, "Work Street", 256, Street, 0),
    PM_TEXT(22, "Work City", 32, City, 0),
    PM_TEXT(23, "Work State", 32, State, 0),
    PM_TEXT(24, "Work Zip", 32, Zip, 0),
    PM_TEXT(25, "Work Country", 32, Country, 0),
    PM_TEXT(26, "Home Street", 256, Street, 1),
    PM_TEXT(27, "Home City", 32, City, 1),
    PM_TEXT(28, "Home State", 32, State, 1),
    PM_TEXT(29, "Home Zip", 32, Zip, 1),
    PM_TEXT(30, "Home Country", 32, Country, 1),
    PM_TEXT(31, "Other Street", 256, Street, 2),
    PM_TEXT(32, "Other City", 32, City, 2),
    PM_TEXT(33, "Other State", 32, State, 2),
    PM_TEXT(34, "Other Zip", 32, Zip, 2),
    PM_TEXT(35, "Other Country", 32, Country, 2),
    PM_TEXT(36, "IM AIM", 32, Im, 1),
    PM_TEXT(37, "IM MSN", 32, Im, 2),
    PM_TEXT(38, "IM Yahoo", 32, Im, 3),
    PM_TEXT(39, "IM AOL", 32, Im, 4),
    PM_TEXT(40, "IM IM", 32, Im, 5),
    PM_TEXT(41, "Home Page", 256, HomePage, 0),
    PmFieldInfo{42, "Anniversary", kPmFieldLong, 4, R::Anniversary, 0},
    PmFieldInfo{43, "Birthday", kPmFieldLong, 4, R::Birthday, 0},
    PM_TEXT(44, "Custom 1", 256, Custom, 0),
    PM_TEXT(45, "Custom 2", 256, Custom, 1),
    PM_TEXT(46, "Custom 3", 256, Custom, 2),
    PM_TEXT(47, "Custom 4", 256, Custom, 3),
    PM_TEXT(48, "Custom 5", 256, Custom, 4),
    PM_TEXT(49, "Custom 6", 256, Custom, 5),
    PM_TEXT(50, "Custom 7", 256, Custom, 6),
    PM_TEXT(51, "Custom 8", 256, Custom, 7),
    PM_TEXT(52, "Custom 9", 256, Custom, 8),
    PM_TEXT(53, "Category", 32, Category, 0),
    PM_TEXT(54, "Note", 2048, Note, 0),
};

#undef PM_TEXT

template <std::size_t N>
constexpr int Count(const PmFieldInfo (&)[N]) {
    return static_cast<int>(N);
}

const PmFieldInfo* FindIn(int generation, PmFieldRef ref, int arg) {
    int count = 0;
    const PmFieldInfo* rows = PmAddrInfo::Catalogue(generation, &count);
    for (int i = 0; i < count; ++i)
        if (rows[i].Ref == ref && rows[i].Arg == arg) return &rows[i];
    return nullptr;
}

const PmAddress* AddressOf(const PmAddrExRec& rec, int which) {
    return which == 0 ? &rec.WorkAddress : which == 1 ? &rec.HomeAddress : &rec.OtherAddress;
}
const PmAddress* AddressOf(const PmAddrEx2Rec& rec, int which) {
    return which == 0 ? &rec.WorkAddress : which == 1 ? &rec.HomeAddress : &rec.OtherAddress;
}

const char* AddressPart(const PmAddress& a, PmFieldRef ref) {
    switch (ref) {
    case R::Street: return a.Street;
    case R::City: return a.City;
    case R::State: return a.State;
    case R::Zip: return a.ZipCode;
    case R::Country: return a.Country;
    default: return nullptr;
    }
}

const char* ReadEarly(PmAddrRec& r, const PmFieldInfo& f) {
    switch (f.Ref) {
    case R::FirstName: return r.FirstName;
    case R::LastName: return r.LastName;
    case R::Company: return r.Company;
    case R::JobTitle: return r.Title;
    case R::Phone: return PmFindPhoneByLabel(r, f.Arg, true);
    case R::Street: return f.Arg == 0 ? r.Street : nullptr;
    case R::City: return f.Arg == 0 ? r.City : nullptr;
    case R::State: return f.Arg == 0 ? r.State : nullptr;
    case R::Zip: return f.Arg == 0 ? r.ZipCode : nullptr;
    case R::Country: return f.Arg == 0 ? r.Country : nullptr;
    case R::Custom: return f.Arg >= 0 && f.Arg < 4 ? r.Custom[f.Arg] : nullptr;
    case R::Category: return r.CategoryName;
    case R::Note: return r.Note;
    default: return nullptr;
    }
}

const char* ReadEx(PmAddrExRec& r, const PmFieldInfo& f) {
    switch (f.Ref) {
    case R::FirstName: return r.FirstName;
    case R::LastName: return r.LastName;
    case R::Company: return r.Company;
    case R::JobTitle: return r.Title;
    case R::Phone: return PmFindPhoneByLabel(r, f.Arg, true);
    case R::Street:
    case R::City:
    case R::State:
    case R::Zip:
    case R::Country: return AddressPart(*AddressOf(r, f.Arg), f.Ref);
    case R::Im: return PmFindImByLabel(r, f.Arg, true);
    case R::HomePage: return r.HomePage;
    case R::Custom: return f.Arg >= 0 && f.Arg < 9 ? r.Custom[f.Arg] : nullptr;
    case R::Category: return r.CategoryName;
    case R::Note: return r.Note;
    default: return nullptr;
    }
}

const char* ReadEx2(PmAddrEx2Rec& r, const PmFieldInfo& f) {
    switch (f.Ref) {
    case R::FirstName: return r.FirstName;
    case R::MiddleName: return r.MiddleName;
    case R::LastName: return r.LastName;
    case R::EnglishName: return r.EnglishName;
    case R::Prefix: return r.Prefix;
    case R::Suffix: return r.Suffix;
    case R::NickName: return r.NickName;
    case R::Company: return r.Company;
    case R::JobTitle: return r.JobTitle;
    case R::Profession: return r.Profession;
    case R::AssistantName: return r.AssistantName;
    case R::AssistantPhone: return r.AssistantPhone;
    case R::Phone: return f.Arg >= 0 && f.Arg < 8 ? r.PhoneByLabel[f.Arg] : nullptr;
    case R::Street:
    case R::City:
    case R::State:
    case R::Zip:
    case R::Country: return AddressPart(*AddressOf(r, f.Arg), f.Ref);
    case R::Im:
        for (int i = 0; i < 2; ++i)
            if (r.ChatLabelID[i] == f.Arg) return r.Chat[i];
        return nullptr;
    case R::HomePage: return r.Website;
    case R::Custom: return f.Arg >= 0 && f.Arg < 14 ? r.Custom[f.Arg] : nullptr;
    case R::Category: return r.CategoryName;
    case R::Note: return r.Note;
    default: return nullptr;
    }
}

}  // namespace

const PmFieldInfo* PmAddrInfo::Catalogue(int generation, int* count) {
    const PmFieldInfo* rows = nullptr;
    int n = 0;
    switch (generation) {
    case kPmGenEarly: rows = kEarlyFields, n = Count(kEarlyFields); break;
    case kPmGenEx: rows = kExFields, n = Count(kExFields); break;
    case kPmGenEx2: rows = kEx2Fields, n = Count(kEx2Fields); break;
    default: break;
    }
    if (count != nullptr) *count = n;
    return rows;
}

int PmAddrInfo::GetFieldCount() {
    int count = 0;
    Catalogue(GetInstalledAddrGeneration(), &count);
    return count;
}

int PmAddrInfo::GetFieldID(int index) {
    int count = 0;
    const PmFieldInfo* rows = Catalogue(GetInstalledAddrGeneration(), &count);
    return index >= 0 && index < count ? rows[index].FieldID : 0;
}

const char* PmAddrInfo::GetFieldLabel(int index) {
    int count = 0;
    const PmFieldInfo* rows = Catalogue(GetInstalledAddrGeneration(), &count);
    return index >= 0 && index < count ? rows[index].Label : "N/A";
}

const PmFieldInfo* PmAddrInfo::FindFieldInfo(int fieldId) {
    return FindFieldInfo(GetInstalledAddrGeneration(), fieldId);
}

const PmFieldInfo* PmAddrInfo::FindFieldInfo(int generation, int fieldId) {
    int count = 0;
    const PmFieldInfo* rows = Catalogue(generation, &count);
    for (int i = 0; i < count; ++i)
        if (rows[i].FieldID == fieldId) return &rows[i];
    return nullptr;
}

const char* PmAddrInfo::GetFieldText(PmAddrEntry& entry, int fieldId, int* size) {
    return GetFieldText(entry, GetInstalledAddrGeneration(), fieldId, size);
}

const char* PmAddrInfo::GetFieldText(PmAddrEntry& entry, int generation, int fieldId, int* size) {
    if (size != nullptr) *size = 0;
    const PmFieldInfo* wanted = FindFieldInfo(generation, fieldId);
    if (wanted == nullptr) return nullptr;
    // The same member in the catalogue of the entry's own generation.
    const PmFieldInfo* row =
        entry.Generation == generation ? wanted : FindIn(entry.Generation, wanted->Ref, wanted->Arg);
    if (row == nullptr || row->Kind != kPmFieldText) return nullptr;
    const char* text = nullptr;
    switch (entry.Generation) {
    case kPmGenEarly: text = ReadEarly(entry.Record.Early, *row); break;
    case kPmGenEx: text = ReadEx(entry.Record.Ex, *row); break;
    case kPmGenEx2: text = ReadEx2(entry.Record.Ex2, *row); break;
    default: break;
    }
    if (text != nullptr && size != nullptr) *size = row->Size;
    return text;
}

const char* PmAddrInfo::GetPhoneLabelText(int code) { return PmPhoneLabelText(code); }
