#pragma once
// The common note record.
#include <cstdint>

#include "common/records/CommTypes.h"

struct CommNoteRec {
    std::int32_t Color;  // 0 blue, 1 green, 2 pink, 3 yellow, 4 white
    std::int32_t Private;
    char Subject[256];
    char Note[20480];
    char Category[256];
    DATE CreationTime;
    DATE LastModificationTime;
    std::int32_t SourceType;
    std::int32_t Status;
    std::int32_t IdNumber;
    char IdText[32];
    void* NativeRecord;
    std::uint32_t NativeSize;
    CommNoteRec* Counterpart;
};
