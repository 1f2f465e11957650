#include "common/palm/PmTodoRec.h"

#include <cstddef>

#include "common/records/CommKinds.h"

namespace {

#define L(code, member) PM_SLOT(PmTodoExRec, code, Long, member)
#define T(member) PM_SLOT(PmTodoExRec, 5, Text, member)

const PmFieldSlot kTodoExSlots[] = {
    L(1, RecordID),
    L(1, Unused1),
    L(1, Status),
    L(1, Unused3),
    L(1, Placement),
    L(1, CategoryID),
    L(6, Private),
    PM_EXT(PmTodoExRec, 64, 0),
    PM_EXT(PmTodoExRec, 65, 1),
    PM_EXT(PmTodoExRec, 66, 2),
    PM_EXT(PmTodoExRec, 67, 3),
    T(Unused11),
    T(Unused12),
    T(Description),
    L(3, DueDate),
    L(6, Completed),
    L(1, Priority),
    T(Note),
    L(6, Unused18),
    L(3, Unused19),
    L(6, AlarmSet),
    L(3, Unused21),
    L(1, Unused22),
    L(3, Unused23),
    PM_SLOT(PmTodoExRec, 8, Repeat, Repeat),
};
static_assert(sizeof kTodoExSlots / sizeof kTodoExSlots[0] == 25);

#undef L
#undef T
#define L(code, member) PM_SLOT(PmTodoRec, code, Long, member)
#define T(member) PM_SLOT(PmTodoRec, 5, Text, member)

const PmFieldSlot kTodoSlots[] = {
    L(1, RecordID),  L(1, Status),   L(1, Placement), T(Description),   L(3, DueDate),
    L(6, Completed), L(1, Priority), L(6, Private),   L(1, CategoryID), T(Note),
};
static_assert(sizeof kTodoSlots / sizeof kTodoSlots[0] == 10);

#undef L
#undef T

}  // namespace

const PmRecordLayout kPmTodoExLayout = {
    kTodoExSlots, 25, 5, offsetof(PmTodoExRec, CategoryName), sizeof(PmTodoExRec::CategoryName), CommKindTask};
const PmRecordLayout kPmTodoLayout = {kTodoSlots, 10, -1, 0, 0, CommKindTask};
