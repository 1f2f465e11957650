#pragma once
// The ACT! contact field catalogue: 89 fields, each with its id, the name
// ACT! shows for it, its kind and its capacity in bytes. The contacts data
// file holds a contact's fields in id order, each in the encoding of its
// kind; a text keeps at most its capacity minus one bytes.
#include <array>
#include <cstdint>

struct ACTFieldInfo {
    std::int32_t FieldID;
    const char* Label;  // at most 31 characters
    int Kind;           // kACTFieldText, kACTFieldFlag or kACTFieldDate
    int Size;           // a text's capacity with its terminator; 4 for a flag, 8 for a date
};

inline constexpr int kACTFieldText = 1;
inline constexpr int kACTFieldFlag = 3;
inline constexpr int kACTFieldDate = 6;
inline constexpr int kACTFieldCount = 89;

// The entries in id order: entry i has id i + 1.
const std::array<ACTFieldInfo, kACTFieldCount>& ACTAddrFields();

// Ids of the fields the program and the helpers name in code.
enum ACTFieldId : std::int32_t {
    kACTRecordID = 1,
    kACTCategory = 5,
    kACTNamePrefix = 6,
    kACTNameSuffix = 7,
    kACTFirstName = 8,
    kACTMiddleName = 9,
    kACTLastName = 10,
    kACTFullName = 11,
    kACTSalutation = 12,
    kACTCompany = 14,
    kACTDepartment = 15,
    kACTTitle = 16,
    kACTBusinessCountry = 17,  // then State, City, Address 1 to 3, Postal
    kACTHomeCountry = 24,      // the same seven
    kACTBusinessPhone = 31,
    kACTHomePhone = 32,
    kACTMobilePhone = 33,
    kACTPager = 34,
    kACTFax = 35,
    kACTAlternatePhone = 36,
    kACTFaxExtension = 37,
    kACTPagerExtension = 38,
    kACTBusinessPhoneExtension = 39,
    kACTHomePhoneExtension = 40,
    kACTMobilePhoneExtension = 41,
    kACTAlternatePhoneExtension = 42,
    kACTBusinessEmail = 43,
    kACTPersonalEmail = 44,
    kACTWebsite = 45,
    kACTInstantMessenger = 46,
    kACTSpouseName = 47,
    kACTUserDefined1 = 48,  // to 57, User Defined 10
    kACTLastResults = 58,
    kACTIsUser = 59,
    kACTIsImported = 60,
    kACTIsPrivate = 61,
    kACTBirthday = 62,
    kACTCreateDate = 63,
    kACTEditDate = 64,
    kACTSecondaryFirstName = 70,
    kACTSecondaryCountry = 75,  // then State, City, Address 1 to 3, Postal
    kACTSecondaryPhone = 82,
    kACTSecondaryEmail = 86,
    kACTSecondaryIsPrivate = 89,
};

// Offsets of an address's fields from its country field.
enum ACTAddressPart : std::int32_t {
    kACTAddrCountry = 0,
    kACTAddrState = 1,
    kACTAddrCity = 2,
    kACTAddrLine1 = 3,
    kACTAddrLine2 = 4,
    kACTAddrLine3 = 5,
    kACTAddrPostal = 6,
};
