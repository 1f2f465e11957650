#pragma once
// The common contact record.
#include <cstdint>

#include "common/records/CommTypes.h"

struct CommAddrRec {
    char FirstName[32];
    char LastName[32];
    char MiddleName[32];
    char Prefix[32];
    char Suffix[32];
    char NickName[32];
    char DisplayName[32];
    char Salutation[32];
    std::int32_t Gender;
    CommAddress WorkAddress;
    CommAddress HomeAddress;
    CommAddress OtherAddress;
    char HomePhone[24];
    char WorkPhone[24];
    char MobilePhone[24];
    char PrimaryPhone[24];
    char OtherPhone[24];
    char CallbackPhone[24];
    char RadioPhone[24];
    char CarPhone[24];
    char WorkPhone2[24];
    char HomePhone2[24];
    char WorkFax[24];
    char HomeFax[24];
    char Pager[24];
    char Email[64];
    char Email2[64];
    char Email3[64];
    char WorkHomePage[256];
    char PersonalHomePage[256];
    char FtpSite[256];
    char Note[8192];
    char CustomValue[10][64];
    char MappedCustomValue[10][64];
    char CustomLabel[10][64];
    char Company[64];
    char Title[32];
    char Department[32];
    char Im1[32];
    char Im2[32];
    char ManagerName[32];
    char AssistantName[32];
    char AssistantPhone[24];
    char SpouseName[32];
    char ChildrensNames[32];
    char Profession[64];
    char Hobby[64];
    char Account[32];
    DATE Birthday;
    DATE Anniversary;
    char Keyword[64];
    char Language[64];
    char Location[64];
    char MhsCommonName[32];
    char CustomerId[32];
    char GovernmentId[32];
    char OrganizationId[32];
    char Category[256];
    DATE CreationTime;
    DATE LastModificationTime;
    std::int32_t SourceType;  // CommSourceType
    std::int32_t Status;      // CommStatus
    char Id[64];
    std::int32_t Private;
    void* NativeRecord;
    std::uint32_t NativeSize;
    CommAddrRec* Counterpart;
};
