#include "common/palm/PmDateRec.h"

#include <cstddef>

#include "common/records/CommKinds.h"

namespace {

#define L(code, member) PM_SLOT(PmDateExRec, code, Long, member)
#define T(member) PM_SLOT(PmDateExRec, 5, Text, member)

const PmFieldSlot kDateExSlots[] = {
    L(1, RecordID),
    L(1, Unused1),
    L(1, Status),
    L(1, Unused3),
    L(1, Placement),
    L(1, CategoryID),
    L(6, Unused6),
    PM_EXT(PmDateExRec, 64, 0),
    PM_EXT(PmDateExRec, 65, 1),
    PM_EXT(PmDateExRec, 66, 2),
    PM_EXT(PmDateExRec, 67, 3),
    T(Unused11),
    T(Unused12),
    L(3, StartDate),
    L(3, EndDate),
    T(Description),
    L(1, Unused16),
    T(Note),
    L(6, Untimed),
    L(6, AlarmSet),
    L(1, AlarmAdvance),
    L(1, AlarmAdvanceUnit),
    PM_SLOT(PmDateExRec, 8, Repeat, Repeat),
    T(Location),
    L(1, Unused24),
    T(Unused25),
    T(Unused26),
};
static_assert(sizeof kDateExSlots / sizeof kDateExSlots[0] == 27);

#undef L
#undef T
#define L(code, member) PM_SLOT(PmDateRec, code, Long, member)
#define T(member) PM_SLOT(PmDateRec, 5, Text, member)

const PmFieldSlot kDateSlots[] = {
    L(1, RecordID),
    L(1, Status),
    L(1, Placement),
    L(3, StartDate),
    L(1, EndDate),
    T(Description),
    L(1, Unused6),
    T(Note),
    L(6, Untimed),
    L(6, Unused9),
    L(1, CategoryID),
    L(6, AlarmSet),
    L(1, AlarmAdvance),
    L(1, AlarmAdvanceUnit),
    PM_SLOT(PmDateRec, 8, Repeat, Repeat),
};
static_assert(sizeof kDateSlots / sizeof kDateSlots[0] == 15);

#undef L
#undef T

}  // namespace

const PmRecordLayout kPmDateExLayout = {
    kDateExSlots, 27, 5, offsetof(PmDateExRec, CategoryName), sizeof(PmDateExRec::CategoryName), CommKindDate};
const PmRecordLayout kPmDateLayout = {kDateSlots, 15, -1, 0, 0, CommKindDate};
