#pragma once
// The dispatch ids of the Outlook stand-in's objects, one set per object.
// An item's properties have their schema position + 1 as id; its methods
// have ids above every schema.
#include "platform/automation/Automation.h"

namespace platform::outlook {

struct ApplicationId {
    enum : DISPID { GetNamespace = 1, Session, Name, Version };
};

struct NameSpaceId {
    enum : DISPID { GetDefaultFolder = 1, Type };
};

struct FolderId {
    enum : DISPID { Name = 1, StoreId, Items, DefaultItemType };
};

struct ItemsId {
    enum : DISPID { GetFirst = 1, GetNext, Add, Item, Count };
};

struct ItemId {
    enum : DISPID {
        FirstProperty = 1,  // schema position 0
        Save = 1000,
        GetRecurrencePattern,
        UserProperties,
        ClearRecurrencePattern,
        Class,
        Delete,
    };
};

struct UserPropertiesId {
    enum : DISPID { Count = 1, Item, Find, Add, Remove };
};

struct UserPropertyId {
    enum : DISPID { Name = 1, Value, Type };
};

// The pattern's integer fields come first, in the order of Recurrence.
struct RecurrencePatternId {
    enum : DISPID {
        RecurrenceType = 1,
        Interval,
        DayOfWeekMask,
        DayOfMonth,
        Instance,
        MonthOfYear,
        PatternEndDate,
        NoEndDate,
    };
};

}  // namespace platform::outlook
