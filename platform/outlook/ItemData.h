#pragma once
// The items of the Outlook store: their kinds, the properties each kind
// has, and one item's values.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock/SystemTime.h"
#include "platform/outlook/OutlookEnums.h"

namespace platform::outlook {

enum class ItemKind { Contact, Appointment, Task, Note };

enum class PropType { Text, Int, Bool, Date };

struct PropDef {
    const char* name;
    PropType type;
    bool readOnly;
};

// Every property of a kind, in a fixed order.
const std::vector<PropDef>& Schema(ItemKind kind);
// The position of a property in its kind's schema (name without regard to
// case), or -1.
int FindProp(ItemKind kind, std::string_view name);

struct PropValue {
    std::int32_t i = 0;  // Int and Bool
    double d = 0.0;      // Date; 0 means none
    std::string s;       // Text, UTF-8
};

// The values of an item's properties by schema position. Only the values
// ever set are held: an item sets a few of its kind's many properties. A
// value not held reads as empty; asking for a changeable one makes it. A
// reference to a held value stays valid while the values live.
class PropValues {
public:
    explicit PropValues(std::size_t count = 0) : m_slots(count, kNotHeld) {}
    std::size_t size() const { return m_slots.size(); }
    const PropValue& operator[](std::size_t index) const {
        const std::uint8_t slot = m_slots[index];
        return slot == kNotHeld ? Empty() : m_values[slot];
    }
    PropValue& operator[](std::size_t index) {
        std::uint8_t& slot = m_slots[index];
        if (slot == kNotHeld) {
            slot = static_cast<std::uint8_t>(m_values.size());
            m_values.emplace_back();
        }
        return m_values[slot];
    }
    // The most values a kind may have.
    static constexpr std::size_t kMaxCount = 255;

private:
    static constexpr std::uint8_t kNotHeld = 0xFF;
    static const PropValue& Empty();

    std::vector<std::uint8_t> m_slots;  // by position: the value's place in m_values, or kNotHeld
    std::deque<PropValue> m_values;     // a deque: adding a value moves none of the others
};

struct UserProperty {
    std::string name;
    std::int32_t type = olText;  // OlUserPropertyType
    std::string text;            // text types
    double number = 0.0;         // number, date and integer types
};

struct Recurrence {
    std::int32_t type = olRecursWeekly;  // OlRecurrenceType
    std::int32_t interval = 1;
    std::int32_t dayOfWeekMask = 0;  // OlDaysOfWeek bits
    std::int32_t dayOfMonth = 0;
    std::int32_t instance = 0;
    std::int32_t monthOfYear = 0;
    double patternEndDate = 0.0;  // 0: no end
};

// The "none" date of Outlook, 1 January 4501; a date put at or after it
// clears the property.
constexpr double kNoDate = 949998.0;

struct ItemData {
    ItemKind kind = ItemKind::Contact;
    std::string entryId;           // empty until first saved
    long long order = -1;          // creation sequence; -1 for items that came without one
    PropValues props;  // by schema position
    std::vector<UserProperty> userProps;
    bool recurring = false;
    bool recurrenceChanged = false;  // the pattern was set since loading
    Recurrence recurrence;
    std::string originalRule;  // the recurrence rule as loaded, written back while unchanged
    std::string kept;          // lines of another program that are written back unchanged
    std::string keptTrailer;   // further items of the same file, written back after this one
    // The text of the item's file as just saved, until it is read back:
    // until then the values above are those that were saved, and
    // Store::ReadBack gives the item the values its file holds.
    std::string unread;

    explicit ItemData(ItemKind k = ItemKind::Contact);

    PropValue& At(int index) { return props[static_cast<std::size_t>(index)]; }
    const PropValue& At(int index) const { return props[static_cast<std::size_t>(index)]; }
    // Values by name; empty, 0 or false for a name the kind does not have.
    const std::string& Text(std::string_view name) const;
    std::int32_t Int(std::string_view name) const;
    double Date(std::string_view name) const;
    void SetText(std::string_view name, std::string value);
    void SetInt(std::string_view name, std::int32_t value);
    void SetDate(std::string_view name, double value);
};

// A date rounded to whole seconds; 0 for none and for dates at or after
// kNoDate or outside the years 100 to 9999.
double NormalizeDate(double date);

// The first line of a note text, as Outlook derives the subject.
std::string NoteSubject(std::string_view body);

}  // namespace platform::outlook
