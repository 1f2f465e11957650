#pragma once
// The four record kinds, in the order they are always handled.

enum CommRecordKind : int {
    CommKindAddr = 0,  // contacts
    CommKindDate = 1,  // calendar
    CommKindTask = 2,  // tasks
    CommKindNote = 3,  // notes
    CommKindCount = 4,
};
