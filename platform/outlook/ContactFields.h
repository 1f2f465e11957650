#pragma once
// Which vCard lines hold which contact properties, and the reading of a
// card's lines into a contact. Each line that holds a property is claimed
// under the key of its field, so that a later write knows which line to
// change and leaves every other line as it was.
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/outlook/ItemData.h"
#include "platform/outlook/VCard.h"

namespace platform::outlook {

struct ContactSlot {
    const char* prop;                // the property, or an address's prefix
    std::vector<std::string> types;  // TYPE values of a new line
    bool marked;                     // written with its field name, as its types alone do not tell it
};

const std::vector<ContactSlot>& TelSlots();
const std::vector<ContactSlot>& EmailSlots();
const std::vector<ContactSlot>& UrlSlots();
const std::vector<ContactSlot>& AddressSlots();
// The parts of an address in the order of ADR ("" for the extended address).
const std::vector<const char*>& AddressParts();
// The schema positions of each address slot's parts, in the order of
// AddressParts; -1 for the extended address, which has no property (the
// street takes its place).
const std::vector<std::vector<int>>& AddressPartPositions();
// Properties written as X-OUTLOOK-<NAME> (some under a standard name in
// version 4.0).
const std::vector<const char*>& ExtraProps();

// Parameters of our own.
inline constexpr const char* kFieldParam = "X-OUTLOOK-FIELD";    // the slot of a line; "NONE": in no field
inline constexpr const char* kEolParam = "X-OUTLOOK-EOL";        // the kinds of the value's line breaks
inline constexpr const char* kMadeUpParam = "X-OUTLOOK-MADEUP";  // an FN made of other values

// Keys of fields that hold more than one property or no property.
inline constexpr const char* kNameKey = "N";
inline constexpr const char* kOrgKey = "ORG";
inline constexpr const char* kUserPropKey = "USERPROP";
inline constexpr const char* kOrderKey = "ORDER";

// The line breaks of a text in order, each "CRLF", "LF" or "CR".
std::vector<std::string> BreakKinds(std::string_view text);
// Unescapes a raw value; its escaped line breaks take the kinds from
// `next` on (the last kind repeats; CR LF when there are none).
std::string UnescapeBreaks(std::string_view raw, const std::vector<std::string>& kinds, std::size_t& next);

class ContactLineReader {
public:
    explicit ContactLineReader(ItemData& item) : m_item(item) {}

    // Takes one line of a card into the contact. Returns the key of the
    // field the line holds, or empty when it holds none of ours (then the
    // contact is unchanged).
    std::string Consume(const VCardLine& line);
    // Marks a field as held already, so that no line is taken into it.
    void Reserve(const std::string& key) { m_claimed.insert(key); }
    // Frees a field again.
    void Release(const std::string& key) { m_claimed.erase(key); }

private:
    bool Claim(const std::string& key);
    std::string Text(const VCardLine& line) const;
    std::string SetText(const std::string& key, const VCardLine& line);
    std::string SetDate(const std::string& key, const VCardLine& line);
    std::string ReadName(const VCardLine& line);
    std::string ReadOrg(const VCardLine& line);
    std::string ReadAddress(const VCardLine& line);
    std::string ReadSlot(const VCardLine& line, const std::vector<ContactSlot>& slots,
                         std::vector<const char*> candidates);
    std::string ReadGender(const VCardLine& line);
    std::string ReadOrder(const VCardLine& line);
    std::string ReadUserProperty(const VCardLine& line);
    std::string ReadExtra(const VCardLine& line, std::string_view name);

    ItemData& m_item;
    std::set<std::string> m_claimed;
};

}  // namespace platform::outlook
