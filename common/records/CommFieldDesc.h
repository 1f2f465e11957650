#pragma once
// The field descriptors of the four record kinds: per field identifier its
// label, value kind, capacity and place in the record.
#include <cstddef>
#include <span>
#include <string_view>

enum CommValueKind : int {
    CommValueText = 1,
    CommValueInt = 4,
    CommValueFlag = 5,
    CommValueDate = 6,        // OLE date
    CommValueSystemTime = 7,  // calendar start and end
    CommValueEpoch = 8,       // epoch time
    CommValueRepeat = 9,      // a CommRepeatInfo
};

struct CommFieldDesc {
    int Id;
    const char* Label;
    int Kind;            // CommValueKind
    int Capacity;        // text capacity including the terminator; 0 for other kinds
    std::size_t Offset;  // place of the member in the record
};

std::span<const CommFieldDesc> CommAddrFields();
std::span<const CommFieldDesc> CommDateFields();
std::span<const CommFieldDesc> CommTaskFields();
std::span<const CommFieldDesc> CommNoteFields();

// The descriptor of an identifier, or null when the kind has none.
const CommFieldDesc* FindCommField(std::span<const CommFieldDesc> table, int id);

// The text member a descriptor names in a record (only for text kinds).
inline const char* CommFieldText(const void* record, const CommFieldDesc& desc) {
    return static_cast<const char*>(record) + desc.Offset;
}
