#include "common/outlook/OlAddr.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "common/outlook/OlProps.h"
#include "platform/automation/Utf16.h"

namespace {

#define P(member, kind) OL_PROP(OlAddrRecord, member, kind, true)
#define R(member, kind) OL_PROP(OlAddrRecord, member, kind, false)
#define ADDRESS(prefix)                                                                                           \
    P(prefix##City, Text), P(prefix##Country, Text), P(prefix##PostalCode, Text), P(prefix##PostOfficeBox, Text), \
        P(prefix##State, Text), P(prefix##Street, Text)
#define EMAIL(n) P(Email##n##Address, Text), P(Email##n##AddressType, Text), P(Email##n##DisplayName, Text)

// In the order they are read and written.
const OlProp kProps[] = {
    R(EntryID, Text),
    P(Account, Text),
    P(Anniversary, Date),
    P(AssistantName, Text),
    P(AssistantTelephoneNumber, Text),
    P(Birthday, Date),
    P(Business2TelephoneNumber, Text),
    ADDRESS(BusinessAddress),
    P(BusinessFaxNumber, Text),
    P(BusinessHomePage, Text),
    P(BusinessTelephoneNumber, Text),
    P(CallbackTelephoneNumber, Text),
    P(CarTelephoneNumber, Text),
    P(CompanyMainTelephoneNumber, Text),
    P(CompanyName, Text),
    P(ComputerNetworkName, Text),
    P(CustomerID, Text),
    P(Department, Text),
    EMAIL(1),
    EMAIL(2),
    EMAIL(3),
    P(FirstName, Text),
    P(FTPSite, Text),
    P(FullName, Text),
    P(Gender, Int),
    P(Hobby, Text),
    P(Home2TelephoneNumber, Text),
    ADDRESS(HomeAddress),
    P(HomeFaxNumber, Text),
    P(HomeTelephoneNumber, Text),
    P(IMAddress, Text),
    P(Initials, Text),
    P(ISDNNumber, Text),
    P(JobTitle, Text),
    P(Language, Text),
    P(LastName, Text),
    ADDRESS(MailingAddress),
    P(ManagerName, Text),
    P(MiddleName, Text),
    P(MobileTelephoneNumber, Text),
    P(NickName, Text),
    ADDRESS(OtherAddress),
    P(OtherTelephoneNumber, Text),
    P(PagerNumber, Text),
    P(PersonalHomePage, Text),
    P(PrimaryTelephoneNumber, Text),
    P(Profession, Text),
    P(RadioTelephoneNumber, Text),
    P(Spouse, Text),
    P(Title, Text),
    OlProp{u"Suffix", offsetof(OlAddrRecord, SuffixText), OL_MEMBER_SIZE(OlAddrRecord, SuffixText), OlPropKind::Text,
           true},
    P(WebPage, Text),
    P(Body, Text),
    R(CreationTime, Date),
    R(LastModificationTime, Date),
    P(Categories, Text),
};

#undef P
#undef R

#define F(ol, comm) OL_FIELD(OlAddrRecord, ol, CommAddrRec, comm, false, Both)
#define D(ol, comm, dir) OL_FIELD(OlAddrRecord, ol, CommAddrRec, comm, true, dir)
#define ADDRESS_FIELDS(prefix, address)                                                                            \
    F(prefix##City, address.City), F(prefix##Country, address.Country), F(prefix##PostalCode, address.PostalCode), \
        OL_FIELD(OlAddrRecord, prefix##PostOfficeBox, CommAddrRec, address.PoBox, false, ToOutlook),               \
        F(prefix##State, address.State), F(prefix##Street, address.Street)

const OlField kFields[] = {
    F(Account, Account),
    D(Anniversary, Anniversary, Both),
    F(AssistantName, AssistantName),
    F(AssistantTelephoneNumber, AssistantPhone),
    D(Birthday, Birthday, Both),
    ADDRESS_FIELDS(BusinessAddress, WorkAddress),
    F(BusinessFaxNumber, WorkFax),
    F(BusinessHomePage, WorkHomePage),
    F(BusinessTelephoneNumber, WorkPhone),
    F(Business2TelephoneNumber, WorkPhone2),
    F(CallbackTelephoneNumber, CallbackPhone),
    F(CarTelephoneNumber, CarPhone),
    F(CompanyName, Company),
    F(CustomerID, CustomerId),
    F(Department, Department),
    F(Email1Address, Email),
    F(Email2Address, Email2),
    F(Email3Address, Email3),
    F(FirstName, FirstName),
    F(FTPSite, FtpSite),
    F(FullName, DisplayName),
    F(Hobby, Hobby),
    ADDRESS_FIELDS(HomeAddress, HomeAddress),
    F(HomeFaxNumber, HomeFax),
    F(HomeTelephoneNumber, HomePhone),
    F(Home2TelephoneNumber, HomePhone2),
    F(IMAddress, Im1),
    F(Title, Prefix),
    F(JobTitle, Title),
    F(Language, Language),
    F(LastName, LastName),
    F(ManagerName, ManagerName),
    F(MiddleName, MiddleName),
    F(MobileTelephoneNumber, MobilePhone),
    F(NickName, NickName),
    ADDRESS_FIELDS(OtherAddress, OtherAddress),
    F(OtherTelephoneNumber, OtherPhone),
    F(PagerNumber, Pager),
    F(PersonalHomePage, PersonalHomePage),
    F(PrimaryTelephoneNumber, PrimaryPhone),
    F(Profession, Profession),
    F(RadioTelephoneNumber, RadioPhone),
    F(Spouse, SpouseName),
    F(SuffixText, Suffix),
    F(Body, Note),
    F(Categories, Category),
    D(CreationTime, CreationTime, ToCommon),
    D(LastModificationTime, LastModificationTime, ToCommon),
};

#undef F
#undef D

const OlKindTexts kTexts = {
    "Failed to get the name of the Contact folder. hr=0x%x",
    "Got the name of the Contacts folder: %s",
    "Failed to get the StoreID of the Contact folder. hr=0x%x",
    "Got the StoreID of the Contact folder: %s",
    "Failed to get the \"Items\" property of the Contact folder. hr=0x%x",
    "Failed to get the \"Items\" property of the Contact folder. hr=0x%x",
    "Failed to get the \"Items\" property of the Contact folder. hr=0x%x",
    "Failed to call the \"Add\" method. hr=0x%x",
    "Failed to get the Contact item by index: %d. hr=0x%x",
    nullptr,
    nullptr,
};

// A property name as sent to "Find" and "Add".
VARIANT NameArg(const char* name) { return VARIANT::Bstr(platform::Utf8ToUtf16(name, CDispCmd::kMaxNameUnits)); }

// The item's "UserProperties" collection; false (and logged) when it has none.
bool GetUserProperties(CDispCmd& item, CDispCmd& props) {
    IDispatch* raw = nullptr;
    const HRESULT hr = item.GetDispatch(u"UserProperties", &raw);
    if (hr != S_OK || raw == nullptr) {
        CX_LOG(kLogCritical, "Failed to get the \"UserProperties\" of contact item, hr=0x%x.",
               static_cast<unsigned>(hr));
        return false;
    }
    props.SetInterface(raw);
    raw->Release();
    return true;
}

}  // namespace

const OlKindTexts& OlAddrUtil::Texts() { return kTexts; }

std::span<const OlClearable> OlAddrUtil::Clearables() {
    static const std::vector<OlClearable> members = OlClearablesOf(kProps, kFields);
    return members;
}

const char* OlAddrUtil::DefaultUserPropertyName(int slot) {
    // A value without a name of its own is kept under the name of its slot.
    return CommDefaultCustomLabel(slot);
}

bool OlAddrUtil::ReadItem(CDispCmd& item, OlAddrRecord& rec) {
    OlReadProps(item, &rec, kProps, m_propIds);
    ReadUserProperties(item, rec);
    return true;
}

void OlAddrUtil::ReadUserProperties(CDispCmd& item, OlAddrRecord& rec) {
    CDispCmd props;
    if (!GetUserProperties(item, props)) return;
    HRESULT hr = S_OK;
    std::int32_t count = 0;
    hr = props.GetInt(u"Count", &count);
    if (hr != S_OK) {
        CX_LOG(kLogCritical, "Failed to get the \"Count\" property of UserProperties collection, hr=0x%x",
               static_cast<unsigned>(hr));
        return;
    }
    for (std::int32_t i = 1; i <= count && i <= 10; ++i) {
        std::int32_t index = i;
        VARIANT arg = VARIANT::I4Ref(&index);
        VARIANT result;
        hr = props.CallMethod(u"Item", &arg, 1, &result);
        if (FAILED(hr) || result.vt != VT_DISPATCH || result.pdispVal == nullptr) {
            CX_LOG(kLogCritical, "One user defined property is not loaded correctly, hr=0x%x",
                   static_cast<unsigned>(hr));
            break;
        }
        CDispCmd prop(result.pdispVal);
        hr = prop.GetString(u"Name", rec.UserPropertyName[i - 1], sizeof rec.UserPropertyName[i - 1]);
        if (hr != S_OK)
            CX_LOG(kLogCritical, "Failed to get the name of user defined property. hr=0x%x", static_cast<unsigned>(hr));
        // A value that is not text stays empty.
        prop.GetString(u"Value", rec.UserPropertyValue[i - 1], sizeof rec.UserPropertyValue[i - 1]);
    }
}

HRESULT OlAddrUtil::WriteItem(CDispCmd& item, OlAddrRecord& rec) {
    OlWriteProps(item, &rec, kProps, m_propIds);
    WriteUserProperties(item, rec);
    return item.CallMethod(u"Save", nullptr, 0, nullptr);
}

void OlAddrUtil::WriteUserProperties(CDispCmd& item, const OlAddrRecord& rec) {
    bool any = false;
    for (int i = 0; i < 10; ++i) any = any || rec.UserPropertyName[i][0] != '\0' || rec.UserPropertyValue[i][0] != '\0';
    if (!any) return;
    CDispCmd props;
    if (!GetUserProperties(item, props)) return;
    HRESULT hr = S_OK;
    for (int i = 0; i < 10; ++i) {
        if (rec.UserPropertyName[i][0] == '\0' && rec.UserPropertyValue[i][0] == '\0') continue;
        char name[64];
        OlCopyText(name, sizeof name, rec.UserPropertyName[i], sizeof rec.UserPropertyName[i]);
        if (name[0] == '\0') OlCopyText(name, sizeof name, DefaultUserPropertyName(i), 64);
        VARIANT found;
        VARIANT findArg = NameArg(name);
        hr = props.CallMethod(u"Find", &findArg, 1, &found);
        if (FAILED(hr) || found.vt != VT_DISPATCH || found.pdispVal == nullptr) {
            VARIANT addArgs[4] = {NameArg(name), VARIANT::I4(olText), VARIANT::BoolRaw(0),
                                  VARIANT::I4(olFormatTextText)};
            hr = props.CallMethod(u"Add", addArgs, 4, &found);
        }
        if (FAILED(hr) || found.vt != VT_DISPATCH || found.pdispVal == nullptr) {
            CX_LOG(kLogCritical, "Failed to add the user property. hr=0x%x", static_cast<unsigned>(hr));
            continue;
        }
        CDispCmd prop(found.pdispVal);
        char value[64];
        OlCopyText(value, sizeof value, rec.UserPropertyValue[i], sizeof rec.UserPropertyValue[i]);
        // An empty value is put too: a value the source emptied is emptied.
        VARIANT text = VARIANT::Bstr(platform::Utf8ToUtf16(value, CDispCmd::kMaxPutUnits));
        hr = prop.PutProperty(u"Value", &text);
        if (FAILED(hr))
            CX_LOG(kLogCritical, "Failed to set the value of user property. hr=0x%x", static_cast<unsigned>(hr));
    }
}

void OlAddrUtil::ToCommonRecord(const OlAddrRecord& in, CommAddrRec& out) {
    OlCopyToCommon(&in, &out, kFields);
    for (int i = 0; i < 10; ++i) {
        OlCopyText(out.CustomLabel[i], sizeof out.CustomLabel[i], in.UserPropertyName[i],
                   sizeof in.UserPropertyName[i]);
        OlCopyText(out.CustomValue[i], sizeof out.CustomValue[i], in.UserPropertyValue[i],
                   sizeof in.UserPropertyValue[i]);
    }
    out.SourceType = CommSourceOutlook;
}

void OlAddrUtil::ToOutlookRecord(const CommAddrRec& in, OlAddrRecord& out) {
    OlCopyToOutlook(&in, &out, kFields);
    for (int i = 0; i < 10; ++i) {
        OlCopyText(out.UserPropertyName[i], sizeof out.UserPropertyName[i], in.CustomLabel[i],
                   sizeof in.CustomLabel[i]);
        OlCopyText(out.UserPropertyValue[i], sizeof out.UserPropertyValue[i], in.CustomValue[i],
                   sizeof in.CustomValue[i]);
        if (in.MappedCustomValue[i][0] != '\0')
            OlCopyText(out.UserPropertyValue[i], sizeof out.UserPropertyValue[i], in.MappedCustomValue[i],
                       sizeof in.MappedCustomValue[i]);
    }
}
