#pragma once
// Value types shared by the native records of the Palm Desktop data files,
// and the table form in which each kind describes its record layout: which
// field position is decoded how into which member.
#include <cstddef>
#include <cstdint>

// An extended block value (field type codes 64 to 67). Its data belongs to
// the record list that holds the record; copies of a record made outside
// the list share the data and are valid while that list keeps its records.
struct PmExtBlock {
    std::int32_t Marker;
    std::int32_t Form;
    std::int32_t Param1;
    std::int32_t Param2;
    std::int32_t Size;
    const unsigned char* Data;  // Size bytes, null when Size is 0
};

// A repeat rule (field type code 8). All members are 0 for an event that
// does not repeat; members that a repeat kind does not carry stay 0.
struct PmRepeatInfo {
    std::int32_t RepeatKind;  // 0 none, 1 daily, 2 weekly, 3 monthly by day, 4 monthly by date,
                              // 5 yearly by date, 6 yearly by day
    std::int32_t Interval;
    std::int32_t EndDate;  // seconds since 1970
    std::int32_t FirstDayOfWeek;
    std::int32_t DayIndex;
    std::uint8_t DayMask;  // bit 0 Sunday to bit 6 Saturday
    std::int32_t WeekIndex;
    std::int32_t MonthIndex;  // 0 = January
    std::int32_t DayNumber;
};

// A postal address of the address book.
struct PmAddress {
    char Street[256];
    char City[32];
    char State[32];
    char ZipCode[32];
    char Country[32];
};

// How one field position is read.
enum class PmDecode : std::uint8_t {
    None,    // nothing is read
    Long,    // tagged long
    Text,    // tagged text, cut to the member
    Ext,     // extended block
    Double,  // tagged double
    Repeat,  // repeat event
};

struct PmFieldSlot {
    std::uint16_t TypeCode;  // the default schema's type code
    PmDecode Decode;
    std::uint8_t ExtIndex;  // which of the record's extended blocks
    std::uint32_t Offset;   // of the member in the record
    std::uint32_t Size;     // of the member
    const char* Name;       // the member's name, for the log
};

struct PmRecordLayout {
    const PmFieldSlot* Slots;
    std::uint32_t Count;
    // Position of the category ID whose name is copied into the category
    // name member, or -1 when the kind looks no name up.
    std::int32_t CategoryPos;
    std::uint32_t CategoryNameOffset;
    std::uint32_t CategoryNameSize;
    // The record kind (CommRecordKind). Every record begins with its
    // 32-bit record ID.
    int Kind;
};

#define PM_SLOT(Rec, code, decode, member) \
    PmFieldSlot { code, PmDecode::decode, 0, offsetof(Rec, member), sizeof(Rec::member), #member }
#define PM_EXT(Rec, code, index) \
    PmFieldSlot { code, PmDecode::Ext, index, offsetof(Rec, ExtBlock[index]), sizeof(PmExtBlock), "ExtBlock" }
