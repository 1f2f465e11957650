#pragma once
// Which members of the common records a source fills. When a record of a
// source updates an existing item, a member the source fills and left
// empty empties the item's value, while a member the source never fills
// (a Palm file has no manager, for example) leaves the item's value as it
// is.
#include <cstddef>
#include <cstdint>

#include "common/records/CommKinds.h"

// True when records of `sourceType` can carry a value in the member at
// `offset` of the kind's record. Sources without a list fill every member.
bool CommSourceSupplies(std::int32_t sourceType, CommRecordKind kind, std::size_t offset);
