#pragma once
// The Lotus Notes contact field catalogue: 54 fields, each with its id, the
// name the mapping dialog shows, its kind and its capacity in bytes. The
// contacts data file holds fields 1 to 44 in id order, then the note, the
// category, the record's own ten custom values and labels and the two
// dates; the catalogue's custom field entries (45 to 50) have no value of
// their own in a record.
#include <array>
#include <cstdint>

struct LNFieldInfo {
    std::int32_t FieldID;
    const char* Label;  // at most 31 characters
    int Kind;           // kLNFieldText or kLNFieldDate
    int Size;           // a text's capacity with its terminator; 8 for a date
};

inline constexpr int kLNFieldText = 1;
inline constexpr int kLNFieldDate = 6;
inline constexpr int kLNFieldCount = 54;

// The entries in id order: entry i has id i + 1.
const std::array<LNFieldInfo, kLNFieldCount>& LNAddrFields();

// Ids of the fields the program and the helpers name in code.
enum LNFieldId : std::int32_t {
    kLNID = 1,
    kLNFirstName = 2,
    kLNMiddleName = 3,
    kLNLastName = 4,
    kLNSuffix = 5,
    kLNDisplayName = 6,
    kLNCompanyName = 7,
    kLNDepartment = 8,
    kLNJobTitle = 9,
    kLNLocation = 10,
    kLNAssistantName = 11,
    kLNManagerName = 12,
    kLNBusinessEmail = 13,
    kLNPersonalEmail = 14,
    kLNAssistantPhone = 15,  // the third text of the e-mail group
    kLNBusinessEmail2 = 16,
    kLNPersonalEmail2 = 17,
    kLNBusinessStreet = 18,  // then City, State, Country, Postal
    kLNHomeStreet = 23,      // the same five
    kLNOtherStreet = 28,     // the same five
    kLNPrimaryPhone = 33,
    kLNBusinessPhone = 34,
    kLNHomePhone = 35,
    kLNMobilePhone = 36,
    kLNBusinessFax = 37,
    kLNHomeFax = 38,
    kLNPager = 39,
    kLNInstantMessenger = 40,
    kLNWebSite = 41,
    kLNBlogSite = 42,
    kLNSpouseName = 43,
    kLNChildrensNames = 44,
    kLNCustomField1 = 45,  // to 47
    kLNCustomLabel1 = 48,  // to 50
    kLNNote = 51,
    kLNCategory = 52,
    kLNBirthDate = 53,
    kLNAnniversary = 54,
};

// The last id of the texts that the record holds in catalogue order.
inline constexpr int kLNLastPlainField = kLNChildrensNames;

// Offsets of an address's fields from its street field.
enum LNAddressPart : std::int32_t {
    kLNAddrStreet = 0,
    kLNAddrCity = 1,
    kLNAddrState = 2,
    kLNAddrCountry = 3,
    kLNAddrPostal = 4,
};
