#include "common/palm/PmMemoRec.h"

#include <cstddef>

#include "common/records/CommKinds.h"

namespace {

#define L(code, member) PM_SLOT(PmMemoExRec, code, Long, member)
#define T(member) PM_SLOT(PmMemoExRec, 5, Text, member)

const PmFieldSlot kMemoExSlots[] = {
    L(1, RecordID),
    L(1, Unused1),
    L(1, Status),
    L(1, Unused3),
    L(1, Placement),
    L(1, CategoryID),
    L(6, Private),
    PM_EXT(PmMemoExRec, 64, 0),
    PM_EXT(PmMemoExRec, 65, 1),
    PM_EXT(PmMemoExRec, 66, 2),
    PM_EXT(PmMemoExRec, 67, 3),
    T(Unused11),
    T(Unused12),
    T(Text),
};
static_assert(sizeof kMemoExSlots / sizeof kMemoExSlots[0] == 14);

#undef L
#undef T

const PmFieldSlot kMemoSlots[] = {
    PM_SLOT(PmMemoRec, 1, Long, RecordID),  PM_SLOT(PmMemoRec, 1, Long, Status),
    PM_SLOT(PmMemoRec, 1, Long, Placement), PM_SLOT(PmMemoRec, 5, Text, Text),
    PM_SLOT(PmMemoRec, 6, Long, Private),   PM_SLOT(PmMemoRec, 1, Long, CategoryID),
};

}  // namespace

const PmRecordLayout kPmMemoExLayout = {
    kMemoExSlots, 14, 5, offsetof(PmMemoExRec, CategoryName), sizeof(PmMemoExRec::CategoryName), CommKindNote};
const PmRecordLayout kPmMemoLayout = {kMemoSlots, 6, -1, 0, 0, CommKindNote};
