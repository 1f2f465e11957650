#include "common/records/CommSourceFields.h"

#include <algorithm>
#include <span>

#include "common/records/CommAddrRec.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskRec.h"
#include "common/records/CommTypes.h"

namespace {

#define ADDRESS(a)                                                                                  \
    offsetof(CommAddrRec, a.Street), offsetof(CommAddrRec, a.City), offsetof(CommAddrRec, a.State), \
        offsetof(CommAddrRec, a.PostalCode), offsetof(CommAddrRec, a.Country)

// What the Palm Desktop conversions fill, over all three generations. The
// display name is not among them: only the latest generation has one, so an
// empty one says nothing about the name an item has elsewhere. The
// category is not among them: a record filed under "Unfiled" says nothing
// about the categories the user gave the item elsewhere, so an empty
// category never empties them (a category it names is written as usual).
constexpr std::size_t kPalmAddr[] = {
    offsetof(CommAddrRec, FirstName),
    offsetof(CommAddrRec, LastName),
    offsetof(CommAddrRec, MiddleName),
    offsetof(CommAddrRec, Prefix),
    offsetof(CommAddrRec, Suffix),
    offsetof(CommAddrRec, NickName),
    ADDRESS(WorkAddress),
    ADDRESS(HomeAddress),
    ADDRESS(OtherAddress),
    offsetof(CommAddrRec, HomePhone),
    offsetof(CommAddrRec, WorkPhone),
    offsetof(CommAddrRec, MobilePhone),
    offsetof(CommAddrRec, PrimaryPhone),
    offsetof(CommAddrRec, OtherPhone),
    offsetof(CommAddrRec, WorkPhone2),
    offsetof(CommAddrRec, HomePhone2),
    offsetof(CommAddrRec, WorkFax),
    offsetof(CommAddrRec, Pager),
    offsetof(CommAddrRec, Email),
    offsetof(CommAddrRec, Email2),
    offsetof(CommAddrRec, Email3),
    offsetof(CommAddrRec, PersonalHomePage),
    offsetof(CommAddrRec, Note),
    offsetof(CommAddrRec, Company),
    offsetof(CommAddrRec, Title),
    offsetof(CommAddrRec, Im1),
    offsetof(CommAddrRec, Im2),
    offsetof(CommAddrRec, AssistantName),
    offsetof(CommAddrRec, AssistantPhone),
    offsetof(CommAddrRec, Profession),
    offsetof(CommAddrRec, Birthday),
    offsetof(CommAddrRec, Anniversary),
};
constexpr std::size_t kPalmDate[] = {
    offsetof(CommDateRec, Subject),
    offsetof(CommDateRec, Note),
    offsetof(CommDateRec, Location),
};
constexpr std::size_t kPalmTask[] = {
    offsetof(CommTaskRec, Subject),
    offsetof(CommTaskRec, Note),
    offsetof(CommTaskRec, DueDate),
};
constexpr std::size_t kPalmNote[] = {
    offsetof(CommNoteRec, Subject),
    offsetof(CommNoteRec, Note),
};

#undef ADDRESS

std::span<const std::size_t> PalmMembers(CommRecordKind kind) {
    switch (kind) {
    case CommKindAddr: return kPalmAddr;
    case CommKindDate: return kPalmDate;
    case CommKindTask: return kPalmTask;
    case CommKindNote: return kPalmNote;
    default: return {};
    }
}

}  // namespace

bool CommSourceSupplies(std::int32_t sourceType, CommRecordKind kind, std::size_t offset) {
    if (sourceType != CommSourcePalm && sourceType != CommSourcePalm412) return true;
    const std::span<const std::size_t> members = PalmMembers(kind);
    return std::find(members.begin(), members.end(), offset) != members.end();
}
