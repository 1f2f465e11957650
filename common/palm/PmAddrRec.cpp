#include "common/palm/PmAddrRec.h"

#include <cstddef>

#include "common/records/CommKinds.h"

namespace {

#define L(code, member) PM_SLOT(PmAddrExRec, code, Long, member)
#define T(member) PM_SLOT(PmAddrExRec, 5, Text, member)
#define ADDRESS(a) T(a.Street), T(a.City), T(a.State), T(a.ZipCode), T(a.Country)

const PmFieldSlot kAddrExSlots[] = {
    L(1, RecordID),
    L(1, Unused1),
    L(1, Status),
    L(1, Unused3),
    L(1, Placement),
    L(1, CategoryID),
    L(6, Unused6),
    PM_EXT(PmAddrExRec, 64, 0),
    PM_EXT(PmAddrExRec, 65, 1),
    PM_EXT(PmAddrExRec, 66, 2),
    PM_EXT(PmAddrExRec, 67, 3),
    T(Unused11),
    T(Unused12),
    T(FirstName),
    T(LastName),
    T(Title),
    T(Company),
    L(1, PrimaryContact),
    T(Note),
    T(Phone[0]),
    T(Phone[1]),
    T(Phone[2]),
    T(Phone[3]),
    T(Phone[4]),
    T(Phone[5]),
    T(Phone[6]),
    L(1, PhoneLabel[0]),
    L(1, PhoneLabel[1]),
    L(1, PhoneLabel[2]),
    L(1, PhoneLabel[3]),
    L(1, PhoneLabel[4]),
    L(1, PhoneLabel[5]),
    L(1, PhoneLabel[6]),
    T(Custom[0]),
    T(Custom[1]),
    T(Custom[2]),
    T(Custom[3]),
    T(Custom[4]),
    T(Custom[5]),
    T(Custom[6]),
    T(Custom[7]),
    T(Custom[8]),
    L(1, Unused42),
    ADDRESS(WorkAddress),
    L(1, Unused48),
    ADDRESS(HomeAddress),
    L(1, Unused54),
    ADDRESS(OtherAddress),
    T(Im[0]),
    T(Im[1]),
    L(1, ImLabel[0]),
    L(1, ImLabel[1]),
    T(HomePage),
    PM_SLOT(PmAddrExRec, 68, Double, Birthday),
    L(6, Unused66),
    L(1, Unused67),
    L(1, Unused68),
    T(Unused69[0]),
    T(Unused69[1]),
    T(Unused69[2]),
    T(Unused69[3]),
};
static_assert(sizeof kAddrExSlots / sizeof kAddrExSlots[0] == 73);

#undef L
#undef T
#define L(code, member) PM_SLOT(PmAddrRec, code, Long, member)
#define T(member) PM_SLOT(PmAddrRec, 5, Text, member)

const PmFieldSlot kAddrSlots[] = {
    L(1, RecordID),   L(1, Status),
    L(1, Placement),  T(LastName),
    T(FirstName),     T(Title),
    T(Company),       L(1, PhoneLabel[0]),
    T(Phone[0]),      L(1, PhoneLabel[1]),
    T(Phone[1]),      L(1, PhoneLabel[2]),
    T(Phone[2]),      L(1, PhoneLabel[3]),
    T(Phone[3]),      L(1, PhoneLabel[4]),
    T(Phone[4]),      T(Street),
    T(City),          T(State),
    T(ZipCode),       T(Country),
    T(Note),          L(6, Unused23),
    L(1, CategoryID), T(Custom[0]),
    T(Custom[1]),     T(Custom[2]),
    T(Custom[3]),     L(1, PrimaryContact),
};
static_assert(sizeof kAddrSlots / sizeof kAddrSlots[0] == 30);

#undef L
#undef T
#undef ADDRESS

template <std::size_t N>
char* FindByLabel(char (*values)[N], std::int32_t* labels, int count, std::int32_t label, bool create,
                  bool freeByLabel) {
    for (int i = 0; i < count; ++i)
        if (labels[i] == label) return values[i];
    if (!create) return nullptr;
    for (int i = 0; i < count; ++i) {
        const bool free = freeByLabel ? labels[i] == 0 : values[i][0] == '\0';
        if (free) {
            labels[i] = label;
            return values[i];
        }
    }
    return nullptr;
}

}  // namespace

const PmRecordLayout kPmAddrExLayout = {
    kAddrExSlots, 73, 5, offsetof(PmAddrExRec, CategoryName), sizeof(PmAddrExRec::CategoryName), CommKindAddr};
const PmRecordLayout kPmAddrLayout = {
    kAddrSlots, 30, 24, offsetof(PmAddrRec, CategoryName), sizeof(PmAddrRec::CategoryName), CommKindAddr};

const char* PmPhoneLabelText(std::int32_t code) {
    static const char* const kTexts[] = {"Work Phone", "Home Phone", "Fax",   "Other Phone",
                                         "E-mail",     "Main Phone", "Pager", "Mobile Phone"};
    return code >= 0 && code < 8 ? kTexts[code] : kTexts[0];
}

char* PmFindPhoneByLabel(PmAddrExRec& rec, std::int32_t label, bool create) {
    return FindByLabel(rec.Phone, rec.PhoneLabel, 7, label, create, false);
}

char* PmFindPhoneByLabel(PmAddrRec& rec, std::int32_t label, bool create) {
    return FindByLabel(rec.Phone, rec.PhoneLabel, 5, label, create, false);
}

char* PmFindImByLabel(PmAddrExRec& rec, std::int32_t label, bool create) {
    return FindByLabel(rec.Im, rec.ImLabel, 2, label, create, true);
}
