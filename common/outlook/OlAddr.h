#pragma once
// The Outlook adapter for contacts.
#include <cstdint>
#include <span>

#include "common/outlook/OlItemUtil.h"
#include "common/outlook/OlProps.h"
#include "common/records/CommAddrMgr.h"

// The Outlook side of a contact, attached to each loaded CommAddrRec. Every
// text member holds at least what its common member holds, so a value
// written to Outlook reads back whole.
struct OlAddrRecord {
    char EntryID[1024];
    char StoreID[1024];
    char Account[32];
    DATE Anniversary;
    char AssistantName[64];
    char AssistantTelephoneNumber[24];
    DATE Birthday;
    char Business2TelephoneNumber[24];
    char BusinessAddressCity[32];
    char BusinessAddressCountry[32];
    char BusinessAddressPostalCode[16];
    char BusinessAddressPostOfficeBox[16];
    char BusinessAddressState[32];
    char BusinessAddressStreet[256];
    char BusinessFaxNumber[24];
    char BusinessHomePage[256];
    char BusinessTelephoneNumber[24];
    char CallbackTelephoneNumber[24];
    char CarTelephoneNumber[24];
    char CompanyMainTelephoneNumber[24];
    char CompanyName[64];
    char ComputerNetworkName[32];
    char CustomerID[32];
    char Department[32];
    char Email1Address[64];
    char Email1AddressType[16];
    char Email1DisplayName[64];
    char Email2Address[64];
    char Email2AddressType[16];
    char Email2DisplayName[64];
    char Email3Address[64];
    char Email3AddressType[16];
    char Email3DisplayName[64];
    char FirstName[64];
    char FTPSite[256];
    char FullName[64];
    std::int32_t Gender;
    char Hobby[128];
    char Home2TelephoneNumber[24];
    char HomeAddressCity[32];
    char HomeAddressCountry[32];
    char HomeAddressPostalCode[16];
    char HomeAddressPostOfficeBox[16];
    char HomeAddressState[32];
    char HomeAddressStreet[256];
    char HomeFaxNumber[24];
    char HomeTelephoneNumber[24];
    char IMAddress[32];
    char Initials[8];
    char ISDNNumber[24];
    char JobTitle[32];
    char Language[64];
    char LastName[64];
    char MailingAddressCity[32];
    char MailingAddressCountry[32];
    char MailingAddressPostalCode[16];
    char MailingAddressPostOfficeBox[16];
    char MailingAddressState[32];
    char MailingAddressStreet[256];
    char ManagerName[64];
    char MiddleName[64];
    char MobileTelephoneNumber[24];
    char NickName[64];
    char OtherAddressCity[32];
    char OtherAddressCountry[32];
    char OtherAddressPostalCode[16];
    char OtherAddressPostOfficeBox[16];
    char OtherAddressState[32];
    char OtherAddressStreet[256];
    char OtherTelephoneNumber[24];
    char PagerNumber[24];
    char PersonalHomePage[256];
    char PrimaryTelephoneNumber[24];
    char Profession[64];
    char RadioTelephoneNumber[24];
    char Spouse[64];
    char Title[32];       // the title of the name ("Mr.", "Dr.")
    char SuffixText[32];  // "Suffix"
    char WebPage[256];
    char Body[8192];
    char UserPropertyValue[10][64];
    char UserPropertyName[10][64];
    char FolderName[32];
    char Categories[256];
    DATE CreationTime;
    DATE LastModificationTime;
    IDispatch* ItemRef;  // always null: the record is copied as bytes and holds no reference
};

class OlAddrUtil : public OlItemUtil<OlAddrUtil, CommAddrRec, CommAddrMgr, OlAddrRecord> {
public:
    static constexpr OlDefaultFolders kFolder = olFolderContacts;
    static constexpr OlItemType kItemType = olContactItem;
    static constexpr bool kReadsStoreId = true;
    static constexpr bool kUpdateFromLoaded = true;
    static constexpr CommRecordKind kKind = CommKindAddr;
    // The members an update may empty or keep (see OlApplyUpdate).
    static std::span<const OlClearable> Clearables();
    static const OlKindTexts& Texts();

    OlAddrUtil() = default;

    // Reads every property of an item, then its user-defined properties.
    bool ReadItem(CDispCmd& item, OlAddrRecord& rec);
    // Writes every property, the user-defined properties, then "Save";
    // the result of "Save".
    HRESULT WriteItem(CDispCmd& item, OlAddrRecord& rec);
    void ToCommonRecord(const OlAddrRecord& in, CommAddrRec& out);
    // Over what `out` already holds.
    void ToOutlookRecord(const CommAddrRec& in, OlAddrRecord& out);

    // The name a user-defined property of a slot gets when its label is
    // empty; empty in this system.
    static const char* DefaultUserPropertyName(int slot);

private:
    void ReadUserProperties(CDispCmd& item, OlAddrRecord& rec);
    void WriteUserProperties(CDispCmd& item, const OlAddrRecord& rec);
};
