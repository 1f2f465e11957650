#pragma once
// Tables that tie the members of an Outlook record to item properties and
// to the members of a common record, and the loops that read, write and
// copy through them.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <typeindex>
#include <utility>
#include <vector>

#include "common/misc/DispCmd.h"
#include "common/records/CommKinds.h"

enum class OlPropKind { Text, Int, Flag, Date };

// One item property and the member of the Outlook record that holds it.
struct OlProp {
    const char16_t* name;
    std::size_t offset;
    std::size_t size;
    OlPropKind kind;
    bool writable;
};

// The dispatch ids of the properties of tables, found on the first item
// read or written through a table and used for the items after it: objects
// of one type answer a name with the same id. A name not found is looked
// up again on the next item.
class OlPropIds {
public:
    // The ids of a table's properties on objects of the type of `object`,
    // by table position; DISPID_UNKNOWN where none was found yet.
    std::vector<DISPID>& Of(std::span<const OlProp> props, const IDispatch& object);

private:
    struct Table {
        const OlProp* props;
        std::type_index type;
        std::vector<DISPID> ids;
    };
    std::deque<Table> m_tables;  // a table's ids stay where they are
};

// Reads the properties in table order; a text with the member's capacity
// as buffer size ("EntryID" with 1023). A property that cannot be read
// leaves its member as it was.
void OlReadProps(CDispCmd& item, void* rec, std::span<const OlProp> props, OlPropIds& ids);
// Writes the writable properties in table order; empty texts and zero
// dates are not written.
void OlWriteProps(CDispCmd& item, const void* rec, std::span<const OlProp> props, OlPropIds& ids);

enum class OlCopy { Both, ToCommon, ToOutlook };

// One member of an Outlook record and its member of a common record.
struct OlField {
    std::size_t olOffset, olSize;
    std::size_t commOffset, commSize;
    bool date;  // an OLE date on both sides, else a text
    OlCopy direction;
};

// Copies the fields of a table that go in the direction asked; texts are
// cut to the target's capacity without splitting a character.
void OlCopyToCommon(const void* ol, void* comm, std::span<const OlField> fields);
void OlCopyToOutlook(const void* comm, void* ol, std::span<const OlField> fields);

// Outlook's "none" date, 1 January 4501: putting it empties a date property.
constexpr DATE kOlNoDate = 949998.0;

// A property that an update may empty, with its member in the Outlook
// record and the member of the common record it is written from.
struct OlClearable {
    const char16_t* name;
    std::size_t olOffset, olSize;
    OlPropKind kind;  // Text or Date
    std::size_t commOffset;
};

// Prepares the working record of an update: a member that the source of
// the record never fills keeps the value the item was loaded with, and a
// member that the source fills but left empty, while the item holds a
// value, is emptied in the item ("" for a text, the "none" date for a
// date). The other values are written as usual afterwards.
void OlApplyUpdate(CDispCmd& item, const void* loaded, void* working, std::span<const OlClearable> members,
                   std::int32_t sourceType, CommRecordKind kind);

// The clearable members of a kind whose members are tied by a field table:
// every field written to Outlook whose property the table of properties
// names.
std::vector<OlClearable> OlClearablesOf(std::span<const OlProp> props, std::span<const OlField> fields);

// A text member copied into another of any capacity.
void OlCopyText(char* dst, std::size_t dstSize, const char* src, std::size_t srcSize);

#define OL_MEMBER_SIZE(Type, member) sizeof(std::declval<Type&>().member)
#define OL_PROP(Rec, member, kind, writable) \
    OlProp { u"" #member, offsetof(Rec, member), OL_MEMBER_SIZE(Rec, member), OlPropKind::kind, writable }
#define OL_CLEARABLE(OlRec, olMember, kind, CommRec, commMember)                                     \
    OlClearable {                                                                                    \
        u"" #olMember, offsetof(OlRec, olMember), OL_MEMBER_SIZE(OlRec, olMember), OlPropKind::kind, \
            offsetof(CommRec, commMember)                                                            \
    }
#define OL_FIELD(OlRec, olMember, CommRec, commMember, date, direction)                            \
    OlField {                                                                                      \
        offsetof(OlRec, olMember), OL_MEMBER_SIZE(OlRec, olMember), offsetof(CommRec, commMember), \
            OL_MEMBER_SIZE(CommRec, commMember), date, OlCopy::direction                           \
    }
